#include "Tessel/UKestLibrary/FormatSettings.h"

#include "Tessel/Rtl/FormatDateTime.h"
#include "Tessel/Rtl/FormatText.h"

#include <QLocale>

namespace Tessel {

const TFormatSettings& KestFormatSettings() {
    static const TFormatSettings settings = [] {
        const QLocale englishUK(QLocale::English, QLocale::UnitedKingdom);
        // Should the locale data be missing, the current locale stands in.
        return TFormatSettings::Create(englishUK.territory() == QLocale::UnitedKingdom ? englishUK
                                                                                       : QLocale());
    }();
    return settings;
}

TFormatSettings GetKestFormatSettings() {
    return KestFormatSettings();
}

TFormatSettings SelectFormatSettings(bool AUseKestSettings) {
    return AUseKestSettings ? GetKestFormatSettings() : UserFormatSettings();
}

QString FormatWithKestSettings(const QString& AFormat, const QVariantList& AArgs) {
    return Format(AFormat, AArgs, GetKestFormatSettings());
}

QString FormatEx(const QString& AFormat, const QVariantList& AArgs, bool AUseKestSettings) {
    return AUseKestSettings ? FormatWithKestSettings(AFormat, AArgs)
                            : Format(AFormat, AArgs, UserFormatSettings());
}

QString FormatDateTimeKest(const QString& AFormat, double ADateTime) {
    return FormatDateTime(AFormat, ADateTime, GetKestFormatSettings());
}

QString FormatDateTimeEx(const QString& AFormat, bool AUseKestSettings, double ADateTime) {
    return AUseKestSettings ? FormatDateTimeKest(AFormat, ADateTime)
                            : FormatDateTime(AFormat, ADateTime, UserFormatSettings());
}

QString DateTimeToKestStr(double ADateTime) {
    return FormatDateTimeKest(QStringLiteral("dd/mm/yyyy hh:nn:ss.zzz"), ADateTime);
}

QVariant VarNull() {
    return QVariant::fromValue(nullptr);
}

bool VarHasValue(const QVariant& AValue) {
    return AValue.isValid() && !AValue.isNull();
}

} // namespace Tessel
