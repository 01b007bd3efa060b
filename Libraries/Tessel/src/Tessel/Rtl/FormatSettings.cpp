#include "Tessel/Rtl/FormatSettings.h"

#include <QLocale>
#include <QMutex>
#include <QMutexLocker>

namespace Tessel {

namespace {

// The first character of a format that is neither a letter, a blank nor part of quoted text.
QChar SeparatorOf(const QString& AQtFormat, QChar ADefault) {
    bool quoted = false;
    for (const QChar c : AQtFormat) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && !c.isLetter() && !c.isSpace())
            return c;
    }
    return ADefault;
}

void AppendLiteral(QString& AResult, const QString& AText) {
    if (AText.isEmpty()) return;
    const QChar quote = AText.contains(u'"') ? QChar(u'\'') : QChar(u'"');
    AResult += quote + AText + quote;
}

// Translates a Qt date or time format into the FormatDateTime pattern language. The separator
// ASeparator becomes ASymbol ("/" or ":"); other characters that the pattern language would read
// are quoted.
QString TranslateQtFormat(const QString& AQtFormat, QChar ASeparator, QChar ASymbol) {
    QString result;
    const qsizetype n = AQtFormat.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = AQtFormat[i];
        if (c == u'\'') {
            QString literal;
            ++i;
            while (i < n) {
                if (AQtFormat[i] == u'\'') {
                    if (i + 1 < n && AQtFormat[i + 1] == u'\'') {
                        literal += u'\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                literal += AQtFormat[i++];
            }
            if (literal.isEmpty()) literal = QStringLiteral("'"); // '' is one quote
            AppendLiteral(result, literal);
            continue;
        }
        qsizetype run = 1;
        while (i + run < n && AQtFormat[i + run] == c)
            ++run;
        const auto repeat = [&](char16_t ALetter, qsizetype ACount) {
            result += QString(ACount, QChar(ALetter));
        };
        switch (c.unicode()) {
        case u'd':
            repeat(u'd', qMin<qsizetype>(run, 4));
            break;
        case u'M':
            repeat(u'm', qMin<qsizetype>(run, 4));
            break;
        case u'y':
            repeat(u'y', run == 2 ? 2 : 4);
            break;
        case u'h':
        case u'H':
            repeat(u'h', qMin<qsizetype>(run, 2));
            break;
        case u'm':
            repeat(u'n', qMin<qsizetype>(run, 2));
            break;
        case u's':
            repeat(u's', qMin<qsizetype>(run, 2));
            break;
        case u'z':
            repeat(u'z', run >= 3 ? 3 : 1);
            break;
        case u'a':
        case u'A':
            result += QStringLiteral("ampm");
            if (i + 1 < n && (AQtFormat[i + 1] == u'p' || AQtFormat[i + 1] == u'P')) ++i;
            run = 1;
            break;
        case u't': // time zone: not written, nor the blank before it
            while (result.endsWith(u' '))
                result.chop(1);
            break;
        default:
            for (qsizetype k = 0; k < run; ++k) {
                if (c == ASeparator)
                    result += ASymbol;
                else if (c.isLetter() || c == u'/' || c == u':' || c == u'"')
                    AppendLiteral(result, QString(c));
                else
                    result += c;
            }
        }
        i += run;
    }
    return result.trimmed();
}

// The Qt text of a currency amount with the symbol and the amount replaced by "$" and "1".
QString CurrencyShape(const QLocale& ALocale, double AValue) {
    QString text = ALocale.toCurrencyString(AValue, QStringLiteral("$"));
    const QString amount = ALocale.toString(qAbs(AValue), 'f', 2);
    text.replace(amount, QStringLiteral("1"));
    for (QChar& c : text)
        if (c.isSpace()) c = u' ';
    return text.remove(QChar(0x200F)).remove(QChar(0x200E));
}

uint8_t CurrencyDecimalsOf(const QLocale& ALocale) {
    const QString text = ALocale.toCurrencyString(1.0, QStringLiteral("$"));
    const qsizetype point = text.indexOf(ALocale.decimalPoint());
    if (point < 0) return 0;
    uint8_t digits = 0;
    for (qsizetype i = point + 1; i < text.size() && text[i].isDigit(); ++i)
        ++digits;
    return digits;
}

TFormatSettings BuildUserSettings() {
    return TFormatSettings::Create(QLocale::system());
}

QMutex UserSettingsMutex;

TFormatSettings& UserSettingsStore() {
    static TFormatSettings settings = BuildUserSettings();
    return settings;
}

} // namespace

