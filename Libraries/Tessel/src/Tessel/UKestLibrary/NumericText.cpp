#include "Tessel/UKestLibrary/NumericText.h"

#include "Tessel/Rtl/ConvertError.h"
#include "Tessel/Rtl/FloatText.h"
#include "Tessel/UKestLibrary/FormatSettings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace Tessel {

const QString MultiplierChars = QStringLiteral("fpnum kMGTP");

int MultiplierIndex(QChar AChar) {
    return int(MultiplierChars.indexOf(AChar)) + 1;
}

double MultiplierFactor(QChar AChar) {
    return MultiplierFactors[size_t(MultiplierIndex(AChar))];
}

namespace {

bool IsNumberChar(QChar AChar) {
    const char16_t c = AChar.unicode();
    return (c >= u'0' && c <= u'9') || c == u' ' || c == u'*' || c == u'+' || c == u',' || c == u'-' ||
           c == u'.' || c == u'/' || c == u'E' || c == u'e';
}

bool IsDigit(QChar AChar) {
    return AChar.unicode() >= u'0' && AChar.unicode() <= u'9';
}

bool TryTextToFloatWith(const QString& AText, QChar ADecimalSeparator, double& AValue) {
    const qsizetype n = AText.size();
    qsizetype i = 0;
    while (i < n && AText[i] == u' ')
        ++i;
    std::string number; // the same number in the C notation
    if (i < n && (AText[i] == u'+' || AText[i] == u'-')) {
        if (AText[i] == u'-') number += '-';
        ++i;
    }
    int digits = 0;
    bool separator = false;
    for (; i < n; ++i) {
        const QChar c = AText[i];
        if (IsDigit(c)) {
            number += char(c.unicode());
            ++digits;
        } else if (c == ADecimalSeparator && !separator) {
            number += '.';
            separator = true;
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    long exponent = 0;
    if (i < n && (AText[i] == u'E' || AText[i] == u'e')) {
        number += 'e';
        ++i;
        bool negativeExponent = false;
        if (i < n && (AText[i] == u'+' || AText[i] == u'-')) {
            negativeExponent = AText[i] == u'-';
            number += char(AText[i++].unicode());
        }
        const qsizetype start = i;
        for (; i < n && IsDigit(AText[i]); ++i) {
            number += char(AText[i].unicode());
            if (exponent < 100000) exponent = exponent * 10 + (AText[i].unicode() - u'0');
        }
        if (i == start) return false;
        if (negativeExponent) exponent = -exponent;
    }
    while (i < n && AText[i] == u' ')
        ++i;
    if (i != n) return false;
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (end != number.data() + number.size()) return false;
    if (error == std::errc::result_out_of_range) {
        // Too large fails; too small is zero. Decide by the place of the first significant digit.
        const std::string mantissa = number.substr(0, number.find('e'));
        const size_t point = std::min(mantissa.find('.'), mantissa.size());
        const size_t first = mantissa.find_first_not_of("-0.");
        const long places = first < point ? long(point - first) : -long(first - point - 1);
        if (places + exponent > 0) return false;
        value = number[0] == '-' ? -0.0 : 0.0;
    } else if (error != std::errc()) {
        return false;
    }
    AValue = value;
    return true;
}

QChar DecimalSeparatorFor(bool AUseKestSettings) {
    return AUseKestSettings ? KestFormatSettings().DecimalSeparator : UserFormatSettings().DecimalSeparator;
}

} // namespace

bool TryTextToFloat(const QString& AText, bool AUseKestSettings, double& AValue) {
    return TryTextToFloatWith(AText, DecimalSeparatorFor(AUseKestSettings), AValue);
}

bool TryNumericTextToFloat(const QString& AText, bool AUseKestSettings, double& AValue) {
    QString text = AText;
    text.remove(u' ').remove(u'\t');
    qsizetype stop = 0;
    while (stop < text.size() && IsNumberChar(text[stop]))
        ++stop;
    double factor = 1;
    QString units;
    if (stop < text.size()) {
        const int multiplier = MultiplierIndex(text[stop]);
        if (multiplier != 0 && multiplier != 6) {
            factor = MultiplierFactors[size_t(multiplier)];
            units = text.mid(stop + 1);
        } else {
            units = text.mid(stop);
        }
    }
    for (const QChar c : std::as_const(units))
        if (IsDigit(c)) return false;
    double value = 0;
    if (!TryTextToFloat(text.left(stop), AUseKestSettings, value)) return false;
    AValue = factor == 1 ? value : value * factor;
    return true;
}

double NumericTextToFloat(const QString& AText, bool AUseKestSettings) {
    double value = 0;
    if (TryNumericTextToFloat(AText, AUseKestSettings, value)) return value;
    bool blank = true;
    for (const QChar c : AText)
        if (c.unicode() > 32) blank = false;
    if (blank) throw EConvertError(QStringLiteral("A valid numeric value is expected"));
    throw EConvertError(QStringLiteral("Invalid numeric value \"%1\"").arg(AText));
}

double KestStrToFloat(const QString& AText) {
    double value = 0;
    if (!TryTextToFloat(AText, true, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(AText));
    return value;
}

QString FloatToFixedText(double AValue, int AWidth, int ADecimals, bool AUseKestSettings) {
    const QString text =
        FloatToText(AValue, TFloatFormat::ffFixed, 18, ADecimals, SelectFormatSettings(AUseKestSettings));
    return text.size() < AWidth ? QString(AWidth - text.size(), u' ') + text : text;
}

QString FloatToExponentText(double AValue, int APrecision, bool AUseKestSettings) {
    return FloatToText(AValue, TFloatFormat::ffExponent, APrecision, 0,
                       SelectFormatSettings(AUseKestSettings));
}

QString FloatToGeneralText(double AValue, int APrecision, bool AUseKestSettings) {
    return FloatToText(AValue, TFloatFormat::ffGeneral, APrecision, 0,
                       SelectFormatSettings(AUseKestSettings));
}

QString TrimFractionZeros(const QString& AText, bool AKeepSingleZero) {
    const qsizetype point = AText.indexOf(u'.');
    if (point < 0) return AText;
    QString text = AText;
    const qsizetype kept = point + 1; // the character right behind the point always stays
    if (kept < text.size()) {
        qsizetype end = kept + 1;
        while (end < text.size() && IsDigit(text[end]))
            ++end;
        qsizetype cut = end;
        while (cut > kept + 1 && text[cut - 1] == u'0')
            --cut;
        text.remove(cut, end - cut);
    }
    if (!AKeepSingleZero && kept < text.size() && text[kept] == u'0' &&
        (kept + 1 >= text.size() || !IsDigit(text[kept + 1])))
        text.remove(point, 2);
    return text;
}

} // namespace Tessel
