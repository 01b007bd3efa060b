#include "Tessel/Rtl/FileRegistryBackend.h"

#include "Tessel/Rtl/FileLock.h"
#include "Tessel/Rtl/FileWriter.h"
#include "Tessel/Rtl/SystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Tessel {

namespace {

// How long a change waits for another program to finish its own.
constexpr int LockTimeoutMs = 10000;

QString RootKeyName(HKEY ARoot) {
    switch (ARoot) {
    case HKEY_CLASSES_ROOT:
        return QStringLiteral("HKEY_CLASSES_ROOT");
    case HKEY_CURRENT_USER:
        return QStringLiteral("HKEY_CURRENT_USER");
    case HKEY_LOCAL_MACHINE:
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    default:
        return QString();
    }
}

QString NativeName(const QString& AFileName) {
    return QDir::toNativeSeparators(AFileName);
}

void Save(const QString& AFileName, const QByteArray& AText) {
    TAtomicFileWriter writer(AFileName);
    // A new hive is the user's own; an existing one keeps its permissions.
    const bool written =
        writer.Open(QFileInfo::exists(AFileName) ? std::nullopt : std::optional<mode_t>(0600)) &&
        writer.Write(AText) && writer.Commit(TWriteDurability::Flushed);
    if (!written)
        throw ERegistryException(QStringLiteral("Unable to write registry file \"%1\": %2")
                                     .arg(NativeName(AFileName), SystemErrorText(writer.Error())));
}

// A store over one hive held in memory, recording whether anything changed; other root keys are
// passed to the store it was opened from.
class THiveStore : public IRegistryBackend {
public:
    THiveStore(HKEY ARoot, TRegistryHive& AHive, IRegistryBackend& AOthers)
        : FRoot(ARoot), FHive(AHive), FOthers(AOthers) {}
    bool Changed() const { return FChanged; }

    bool OpenKey(HKEY ARoot, const QStringList& AKey, REGSAM AAccess) override {
        if (ARoot != FRoot) return FOthers.OpenKey(ARoot, AKey, AAccess);
        return FHive.FindKey(AKey) != nullptr;
    }
    bool CreateKey(HKEY ARoot, const QStringList& AKey) override {
        if (ARoot != FRoot) return FOthers.CreateKey(ARoot, AKey);
        if (!FHive.FindKey(AKey)) {
            FHive.CreateKey(AKey);
            FChanged = true;
        }
        return true;
    }
    bool DeleteKey(HKEY ARoot, const QStringList& AKey) override {
        if (ARoot != FRoot) return FOthers.DeleteKey(ARoot, AKey);
        const bool deleted = FHive.DeleteKey(AKey);
        FChanged = FChanged || deleted;
        return deleted;
    }
    std::optional<QStringList> KeyNames(HKEY ARoot, const QStringList& AKey) override {
        if (ARoot != FRoot) return FOthers.KeyNames(ARoot, AKey);
        const TRegistryHive::TKey* key = FHive.FindKey(AKey);
        return key ? std::optional(key->KeyNames()) : std::nullopt;
    }
    std::optional<QStringList> ValueNames(HKEY ARoot, const QStringList& AKey) override {
        if (ARoot != FRoot) return FOthers.ValueNames(ARoot, AKey);
        const TRegistryHive::TKey* key = FHive.FindKey(AKey);
        return key ? std::optional(key->ValueNames()) : std::nullopt;
    }
    std::optional<TRegValue> ReadValue(HKEY ARoot, const QStringList& AKey, const QString& AName) override {
        if (ARoot != FRoot) return FOthers.ReadValue(ARoot, AKey, AName);
        const TRegistryHive::TKey* key = FHive.FindKey(AKey);
        const TRegValue* value = key ? key->Value(AName) : nullptr;
        return value ? std::optional(*value) : std::nullopt;
    }
    bool WriteValue(HKEY ARoot, const QStringList& AKey, const QString& AName,
                    const TRegValue& AValue) override {
        if (ARoot != FRoot) return FOthers.WriteValue(ARoot, AKey, AName, AValue);
        TRegistryHive::TKey* key = FHive.FindKey(AKey);
        if (!key) return false;
        const TRegValue* old = key->Value(AName);
        if (!old || !(*old == AValue)) {
            key->SetValue(AName, AValue);
            FChanged = true;
        }
        return true;
    }
    bool DeleteValue(HKEY ARoot, const QStringList& AKey, const QString& AName) override {
        if (ARoot != FRoot) return FOthers.DeleteValue(ARoot, AKey, AName);
        TRegistryHive::TKey* key = FHive.FindKey(AKey);
        const bool deleted = key && key->RemoveValue(AName);
        FChanged = FChanged || deleted;
        return deleted;
    }

private:
    HKEY FRoot;
    TRegistryHive& FHive;
    IRegistryBackend& FOthers;
    bool FChanged = false;
};

} // namespace

TFileRegistryBackend::TFileRegistryBackend(const QString& AFolder) : FFolder(AFolder) {}

QString TFileRegistryBackend::HiveFileName(HKEY ARoot) const {
    const QString name = RootKeyName(ARoot);
    return name.isEmpty() ? QString() : QDir(FFolder).filePath(name + QStringLiteral(".json"));
}

