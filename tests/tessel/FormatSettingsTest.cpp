// Fixed English (United Kingdom) settings against the user's settings under a decimal-comma locale.
#include "Tessel/UKestLibrary/FormatSettings.h"

#include "support/PrintTo.h"
#include "support/TUserFormatSettingsScope.h"

#include <QDate>
#include <QLocale>
#include <gtest/gtest.h>

using namespace Tessel;

namespace {

double DateTimeOf(int AYear, int AMonth, int ADay, int AHour = 0, int AMinute = 0) {
    return double(QDate(1899, 12, 30).daysTo(QDate(AYear, AMonth, ADay))) + (AHour * 60 + AMinute) / 1440.0;
}

using FormatSettingsUnderGermanLocale = UnderGermanLocale;

} // namespace

TEST(FormatSettingsTest, KestSettingsAreEnglishUnitedKingdom) {
    const TFormatSettings s = GetKestFormatSettings();
    EXPECT_EQ(s.DecimalSeparator, u'.');
    EXPECT_EQ(s.ThousandSeparator, u',');
    EXPECT_EQ(s.DateSeparator, u'/');
    EXPECT_EQ(s.TimeSeparator, u':');
    EXPECT_EQ(s.ShortDateFormat, "dd/mm/yyyy");
    EXPECT_EQ(s.ShortTimeFormat, "hh:nn");
    EXPECT_EQ(s.LongTimeFormat, "hh:nn:ss");
    EXPECT_EQ(s.LongMonthNames[2], "March");
    EXPECT_EQ(s.LongDayNames[0], "Sunday");
    EXPECT_EQ(s.ShortDayNames[5], "Fri");
    EXPECT_EQ(s.CurrencyString, QString::fromUtf8("\u00a3"));
    EXPECT_EQ(s.CurrencyDecimals, 2);
}

TEST(FormatSettingsTest, LocaleFormatsAreTranslatedIntoThePatternLanguage) {
    const TFormatSettings german = TFormatSettings::Create(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german.DecimalSeparator, u',');
    EXPECT_EQ(german.ThousandSeparator, u'.');
    EXPECT_EQ(german.DateSeparator, u'.');
    EXPECT_EQ(german.ShortDateFormat, "dd/mm/yy"); // the locale's separator stands as "/"
    EXPECT_EQ(german.LongDateFormat, "dddd, d/ mmmm yyyy");
    EXPECT_EQ(german.LongTimeFormat, "hh:nn:ss"); // the time zone is dropped
    EXPECT_EQ(german.CurrencyFormat, 3);          // "1 $"
    EXPECT_EQ(german.NegCurrFormat, 8);           // "-1 $"
    EXPECT_EQ(german.ListSeparator, u';');
    const TFormatSettings us = TFormatSettings::Create(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.ShortTimeFormat, "h:nn ampm");
    EXPECT_EQ(us.ShortDateFormat, "m/d/yy");
}

TEST_F(FormatSettingsUnderGermanLocale, FlagChoosesKestOrUserSettings) {
    EXPECT_EQ(FormatEx("%0.2f", {1.5}, true), "1.50");
    EXPECT_EQ(FormatEx("%0.2f", {1.5}, false), "1,50");
    EXPECT_EQ(FormatWithKestSettings("%n", {1234.5}), "1,234.50");
    const double noon = DateTimeOf(2024, 3, 1, 12);
    EXPECT_EQ(FormatDateTimeEx("dd/mm/yyyy", true, noon), "01/03/2024");
    EXPECT_EQ(FormatDateTimeEx("dd/mm/yyyy", false, noon), "01.03.2024");
    EXPECT_EQ(FormatDateTimeKest("dddd d mmmm yyyy, t", noon), "Friday 1 March 2024, 12:00");
    EXPECT_EQ(DateTimeToKestStr(noon), "01/03/2024 12:00:00.000");
    EXPECT_EQ(DateTimeToKestStr(DateTimeOf(1999, 12, 31, 23, 59) + 59.25 / 86400), "31/12/1999 23:59:59.250");
}

TEST_F(FormatSettingsUnderGermanLocale, UserSettingsCanBeReplacedAndReset) {
    EXPECT_EQ(UserFormatSettings().DecimalSeparator, u',');
    ResetUserFormatSettings();
    EXPECT_EQ(UserFormatSettings().DecimalSeparator,
              TFormatSettings::Create(QLocale::system()).DecimalSeparator);
    EXPECT_EQ(KestFormatSettings().DecimalSeparator, u'.');
}

TEST(FormatSettingsTest, VarHasValueTellsEmptyAndNullFromValues) {
    EXPECT_FALSE(VarHasValue(QVariant()));
    EXPECT_FALSE(VarHasValue(VarNull()));
    EXPECT_TRUE(VarHasValue(0));
    EXPECT_TRUE(VarHasValue(QString("")));
    EXPECT_TRUE(VarHasValue(QString()));
    EXPECT_TRUE(VarHasValue(false));
}
