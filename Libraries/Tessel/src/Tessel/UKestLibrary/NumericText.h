// Numeric text: reading numbers with SI multiplier letters and units, writing plain numbers.
#pragma once

#include <QString>

#include <array>

namespace Tessel {

// The multiplier letters; a letter's index is its position, 1 to 11, and index 6 (blank) is none.
extern const QString MultiplierChars;
// Indexed 1 to 11 like MultiplierChars (entry 0 is unused): each letter's value, and the factor
// that brings a value into the letter's range.
inline constexpr std::array<double, 12> MultiplierFactors = {1,   1e-15, 1e-12, 1e-9, 1e-6, 1e-3,
                                                             1.0, 1e3,   1e6,   1e9,  1e12, 1e15};
inline constexpr std::array<double, 12> MultiplierScales = {1,   1e15, 1e12, 1e9,  1e6,   1e3,
                                                            1.0, 1e-3, 1e-6, 1e-9, 1e-12, 1e-15};

// The index of a multiplier letter in MultiplierChars (case-sensitive), or 0 when it is none.
int MultiplierIndex(QChar AChar);
// The letter's factor; 1 for the blank and for anything that is no multiplier letter.
double MultiplierFactor(QChar AChar);

// Reads a number with an optional multiplier letter and units, such as "4.7k" or "10 mV". Blanks and
// tabs are ignored; units must hold no digits. The flag selects KestFormatSettings or the user's
// settings, that is the decimal separator.
bool TryNumericTextToFloat(const QString& AText, bool AUseKestSettings, double& AValue);
// As TryNumericTextToFloat; raises EConvertError "A valid numeric value is expected" for a blank
// text and "Invalid numeric value "%s"" for any other text it cannot read.
double NumericTextToFloat(const QString& AText, bool AUseKestSettings);
// A plain decimal number: blanks, sign, digits with one decimal separator, exponent, blanks.
bool TryTextToFloat(const QString& AText, bool AUseKestSettings, double& AValue);
// TryTextToFloat with KestFormatSettings; raises EConvertError "'%s' is not a valid floating point value".
double KestStrToFloat(const QString& AText);

// Fixed notation with ADecimals decimals, padded with leading blanks to AWidth (never cut); a value
// of 1e18 or more in magnitude is written in the general form.
QString FloatToFixedText(double AValue, int AWidth, int ADecimals, bool AUseKestSettings);
// "d.dddE+x": APrecision significant digits (2 to 18), trailing zeros kept, exponent unpadded.
QString FloatToExponentText(double AValue, int APrecision, bool AUseKestSettings);
// The shorter of fixed and scientific with APrecision significant digits, trailing zeros removed.
QString FloatToGeneralText(double AValue, int APrecision, bool AUseKestSettings);

// Removes the trailing zeros of the digits after the first "." but keeps the digit right behind
// it ("12.500" -> "12.5", "12.000" -> "12.0"); unless AKeepSingleZero, a lone ".0" goes too ("12").
QString TrimFractionZeros(const QString& AText, bool AKeepSingleZero);

} // namespace Tessel
