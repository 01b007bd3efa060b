// The format-settings record, built from a locale, and the user's own settings.
#pragma once

#include <QChar>
#include <QString>

#include <array>
#include <cstdint>

class QLocale;

namespace Tessel {

// The conventions numbers and date-times are written with. Formats use the pattern language of
// FormatDateTime, where "/" and ":" stand for DateSeparator and TimeSeparator.
struct TFormatSettings {
    QString CurrencyString;
    // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $" (with "$" for CurrencyString and "1" for the amount).
    uint8_t CurrencyFormat = 0;
    uint8_t CurrencyDecimals = 2;
    QChar DateSeparator = u'/';
    QChar TimeSeparator = u':';
    QChar ListSeparator = u',';
    QString ShortDateFormat;
    QString LongDateFormat;
    QString TimeAMString;
    QString TimePMString;
    QString ShortTimeFormat;
    QString LongTimeFormat;
    std::array<QString, 12> ShortMonthNames; // January first
    std::array<QString, 12> LongMonthNames;
    std::array<QString, 7> ShortDayNames; // Sunday first
    std::array<QString, 7> LongDayNames;
    // NUL writes no thousands separator.
    QChar ThousandSeparator = u',';
    QChar DecimalSeparator = u'.';
    uint16_t TwoDigitYearCenturyWindow = 50;
    // 0 "($1)", 1 "-$1", 2 "$-1", 3 "$1-", 4 "(1$)", 5 "-1$", 6 "1-$", 7 "1$-", 8 "-1 $", 9 "-$ 1",
    // 10 "1 $-", 11 "$ 1-", 12 "$ -1", 13 "1- $", 14 "($ 1)", 15 "(1 $)".
    uint8_t NegCurrFormat = 1;

    // The settings of a locale, its formats translated into the FormatDateTime pattern language.
    static TFormatSettings Create(const QLocale& ALocale);
};

// A copy of the user's settings: those of the system locale unless replaced.
TFormatSettings UserFormatSettings();
// Replaces the user's settings (for example by those of another locale), until reset.
void SetUserFormatSettings(const TFormatSettings& ASettings);
// Rebuilds the user's settings from the system locale.
void ResetUserFormatSettings();

} // namespace Tessel
