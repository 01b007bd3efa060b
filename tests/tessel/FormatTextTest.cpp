// Format: specifiers, index, width, precision and "*", the float rounding rules and the failures.
#include "Tessel/Rtl/FormatText.h"
#include "Tessel/Rtl/ConvertError.h"
#include "Tessel/UKestLibrary/FormatSettings.h"

#include "support/PrintTo.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Tessel;

namespace {

struct TCase {
    QString Format;
    QVariantList Args;
    QString Expected;
};

void Check(const TCase& ACase, const TFormatSettings& ASettings) {
    try {
        EXPECT_EQ(Format(ACase.Format, ACase.Args, ASettings), ACase.Expected) << ACase.Format.toStdString();
    } catch (const Exception& e) {
        ADD_FAILURE() << ACase.Format.toStdString() << " raised " << e.what();
    }
}

} // namespace

TEST(FormatTextTest, IntegersAndTexts) {
    const TCase cases[] = {
        {"%d", {42}, "42"},
        {"[%5d|%-5d]", {42, -42}, "[   42|-42  ]"},
        {"%.3d", {-5}, "-005"},
        {"%d", {qlonglong(-9000000000)}, "-9000000000"},
        {"%d", {uint(4000000000u)}, "4000000000"},
        {"%u", {-1}, "4294967295"},
        {"%u", {qlonglong(-1)}, "18446744073709551615"},
        {"%x|%X", {255, 255}, "FF|FF"},
        {"%.4x|%0.4x|%.8x", {255, 10, 0xABCDEF}, "00FF|000A|00ABCDEF"},
        {"%x", {-1}, "FFFFFFFF"},
        {"%x", {qlonglong(-1)}, "FFFFFFFFFFFFFFFF"},
        {"{%.8x-%.4x}", {0x1A2B3C, 0x4D}, "{001A2B3C-004D}"},
        {"%s|%5s|%-5s|%.2s", {"abc", "abc", "abc", "abc"}, "abc|  abc|abc  |ab"},
        {"%s %s %s %s", {12, true, QVariant(), QChar(u'x')}, "12 True  x"},
        {"%s", {2.5}, "2.5"},
        {"%p", {QVariant::fromValue(reinterpret_cast<void*>(quintptr(0xABC)))}, "0000000000000ABC"},
        {"100%% %s", {"sure"}, "100% sure"},
        {"%S and %D", {"upper", 7}, "upper and 7"},
        {"", {}, ""},
    };
    for (const auto& c : cases)
        Check(c, KestFormatSettings());
}

TEST(FormatTextTest, IndexWidthAndPrecisionFromArguments) {
    const TCase cases[] = {
        {"%1:s %0:s %s", {"a", "b"}, "b a b"},
        {"%s %s %0:s %s", {"a", "b"}, "a b a b"},
        {"%*d|", {4, 7}, "   7|"},
        {"%-*d|", {4, 7}, "7   |"},
        {"%*.*f", {8, 3, 3.14159}, "   3.142"},
        {"%0.*e", {3, 1500.0}, "1.50E+003"},
        {"%*:s", {1, "a", "b"}, "a"},
        {"%0:-6s|", {"ab"}, "ab    |"},
        {"%8.3f", {-3.14159}, "  -3.142"},
        {"%2d", {12345}, "12345"}, // never cut
    };
    for (const auto& c : cases)
        Check(c, KestFormatSettings());
}

