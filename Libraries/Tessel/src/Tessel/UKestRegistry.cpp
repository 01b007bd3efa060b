#include "Tessel/UKestRegistry.h"

#include "Tessel/Rtl/FormatText.h"
#include "Tessel/Rtl/Registry.h"
#include "Tessel/UKestAliases/CommonAliases.h"
#include "Tessel/UKestLibrary/CommandLine.h"
#include "Tessel/UKestLibrary/Debug.h"
#include "Tessel/UKestLibrary/Strings.h"

namespace Tessel {

bool RegLogging = false;

namespace {

struct TRootKeyName {
    const char16_t* Name;
    HKEY Key;
};
constexpr TRootKeyName RootKeyNames[] = {
    {u"HKLM", HKEY_LOCAL_MACHINE},
    {u"HKCU", HKEY_CURRENT_USER},
    {u"HKCR", HKEY_CLASSES_ROOT},
};

[[noreturn]] void RaiseRegistry(const QString& AMessage, const QString& APath) {
    throw EKestRegistry(Format(AMessage, {APath}));
}

QString Expanded(const QString& APath) {
    return ExpandSystemAliases(APath, false, true);
}

// The list as one text: names joined by commas, a name holding blanks, control characters, commas or
// double quotes written in double quotes with its quotes doubled.
QString CommaText(const QStringList& AList) {
    if (AList.size() == 1 && AList.first().isEmpty()) return QStringLiteral("\"\"");
    QStringList parts;
    for (const QString& name : AList) {
        const bool quote = std::any_of(name.begin(), name.end(),
                                       [](QChar c) { return c.unicode() <= u' ' || c == u',' || c == u'"'; });
        parts.append(quote ? u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"' : name);
    }
    return parts.join(u',');
}

// The whole path as one key: the key path and the value name joined, without a trailing "\".
QString WholeKey(const QString& AKey, const QString& AValueName) {
    QString key = AKey + u'\\' + AValueName;
    if (key.endsWith(u'\\')) key.chop(1);
    return key;
}

// Deletes the key and its subkeys, children before parents. False when the key exists but cannot be
// opened to find its subkeys.
bool DeleteKeyTree(TRegistry& ARegistry, const QString& AKey) {
    if (!ARegistry.KeyExists(AKey)) return true;
    if (!ARegistry.OpenKey(AKey, false)) return false;
    QStringList names;
    ARegistry.GetKeyNames(names);
    ARegistry.CloseKey();
    for (const QString& name : names)
        if (!DeleteKeyTree(ARegistry, AKey + u'\\' + name)) return false;
    ARegistry.DeleteKey(AKey);
    return true;
}

} // namespace

void InitRegLogging() {
    InitRegLogging(ParamArguments());
}

void InitRegLogging(const QStringList& AArguments) {
    RegLogging = ParamSwitchPresent(AArguments, KestParamRegLogging.Name, KestParamRegLogging.Description,
                                    KestParamRegLogging.Announced);
}

HKEY SplitRegPath(const QString& APath, QString& AKey, QString& AValueName) {
    QString rest = Expanded(APath);
    QString rootName;
    if (rest.contains(u'\\')) {
        rootName = SplitAtFirst(rest, QStringLiteral("\\"));
    } else {
        rootName = rest.trimmed();
        rest.clear();
    }
    HKEY root = 0;
    for (const TRootKeyName& entry : RootKeyNames)
        if (rootName == QStringView(entry.Name)) root = entry.Key;
    if (root == 0) InternalError(QStringLiteral("Invalid root key"));

    qsizetype at = rest.size() - 1;
    while (at >= 0 && rest.at(at) != u'\\' && rest.at(at) != u':')
        --at;
    AValueName = rest.mid(at + 1);
    if (at < 0) {
        AKey.clear();
    } else {
        // The delimiter stays with the key when it is ":" or follows "\" or ":".
        const bool keep =
            rest.at(at) == u':' || (at > 0 && (rest.at(at - 1) == u'\\' || rest.at(at - 1) == u':'));
        AKey = rest.left(keep ? at + 1 : at);
    }
    return root;
}

void ReadRegKeyNames(const QString& APath, QStringList& AList, bool ARaise) {
    AList.clear();
    TRegistry registry(KEY_READ);
    QString key, valueName;
    registry.SetRootKey(SplitRegPath(APath, key, valueName));
    const QString wholeKey = WholeKey(key, valueName);
    if (!registry.KeyExists(wholeKey)) return;
    if (registry.OpenKeyReadOnly(wholeKey))
        registry.GetKeyNames(AList);
    else if (ARaise)
        RaiseRegistry(SRegOpenForRead, Expanded(APath));
    if (RegLogging) LogRegAccess(QStringLiteral("ReadRegKeyNames"), APath, CommaText(AList));
    registry.CloseKey();
}

void DeleteRegKey(const QString& APath, bool ARaise) {
    QString key, valueName;
    const HKEY root = SplitRegPath(APath, key, valueName);
    if (RegLogging) LogRegAccess(QStringLiteral("DeleteRegKey"), APath, QString());
    const QString wholeKey = key.isEmpty() ? valueName : valueName.isEmpty() ? key : key + u'\\' + valueName;
    // A path naming the root key itself would empty the whole root key: it names nothing to delete.
    bool deleted = !QStringView(wholeKey).trimmed().isEmpty() && QStringView(wholeKey) != u"\\";
    if (deleted) {
        TRegistry registry;
        registry.SetRootKey(root);
        registry.SetAccess(KEY_READ);
        // Absolute, so the path stays the same whichever key the steps below leave open.
        deleted = DeleteKeyTree(registry, wholeKey.startsWith(u'\\') ? wholeKey : u'\\' + wholeKey);
    }
    if (!deleted && ARaise) RaiseRegistry(SRegOpenForModify, Expanded(APath));
}

bool ReadRegKeyBool(const QString& APath, bool ADefault, bool ARaise) {
    TRegistry registry(KEY_READ);
    QString key, valueName;
    registry.SetRootKey(SplitRegPath(APath, key, valueName));
    bool result = ADefault;
    if (!registry.KeyExists(key)) return result;
    if (registry.OpenKeyReadOnly(key)) {
        if (registry.ValueExists(valueName)) result = registry.ReadBool(valueName);
    } else if (ARaise) {
        RaiseRegistry(SRegOpenForRead, Expanded(APath));
    }
    if (RegLogging) LogRegAccess(QStringLiteral("ReadRegKeyBool"), APath, BoolToText(result));
    registry.CloseKey();
    return result;
}

void WriteRegKeyBool(const QString& APath, bool AValue, bool ARaise) {
    TRegistry registry(KEY_WRITE);
    QString key, valueName;
    registry.SetRootKey(SplitRegPath(APath, key, valueName));
    if (RegLogging) LogRegAccess(QStringLiteral("WriteRegKeyBool"), APath, BoolToText(AValue));
    if (registry.OpenKey(key, true)) {
        registry.WriteBool(valueName, AValue);
        registry.CloseKey();
    } else if (ARaise) {
        RaiseRegistry(SRegOpenForModify, Expanded(APath));
    }
}

void LogRegAccess(const QString& AOperation, const QString& APath, const QString& AValueText) {
    DebugTraceFmt(QStringLiteral("KEST reg access \"%s\" key \"%s\", value \"%s\""),
                  {AOperation, Expanded(APath), AValueText});
}

} // namespace Tessel
