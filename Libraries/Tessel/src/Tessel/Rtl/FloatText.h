// The digit engine behind every written floating-point number: decimal expansion, rounding, layout.
#pragma once

#include "Tessel/Rtl/FormatSettings.h"

#include <QString>

namespace Tessel {

enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// Writes AValue in one of the float formats.
// - ffExponent: "d.dddE+x", APrecision significant digits, exponent with at least ADigits digits.
// - ffGeneral: the shorter of fixed and scientific with APrecision significant digits, trailing
//   zeros removed; scientific as ffExponent with at least ADigits exponent digits.
// - ffFixed, ffNumber (with thousands separators), ffCurrency: ADigits decimals; a value with more
//   than APrecision integer digits is written as ffGeneral with APrecision digits instead.
// The significant digits of ffGeneral and ffExponent are clamped to 2..18. The value is first taken
// to 18 significant digits (nearest); that string is then cut, rounding half up in magnitude.
// Non-finite values give "NAN", "INF" and "-INF".
QString FloatToText(double AValue, TFloatFormat AFormat, int APrecision, int ADigits,
                    const TFormatSettings& ASettings);

} // namespace Tessel
