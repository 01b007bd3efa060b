#include "Tessel/UKestAliases/CommonAliases.h"

#include "Tessel/Rtl/FormatDateTime.h"
#include "Tessel/Rtl/Now.h"
#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/FormatSettings.h"
#include "Tessel/UKestLibrary/Strings.h"
#include "Tessel/UKestLibrary/UserLevels.h"
#include "Tessel/UKestLibrary/Version.h"

namespace Tessel {

namespace {

const QString NoVersion = QStringLiteral("No Version");

TKestSystemAliases* GlobalSystemAliases = nullptr;
QString KeptProductDataFolder;

// Frees the program-wide set when the program ends.
struct TSystemAliasesFinalizer {
    ~TSystemAliasesFinalizer() { FreeSystemAliases(); }
} SystemAliasesFinalizer;

QString ProductsFolder() {
    return FileDrivePart(ExeFolderPath()) + QStringLiteral("/KEST Products/");
}

} // namespace

TKestCommonAliases::TKestCommonAliases() : TKestPropertyAliases(QStringLiteral("Common Aliases")) {
    static const std::pair<const char*, const char*> Descriptions[] = {
        {"Date", "The system date, e.g. '06/05/2009'"},
        {"Time", "The system time e.g. '12:08'"},
        {"ShortDate", "The system short date e.g. '06/05/2009'"},
        {"ShortTime", "The system short time e.g. '11:59'"},
        {"ShortDateTime", "The system short date and time e.g '06/05/2009, 11:59'"},
        {"ShortDateLongTime", "The system short date and long time e.g. '06/05/2009, 11:59:58'"},
        {"LongDate", "The system long date e.g. '06 May 2009'"},
        {"LongTime", "The system long time e.g. '11:59:58'"},
        {"LongTimeMS", "The system long time with milliseconds e.g. '11:59:58.274'"},
        {"LongDateTime", "The system long date and time e.g. '06 May 2009, 11:59:58'"},
        {"KestDateTime", "A standard date time format with milliseconds, e.g. '06/05/2009 11:59:58.259'"},
        {"ExeName", "Just the file name part of the application"},
        {"ProductDataFolder", "The application product data folder, e.g. 'C:\\KEST Products\\<exename>'"},
        {"ProductExeFolder", "The application program file folder"},
        {"DesktopFolder", "The system desktop folder"},
        {"SharedDataFolder", "The application shared data folder"},
        {"FileDescription", "The application file description"},
        {"FormattedVersionInfo", "The application formatted version information e.g. 'V1.0 R0 B1000'"},
        {"FormattedVersionInfo2", "The application formatted version information e.g. 'V1.0.0.1000'"},
        {"FormattedVersionInfo3", "The application formatted version information e.g. 'V1.0 R0'"},
        {"CurrentUserLevelStr", "The name of the current user level, e.g. 'Operator'"},
        {"CurrentUserName", "The name of the current user e.g. 'Sally'"},
        {"OnlineState", "The 'online' or 'offline' state"},
        {"ReleaseNumber", "The application release number, e.g. '6'"},
        {"DateYYYYMMDD", "The date in the form YYYYMMDD e.g. '20100406'"},
        {"TimeHHMMSS", "The time in the form HHMMSS e.g. '152436'"},
        {"TempFolder", "The windows temp folder (as %temp% variable)"},
    };
    for (const auto& [name, description] : Descriptions)
        SetPropertyDescription(QString::fromLatin1(name), QString::fromLatin1(description));
}

double TKestCommonAliases::CurrentTime() const {
    return FOnGetNow ? FOnGetNow() : Now();
}

QString TKestCommonAliases::FormatNow(const QString& AFormat) const {
    return FormatDateTime(AFormat, CurrentTime());
}

QString TKestCommonAliases::Date() const {
    return FormatNow(QStringLiteral("ddddd"));
}

QString TKestCommonAliases::Time() const {
    return FormatNow(QStringLiteral("t"));
}

QString TKestCommonAliases::ShortDateTime() const {
    return Date() + QStringLiteral(", ") + Time();
}

QString TKestCommonAliases::ShortDateLongTime() const {
    return Date() + QStringLiteral(", ") + LongTime();
}

QString TKestCommonAliases::LongDate() const {
    return FormatNow(QStringLiteral("dddddd"));
}

QString TKestCommonAliases::LongTime() const {
    return FormatNow(QStringLiteral("tt"));
}

QString TKestCommonAliases::LongTimeMS() const {
    return FormatNow(QStringLiteral("tt.zzz"));
}

QString TKestCommonAliases::LongDateTime() const {
    return LongDate() + QStringLiteral(", ") + LongTime();
}

QString TKestCommonAliases::KestDateTime() const {
    return DateTimeToKestStr(CurrentTime());
}

QString TKestCommonAliases::DateYYYYMMDD() const {
    return FormatNow(QStringLiteral("YYYYMMDD"));
}

QString TKestCommonAliases::TimeHHMMSS() const {
    return FormatNow(QStringLiteral("HHNNSS"));
}

QString TKestCommonAliases::ExeName() const {
    return UpperFirstChar(ExeBaseName());
}

QString TKestCommonAliases::AppDataName() const {
    return ExeAppDataName();
}

QString TKestCommonAliases::ProductDataFolder() const {
    if (KeptProductDataFolder.isEmpty()) KeptProductDataFolder = ProductsFolder() + AppDataName();
    return KeptProductDataFolder;
}

QString TKestCommonAliases::LocalAppDataFolder() const {
    return LocalAppDataPath();
}

QString TKestCommonAliases::CommonAppDataFolder() const {
    return CommonAppDataPath();
}

QString TKestCommonAliases::ProductExeFolder() const {
    return ExeFolderPath();
}

QString TKestCommonAliases::DesktopFolder() const {
    return DesktopPath();
}

QString TKestCommonAliases::SharedDataFolder() const {
    return ProductsFolder() + QStringLiteral("Shared");
}

QString TKestCommonAliases::TempFolder() const {
    return TempFolderPath();
}

QString TKestCommonAliases::FileDescription() const {
    const QString description = VersionInfo().FileDescription;
    return description.isEmpty() ? QStringLiteral("No Description") : description;
}

QString TKestCommonAliases::FormattedVersionInfo() const {
    const TVersionInfoRec& info = VersionInfo();
    return info.Valid && !info.FormattedVersionInfo.isEmpty() ? info.FormattedVersionInfo : NoVersion;
}

QString TKestCommonAliases::FormattedVersionInfo2() const {
    return VersionInfo().Valid ? VersionStrDotted() : NoVersion;
}

QString TKestCommonAliases::FormattedVersionInfo3() const {
    return VersionInfo().Valid ? VersionStrShort() : NoVersion;
}

int32_t TKestCommonAliases::ReleaseNumber() const {
    return VersionInfo().ReleaseNum;
}

QString TKestCommonAliases::CurrentUserLevelStr() const {
    return Tessel::CurrentUserLevelStr();
}

QString TKestCommonAliases::CurrentUserName() const {
    return Tessel::CurrentUserName();
}

QString TKestCommonAliases::OnlineState() const {
    return IsOnline() ? QStringLiteral("Online") : QStringLiteral("Offline");
}

TKestSystemAliases::TKestSystemAliases()
    : TKestAliases(QStringLiteral("System Aliases"), true), FCommon(std::make_unique<TKestCommonAliases>()) {
    FCommon->SetOnGetNow([this] { return GetNow(); });
    AddNameToValueSource(FCommon.get());
}

TKestSystemAliases::~TKestSystemAliases() {
    if (GlobalSystemAliases == this) GlobalSystemAliases = nullptr;
    RemoveNameToValueSource(FCommon.get());
}

TKestSystemAliases* SystemAliases() {
    if (GlobalSystemAliases == nullptr) GlobalSystemAliases = new TKestSystemAliases();
    return GlobalSystemAliases;
}

void FreeSystemAliases() {
    delete GlobalSystemAliases; // its destructor clears the global
    KeptProductDataFolder.clear();
}

QString ExpandSystemAliases(const QString& AStr, bool AEnsureOnlyFileNameChars, bool ARaise) {
    if (AStr.isEmpty()) return QString();
    return SystemAliases()->ExpandAliases(AStr, AEnsureOnlyFileNameChars, 0, ARaise);
}

} // namespace Tessel
