#include "Tessel/UKestLibrary/PropertyAccess.h"
#include "Tessel/UKestDefs/Exceptions.h"
#include "Tessel/UKestLibrary/Variants.h"
#include "support/PrintTo.h"
#include "support/TUserFormatSettingsScope.h"
#include "tessel/PropertySample.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <limits>

using namespace Tessel;

namespace {

class PropertyAccess : public ::testing::Test {
protected:
    TUserFormatSettingsScope FSettings{
        TFormatSettings::Create(QLocale(QLocale::English, QLocale::UnitedKingdom))};
    TPropertySample Sample;

    QMetaProperty Property(const char* AName) const {
        const int index = Sample.metaObject()->indexOfProperty(AName);
        EXPECT_GE(index, 0) << AName;
        return Sample.metaObject()->property(index);
    }
    QVariant Read(const char* AName, bool AAsText, const QString& ASuffix = QString(),
                  bool AReadableEnum = false) {
        const QMetaProperty property = Property(AName);
        QVariant value;
        GetPropertyValue(&Sample, &property, AAsText, value, true, AReadableEnum, ASuffix);
        return value;
    }
    void Write(const char* AName, const QVariant& AValue) {
        const QMetaProperty property = Property(AName);
        SetPropertyValue(&Sample, &property, AValue, true);
    }
};

TEST_F(PropertyAccess, EachCppTypePlaysItsKind) {
    const std::pair<const char*, TTypeKind> cases[] = {
        {"Count", tkInteger},      {"Initial", tkChar}, {"Letter", tkWChar},    {"Enabled", tkEnumeration},
        {"Colour", tkEnumeration}, {"Level", tkFloat},  {"Caption", tkUString}, {"Tag", tkLString},
        {"Styles", tkSet},         {"Owner", tkClass},  {"OnChange", tkMethod}, {"Data", tkVariant},
        {"Total", tkInt64},        {"Lines", tkUnknown}};
    for (const auto& [name, kind] : cases)
        EXPECT_EQ(kind, PropertyTypeKind(Property(name))) << name;
    // QObject's own objectName is not published.
    EXPECT_EQ(16, GetPropList(&Sample).size());
    int64_t minValue = 0, maxValue = 0;
    ASSERT_TRUE(PropertyOrdinalRange(Property("Percent"), minValue, maxValue));
    EXPECT_EQ(0, minValue);
    EXPECT_EQ(100, maxValue);
    ASSERT_TRUE(PropertyOrdinalRange(Property("Colour"), minValue, maxValue));
    EXPECT_EQ(2, maxValue);
}

TEST_F(PropertyAccess, ReadsEveryKindAsValueAndAsText) {
    Sample.Count = -7;
    Sample.Enabled = true;
    Sample.Colour = TPropertySample::clBlue;
    Sample.Level = 0.0123;
    Sample.Caption = QStringLiteral("cap");
    Sample.Tag = "tag";
    Sample.Styles = TPropertySample::TStyles(TPropertySample::fsBold) | TPropertySample::fsUnderline;
    Sample.Data = 2.5;
    Sample.Total = 5000000000;
    struct Case {
        const char* Name;
        bool AsText;
        QString Suffix;
        QVariant Expected;
    };
    const Case cases[] = {
        {"Count", false, {}, QVariant(-7)},
        {"Count", true, {}, QVariant(-7)},
        {"Count", true, QStringLiteral("volts"), QStringLiteral("-7 volts")},
        {"Initial", false, {}, QVariant(65)},
        {"Letter", true, {}, QVariant(66)},
        {"Enabled", false, {}, QVariant(true)},
        {"Enabled", true, {}, QStringLiteral("True")},
        {"Colour", false, {}, QVariant(2)},
        {"Colour", true, {}, QStringLiteral("clBlue")},
        {"Level", false, {}, QVariant(0.0123)},
        {"Level", true, {}, QStringLiteral("0.0123")},
        {"Level", true, QStringLiteral("32mV"), QStringLiteral("12.30 mV")},
        {"Caption", false, {}, QStringLiteral("cap")},
        {"Tag", true, {}, QStringLiteral("tag")},
        {"Styles", false, {}, QVariant(5)},
        {"Styles", true, {}, QStringLiteral("fsBold,fsUnderline")},
        {"OnChange", false, {}, QStringLiteral("std::function<void()>")},
        {"Data", true, QStringLiteral("02_V"), QStringLiteral("2.50  V")},
        {"Total", false, {}, QVariant(5e9)},
        {"Total", true, {}, QStringLiteral("5000000000")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Expected, Read(c.Name, c.AsText, c.Suffix)) << c.Name << " " << c.AsText;
    EXPECT_EQ(QStringLiteral("Blue"), Read("Colour", true, {}, true));
    Sample.Data = QVariant();
    EXPECT_EQ(QStringLiteral("---"), Read("Data", false));
    EXPECT_EQ(QVariant(0LL), Read("Owner", false));
}

TEST_F(PropertyAccess, WritesConvertAndLimitToTheType) {
    struct Case {
        const char* Name;
        QVariant Written;
        QVariant ReadBack; // as text
    };
    const Case cases[] = {
        {"Enabled", QVariant(true), QStringLiteral("True")},
        {"Enabled", QStringLiteral("True"), QStringLiteral("True")},
        {"Enabled", QStringLiteral("true"), QStringLiteral("False")}, // not the exact name: no integer, 0
        {"Enabled", QStringLiteral("1"), QStringLiteral("True")},
        {"Enabled", QVariant(7), QStringLiteral("True")}, // limited to 0..1
        {"Count", QVariant(3.9), QVariant(3)},
        {"Count", QVariant(-3.9), QVariant(-3)},
        {"Count", QStringLiteral("12"), QVariant(12)},
        {"Percent", QVariant(1e12), QVariant(100)},
        {"Percent", QVariant(-5), QVariant(0)},
        {"Initial", QVariant(300), QVariant(255)},
        {"Letter", QVariant(67), QVariant(67)},
        {"Colour", QStringLiteral("CLGREEN"), QStringLiteral("clGreen")},
        {"Colour", QVariant(9), QStringLiteral("clBlue")},
        {"Level", QStringLiteral("4.7k"), QStringLiteral("4700")},
        {"Caption", QVariant(12), QStringLiteral("12")},
        {"Tag", QStringLiteral("t\u00e9"), QStringLiteral("t\u00e9")},
        {"Styles", QStringLiteral("[fsItalic, fsUnderline]"), QStringLiteral("fsItalic,fsUnderline")},
        {"Styles", QStringLiteral(""), QStringLiteral("")},
        {"Styles", QVariant(1), QStringLiteral("fsBold")},
        // A key of more than one bit names no member of its own.
        {"Styles", QStringLiteral("[fsBold, fsItalic]"), QStringLiteral("fsBold,fsItalic")},
        {"Styles", QStringLiteral("fsBoldItalic"), QStringLiteral("fsBold,fsItalic")},
        {"Data", QStringLiteral("any"), QStringLiteral("any")},
        {"Total", QVariant(-2.5), QStringLiteral("-2")},
        {"Total", QVariant(1e30), QStringLiteral("9.22337203685478E+18")},
    };
    for (const Case& c : cases) {
        Write(c.Name, c.Written);
        EXPECT_EQ(c.ReadBack.toString(), Read(c.Name, true).toString())
            << c.Name << " " << c.Written.toString().toStdString();
    }
    EXPECT_EQ(std::numeric_limits<qint64>::max(), Sample.Total);
}

TEST_F(PropertyAccess, FailedWritesLeaveTheObjectAlone) {
    Sample.Count = 4;
    Sample.Colour = TPropertySample::clGreen;
    Sample.Styles = TPropertySample::fsBold;
    const auto message = [&](const char* AName, const QVariant& AValue) -> QString {
        try {
            Write(AName, AValue);
        } catch (const Exception& e) {
            return e.Message();
        }
        return QStringLiteral("<no failure>");
    };
    EXPECT_EQ(QStringLiteral("Property \"Fixed\" is read-only"), message("Fixed", QStringLiteral("x")));
    EXPECT_EQ(QStringLiteral("Invalid property type \"OnChange\", writing to classname \"TPropertySample\""),
              message("OnChange", QStringLiteral("x")));
    EXPECT_EQ(QStringLiteral("Invalid property type \"Owner\", writing to classname \"TPropertySample\""),
              message("Owner", 0));
    EXPECT_EQ(QStringLiteral("Invalid property element: clPurple"),
              message("Colour", QStringLiteral("clPurple")));
    EXPECT_EQ(QStringLiteral("Invalid property element: fsWide"),
              message("Styles", QStringLiteral("fsBold,fsWide")));
    EXPECT_EQ(QStringLiteral("Could not convert variant of type (String) into type (Double)"),
              message("Count", QStringLiteral("abc")));
    EXPECT_EQ(QStringLiteral("Invalid numeric value \"abc\""), message("Level", QStringLiteral("abc")));
    EXPECT_EQ(4, Sample.Count);
    EXPECT_EQ(TPropertySample::clGreen, Sample.Colour);
    EXPECT_EQ(TPropertySample::TStyles(TPropertySample::fsBold), Sample.Styles);

    const QMetaProperty fixed = Property("Fixed");
    EXPECT_TRUE(IsPropertyReadOnly(&fixed));
    EXPECT_TRUE(IsPropertyReadOnly(nullptr));
    SetPropertyValue(&Sample, nullptr, 1, true); // no descriptor: nothing to do
    const QMetaProperty count = Property("Count");
    QVariant value;
    EXPECT_THROW(GetPropertyValue(nullptr, &count, false, value, true, false, {}), EAssertionFailed);
    EXPECT_THROW(Read("Lines", false), EKestRTTI);
}

TEST(FormatFloatWithSuffix, FormatsBySuffix) {
    TUserFormatSettingsScope settings(TFormatSettings::Create(QLocale(QLocale::German, QLocale::Germany)));
    struct Case {
        QString Suffix;
        double Value;
        QString Expected;
    };
    const Case cases[] = {
        {"", 1e21, "----"},
        {"", std::numeric_limits<double>::quiet_NaN(), "----"},
        {"", 0.5, "0.5"},
        {"32mV", 0.0123, "12.30 mV"},
        {"02_V", 2, "2.00  V"},
        {"03_Z", 2, "2.000"},
        {"03k", 2500, "2.500 k"},
        {"volts", 2, "2 volts"},
        {"FS08X", 12.5, "00000000Ch"},
        {"FS08X", 13.5, "00000000Eh"},
        {"FS83f_V", 1.5, "   1.500 V"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Expected, FormatFloatWithSuffix(c.Suffix, true, c.Value)) << c.Suffix.toStdString();
    // The user's settings when asked for.
    EXPECT_EQ(QStringLiteral("0,5"), FormatFloatWithSuffix(QString(), false, 0.5));

    const std::pair<QString, QString> errors[] = {
        {"12x", "Unknown multiplier character \"x\""},
        {"FS8f", "Invalid property format suffix \"FS8f\""},
        {"a2", "Float digits must be 0..9"},
        {"2a", "Float precision must be 0..9"},
    };
    for (const auto& [suffix, message] : errors) {
        try {
            FormatFloatWithSuffix(suffix, true, 1);
            ADD_FAILURE() << suffix.toStdString();
        } catch (const Exception& e) {
            EXPECT_EQ(message, e.Message());
        }
    }
    EXPECT_THROW(FormatFloatWithSuffix(QStringLiteral("12x"), true, 1), EKestLibrary);
    EXPECT_THROW(FormatFloatWithSuffix(QStringLiteral("FS8f"), true, 1), EKestRTTI);
}

} // namespace