std::optional<TRegistryHive> TFileRegistryBackend::Load(HKEY ARoot) const {
    const QString fileName = HiveFileName(ARoot);
    if (fileName.isEmpty()) return std::nullopt;
    QFile file(fileName);
    if (!file.exists()) return TRegistryHive();
    QByteArray text;
    if (file.open(QIODevice::ReadOnly)) text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ERegistryException(QStringLiteral("Unable to read registry file \"%1\": %2")
                                     .arg(NativeName(fileName), file.errorString()));
    QString reason;
    std::optional<TRegistryHive> hive = TRegistryHive::FromJson(text, reason);
    if (!hive)
        throw ERegistryException(QStringLiteral("Registry file \"%1\" is damaged and is left as it is: %2")
                                     .arg(NativeName(fileName), reason));
    return hive;
}

bool TFileRegistryBackend::Change(HKEY ARoot, const std::function<TOutcome(TRegistryHive&)>& AChange) {
    const QString fileName = HiveFileName(ARoot);
    if (fileName.isEmpty()) return false;
    if (!QDir().mkpath(FFolder))
        throw ERegistryException(
            QStringLiteral("Unable to create the registry folder \"%1\"").arg(NativeName(FFolder)));
    const TLockFile lock(QDir(FFolder).filePath(RootKeyName(ARoot) + QStringLiteral(".lock")), LockTimeoutMs);
    if (!lock.Locked())
        throw ERegistryException(
            lock.HeldElsewhere() ? QStringLiteral("Registry file \"%1\" is kept locked by another program")
                                       .arg(NativeName(fileName))
                                 : QStringLiteral("Unable to lock registry file \"%1\": %2")
                                       .arg(NativeName(fileName), SystemErrorText(lock.Error())));
    TRegistryHive hive = *Load(ARoot);
    const TOutcome outcome = AChange(hive);
    if (outcome.Changed) Save(fileName, hive.ToJson(RootKeyName(ARoot)));
    return outcome.Result;
}

bool TFileRegistryBackend::OpenKey(HKEY ARoot, const QStringList& AKey, REGSAM) {
    // The user holds every right on the keys of their own files.
    const std::optional<TRegistryHive> hive = Load(ARoot);
    return hive && hive->FindKey(AKey);
}

bool TFileRegistryBackend::CreateKey(HKEY ARoot, const QStringList& AKey) {
    return Change(ARoot, [&](TRegistryHive& AHive) {
        const bool exists = AHive.FindKey(AKey) != nullptr;
        if (!exists) AHive.CreateKey(AKey);
        return TOutcome{true, !exists};
    });
}

bool TFileRegistryBackend::DeleteKey(HKEY ARoot, const QStringList& AKey) {
    return Change(ARoot, [&](TRegistryHive& AHive) {
        const bool deleted = AHive.DeleteKey(AKey);
        return TOutcome{deleted, deleted};
    });
}

std::optional<QStringList> TFileRegistryBackend::KeyNames(HKEY ARoot, const QStringList& AKey) {
    const std::optional<TRegistryHive> hive = Load(ARoot);
    const TRegistryHive::TKey* key = hive ? hive->FindKey(AKey) : nullptr;
    return key ? std::optional(key->KeyNames()) : std::nullopt;
}

std::optional<QStringList> TFileRegistryBackend::ValueNames(HKEY ARoot, const QStringList& AKey) {
    const std::optional<TRegistryHive> hive = Load(ARoot);
    const TRegistryHive::TKey* key = hive ? hive->FindKey(AKey) : nullptr;
    return key ? std::optional(key->ValueNames()) : std::nullopt;
}

std::optional<TRegValue> TFileRegistryBackend::ReadValue(HKEY ARoot, const QStringList& AKey,
                                                         const QString& AName) {
    const std::optional<TRegistryHive> hive = Load(ARoot);
    const TRegistryHive::TKey* key = hive ? hive->FindKey(AKey) : nullptr;
    const TRegValue* value = key ? key->Value(AName) : nullptr;
    return value ? std::optional(*value) : std::nullopt;
}

bool TFileRegistryBackend::WriteValue(HKEY ARoot, const QStringList& AKey, const QString& AName,
                                      const TRegValue& AValue) {
    return Change(ARoot, [&](TRegistryHive& AHive) {
        TRegistryHive::TKey* key = AHive.FindKey(AKey);
        if (!key) return TOutcome{false, false};
        const TRegValue* old = key->Value(AName);
        const bool changed = !old || !(*old == AValue);
        if (changed) key->SetValue(AName, AValue);
        return TOutcome{true, changed};
    });
}

bool TFileRegistryBackend::DeleteValue(HKEY ARoot, const QStringList& AKey, const QString& AName) {
    return Change(ARoot, [&](TRegistryHive& AHive) {
        TRegistryHive::TKey* key = AHive.FindKey(AKey);
        const bool deleted = key && key->RemoveValue(AName);
        return TOutcome{deleted, deleted};
    });
}

void TFileRegistryBackend::RunAsOneChange(HKEY ARoot, const std::function<void(IRegistryBackend&)>& AWork) {
    if (HiveFileName(ARoot).isEmpty()) {
        AWork(*this);
        return;
    }
    Change(ARoot, [&](TRegistryHive& AHive) {
        THiveStore store(ARoot, AHive, *this);
        AWork(store);
        return TOutcome{true, store.Changed()};
    });
}

QString RegistryFolder() {
    const QString own = qEnvironmentVariable("WRENFOLD_REGISTRY_DIR");
    if (!own.isEmpty()) return own;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative configuration folder is no folder at all and is ignored, as desktops do.
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/KEST Products/registry");
}

} // namespace Tessel
