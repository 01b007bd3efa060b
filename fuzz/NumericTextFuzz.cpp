// Numeric text: the reading routines agree with their raising forms, and every number written as
// fixed, exponent or general text reads back within the rounding that the text's digits allow.
#include "FuzzSupport.h"

#include "Tessel/Rtl/ConvertError.h"
#include "Tessel/UKestLibrary/NumericText.h"

#include <cmath>
#include <cstring>

using namespace Tessel;

namespace {

bool IsDigit(QChar AChar) {
    return AChar >= u'0' && AChar <= u'9';
}

bool SameDouble(double A, double B) {
    return (std::isnan(A) && std::isnan(B)) || std::memcmp(&A, &B, sizeof A) == 0;
}

// Try and raise agree: the same value, or EConvertError exactly when Try fails.
void CheckReaders(const QString& AText) {
    for (const bool kest : {true, false}) {
        double tried = 0;
        const bool ok = TryNumericTextToFloat(AText, kest, tried);
        try {
            const double value = NumericTextToFloat(AText, kest);
            FUZZ_CHECK(ok && SameDouble(value, tried), AText);
        } catch (const EConvertError&) {
            FUZZ_CHECK(!ok, AText);
        }
    }
    double tried = 0;
    const bool ok = TryTextToFloat(AText, true, tried);
    try {
        const double value = KestStrToFloat(AText);
        FUZZ_CHECK(ok && SameDouble(value, tried), AText);
    } catch (const EConvertError&) {
        FUZZ_CHECK(!ok, AText);
    }
    // Trimming zeros after the point never changes the number a text reads as, when digits stand on
    // both sides of the point as in every text the writers make (".0" loses its point and zero, and
    // "2.E0" its exponent's zero: the character behind the point is kept whatever it is).
    const qsizetype point = AText.indexOf(u'.');
    if (ok && (point < 0 || (point > 0 && point + 1 < AText.size() && IsDigit(AText[point - 1]) &&
                             IsDigit(AText[point + 1])))) {
        for (const bool keepZero : {true, false}) {
            const QString trimmed = TrimFractionZeros(AText, keepZero);
            double again = 0;
            FUZZ_CHECK(TryTextToFloat(trimmed, true, again) && again == tried,
                       AText + QStringLiteral(" trimmed to ") + trimmed);
        }
    }
}

// AText, written for AValue, reads back no further from it than ATolerance.
void CheckReadsBack(const QString& AWhat, const QString& AText, double AValue, double ATolerance) {
    double back = 0;
    const bool ok = TryTextToFloat(AText, true, back);
    // Rounding up the largest numbers may leave the range of a double.
    if (!ok && std::fabs(AValue) > 1e308) return;
    FUZZ_CHECK(
        ok,
        AWhat + QStringLiteral(" of %1 gave \"%2\", which does not read").arg(AValue, 0, 'g', 17).arg(AText));
    FUZZ_CHECK(std::fabs(back - AValue) <= ATolerance, AWhat + QStringLiteral(" of %1 gave \"%2\", off by %3")
                                                                   .arg(AValue, 0, 'g', 17)
                                                                   .arg(AText)
                                                                   .arg(back - AValue));
}

void CheckWriters(double AValue, int APrecision, int ADecimals, int AWidth) {
    const QString fixed = FloatToFixedText(AValue, AWidth, ADecimals, true);
    const QString exponent = FloatToExponentText(AValue, APrecision, true);
    const QString general = FloatToGeneralText(AValue, APrecision, true);
    FUZZ_CHECK(fixed.size() >= AWidth, fixed);
    if (!std::isfinite(AValue)) return;
    const double magnitude = std::fabs(AValue);
    // Digits beyond the 18th are not written; the smallest subnormals are far coarser than any digit.
    const double significant = 6 * std::pow(10.0, -APrecision) * magnitude + 1e-320;
    CheckReadsBack(QStringLiteral("exponent text (%1 digits)").arg(APrecision), exponent, AValue,
                   significant);
    CheckReadsBack(QStringLiteral("general text (%1 digits)").arg(APrecision), general, AValue, significant);
    const double fixedTolerance =
        magnitude < 1e18 ? 0.5000001 * std::pow(10.0, -ADecimals) + magnitude * 1e-15 : magnitude * 1e-14;
    CheckReadsBack(QStringLiteral("fixed text (%1 decimals)").arg(ADecimals), fixed, AValue, fixedTolerance);
    if (magnitude < 1e18) {
        const qsizetype point = fixed.indexOf(u'.');
        FUZZ_CHECK((ADecimals == 0 && point < 0) || (point >= 0 && fixed.size() - point - 1 == ADecimals),
                   fixed);
    }
    CheckReadsBack(QStringLiteral("trimmed fixed text"), TrimFractionZeros(fixed.trimmed(), false), AValue,
                   fixedTolerance);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize) {
    QString text;
    if (!WrenfoldFuzz::TextOf(WrenfoldFuzz::BytesOf(AData, ASize), text)) return 0;
    CheckReaders(text);

    // The number to write: the text's own when it reads as one, else the first eight bytes taken as a
    // double; the digits, decimals and width from the last three bytes.
    double value = 0;
    if (!TryNumericTextToFloat(text, true, value)) {
        if (ASize < 8) return 0;
        std::memcpy(&value, AData, sizeof value);
    }
    const uint8_t last = ASize > 0 ? AData[ASize - 1] : 0;
    const uint8_t before = ASize > 1 ? AData[ASize - 2] : 0;
    const uint8_t third = ASize > 2 ? AData[ASize - 3] : 0;
    CheckWriters(value, 2 + last % 17, before % 25, third % 40);
    return 0;
}
