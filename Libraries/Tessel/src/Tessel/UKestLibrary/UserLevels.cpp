#include "Tessel/UKestLibrary/UserLevels.h"

#include "Tessel/UKestLibrary/CommandLine.h"
#include "Tessel/UKestLibrary/Debug.h"
#include "Tessel/UKestLibrary/Strings.h"
#include "Tessel/UKestTesselNotifications.h"

#include <memory>

namespace Tessel {

bool DesignerOverride = false;
bool OfflineState = false;
std::function<QString()> UserNameHook;

namespace {

std::unique_ptr<TKestUserLevel>& UserLevelInstance() {
    static std::unique_ptr<TKestUserLevel> instance;
    return instance;
}

} // namespace

void TKestUserLevel::SetUserLevel(TUserLevel AValue) {
    const TUserLevel level = DesignerOverride ? ulAdministrator : AValue;
    if (level == FUserLevel) return;
    FUserLevel = level;
    LogEvent(QStringLiteral("Application"), KestEventUserLevelChanged,
             {QStringLiteral("UserName=") + CurrentUserName(),
              QStringLiteral("NewLevel=") + CurrentUserLevelStr()});
    TesselNotifications().NotifyClients_AfterChangedUserLevel(level);
}

TKestUserLevel& KestUserLevel() {
    std::unique_ptr<TKestUserLevel>& instance = UserLevelInstance();
    if (!instance) instance = std::make_unique<TKestUserLevel>();
    return *instance;
}

void FreeKestUserLevel() {
    UserLevelInstance().reset();
}

TUserLevel GetCurrentUserLevel() {
    return KestUserLevel().UserLevel();
}

void SetCurrentUserLevel(TUserLevel AValue) {
    KestUserLevel().SetUserLevel(AValue);
}

QString CurrentUserLevelStr() {
    const QString name = UserLevelNames.at(size_t(GetCurrentUserLevel()));
    return DesignerOverride ? QLatin1Char('*') + name + QLatin1Char('*') : name;
}

TUserLevel StrToUserLevel(const QString& AText) {
    const QString text = AsciiUpperCase(AText);
    if (text.size() == 1)
        return text == QLatin1String("A")   ? ulAdministrator
               : text == QLatin1String("S") ? ulSupervisor
                                            : ulOperator;
    if (text == QLatin1String("ADMINISTRATOR")) return ulAdministrator;
    if (text == QLatin1String("SUPERVISOR")) return ulSupervisor;
    return ulOperator;
}

QString CurrentUserName() {
    return UserNameHook ? UserNameHook() : QStringLiteral("User");
}

bool UserNameHookAssigned() {
    return bool(UserNameHook);
}

void InitCommandLineUserLevel() {
    InitCommandLineUserLevel(ParamArguments());
}

void InitCommandLineUserLevel(const QStringList& AArguments) {
    if (ParamSwitchPresent(AArguments, KestParamDesMode.Name, KestParamDesMode.Description, false)) {
        DesignerOverride = true;
        SetCurrentUserLevel(ulAdministrator);
    }
    QString value;
    if (!ParamValue(AArguments, KestParamUserLevel.Name, KestParamUserLevel.Description, false, value))
        return;
    const qsizetype colon = value.indexOf(QLatin1Char(':'));
    if (colon >= 0) value.remove(0, colon + 1);
    QString field;
    SplitFirstField(value, QLatin1Char(','), field);
    SetCurrentUserLevel(StrToUserLevel(field));
}

void SplitFirstField(QString& AText, QChar ASeparator, QString& AField) {
    bool inQuotes = false;
    bool quoteSeen = false;
    auto clean = [&](const QString& AValue) {
        QString field = KestTrim(AValue);
        if (quoteSeen) {
            field = Dequote(field);
            ReplaceAllText(QStringLiteral("\"\""), QStringLiteral("\""), field, true);
        }
        return field;
    };
    for (qsizetype i = 0; i < AText.size(); ++i) {
        const QChar c = AText.at(i);
        if (c == QLatin1Char('"')) {
            inQuotes = !inQuotes;
            quoteSeen = true;
        } else if (c == ASeparator && !inQuotes) {
            AField = clean(AText.left(i));
            AText = KestTrim(AText.mid(i + 1));
            return;
        }
    }
    AField = clean(AText);
    AText.clear();
}

void SetOffline(bool AValue) {
    if (AValue == OfflineState) return;
    OfflineState = AValue;
    TesselNotifications().NotifyClients_AfterChangedOfflineState(AValue);
}

bool IsOnline() {
    return !OfflineState;
}

} // namespace Tessel
