// FormatDateTime: the pattern language against a settings record with distinctive separators.
#include "Tessel/Rtl/FormatDateTime.h"

#include "support/PrintTo.h"
#include <QDate>

#include <gtest/gtest.h>

#include <limits>

using namespace Tessel;

namespace {

double DateTimeOf(int AYear, int AMonth, int ADay, int AHour = 0, int AMinute = 0, int ASecond = 0,
                  int AMSec = 0) {
    return double(QDate(1899, 12, 30).daysTo(QDate(AYear, AMonth, ADay))) +
           (AHour * 3600000.0 + AMinute * 60000.0 + ASecond * 1000.0 + AMSec) / 86400000.0;
}

TFormatSettings PatternSettings() {
    TFormatSettings s;
    s.DateSeparator = u'-';
    s.TimeSeparator = u'.';
    s.ShortDateFormat = "dd/mm/yyyy";
    s.LongDateFormat = "dddd d mmmm yyyy";
    s.ShortTimeFormat = "hh:nn";
    s.LongTimeFormat = "hh:nn:ss";
    s.TimeAMString = "AM";
    s.TimePMString = "PM";
    const char* const months[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};
    const char* const days[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    for (int i = 0; i < 12; ++i) {
        s.LongMonthNames[size_t(i)] = months[i];
        s.ShortMonthNames[size_t(i)] = QString(months[i]).left(3);
    }
    for (int i = 0; i < 7; ++i) {
        s.LongDayNames[size_t(i)] = days[i];
        s.ShortDayNames[size_t(i)] = QString(days[i]).left(3);
    }
    return s;
}

} // namespace

TEST(FormatDateTimeTest, PatternLanguage) {
    const double afternoon = DateTimeOf(2024, 3, 1, 13, 5, 9, 45); // a Friday
    const struct {
        QString Pattern;
        double Value;
        QString Expected;
    } cases[] = {
        {"d/m/yy", afternoon, "1-3-24"},
        {"dd/mm/yyyy", afternoon, "01-03-2024"},
        {"y|yyy|YYYY", afternoon, "24|2024|2024"},
        {"ddd dddd|mmm mmmm", afternoon, "Fri Friday|Mar March"},
        {"ddddd|dddddd", afternoon, "01-03-2024|Friday 1 March 2024"},
        {"h:n:s|hh:nn:ss.zzz|z", afternoon, "13.5.9|13.05.09.045|45"},
        {"hh:mm|h mm|mm", afternoon, "13.05|13 05|03"}, // m right after an h token is minutes
        {"hh:nn am/pm|h AM/PM|h a/p|h A/P|h ampm", afternoon, "01.05 pm|1 PM|1 p|1 P|1 PM"},
        {"hh:nn am/pm|h a/p", DateTimeOf(2024, 3, 1, 0, 30), "12.30 am|12 a"},
        {"h:nn am/pm|hh AMPM", DateTimeOf(2024, 3, 1, 12, 30), "12.30 pm|12 PM"},
        {"h 'am/pm' h", afternoon, "13 am/pm 13"}, // quoted am/pm does not switch the clock
        {"t|tt", afternoon, "13.05|13.05.09"},
        {"c", afternoon, "01-03-2024 13.05.09"},
        {"c", DateTimeOf(2024, 3, 1), "01-03-2024"},
        {"", afternoon, "01-03-2024 13.05.09"},
        {"'dd' \"mm\" dd 'unclosed", afternoon, "dd mm 01 unclosed"},
        {"yyyy-mm-dd", afternoon, "2024-03-01"},
        {"Q#x!", afternoon, "Q#x!"},
        {"dd/mm/yyyy hh:nn", -1.25, "29-12-1899 06.00"},
        {"dd/mm/yyyy hh:nn:ss.zzz", DateTimeOf(2023, 12, 31, 23, 59, 59, 999) + 0.6 / 86400000,
         "01-01-2024 00.00.00.000"},
    };
    const TFormatSettings settings = PatternSettings();
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(c.Pattern, c.Value, settings), c.Expected) << c.Pattern.toStdString();
}

TEST(FormatDateTimeTest, NestedFormatsExpandOneLevelOnly) {
    TFormatSettings settings = PatternSettings();
    settings.ShortDateFormat = "dd/mm ddddd";
    EXPECT_EQ(FormatDateTime("ddddd", DateTimeOf(2024, 3, 1), settings), "01-03 ");
}

TEST(FormatDateTimeTest, DecodesCalendarParts) {
    TDateTimeParts parts;
    ASSERT_TRUE(DecodeDateTimeParts(DateTimeOf(2000, 2, 29, 23, 59, 58, 7), parts));
    EXPECT_EQ(QList<int>({parts.Year, parts.Month, parts.Day, parts.DayOfWeek, parts.Hour, parts.Minute,
                          parts.Second, parts.MilliSecond}),
              QList<int>({2000, 2, 29, 3, 23, 59, 58, 7}));
    EXPECT_FALSE(DecodeDateTimeParts(std::numeric_limits<double>::quiet_NaN(), parts));
}
