#include "Tessel/Rtl/FloatText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace Tessel {

namespace {

constexpr int MaxDigits = 18;

// A value as 0.Digits times ten to the power Exponent; no digits means zero.
struct TDecimal {
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;
};

// The value's decimal expansion taken to 18 significant digits, trailing zeros dropped.
TDecimal ToDecimal(double AValue) {
    TDecimal result;
    result.Negative = std::signbit(AValue);
    if (AValue == 0) return result;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", MaxDigits - 1, std::fabs(AValue));
    // "d.ddddddddddddddddde+XX"
    result.Digits.push_back(buffer[0]);
    result.Digits.append(buffer + 2, MaxDigits - 1);
    result.Exponent = std::atoi(buffer + MaxDigits + 2) + 1;
    while (!result.Digits.empty() && result.Digits.back() == '0')
        result.Digits.pop_back();
    return result;
}

// Cuts ADecimal to ACount significant digits, rounding up in magnitude when the first dropped digit
// is 5 or more. A count of zero or less keeps only what rounding leaves.
TDecimal RoundTo(TDecimal ADecimal, int ACount) {
    std::string& digits = ADecimal.Digits;
    if (ACount < 0 || digits.empty()) {
        digits.clear();
    } else if (size_t(ACount) < digits.size()) {
        const bool up = digits[size_t(ACount)] >= '5';
        digits.resize(size_t(ACount));
        if (up) {
            int i = ACount - 1;
            while (i >= 0 && digits[size_t(i)] == '9')
                digits[size_t(i--)] = '0';
            if (i >= 0) {
                ++digits[size_t(i)];
            } else {
                digits.insert(digits.begin(), '1');
                ++ADecimal.Exponent;
            }
        }
        while (!digits.empty() && digits.back() == '0')
            digits.pop_back();
    }
    if (digits.empty()) {
        ADecimal.Exponent = 0;
        ADecimal.Negative = false;
    }
    return ADecimal;
}

QChar DigitAt(const TDecimal& ADecimal, int AIndex) {
    return AIndex >= 0 && size_t(AIndex) < ADecimal.Digits.size() ? QChar(ADecimal.Digits[size_t(AIndex)])
                                                                  : QChar(u'0');
}

QString ExponentText(int AExponent, int AMinDigits) {
    QString digits = QString::number(std::abs(AExponent));
    if (digits.size() < AMinDigits) digits.prepend(QString(AMinDigits - digits.size(), u'0'));
    return (AExponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+")) + digits;
}

// Scientific layout of a rounded decimal: ASignificant digits, trailing zeros kept unless ATrim.
QString Scientific(const TDecimal& ADecimal, int ASignificant, bool ATrim, int AMinExponentDigits,
                   const TFormatSettings& ASettings) {
    QString text;
    if (ADecimal.Negative) text += u'-';
    text += DigitAt(ADecimal, 0);
    const int fraction = ATrim ? std::max(0, int(ADecimal.Digits.size()) - 1) : ASignificant - 1;
    if (fraction > 0) {
        text += ASettings.DecimalSeparator;
        for (int i = 1; i <= fraction; ++i)
            text += DigitAt(ADecimal, i);
    }
    const int exponent = ADecimal.Digits.empty() ? 0 : ADecimal.Exponent - 1;
    return text + ExponentText(exponent, AMinExponentDigits);
}

// Integer part of a rounded decimal, with thousands separators when AGroup.
QString IntegerPart(const TDecimal& ADecimal, bool AGroup, const TFormatSettings& ASettings) {
    QString text;
    if (ADecimal.Exponent <= 0) return QStringLiteral("0");
    for (int i = 0; i < ADecimal.Exponent; ++i) {
        if (AGroup && i > 0 && (ADecimal.Exponent - i) % 3 == 0 && !ASettings.ThousandSeparator.isNull())
            text += ASettings.ThousandSeparator;
        text += DigitAt(ADecimal, i);
    }
    return text;
}

QString FixedDigits(const TDecimal& ADecimal, int ADecimals, bool AGroup, const TFormatSettings& ASettings) {
    QString text = IntegerPart(ADecimal, AGroup, ASettings);
    if (ADecimals > 0) {
        text += ASettings.DecimalSeparator;
        for (int i = 0; i < ADecimals; ++i)
            text += DigitAt(ADecimal, ADecimal.Exponent + i);
    }
    return text;
}

QString General(double AValue, int APrecision, int AMinExponentDigits, const TFormatSettings& ASettings) {
    const TDecimal decimal = RoundTo(ToDecimal(AValue), APrecision);
    if (decimal.Digits.empty()) return QStringLiteral("0");
    if (decimal.Exponent > APrecision || decimal.Exponent < -4)
        return Scientific(decimal, APrecision, true, AMinExponentDigits, ASettings);
    const int decimals = std::max(0, int(decimal.Digits.size()) - decimal.Exponent);
    return (decimal.Negative ? QStringLiteral("-") : QString()) +
           FixedDigits(decimal, decimals, false, ASettings);
}

QString Currency(const TDecimal& ADecimal, const QString& AAmount, const TFormatSettings& ASettings) {
    const QString& c = ASettings.CurrencyString;
    const QString& a = AAmount;
    if (!ADecimal.Negative) {
        switch (ASettings.CurrencyFormat) {
        case 1:
            return a + c;
        case 2:
            return c + u' ' + a;
        case 3:
            return a + u' ' + c;
        default:
            return c + a;
        }
    }
    switch (ASettings.NegCurrFormat) {
    case 0:
        return u'(' + c + a + u')';
    case 2:
        return c + u'-' + a;
    case 3:
        return c + a + u'-';
    case 4:
        return u'(' + a + c + u')';
    case 5:
        return u'-' + a + c;
    case 6:
        return a + u'-' + c;
    case 7:
        return a + c + u'-';
    case 8:
        return u'-' + a + u' ' + c;
    case 9:
        return u'-' + c + u' ' + a;
    case 10:
        return a + u' ' + c + u'-';
    case 11:
        return c + u' ' + a + u'-';
    case 12:
        return c + u' ' + u'-' + a;
    case 13:
        return a + u'-' + u' ' + c;
    case 14:
        return u'(' + c + u' ' + a + u')';
    case 15:
        return u'(' + a + u' ' + c + u')';
    default:
        return u'-' + c + a;
    }
}

} // namespace

QString FloatToText(double AValue, TFloatFormat AFormat, int APrecision, int ADigits,
                    const TFormatSettings& ASettings) {
    if (std::isnan(AValue)) return QStringLiteral("NAN");
    if (std::isinf(AValue)) return AValue < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    const int significant = std::clamp(APrecision, 2, MaxDigits);
    switch (AFormat) {
    case TFloatFormat::ffGeneral:
        return General(AValue, significant, std::max(ADigits, 0), ASettings);
    case TFloatFormat::ffExponent: {
        const TDecimal decimal = RoundTo(ToDecimal(AValue), significant);
        return Scientific(decimal, significant, false, std::max(ADigits, 0), ASettings);
    }
    case TFloatFormat::ffFixed:
    case TFloatFormat::ffNumber:
    case TFloatFormat::ffCurrency:
        break;
    }
    const TDecimal exact = ToDecimal(AValue);
    if (exact.Exponent > APrecision) return General(AValue, significant, 0, ASettings);
    const int decimals = std::max(ADigits, 0);
    const TDecimal decimal = RoundTo(exact, exact.Exponent + decimals);
    const QString amount = FixedDigits(decimal, decimals, AFormat != TFloatFormat::ffFixed, ASettings);
    if (AFormat == TFloatFormat::ffCurrency) return Currency(decimal, amount, ASettings);
    return decimal.Negative ? u'-' + amount : amount;
}

} // namespace Tessel
