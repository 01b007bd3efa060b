// Numeric text: multiplier letters and tables, reading engineering text, writing plain numbers.
#include "Tessel/UKestLibrary/NumericText.h"
#include "Tessel/Rtl/ConvertError.h"
#include "Tessel/UKestLibrary/FormatSettings.h"

#include "support/PrintTo.h"
#include "support/TUserFormatSettingsScope.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Tessel;

namespace {

using NumericTextUnderGermanLocale = UnderGermanLocale;

} // namespace

TEST(NumericTextTest, MultiplierLettersAndTables) {
    ASSERT_EQ(MultiplierChars, "fpnum kMGTP");
    for (int i = 1; i <= 11; ++i) {
        EXPECT_EQ(MultiplierIndex(MultiplierChars[i - 1]), i);
        EXPECT_EQ(MultiplierFactor(MultiplierChars[i - 1]), MultiplierFactors[size_t(i)]);
        EXPECT_EQ(MultiplierScales[size_t(i)], MultiplierFactors[size_t(12 - i)]);
    }
    EXPECT_EQ(MultiplierFactors[1], 1e-15);
    EXPECT_EQ(MultiplierFactors[5], 0.001);
    EXPECT_EQ(MultiplierFactors[11], 1e15);
    EXPECT_EQ(MultiplierFactor(u'K'), 1.0); // case-sensitive, micro is "u" only
    EXPECT_EQ(MultiplierFactor(u'\u00b5'), 1.0);
    EXPECT_EQ(MultiplierIndex(u'x'), 0);
}

TEST(NumericTextTest, ReadsNumbersWithMultipliersAndUnits) {
    const struct {
        QString Text;
        bool Ok;
        double Value;
    } cases[] = {
        {"4.7k", true, 4700},   {"10 mV", true, 0.01}, {"1.5E3", true, 1500},   {"2 M", true, 2e6},
        {"12 Volts", true, 12}, {"3 A", true, 3},      {" - 5 u", true, -5e-6}, {"1e-3k", true, 1},
        {"\t7\t", true, 7},     {"+.5", true, 0.5},    {"5.", true, 5},         {"7p5", false, 0},
        {"10k5", false, 0},     {"k", false, 0},       {"", false, 0},          {"1,5k", false, 0},
        {"1.2.3", false, 0},    {"1E", false, 0},      {"--1", false, 0},       {"1/2", false, 0},
        {"1e400", false, 0},    {"1e-400", true, 0},   {"1 000", true, 1000},   {"V12", false, 0},
    };
    for (const auto& c : cases) {
        double value = -99;
        EXPECT_EQ(TryNumericTextToFloat(c.Text, true, value), c.Ok) << c.Text.toStdString();
        if (c.Ok) {
            EXPECT_DOUBLE_EQ(value, c.Value) << c.Text.toStdString();
        }
    }
}

TEST(NumericTextTest, FailuresRaiseWithTheText) {
    const struct {
        QString Text;
        QString Message;
    } cases[] = {
        {"", "A valid numeric value is expected"},
        {" \t\r\n", "A valid numeric value is expected"},
        {"abc", "Invalid numeric value \"abc\""},
        {" x ", "Invalid numeric value \" x \""},
    };
    for (const auto& c : cases) {
        try {
            NumericTextToFloat(c.Text, true);
            ADD_FAILURE() << "no failure for " << c.Text.toStdString();
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), c.Message);
        }
    }
    EXPECT_DOUBLE_EQ(NumericTextToFloat("4.7k", true), 4700);
    EXPECT_DOUBLE_EQ(KestStrToFloat(" -1.25E2 "), -125);
    for (const QString text : {"1.5k", "1,5", "", "1 5"}) {
        try {
            KestStrToFloat(text);
            ADD_FAILURE() << "no failure for " << text.toStdString();
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), QString("'%1' is not a valid floating point value").arg(text));
        }
    }
}