TFormatSettings TFormatSettings::Create(const QLocale& ALocale) {
    TFormatSettings s;
    const QString qtShortDate = ALocale.dateFormat(QLocale::ShortFormat);
    const QString qtShortTime = ALocale.timeFormat(QLocale::ShortFormat);
    s.DateSeparator = SeparatorOf(qtShortDate, u'/');
    s.TimeSeparator = SeparatorOf(qtShortTime, u':');
    s.ShortDateFormat = TranslateQtFormat(qtShortDate, s.DateSeparator, u'/');
    s.LongDateFormat = TranslateQtFormat(ALocale.dateFormat(QLocale::LongFormat), s.DateSeparator, u'/');
    s.ShortTimeFormat = TranslateQtFormat(qtShortTime, s.TimeSeparator, u':');
    s.LongTimeFormat = TranslateQtFormat(ALocale.timeFormat(QLocale::LongFormat), s.TimeSeparator, u':');
    s.TimeAMString = ALocale.amText();
    s.TimePMString = ALocale.pmText();
    for (int m = 1; m <= 12; ++m) {
        s.ShortMonthNames[size_t(m - 1)] = ALocale.monthName(m, QLocale::ShortFormat);
        s.LongMonthNames[size_t(m - 1)] = ALocale.monthName(m, QLocale::LongFormat);
    }
    for (int d = 0; d < 7; ++d) { // Sunday first; Qt counts Monday as 1 and Sunday as 7
        const int qtDay = d == 0 ? 7 : d;
        s.ShortDayNames[size_t(d)] = ALocale.dayName(qtDay, QLocale::ShortFormat);
        s.LongDayNames[size_t(d)] = ALocale.dayName(qtDay, QLocale::LongFormat);
    }
    const QString point = ALocale.decimalPoint();
    const QString group = ALocale.groupSeparator();
    s.DecimalSeparator = point.isEmpty() ? QChar(u'.') : point[0];
    s.ThousandSeparator = group.isEmpty() ? QChar() : group[0];
    s.ListSeparator = s.DecimalSeparator == u',' ? QChar(u';') : QChar(u',');
    s.CurrencyString = ALocale.currencySymbol();
    s.CurrencyDecimals = CurrencyDecimalsOf(ALocale);

    const QString positive = CurrencyShape(ALocale, 1.0);
    static const char* const PositiveShapes[] = {"$1", "1$", "$ 1", "1 $"};
    for (uint8_t k = 0; k < 4; ++k)
        if (positive == QLatin1String(PositiveShapes[k])) s.CurrencyFormat = k;
    const QString negative = CurrencyShape(ALocale, -1.0);
    static const char* const NegativeShapes[] = {"($1)", "-$1",  "$-1",   "$1-",  "(1$)", "-1$",
                                                 "1-$",  "1$-",  "-1 $",  "-$ 1", "1 $-", "$ 1-",
                                                 "$ -1", "1- $", "($ 1)", "(1 $)"};
    for (uint8_t k = 0; k < 16; ++k)
        if (negative == QLatin1String(NegativeShapes[k])) s.NegCurrFormat = k;
    return s;
}

TFormatSettings UserFormatSettings() {
    QMutexLocker lock(&UserSettingsMutex);
    return UserSettingsStore();
}

void SetUserFormatSettings(const TFormatSettings& ASettings) {
    QMutexLocker lock(&UserSettingsMutex);
    UserSettingsStore() = ASettings;
}

void ResetUserFormatSettings() {
    SetUserFormatSettings(BuildUserSettings());
}

} // namespace Tessel
