// Number formatting styles by record and by format text, the format-text parser and round trips.
#include "Tessel/UKestLibrary/FloatFormatting.h"
#include "Tessel/UKestLibrary/FormatSettings.h"
#include "Tessel/UKestLibrary/NumericText.h"

#include "support/PrintTo.h"
#include "support/TUserFormatSettingsScope.h"

#include <QDate>
#include <QLocale>
#include <gtest/gtest.h>

#include <limits>

using namespace Tessel;

namespace {

TFloatToStringFormat Record(int ADecimalPlaces, int AMaxChars, QChar AMultiplier, const QString& AUnits) {
    return TFloatToStringFormat{ADecimalPlaces, AMaxChars, AMultiplier, AUnits};
}

struct TCase {
    double Value;
    TFloatToStringFormat Format;
    QString Expected;
};

void CheckAll(std::initializer_list<TCase> ACases, bool AUseKestSettings = true) {
    for (const auto& c : ACases)
        EXPECT_EQ(FloatToString(c.Value, c.Format, AUseKestSettings), c.Expected)
            << c.Value << " with " << QString(c.Format.MultiplierChar).toStdString();
}

} // namespace

TEST(FloatFormattingTest, WaypointFormatChoosesTheLetter) {
    const struct {
        double Value;
        QString Expected;
    } cases[] = {{1500, "1.500 k"}, {0.5, "500.000 m"},      {12, "12.000  "},
                 {0, "0.000  "},    {-2.5e-7, "-250.000 n"}, {999.9996, "1000.000  "}};
    for (const auto& c : cases)
        EXPECT_EQ(FloatToString(c.Value, QString("0.000/*/"), true), c.Expected);
}

TEST(FloatFormattingTest, EmptyRecordWritesTheCompactDefault) {
    CheckAll({{2.5, {}, "2.5"},
              {2.5e6, {}, "2.5E+6"},
              {1e-6, {}, "1.0E-6"},
              {1e6, {}, "1000000"},
              {0, {}, "0"},
              {1234.5678, {}, "1234.568"},
              {-0.5, {}, "-0.5"},
              {1.0000001, {}, "1"}});
    CheckAll({{2.5, Record(2, 0, u'x', "V"), "2.5V"},      // compact: units without a blank
              {5e-7, Record(4, 0, u'X', "V"), "5.00E-7V"}, // DecimalPlaces - 1 significant digits
              {2.5, Record(2, 0, u'X', "Z"), "2.5"}});
}

TEST(FloatFormattingTest, FixedStylesWithGivenOrChosenLetter) {
    CheckAll({
        {1500, Record(2, 8, u'k', "Hz"), "    1.50 kHz"},
        {0.0015, Record(2, 0, u'm', "A"), "1.50 mA"}, // lower-case m is milli, written as given
        {2.5e6, Record(1, 0, u'M', "W"), "2.5 MW"},
        {3e-12, Record(1, 0, u'p', "F"), "3.0 pF"},
        {1.5, Record(2, 0, QChar(), "V"), "1.50  V"}, // NUL and blank leave two blanks
        {1.5, Record(2, 0, u' ', ""), "1.50  "},
        {1.5, Record(2, 0, u'k', "Z"), "0.00"},
        {1.5, Record(2, 0, u'Q', "V"), "!ErMC"},
        {1e-20, Record(3, 0, u'R', "V"), "0.000 fV"},     // never beyond f ...
        {1e20, Record(3, 0, u'r', "V"), "100000.000 PV"}, // ... nor P
        {4700, Record(1, 0, u'*', "z"), "4.7 kz"},
        {-0.02, Record(1, 7, u'*', "V"), "  -20.0 mV"},
    });
}

TEST(FloatFormattingTest, ScientificAndEngineeringStyles) {
    const double inf = std::numeric_limits<double>::infinity();
    CheckAll({
        {1500, Record(0, 1, u'E', "V"), "1.5000000E+3 V"},
        {1500, Record(0, 1, u'e', ""), "1.5000000E+3"},
        {1500, Record(0, 1, u'E', "Z"), "1.5000000E+3"},
        {1500, Record(0, 5, u'S', "V"), " 1.50kV"},
        {15000, Record(0, 5, u'S', "V"), " 15.0kV"},
        {150000, Record(0, 5, u's', "V"), " 150 kV"},
        {0.0015, Record(0, 5, u'S', "V"), " 1.50mV"},
        {0.00015, Record(0, 5, u'S', "V"), " 150 uV"},
        {-1500, Record(0, 5, u'S', "V"), "-1.50kV"},
        {1, Record(0, 5, u'S', "V"), " 1.00 V"},
        {0, Record(0, 5, u'S', "V"), " 0.00 V"},
        {999.9, Record(0, 5, u'S', "V"), " 1.00kV"}, // rounding moves to the next letter
        {1e15, Record(0, 5, u'S', "V"), " 1.00PV"},
        {1500, Record(0, 5, u'S', "Z"), " 1.50"},
        {1500, Record(0, 7, u'S', ""), " 1.5000k"},
        {1e18, Record(0, 5, u'S', "V"), "1.000E+18"}, // beyond the letters: scientific, no suffix
        {1e-16, Record(0, 5, u'S', "V"), "1.000E-16"},
        {inf, Record(0, 5, u'S', "V"), "INF"},
        {-inf, Record(0, 5, u'S', "V"), "-INF"},
        {std::numeric_limits<double>::quiet_NaN(), Record(0, 5, u'S', "V"), "NAN"},
    });
}