TEST(NumericTextTest, WritesFixedExponentAndGeneralText) {
    const struct {
        QString Actual;
        QString Expected;
    } cases[] = {
        {FloatToFixedText(0.125, 0, 2, true), "0.13"},
        {FloatToFixedText(-2.5, 0, 0, true), "-3"},
        {FloatToFixedText(1.5, 8, 3, true), "   1.500"},
        {FloatToFixedText(-1234.5678, 3, 1, true), "-1234.6"}, // never cut
        {FloatToFixedText(1e18, 0, 2, true), "1E+18"},
        {FloatToFixedText(-9.99e17, 0, 0, true), "-999000000000000000"},
        {FloatToExponentText(1500, 4, true), "1.500E+3"},
        {FloatToExponentText(1.5, 2, true), "1.5E+0"},
        {FloatToExponentText(1500, 1, true), "1.5E+3"},
        {FloatToExponentText(-0.000123456, 3, true), "-1.23E-4"},
        {FloatToExponentText(9.9999, 3, true), "1.00E+1"},
        {FloatToExponentText(1.0 / 3, 25, true), "3.33333333333333315E-1"},
        {FloatToGeneralText(1.5, 15, true), "1.5"},
        {FloatToGeneralText(1234567, 15, true), "1234567"},
        {FloatToGeneralText(1234567, 4, true), "1.235E+6"},
        {FloatToGeneralText(1234, 4, true), "1234"},
        {FloatToGeneralText(0.00001, 15, true), "0.00001"},
        {FloatToGeneralText(0.0000099, 15, true), "9.9E-6"},
        {FloatToGeneralText(0.1 + 0.2, 15, true), "0.3"},
        {FloatToGeneralText(0.1 + 0.2, 17, true), "0.30000000000000004"},
        {FloatToGeneralText(0, 15, true), "0"},
        {FloatToGeneralText(std::numeric_limits<double>::infinity(), 15, true), "INF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Actual, c.Expected);
}

TEST(NumericTextTest, TrimsFractionZeros) {
    const struct {
        QString Text;
        QString Kept;    // KeepSingleZero true
        QString Trimmed; // KeepSingleZero false
    } cases[] = {
        {"12.500", "12.5", "12.5"},      {"12.000", "12.0", "12"},
        {"1.050 k", "1.05 k", "1.05 k"}, {"1.0000000E+3", "1.0E+3", "1E+3"},
        {"12.0 V", "12.0 V", "12 V"},    {"12.05", "12.05", "12.05"},
        {"0.5", "0.5", "0.5"},           {"1200", "1200", "1200"},
        {"12.", "12.", "12."},           {"0.000/1.500", "0.0/1.500", "0/1.500"},
        {"-0.0", "-0.0", "-0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TrimFractionZeros(c.Text, true), c.Kept) << c.Text.toStdString();
        EXPECT_EQ(TrimFractionZeros(c.Text, false), c.Trimmed) << c.Text.toStdString();
    }
}

TEST_F(NumericTextUnderGermanLocale, SettingsFlagChoosesTheDecimalSeparator) {
    double value = 0;
    EXPECT_TRUE(TryNumericTextToFloat("1,5k", false, value));
    EXPECT_DOUBLE_EQ(value, 1500);
    EXPECT_FALSE(TryNumericTextToFloat("1,5k", true, value));
    EXPECT_FALSE(TryTextToFloat("1.5", false, value));
    EXPECT_TRUE(TryTextToFloat("1.5", true, value));
    EXPECT_FALSE(TryTextToFloat("1.000,5", false, value)); // no thousands separators
    EXPECT_EQ(FloatToFixedText(1.5, 0, 2, false), "1,50");
    EXPECT_EQ(FloatToFixedText(1.5, 0, 2, true), "1.50");
    EXPECT_EQ(FloatToExponentText(1500, 3, false), "1,50E+3");
    EXPECT_EQ(FloatToGeneralText(0.25, 15, false), "0,25");
    // Written text reads back under the same settings.
    for (const double v : {0.001234, -98765.4321, 1e-7, 3.0}) {
        for (const bool kest : {true, false}) {
            ASSERT_TRUE(TryNumericTextToFloat(FloatToGeneralText(v, 15, kest), kest, value));
            EXPECT_DOUBLE_EQ(value, v);
            ASSERT_TRUE(TryTextToFloat(FloatToExponentText(v, 18, kest), kest, value));
            EXPECT_EQ(value, v);
        }
    }
}
