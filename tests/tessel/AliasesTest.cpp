#include "Tessel/Rtl/FormatDateTime.h"
#include "Tessel/Rtl/Now.h"
#include "Tessel/UKestAliases.h"
#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/UserLevels.h"
#include "Tessel/UKestLibrary/Version.h"
#include "support/PrintTo.h"
#include "support/TUserFormatSettingsScope.h"
#include "tessel/PropertySample.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QMap>
#include <gtest/gtest.h>

#include <functional>

using namespace Tessel;

namespace {

// A source of fixed values under a prefix; it records what it was asked and can be made to fail.
class TMapSource : public TKestImplements<IKestAliases> {
public:
    TMapSource(const QString& APrefix, const QMap<QString, QVariant>& AValues)
        : TKestImplements(false), FPrefix(APrefix), Values(AValues) {}
    QVariant Aliases_NameToValue(const QString& AName, bool APreferStrings, PAliasInfo) override {
        Asked.append(AName + (APreferStrings ? QStringLiteral(":S") : QString()));
        if (OnAsk) OnAsk(AName);
        return Values.value(AName);
    }
    void Aliases_EnumerateAllAliases(TAliasInfoList& AList) override {
        for (auto it = Values.cbegin(); it != Values.cend(); ++it)
            FillAliasInfo(it.key(), it.value(), QString(), AppendAliasInfo(AList), {scHasValue}, FPrefix);
    }
    QString Aliases_GetSourceNamePrefix() override { return FPrefix; }
    bool Aliases_GetCanChange(const QString& AName) override { return Values.contains(AName); }
    bool Aliases_ChangeValue(const QString& AName, const QVariant& AValue) override {
        if (!Values.contains(AName)) return false;
        Values[AName] = AValue;
        return true;
    }

    QString FPrefix;
    QMap<QString, QVariant> Values;
    QStringList Asked;
    std::function<void(const QString&)> OnAsk;
};

// 6 May 2009, 11:59:58.250.
const double SampleTime = DateTimeFromQDateTime(QDateTime(QDate(2009, 5, 6), QTime(11, 59, 58, 250)));

class Aliases : public ::testing::Test {
protected:
    TUserFormatSettingsScope FSettings{
        TFormatSettings::Create(QLocale(QLocale::English, QLocale::UnitedKingdom))};
    TMapSource Mine{QStringLiteral("My"), {{"Value", "mine"}, {"A", "x%"}, {"B", "y"}}};
    TMapSource Other{QStringLiteral("Other"),
                     {{"Value", "other"},
                      {"Num", 6},
                      {"Str", " padded\t"},
                      {"Path", "1:2?/b"},
                      {"Two", 2},
                      {"Empty", QVariant()}}};
    TKestAliases Set{QStringLiteral("Set"), false};

