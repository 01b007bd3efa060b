// Number formatting styles: fixed with a given or chosen multiplier letter, scientific,
// engineering with a letter for the exponent, compact, and date-times, by record or format text.
#pragma once

#include "Tessel/UKestDefs/FloatFormatRecords.h"

#include <QString>

namespace Tessel {

// Used in place of an empty record: three decimals, compact style.
inline const TFloatToStringFormat DefaultFloatToStringFormat{3, 0, QChar(u'X'), QString()};

// The style is chosen by MultiplierChar (ASCII letters taken in either case): "*" or "R" fixed with
// the letter chosen from the magnitude, "E" scientific, "S" engineering, "X" compact; any other
// character fixed with that multiplier letter. UnitsStr "Z" suppresses letter and units.
// The flag selects KestFormatSettings or the user's settings.
QString FloatToString(double AValue, const TFloatToStringFormat& AFormat, bool AUseKestSettings);
// MultiplierChar "D" (either case) writes AValue as a date-time by FormatStr with "~" for "/";
// any other record is converted by FloatFormat2ToFormat.
QString FloatToString(double AValue, const TFloatToStringFormat2& AFormat, bool AUseKestSettings);
// AFormatText as read by ParseFloatFormatText, for example "0.000/k/V".
QString FloatToString(double AValue, const QString& AFormatText, bool AUseKestSettings);

// "format/multiplier/units": the format before the first "/", the first character of the next part
// (a blank when empty) and what follows the second "/"; the parts trimmed.
TFloatToStringFormat2 ParseFloatFormatText(const QString& AFormatText);
// Decimals from the place of the first "." in FormatStr, width from its length.
TFloatToStringFormat FloatFormat2ToFormat(const TFloatToStringFormat2& AFormat);
// The multiplier index (1 to 11, 6 for none) that suits the magnitude of AValue.
int AutoMultiplierIndex(double AValue);

} // namespace Tessel