TEST(FloatFormattingTest, ParsesFormatTexts) {
    const struct {
        QString Text;
        QString FormatStr;
        QChar Multiplier;
        QString Units;
    } cases[] = {
        {"0.000/k/V", "0.000", u'k', "V"},
        {"0.000/*/", "0.000", u'*', ""},
        {"0.00", "0.00", u' ', ""},
        {"0.0//V", "0.0", u' ', "V"},
        {"0.000/kV", "0.000", u'k', ""},
        {"", "", QChar(), ""},
        {" 0.0 / k / V/x ", "0.0", u'k', "V/x"},
        {" 0.0 ", " 0.0 ", u' ', ""},
        {"dd~mm~yyyy hh:nn/D", "dd~mm~yyyy hh:nn", u'D', ""},
    };
    for (const auto& c : cases) {
        const TFloatToStringFormat2 f = ParseFloatFormatText(c.Text);
        EXPECT_EQ(f.FormatStr, c.FormatStr) << c.Text.toStdString();
        EXPECT_EQ(f.MultiplierChar, c.Multiplier) << c.Text.toStdString();
        EXPECT_EQ(f.UnitsStr, c.Units) << c.Text.toStdString();
    }
    const struct {
        QString FormatStr;
        int DecimalPlaces;
        int MaxChars;
    } sizes[] = {{"0.000", 3, 5}, {"#.##0", 3, 5}, {"000", 0, 3}, {"", 0, 0}, {"0.", 0, 2}};
    for (const auto& s : sizes) {
        const TFloatToStringFormat f = FloatFormat2ToFormat({s.FormatStr, u'k', "V"});
        EXPECT_EQ(f.DecimalPlaces, s.DecimalPlaces) << s.FormatStr.toStdString();
        EXPECT_EQ(f.MaxChars, s.MaxChars) << s.FormatStr.toStdString();
        EXPECT_EQ(f.MultiplierChar, u'k');
        EXPECT_EQ(f.UnitsStr, "V");
    }
    EXPECT_EQ(FloatToString(1500, QString("0.000/kV"), true), "1.500 k");
    EXPECT_EQ(FloatToString(1.5, QString("0.0//V"), true), "1.5  V");
    EXPECT_EQ(FloatToString(1.5, QString(""), true), "1.5");
}

TEST(FloatFormattingTest, ChoosesTheMultiplierFromTheMagnitude) {
    const struct {
        double Value;
        int Index;
    } cases[] = {{1000, 7},
                 {999.9, 6},
                 {0.5, 5},
                 {0.001, 5},
                 {1e-20, 1},
                 {1e20, 11},
                 {0, 6},
                 {1, 6},
                 {-1500, 7},
                 {1e-15, 1},
                 {std::numeric_limits<double>::quiet_NaN(), 6}};
    for (const auto& c : cases)
        EXPECT_EQ(AutoMultiplierIndex(c.Value), c.Index) << c.Value;
}

TEST(FloatFormattingTest, WrittenTextReadsBack) {
    for (const double v : {4700.0, 0.0123, -3.3e-9, 2.2e12, 1.0}) {
        for (const QString format : {"0.000/*/V", "0.0000/S/V", "0.0000/E/V"}) {
            const QString text = FloatToString(v, format, true);
            EXPECT_NEAR(NumericTextToFloat(text, true), v, std::abs(v) * 1e-3) << text.toStdString();
        }
    }
}

using FloatFormattingUnderGermanLocale = UnderGermanLocale;

TEST_F(FloatFormattingUnderGermanLocale, UserSettingsAndDates) {
    const double noon = double(QDate(1899, 12, 30).daysTo(QDate(2024, 3, 1))) + 0.5;
    EXPECT_EQ(FloatToString(noon, QString("dd~mm~yyyy hh:nn/D"), true), "01/03/2024 12:00");
    EXPECT_EQ(FloatToString(noon, QString("dd~mm~yyyy hh:nn/d"), false), "01.03.2024 12:00");
    EXPECT_EQ(FloatToString(1500, QString("0.000/*/V"), false), "1,500 kV");
    EXPECT_EQ(FloatToString(1500, Record(0, 5, u'S', "V"), false), " 1.50kV"); // the inserted point is "."
    EXPECT_EQ(FloatToString(2.5, TFloatToStringFormat{}, false), "2,500");     // compact trims only after "."
}