    void SetUp() override {
        Set.AddNameToValueSource(&Mine);
        Set.AddNameToValueSource(&Other);
        Set.AddNameToValueSource(&Mine); // listed once
    }
};

TEST_F(Aliases, ExpandsReferencesWithOptionsAndRouting) {
    EXPECT_EQ(2, Set.SourceCount());
    const std::pair<QString, QString> cases[] = {
        {"", ""},
        {"plain text", "plain text"},
        {"100%%", "100%%"},
        {"50% done", "50% done"},
        {"%A%%B%", "x%y"}, // scanning resumes after the inserted value
        {"a%%b%A%", "a%%bx%"},
        {"%Num:F.2f%", "6.00"},
        {"%Str:F.2f%", " padded\t"}, // F has no effect on text
        {"%Str:T%", "padded"},
        {"%Num:ST%", "6"},
        {"%Value%", "mine"}, // the first source that knows it
        {"%Other_Value%", "other"},
        {"%other|Value%", "other"},
        {"[%My_A%]", "[x%]"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(expected, Set.ExpandAliases(text, false, 0, true)) << text.toStdString();
    EXPECT_TRUE(Other.Asked.contains(QStringLiteral("Num:S"))); // S asks for text
    EXPECT_FALSE(Set.InNameToValue());
}

TEST_F(Aliases, UnknownNamesAndFailures) {
    const auto failure = [&](const QString& AText) -> QString {
        try {
            Set.ExpandAliases(AText, false, 0, true);
        } catch (const EKestAlias& e) {
            return e.Message();
        }
        return QStringLiteral("<no failure>");
    };
    EXPECT_EQ(QStringLiteral("Unrecognised alias \"Nope\""), failure(QStringLiteral("a %Nope% b")));
    EXPECT_EQ(QStringLiteral("Unrecognised alias \"No<TAB>pe\""), failure(QStringLiteral("%No\tpe%")));
    EXPECT_EQ(QStringLiteral("Unrecognised alias \"Empty\""), failure(QStringLiteral("%Empty%")));
    // A prefix no source has finds nothing, and an empty source prefix matches no name prefix.
    EXPECT_EQ(QStringLiteral("Unrecognised alias \"Nobody_Value\""),
              failure(QStringLiteral("%Nobody_Value%")));
    EXPECT_EQ(QStringLiteral("====="),
              Set.ExpandAliases(QStringLiteral("a %A% %Nope% %B%"), false, 0, false));

    // Other failures spoil only their own reference without ARaise.
    Other.OnAsk = [](const QString& AName) {
        if (AName == QStringLiteral("Num")) throw EKestRTTI(QStringLiteral("boom"));
    };
    EXPECT_EQ(QStringLiteral("a ===== y ====="),
              Set.ExpandAliases(QStringLiteral("a %Num% %B% %Two:Fx%"), false, 0, false));
    EXPECT_THROW(Set.ExpandAliases(QStringLiteral("%Num%"), false, 0, true), EKestRTTI);
    EXPECT_FALSE(Set.InNameToValue());
}

TEST_F(Aliases, FileNameCharsKeepTheFolderSeparators) {
    EXPECT_EQ(QStringLiteral("/logs/a.b_1.2!/b"),
              Set.ExpandAliases(QStringLiteral("/logs/a.b|%Path%"), true, 0, true));
    EXPECT_EQ(QStringLiteral("1:2?/b"), Set.ExpandAliases(QStringLiteral("%Path%"), false, 0, true));
}

TEST_F(Aliases, ChangesAndEnumerationGoThroughTheSources) {
    EXPECT_TRUE(Set.Aliases_GetCanChange(QStringLiteral("Other|Num")));
    EXPECT_FALSE(Set.Aliases_GetCanChange(QStringLiteral("My|Num")));
    EXPECT_TRUE(Set.Aliases_ChangeValue(QStringLiteral("Other_Num"), 7));
    EXPECT_EQ(QVariant(7), Other.Values.value("Num"));
    EXPECT_FALSE(Set.Aliases_ChangeValue(QStringLiteral("Missing"), 1));
    TAliasInfoList list;
    Set.Aliases_EnumerateAllAliases(list);
    ASSERT_EQ(9, list.size());
    EXPECT_EQ(QStringLiteral("My"), list.first().sSource);
    EXPECT_EQ(QStringLiteral("Other"), list.last().sSource);
    Set.RemoveNameToValueSource(&Mine);
    EXPECT_EQ(QStringLiteral("other"), Set.ExpandAliases(QStringLiteral("%Value%"), false, 0, true));
}

TEST_F(Aliases, TheSpecificTimeHoldsOnlyDuringExpansion) {
    double seen = 0;
    Other.OnAsk = [&](const QString&) { seen = Set.GetNow(); };
    Set.ExpandAliases(QStringLiteral("%Num%"), false, SampleTime, true);
    EXPECT_EQ(SampleTime, seen);
    EXPECT_NEAR(Now(), Set.GetNow(), 1.0 / 86400);
    EXPECT_THROW(Set.ExpandAliases(QStringLiteral("%Nope%"), false, SampleTime, true), EKestAlias);
    EXPECT_NEAR(Now(), Set.GetNow(), 1.0 / 86400);
}

TEST(PropertyAliases, PropertiesAreAliasesByName) {
    TPropertySample sample;
    sample.Count = 3;
    TKestPropertyAliases source(QStringLiteral("Sample"), &sample);
    TAliasInfo info;
    EXPECT_EQ(QVariant(3), source.Aliases_NameToValue(QStringLiteral("sample_COUNT"), false, &info));
    EXPECT_EQ(QStringLiteral("Count"), info.sName);
    EXPECT_EQ(QStringLiteral("Property 'Count'"), info.sDescription);
    EXPECT_EQ(QStringLiteral("Sample"), info.sSource);
    EXPECT_EQ(TAliasStatus{scHasValue}, info.Status);
    EXPECT_FALSE(source.Aliases_NameToValue(QStringLiteral("Missing"), false, nullptr).isValid());

    EXPECT_TRUE(source.Aliases_GetCanChange(QStringLiteral("count")));
    EXPECT_FALSE(source.Aliases_GetCanChange(QStringLiteral("Fixed")));
    EXPECT_FALSE(source.Aliases_GetCanChange(QStringLiteral("Sample_Count"))); // no prefix removed here
    EXPECT_TRUE(source.Aliases_ChangeValue(QStringLiteral("Count"), QStringLiteral("9")));
    EXPECT_EQ(9, sample.Count);
    EXPECT_THROW(source.Aliases_ChangeValue(QStringLiteral("Fixed"), 1), EKestRTTI);

    source.SetPropertyDescription(QStringLiteral("count"), QStringLiteral("How many"));
    EXPECT_EQ(QStringLiteral("How many"), source.FindPropertyInfo(QStringLiteral("Count"))->Description);
    try {
        source.SetPropertyDescription(QStringLiteral("Nothing"), QString());
        ADD_FAILURE();
    } catch (const EKestAlias& e) {
        EXPECT_EQ(QStringLiteral("Unable to locate property name \"Nothing\""), e.Message());
    }
}

class CommonAliases : public ::testing::Test {
protected:
    TUserFormatSettingsScope FSettings{
        TFormatSettings::Create(QLocale(QLocale::English, QLocale::UnitedKingdom))};
    TKestCommonAliases Common;
    void SetUp() override {
        Common.SetOnGetNow([] { return SampleTime; });
    }
    QString Value(const QString& AName) {
        return Common.Aliases_NameToValue(AName, true, nullptr).toString();
    }
};

TEST_F(CommonAliases, GiveDatesTimesAndProgramFacts) {
    const std::pair<QString, QString> cases[] = {
        {"Date", "06/05/2009"},
        {"date", "06/05/2009"},
        {"DATE", "06/05/2009"},
        {"Common Aliases_Date", "06/05/2009"},
        {"ShortDateTime", "06/05/2009, 11:59"},
        {"ShortDateLongTime", "06/05/2009, 11:59:58"},
        {"LongDateTime", "Wednesday, 6 May 2009, 11:59:58"},
        {"LongTimeMS", "11:59:58.250"},
        {"KestDateTime", "06/05/2009 11:59:58.250"},
        {"DateYYYYMMDD", "20090506"},
        {"TimeHHMMSS", "115958"},
        {"OnlineState", "Online"},
        {"CurrentUserName", "User"},
        {"ExeName", "Tessel_tests"},
        {"ProductExeFolder", ExeFolderPath()},
        {"CommonAppDataFolder", CommonAppDataPath()},
        {"ProductDataFolder", "/KEST Products/" + ExeAppDataName()},
        {"SharedDataFolder", "/KEST Products/Shared"},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(expected, Value(name)) << name.toStdString();
    EXPECT_TRUE(Value(QStringLiteral("TempFolder")).endsWith(u'/'));
    EXPECT_FALSE(Common.Aliases_GetCanChange(QStringLiteral("Common Aliases_Date")));
    try {
        Common.Aliases_ChangeValue(QStringLiteral("Date"), QStringLiteral("x"));
        ADD_FAILURE();
    } catch (const EKestRTTI& e) {
        EXPECT_EQ(QStringLiteral("Property \"Date\" is read-only"), e.Message());
    }
}

TEST_F(CommonAliases, WithoutValidVersionTheVersionTextsSayNoVersion) {
    const TVersionInfoRec saved = VersionInfo();
    VersionInfo() = TVersionInfoRec();
    VersionInfo().ReleaseNum = 4;
    for (const char* name : {"FormattedVersionInfo", "FormattedVersionInfo2", "FormattedVersionInfo3"})
        EXPECT_EQ(QStringLiteral("No Version"), Value(QString::fromLatin1(name))) << name;
    EXPECT_EQ(QVariant(4), Common.Aliases_NameToValue(QStringLiteral("ReleaseNumber"), false, nullptr));
    EXPECT_EQ(QStringLiteral("No Description"), Value(QStringLiteral("FileDescription")));
    VersionInfo() = saved;
}

TEST_F(CommonAliases, EnumeratesAllThirtyInNameOrder) {
    TAliasInfoList list;
    Common.Aliases_EnumerateAllAliases(list);
    ASSERT_EQ(30, list.size());
    QStringList names;
    for (const TAliasInfo& info : list) {
        names.append(info.sName);
        EXPECT_EQ(QStringLiteral("Common Aliases"), info.sSource);
        EXPECT_EQ(TAliasStatus{scHasValue}, info.Status);
    }
    QStringList sorted = names;
    sorted.sort(Qt::CaseInsensitive);
    EXPECT_EQ(sorted, names);
    EXPECT_EQ(QStringLiteral("AppDataName"), names.first());
    EXPECT_EQ(QStringLiteral("Property 'AppDataName'"), list.first().sDescription);
    EXPECT_EQ(QStringLiteral("The system date, e.g. '06/05/2009'"), list[names.indexOf("Date")].sDescription);
}

TEST(SystemAliases, ExpandsWithTheSetsClockAndComesBackAfterRelease) {
    TUserFormatSettingsScope settings(
        TFormatSettings::Create(QLocale(QLocale::English, QLocale::UnitedKingdom)));
    EXPECT_EQ(QStringLiteral("Common Aliases"), SystemAliases()->Common()->Name());
    EXPECT_EQ(QStringLiteral("06/05/2009"),
              SystemAliases()->ExpandAliases(QStringLiteral("%Date%"), false, SampleTime, true));
    EXPECT_EQ(FormatDateTime(QStringLiteral("ddddd"), Now()),
              ExpandSystemAliases(QStringLiteral("%Date%"), false, true));
    EXPECT_EQ(ExeAppDataName() + QStringLiteral(".ini"),
              ExpandSystemAliases(QStringLiteral("%AppDataName%.ini"), true, true));
    EXPECT_EQ(QString(), ExpandSystemAliases(QString(), true, true));

    TKestSystemAliases* first = SystemAliases();
    {
        TInterfaceRef<IKestAliases> reference(first); // the last reference dropped frees the set
    }
    EXPECT_NE(nullptr, SystemAliases());
    EXPECT_EQ(QStringLiteral("x"), ExpandSystemAliases(QStringLiteral("x"), false, true));
}

} // namespace
