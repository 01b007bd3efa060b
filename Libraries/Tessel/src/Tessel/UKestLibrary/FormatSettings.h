// The library's fixed format settings (English, United Kingdom) for stored and compared text, and the
// routines that choose between them and the user's settings.
#pragma once

#include "Tessel/Rtl/FormatSettings.h"

#include <QString>
#include <QVariant>

namespace Tessel {

// The fixed settings of English (United Kingdom), built on first use and never changed.
const TFormatSettings& KestFormatSettings();
// A copy of KestFormatSettings.
TFormatSettings GetKestFormatSettings();

// KestFormatSettings when AUseKestSettings is true, else the user's settings.
TFormatSettings SelectFormatSettings(bool AUseKestSettings);

QString FormatWithKestSettings(const QString& AFormat, const QVariantList& AArgs);
QString FormatEx(const QString& AFormat, const QVariantList& AArgs, bool AUseKestSettings);
QString FormatDateTimeKest(const QString& AFormat, double ADateTime);
QString FormatDateTimeEx(const QString& AFormat, bool AUseKestSettings, double ADateTime);
// "dd/mm/yyyy hh:nn:ss.zzz" with KestFormatSettings.
QString DateTimeToKestStr(double ADateTime);

// The Null variant; an invalid (default-constructed) QVariant is the Empty one.
QVariant VarNull();
// False for the Empty and the Null variant, true for every other value.
bool VarHasValue(const QVariant& AValue);

} // namespace Tessel
