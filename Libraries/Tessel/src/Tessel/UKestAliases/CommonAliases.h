// The built-in aliases: dates, times, folders, version texts, user level and on-line state as the
// read-only properties of TKestCommonAliases, and the program-wide alias set that holds them.
#pragma once

#include "Tessel/UKestAliases/AliasSet.h"
#include "Tessel/UKestAliases/PropertyAliases.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace Tessel {

// A clock: gives a date-time.
using TGetDateTime = std::function<double()>;

class TKestCommonAliases : public TKestPropertyAliases {
    Q_OBJECT
    Q_PROPERTY(QString Date READ Date)
    Q_PROPERTY(QString Time READ Time)
    Q_PROPERTY(QString ShortDate READ ShortDate)
    Q_PROPERTY(QString ShortTime READ ShortTime)
    Q_PROPERTY(QString ShortDateTime READ ShortDateTime)
    Q_PROPERTY(QString ShortDateLongTime READ ShortDateLongTime)
    Q_PROPERTY(QString LongDate READ LongDate)
    Q_PROPERTY(QString LongTime READ LongTime)
    Q_PROPERTY(QString LongTimeMS READ LongTimeMS)
    Q_PROPERTY(QString LongDateTime READ LongDateTime)
    Q_PROPERTY(QString KestDateTime READ KestDateTime)
    Q_PROPERTY(QString ExeName READ ExeName)
    Q_PROPERTY(QString AppDataName READ AppDataName)
    Q_PROPERTY(QString ProductDataFolder READ ProductDataFolder)
    Q_PROPERTY(QString LocalAppDataFolder READ LocalAppDataFolder)
    Q_PROPERTY(QString CommonAppDataFolder READ CommonAppDataFolder)
    Q_PROPERTY(QString ProductExeFolder READ ProductExeFolder)
    Q_PROPERTY(QString DesktopFolder READ DesktopFolder)
    Q_PROPERTY(QString SharedDataFolder READ SharedDataFolder)
    Q_PROPERTY(QString FileDescription READ FileDescription)
    Q_PROPERTY(QString FormattedVersionInfo READ FormattedVersionInfo)
    Q_PROPERTY(QString FormattedVersionInfo2 READ FormattedVersionInfo2)
    Q_PROPERTY(QString FormattedVersionInfo3 READ FormattedVersionInfo3)
    Q_PROPERTY(QString CurrentUserLevelStr READ CurrentUserLevelStr)
    Q_PROPERTY(QString CurrentUserName READ CurrentUserName)
    Q_PROPERTY(QString OnlineState READ OnlineState)
    Q_PROPERTY(int ReleaseNumber READ ReleaseNumber)
    Q_PROPERTY(QString DateYYYYMMDD READ DateYYYYMMDD)
    Q_PROPERTY(QString TimeHHMMSS READ TimeHHMMSS)
    Q_PROPERTY(QString TempFolder READ TempFolder)
public:
    // Named "Common Aliases"; its properties are its aliases.
    TKestCommonAliases();

    const TGetDateTime& OnGetNow() const { return FOnGetNow; }
    void SetOnGetNow(const TGetDateTime& AValue) { FOnGetNow = AValue; }
    // The clock's answer, or the local date and time now without a clock.
    double CurrentTime() const;

    // Date and time texts of CurrentTime under the user's format settings.
    QString Date() const;
    QString Time() const;
    QString ShortDate() const { return Date(); }
    QString ShortTime() const { return Time(); }
    QString ShortDateTime() const;
    QString ShortDateLongTime() const;
    QString LongDate() const;
    QString LongTime() const;
    QString LongTimeMS() const;
    QString LongDateTime() const;
    // "dd/mm/yyyy hh:nn:ss.zzz" under the fixed settings.
    QString KestDateTime() const;
    QString DateYYYYMMDD() const;
    QString TimeHHMMSS() const;

    QString ExeName() const;
    QString AppDataName() const;
    // "<drive>/KEST Products/<AppDataName>", worked out once per run; the drive is empty here.
    QString ProductDataFolder() const;
    QString LocalAppDataFolder() const;
    QString CommonAppDataFolder() const;
    // The program's folder, without a trailing separator.
    QString ProductExeFolder() const;
    QString DesktopFolder() const;
    QString SharedDataFolder() const;
    // The temporary-files folder with a trailing separator.
    QString TempFolder() const;

    QString FileDescription() const;
    QString FormattedVersionInfo() const;
    QString FormattedVersionInfo2() const;
    QString FormattedVersionInfo3() const;
    int32_t ReleaseNumber() const;
    QString CurrentUserLevelStr() const;
    QString CurrentUserName() const;
    QString OnlineState() const;

private:
    QString FormatNow(const QString& AFormat) const;

    TGetDateTime FOnGetNow;
};

// The program-wide alias set: reference counted, named "System Aliases", with one source, its own
// TKestCommonAliases, whose clock is the set's GetNow.
class TKestSystemAliases : public TKestAliases {
public:
    TKestSystemAliases();
    // Clears the global behind SystemAliases when it is this set.
    ~TKestSystemAliases() override;
    TKestCommonAliases* Common() const { return FCommon.get(); }

private:
    std::unique_ptr<TKestCommonAliases> FCommon;
};

// The program-wide set, made on first use. Dropping the last interface reference to it destroys it;
// the next call makes a new one.
TKestSystemAliases* SystemAliases();
// Frees the program-wide set, if any, and forgets the kept product data folder.
void FreeSystemAliases();
// AStr expanded against SystemAliases (no specific time); empty for an empty AStr.
QString ExpandSystemAliases(const QString& AStr, bool AEnsureOnlyFileNameChars, bool ARaise);

} // namespace Tessel
