#include "Tessel/UKestAliases/AliasSet.h"

#include "Tessel/Rtl/FormatText.h"
#include "Tessel/Rtl/Now.h"
#include "Tessel/UKestDefs/Exceptions.h"
#include "Tessel/UKestLibrary/FormatSettings.h"
#include "Tessel/UKestLibrary/NonPrintingTags.h"
#include "Tessel/UKestLibrary/Strings.h"
#include "Tessel/UKestLibrary/Variants.h"

#include <QScopeGuard>

namespace Tessel {

namespace {

const QString EscapePair = QString(2, QChar(1));
const QString FailedReference = QStringLiteral("=====");

// ToFileNameChars for a path: "/" separates folders on this platform, as "\" (which
// ToFileNameChars never touches) does on Windows, so the separators stay.
QString ToPathNameChars(const QString& AText) {
    QString result = ToFileNameChars(AText);
    for (qsizetype i = 0; i < AText.size(); ++i)
        if (AText[i] == u'/') result[i] = u'/';
    return result;
}

} // namespace

void SplitAliasName(const QString& AName, QString& APrefix, QString& AHandedOn) {
    qsizetype at = AName.indexOf(u'|');
    if (at < 0) at = AName.indexOf(u'_');
    APrefix = at < 0 ? QString() : AName.left(at);
    AHandedOn = at < 0 ? AName : AName.mid(at + 1);
}

TKestAliases::TKestAliases(const QString& AName, bool AReferenceCounted)
    : TKestImplements(AReferenceCounted) {
    SetName(AName);
}

TKestAliases::~TKestAliases() {
    FNameToValueSources.clear();
}

void TKestAliases::AddNameToValueSource(const TInterfaceRef<IKestAliases>& ASource) {
    if (ASource && !FNameToValueSources.contains(ASource)) FNameToValueSources.append(ASource);
}

void TKestAliases::RemoveNameToValueSource(const TInterfaceRef<IKestAliases>& ASource) {
    FNameToValueSources.removeOne(ASource);
}

double TKestAliases::GetNow() const {
    return FSpecificTime != 0 ? FSpecificTime : Now();
}

QList<TInterfaceRef<IKestAliases>> TKestAliases::RoutedSources(const QString& AName,
                                                               QString& AHandedOn) const {
    QString prefix;
    SplitAliasName(AName, prefix, AHandedOn);
    QList<TInterfaceRef<IKestAliases>> result;
    for (const TInterfaceRef<IKestAliases>& source : FNameToValueSources)
        if (prefix.isEmpty() || SameAsciiText(prefix, source->Aliases_GetSourceNamePrefix()))
            result.append(source);
    return result;
}

QVariant TKestAliases::Aliases_NameToValue(const QString& AName, bool APreferStrings, PAliasInfo AAliasInfo) {
    FInNameToValue = true;
    const auto reset = qScopeGuard([this] { FInNameToValue = false; });
    QString handedOn;
    for (const TInterfaceRef<IKestAliases>& source : RoutedSources(AName, handedOn)) {
        // A null answer ends the search as well as a value.
        const QVariant value = source->Aliases_NameToValue(handedOn, APreferStrings, AAliasInfo);
        if (value.isValid()) return value;
    }
    return QVariant();
}

void TKestAliases::Aliases_EnumerateAllAliases(TAliasInfoList& AliasInfoList) {
    const QList<TInterfaceRef<IKestAliases>> sources = FNameToValueSources;
    for (const TInterfaceRef<IKestAliases>& source : sources)
        source->Aliases_EnumerateAllAliases(AliasInfoList);
}

bool TKestAliases::Aliases_GetCanChange(const QString& AName) {
    QString handedOn;
    for (const TInterfaceRef<IKestAliases>& source : RoutedSources(AName, handedOn))
        if (source->Aliases_GetCanChange(handedOn)) return true;
    return false;
}

bool TKestAliases::Aliases_ChangeValue(const QString& AName, const QVariant& AValue) {
    QString handedOn;
    for (const TInterfaceRef<IKestAliases>& source : RoutedSources(AName, handedOn))
        if (source->Aliases_ChangeValue(handedOn, AValue)) return true;
    return false;
}

QString TKestAliases::ExpandAliases(const QString& AStr, bool AEnsureOnlyFileNameChars, double ASpecificTime,
                                    bool ARaise) {
    FSpecificTime = ASpecificTime;
    const auto reset = qScopeGuard([this] { FSpecificTime = 0; });
    if (AStr.isEmpty()) return QString();

    QString result = AStr;
    bool escaped = false;
    int scan = 1;
    for (;;) {
        int start = scan, length = 0;
        if (!FindDelimited(QStringLiteral("%"), QStringLiteral("%"), result, start, true, length)) break;
        const QString aliasText = result.mid(start, length - 2);
        QString replacement;
        if (aliasText.isEmpty()) {
            replacement = EscapePair;
            escaped = true;
        } else {
            QString name = aliasText, options;
            if (const qsizetype colon = aliasText.indexOf(u':'); colon >= 0) {
                name = aliasText.left(colon);
                options = aliasText.mid(colon + 1);
            }
            const qsizetype formatAt = options.indexOf(u'F');
            const QString format = formatAt < 0 ? QString() : QStringLiteral("%") + options.mid(formatAt + 1);
            QVariant value;
            bool recognised = true;
            try {
                value = Aliases_NameToValue(name, options.contains(u'S'), nullptr);
                recognised = VarHasValue(value);
                if (recognised) {
                    replacement = !format.isEmpty() && VarIsNumeric(value)
                                      ? Format(format, {VarToDouble(value)})
                                      : VarToStr(value);
                    if (options.contains(u'T')) replacement = KestTrim(replacement);
                }
            } catch (const EAbort&) {
                throw; // a cancelled operation is no failed reference
            } catch (const Exception&) {
                if (ARaise) throw;
                replacement = FailedReference;
            }
            if (!recognised) {
                if (ARaise)
                    throw EKestAlias(QStringLiteral("Unrecognised alias \"%1\"")
                                         .arg(StringToNonPrintingTags(name, QString(), true)));
                // The text built so far is given up: the whole result is the failure mark.
                result = FailedReference;
                break;
            }
        }
        result.replace(start - 1, length, replacement);
        scan = start + int(replacement.size());
    }
    if (escaped) ReplaceAllText(EscapePair, QStringLiteral("%%"), result, true);
    if (AEnsureOnlyFileNameChars) result = ToPathNameChars(result);
    return result;
}

} // namespace Tessel
