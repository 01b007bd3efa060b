#include "Tessel/UKestLibrary/FloatFormatting.h"

#include "Tessel/UKestLibrary/FormatSettings.h"
#include "Tessel/UKestLibrary/NumericText.h"

#include <cmath>

namespace Tessel {

namespace {

// Written for a multiplier character that is neither a style nor a multiplier letter.
const QString UnknownMultiplierMarker = QStringLiteral("!ErMC");

bool IsEmpty(const TFloatToStringFormat& AFormat) {
    return AFormat.DecimalPlaces == 0 && AFormat.MaxChars == 0 && AFormat.MultiplierChar.isNull() &&
           AFormat.UnitsStr.isEmpty();
}

QChar UpperAscii(QChar AChar) {
    return AChar >= u'a' && AChar <= u'z' ? QChar(char16_t(AChar.unicode() - 32)) : AChar;
}

QChar LetterOf(int AIndex) {
    return MultiplierChars[AIndex - 1];
}

QString StyleF(double AValue, const TFloatToStringFormat& AFormat, bool AUseKestSettings) {
    const QChar multiplier = AFormat.MultiplierChar.isNull() ? QChar(u' ') : AFormat.MultiplierChar;
    const int index = MultiplierIndex(multiplier);
    if (index == 0) return UnknownMultiplierMarker;
    const double value = index == 6 ? AValue : AValue * MultiplierScales[size_t(index)];
    QString text = FloatToFixedText(value, AFormat.MaxChars, AFormat.DecimalPlaces, AUseKestSettings);
    if (AFormat.UnitsStr != u"Z") text += u' ' + QString(multiplier) + AFormat.UnitsStr;
    return text;
}

QString StyleR(double AValue, const TFloatToStringFormat& AFormat, bool AUseKestSettings) {
    const int index = AutoMultiplierIndex(AValue);
    const double value = index == 6 ? AValue : AValue * MultiplierScales[size_t(index)];
    QString text = FloatToFixedText(value, AFormat.MaxChars, AFormat.DecimalPlaces, AUseKestSettings);
    if (AFormat.UnitsStr != u"Z") text += u' ' + QString(LetterOf(index)) + AFormat.UnitsStr;
    return text;
}

QString StyleE(double AValue, const TFloatToStringFormat& AFormat, bool AUseKestSettings) {
    QString text = FloatToExponentText(AValue, AFormat.MaxChars + 7, AUseKestSettings);
    if (!AFormat.UnitsStr.isEmpty() && AFormat.UnitsStr != u"Z") text += u' ' + AFormat.UnitsStr;
    return text;
}

QString StyleX(double AValue, const TFloatToStringFormat& AFormat, bool AUseKestSettings) {
    const double magnitude = std::fabs(AValue);
    QString text = AValue != 0 && (magnitude > 1e6 || magnitude <= 1e-6)
                       ? FloatToExponentText(AValue, AFormat.DecimalPlaces - 1, AUseKestSettings)
                       : FloatToFixedText(AValue, 0, AFormat.DecimalPlaces, AUseKestSettings);
    if (text.contains(u'.') && !text.contains(u'E')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        while (text.endsWith(u'.'))
            text.chop(1);
    }
    if (AFormat.UnitsStr != u"Z") text += AFormat.UnitsStr;
    return text;
}

QString StyleS(double AValue, const TFloatToStringFormat& AFormat, bool AUseKestSettings) {
    if (!std::isfinite(AValue))
        return std::isnan(AValue) ? QStringLiteral("NAN")
               : AValue < 0       ? QStringLiteral("-INF")
                                  : QStringLiteral("INF");
    QString text = FormatEx(QStringLiteral("%0.*e"), {AFormat.MaxChars - 2, AValue}, AUseKestSettings);
    if (AValue >= 0) text.prepend(u' ');
    const qsizetype e = text.indexOf(u'E'); // 0-based: the text before it has e characters
    const int exponent = text.mid(e + 1).toInt();
    text.remove(2, 1); // the decimal separator behind the first digit
    const int r = ((exponent % 3) + 3) % 3;
    int m = (exponent - r) / 3;
    text.insert(r + 2, u'.');
    text.truncate(e);
    if (text.endsWith(u'.')) text[text.size() - 1] = u' ';
    m += 6;
    if (m < 1 || m > 11) return FloatToExponentText(AValue, AFormat.MaxChars - 1, AUseKestSettings);
    if (AFormat.UnitsStr != u"Z") text += QString(LetterOf(m)) + AFormat.UnitsStr;
    return text;
}

QString TrimmedOf(const QString& AText) {
    qsizetype start = 0;
    qsizetype end = AText.size();
    while (start < end && AText[start].unicode() <= 32)
        ++start;
    while (end > start && AText[end - 1].unicode() <= 32)
        --end;
    return AText.mid(start, end - start);
}

// Splits at the first "/": both parts trimmed; without "/" the whole text, untrimmed, and no rest.
void SplitAtSlash(const QString& AText, QString& AFirst, QString& ARest) {
    const qsizetype slash = AText.indexOf(u'/');
    if (slash < 0) {
        AFirst = AText;
        ARest.clear();
    } else {
        AFirst = TrimmedOf(AText.left(slash));
        ARest = TrimmedOf(AText.mid(slash + 1));
    }
}

} // namespace

int AutoMultiplierIndex(double AValue) {
    if (AValue == 0 || std::isnan(AValue)) return 6;
    const double magnitude = std::fabs(AValue);
    int index = 6;
    if (magnitude >= 1) {
        while (index < 11 && magnitude >= MultiplierFactors[size_t(index + 1)])
            ++index;
    } else {
        while (index > 1 && magnitude < MultiplierFactors[size_t(index)])
            --index;
    }
    return index;
}

QString FloatToString(double AValue, const TFloatToStringFormat& AFormat, bool AUseKestSettings) {
    const TFloatToStringFormat& format = IsEmpty(AFormat) ? DefaultFloatToStringFormat : AFormat;
    const QChar style = format.MultiplierChar.isNull() ? QChar(u' ') : UpperAscii(format.MultiplierChar);
    switch (style.unicode()) {
    case u'*':
    case u'R':
        return StyleR(AValue, format, AUseKestSettings);
    case u'E':
        return StyleE(AValue, format, AUseKestSettings);
    case u'S':
        return StyleS(AValue, format, AUseKestSettings);
    case u'X':
        return StyleX(AValue, format, AUseKestSettings);
    default:
        return StyleF(AValue, format, AUseKestSettings);
    }
}

QString FloatToString(double AValue, const TFloatToStringFormat2& AFormat, bool AUseKestSettings) {
    if (UpperAscii(AFormat.MultiplierChar) == u'D') {
        QString pattern = AFormat.FormatStr;
        return FormatDateTimeEx(pattern.replace(u'~', u'/'), AUseKestSettings, AValue);
    }
    return FloatToString(AValue, FloatFormat2ToFormat(AFormat), AUseKestSettings);
}

QString FloatToString(double AValue, const QString& AFormatText, bool AUseKestSettings) {
    return FloatToString(AValue, ParseFloatFormatText(AFormatText), AUseKestSettings);
}

TFloatToStringFormat2 ParseFloatFormatText(const QString& AFormatText) {
    TFloatToStringFormat2 result;
    if (AFormatText.isEmpty()) return result;
    QString rest;
    SplitAtSlash(AFormatText, result.FormatStr, rest);
    QString multiplier;
    QString units;
    SplitAtSlash(rest, multiplier, units);
    result.MultiplierChar = multiplier.isEmpty() ? QChar(u' ') : multiplier[0];
    result.UnitsStr = units;
    return result;
}

TFloatToStringFormat FloatFormat2ToFormat(const TFloatToStringFormat2& AFormat) {
    TFloatToStringFormat result;
    const qsizetype point = AFormat.FormatStr.indexOf(u'.');
    result.DecimalPlaces = point < 0 ? 0 : int32_t(AFormat.FormatStr.size() - (point + 1));
    result.MaxChars = int32_t(AFormat.FormatStr.size());
    result.MultiplierChar = AFormat.MultiplierChar;
    result.UnitsStr = AFormat.UnitsStr;
    return result;
}

} // namespace Tessel