TEST(FormatTextTest, FloatFormats) {
    const double inf = std::numeric_limits<double>::infinity();
    const TCase cases[] = {
        {"%e", {1.5}, "1.50000000000000E+000"},
        {"%.3e", {-0.00012345}, "-1.23E-004"},
        {"%.1e|%.0e", {1.5, 1.5}, "1.5E+000|1.5E+000"}, // at least two digits
        {"%.3e", {999.9}, "1.00E+003"},                 // rounding carries into the exponent
        {"%e", {1e100}, "1.00000000000000E+100"},
        {"%.2e", {0.0}, "0.0E+000"},
        {"%.20e", {0.1}, "1.00000000000000006E-001"}, // at most 18 digits
        {"%f", {1.5}, "1.50"},
        {"%f", {3}, "3.00"}, // integers are taken as floats
        {"%.2f|%.0f|%.0f", {0.125, -2.5, 2.5}, "0.13|-3|3"},
        {"%.2f", {1.005}, "1.00"}, // the double lies below 1.005
        {"%.2f", {-0.001}, "0.00"},
        {"%.2f", {0.005}, "0.01"},
        {"%.3f", {0.0004}, "0.000"},
        {"%.2f", {9.999}, "10.00"},
        {"%.1f", {123456789012345678.0}, "123456789012345680.0"},
        {"%.2f", {1e18}, "1E+18"}, // too many integer digits: general form
        {"%f|%f|%e", {inf, -inf, std::numeric_limits<double>::quiet_NaN()}, "INF|-INF|NAN"},
        {"%g|%g|%g", {1.5, 100.0, -0.25}, "1.5|100|-0.25"},
        {"%g|%g", {0.00001, 0.000001}, "0.00001|1E-6"},
        {"%.3g|%.3g", {1234.5, 999.0}, "1.23E+3|999"},
        {"%g", {1e20}, "1E+20"},
        {"%g", {1.0 / 3}, "0.333333333333333"},
        {"%n|%.0n|%n", {1234567.891, 999.5, -1234.0}, "1,234,567.89|1,000|-1,234.00"},
        {"%n|%n|%n", {123.0, 123456.0, -123456789.0}, "123.00|123,456.00|-123,456,789.00"},
        {"%m|%.0m", {1234.5, 2.5}, QString::fromUtf8("\u00a31,234.50|\u00a33")},
    };
    for (const auto& c : cases)
        Check(c, KestFormatSettings());
}

TEST(FormatTextTest, SettingsChooseSeparatorsAndCurrency) {
    TFormatSettings settings = KestFormatSettings();
    settings.DecimalSeparator = u',';
    settings.ThousandSeparator = u'.';
    settings.CurrencyString = "EUR";
    const TCase cases[] = {
        {"%0.2f|%.3e|%g", {1.5, 1500.0, 0.5}, "1,50|1,50E+003|0,5"},
        {"%n", {1234567.5}, "1.234.567,50"},
    };
    for (const auto& c : cases)
        Check(c, settings);
    const struct {
        uint8_t Format;
        const char* Expected;
    } negative[] = {{0, "(EUR1,00)"},  {1, "-EUR1,00"},   {3, "EUR1,00-"},
                    {5, "-1,00EUR"},   {8, "-1,00 EUR"},  {9, "-EUR 1,00"},
                    {12, "EUR -1,00"}, {13, "1,00- EUR"}, {15, "(1,00 EUR)"}};
    for (const auto& n : negative) {
        settings.NegCurrFormat = n.Format;
        EXPECT_EQ(Format("%m", {-1.0}, settings), n.Expected) << int(n.Format);
    }
    settings.CurrencyFormat = 3;
    EXPECT_EQ(Format("%m", {1.0}, settings), "1,00 EUR");
}

TEST(FormatTextTest, BadFormatsAndArgumentsRaise) {
    const struct {
        QString Format;
        QVariantList Args;
        bool Missing;
    } cases[] = {
        {"%d", {1.5}, false}, {"%x", {"1"}, false},     {"%f", {"1.5"}, false},     {"%y", {1}, false},
        {"abc%", {}, false},  {"%*d", {"4", 1}, false}, {"%5", {1}, false},         {"%d", {true}, false},
        {"%d", {}, true},     {"%s %s", {"a"}, true},   {"%2:s", {"a", "b"}, true}, {"%*d", {4}, true},
    };
    for (const auto& c : cases) {
        try {
            Format(c.Format, c.Args, KestFormatSettings());
            ADD_FAILURE() << "no failure for " << c.Format.toStdString();
        } catch (const EConvertError& e) {
            const QString expected =
                c.Missing ? QString("No argument for format '%1'").arg(c.Format)
                          : QString("Format '%1' invalid or incompatible with argument").arg(c.Format);
            EXPECT_EQ(e.Message(), expected);
        }
    }
}
