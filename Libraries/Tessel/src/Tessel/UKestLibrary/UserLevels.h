// The current user level with its designer override, the off-line state, and the user's name; both
// states are published through the library notifications when they change.
#pragma once

#include "Tessel/UKestDefs/Enumerations.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace Tessel {

// Holds the current user level; ulOperator when made. One instance per process (KestUserLevel).
class TKestUserLevel {
public:
    TKestUserLevel() = default;
    virtual ~TKestUserLevel() = default;

    TUserLevel UserLevel() const { return FUserLevel; }
    // Stores the level (ulAdministrator while DesignerOverride is set); a change is reported to
    // LogEvent as "User level changed" and then published to the notification clients.
    void SetUserLevel(TUserLevel AValue);
    bool IsOperator() const { return FUserLevel == ulOperator; }
    bool IsSupervisor() const { return FUserLevel == ulSupervisor; }
    bool IsAdministrator() const { return FUserLevel == ulAdministrator; }

private:
    TUserLevel FUserLevel = ulOperator;
};

inline const std::array<QString, 3> UserLevelNames = {
    QStringLiteral("Operator"), QStringLiteral("Supervisor"), QStringLiteral("Administrator")};

// Pins the user level to ulAdministrator; set from "/DESMODE" at start-up.
extern bool DesignerOverride;
// True while the program runs off-line; changed through SetOffline only.
extern bool OfflineState;
// Gives the current user's name when installed.
extern std::function<QString()> UserNameHook;

// The user-level instance, made on the first call.
TKestUserLevel& KestUserLevel();
// Frees the instance; the next KestUserLevel makes a new one at ulOperator.
void FreeKestUserLevel();

TUserLevel GetCurrentUserLevel();
void SetCurrentUserLevel(TUserLevel AValue);
// The current level's name, between asterisks while DesignerOverride is set ("*Administrator*").
QString CurrentUserLevelStr();
// "A" or "ADMINISTRATOR" (any case) is ulAdministrator, "S" or "SUPERVISOR" ulSupervisor, anything else
// ulOperator.
TUserLevel StrToUserLevel(const QString& AText);
// The hook's result when UserNameHook is installed, else "User".
QString CurrentUserName();
bool UserNameHookAssigned();

// Applies "/DESMODE" (the designer override) and then "/UL=level" from the command line; in the
// level text, anything up to a colon and from a comma on is ignored.
void InitCommandLineUserLevel();
void InitCommandLineUserLevel(const QStringList& AArguments);

// Splits the first field off AText at the first ASeparator outside double quotes. AField receives
// the field trimmed and, when the text held a quote, without its enclosing quotes and with each
// doubled quote made single; AText keeps the trimmed rest (empty without a separator).
void SplitFirstField(QString& AText, QChar ASeparator, QString& AField);

// Changes OfflineState and publishes the change; setting the present state does nothing.
void SetOffline(bool AValue);
bool IsOnline();

} // namespace Tessel
