// Command-line switches and options on given argument lists: matching, values, the integer rule and
// the announcements.
#include "Tessel/UKestLibrary/CommandLine.h"
#include "Tessel/UKestLibrary/Debug.h"

#include "support/PrintTo.h"
#include "support/TLibraryHooksGuard.h"

#include <gtest/gtest.h>

using namespace Tessel;

namespace {

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ShowMsgHook = [this](const QString& AText, int32_t AParam1, int32_t AParam2) {
            EXPECT_EQ(0, AParam1);
            EXPECT_EQ(0, AParam2);
            Shown.append(AText);
        };
    }
    QStringList Shown;

private:
    TLibraryHooksGuard FHooks; // last, so the hooks go before the members they write into
};

} // namespace

TEST_F(CommandLineTest, SwitchesMatchWholeArgumentsWithoutRegardToAsciiCase) {
    struct Case {
        QStringList Arguments;
        QString Switch;
        bool Found;
    };
    const Case cases[] = {
        {{"/demo"}, "/DEMO", true},
        {{"x", "\"/Demo\""}, "/DEMO", true}, // one pair of enclosing quotes goes
        {{"/DEMO=yes"}, "/DEMO", false},
        {{"/DEMOX"}, "/DEMO", false},
        {{"DEMO"}, "/DEMO", false},
        {{"/ÜL"}, "/üL", false}, // only a to z fold
        {{"\""}, "", true},      // a lone quote becomes empty
        {{}, "/DEMO", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Arguments.join(' ').toStdString());
        EXPECT_EQ(c.Found, ParamSwitchPresent(c.Arguments, c.Switch, QStringLiteral("Off-line mode"), false));
    }
    EXPECT_TRUE(Shown.isEmpty());
}

TEST_F(CommandLineTest, SwitchesAreAnnouncedOnlyWhenFoundReportedAndDescribed) {
    const QStringList arguments = {"/reglogging"};
    EXPECT_TRUE(ParamSwitchPresent(arguments, "/RegLogging", "Registry activity logging", true));
    EXPECT_TRUE(ParamSwitchPresent(arguments, "/RegLogging", "", true));
    EXPECT_TRUE(ParamSwitchPresent(arguments, "/RegLogging", "Registry activity logging", false));
    EXPECT_FALSE(ParamSwitchPresent(arguments, "/DEMO", "Off-line mode", true));
    const QStringList expected = {
        "'Registry activity logging' - this feature has been enabled by '/RegLogging' "
        "found on the command line."};
    EXPECT_EQ(expected, Shown);
}

TEST_F(CommandLineTest, OptionValuesComeFromTheFirstArgumentWithNameAndEquals) {
    struct Case {
        QStringList Arguments;
        bool Found;
        QString Upper, Typed;
    };
    const Case cases[] = {
        {{"/ul=supervisor"}, true, "SUPERVISOR", "supervisor"},
        {{"/UL"}, false, "", ""},
        {{"/UL="}, true, "", ""},
        {{"/ULX=1"}, false, "", ""},
        {{"/UL=A", "/UL=B"}, true, "A", "A"},
        {{"x", "\"/UL=Max Müller\""}, true, "MAX MüLLER", "Max Müller"},
        {{"/UL=a=b"}, true, "A=B", "a=b"},
        {{}, false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Arguments.join(' ').toStdString());
        QString upper = "old", typed = "old";
        EXPECT_EQ(c.Found,
                  FindParamValue(c.Arguments, "/UL", "Command line user level", false, upper, typed));
        EXPECT_EQ(c.Upper, upper);
        EXPECT_EQ(c.Typed, typed);
        QString value = "old";
        EXPECT_EQ(c.Found, ParamValue(c.Arguments, "/UL", "Command line user level", false, value));
        EXPECT_EQ(c.Upper, value);
    }
    EXPECT_TRUE(Shown.isEmpty());
    QString value;
    EXPECT_TRUE(ParamValue({"/ul=Admin"}, "/Ul", "Command line user level", true, value));
    EXPECT_EQ(QStringList{"Command line user level set by '/Ul=Admin' found on the command line."}, Shown);
}

TEST_F(CommandLineTest, IntegerOptions) {
    struct Case {
        QString Argument;
        bool Result;
        int32_t Value;
    };
    const Case cases[] = {
        {"/SlowStatusUpdate=250", true, 250},
        {"/SlowStatusUpdate=$FA", true, 250},
        {"/SlowStatusUpdate=0xFA", true, 250},
        {"/SlowStatusUpdate= -7", true, -7},
        {"/SlowStatusUpdate=2147483647", true, 2147483647},
        {"/SlowStatusUpdate=2147483648", false, 0},
        {"/SlowStatusUpdate=x", false, 0},
        {"/SlowStatusUpdate=", false, 0},
        {"/SlowStatusUpdate=12 ", false, 0},
        {"/Other=5", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Argument.toStdString());
        int32_t value = 99;
        EXPECT_EQ(c.Result, ParamIntValue({c.Argument}, "/SlowStatusUpdate", "Slow", false, value));
        EXPECT_EQ(c.Value, value);
    }
    // Only the values that are no integer speak, announced or not; an absent option is silent.
    EXPECT_EQ(4, Shown.size());
    EXPECT_EQ(QStringList(4, "Error in command line integer value \"/SlowStatusUpdate\""), Shown);
}

TEST_F(CommandLineTest, AnAnnouncedIntegerOptionIsAnnouncedBeforeItsError) {
    int32_t value = 99;
    EXPECT_FALSE(ParamIntValue({"/slowstatusupdate=x"}, "/SlowStatusUpdate",
                               "Forces a programmable slow status update", true, value));
    EXPECT_EQ(0, value);
    const QStringList expected = {
        "Forces a programmable slow status update set by '/SlowStatusUpdate=x' found on the command line.",
        "Error in command line integer value \"/SlowStatusUpdate\""};
    EXPECT_EQ(expected, Shown);
}

TEST_F(CommandLineTest, TheLibrarysOwnSwitchesAndOptionsAreKnown) {
    for (const char* argument : {"/RegLogging", "/demo", "/OFFLINE", "/DesMode", "/SlowStatusUpdate=1",
                                 "/slowstatusupdate=x", "/UL=S", "/ul=", "\"/UL=S\""})
        EXPECT_TRUE(IsKestLibraryParam(argument)) << argument;
    for (const char* argument : {"/UL", "/SlowStatusUpdate", "/DEMO=1", "/RegLoggingX",
                                 "/home/x/App.wfmconfig", "--quiet", "make", ""})
        EXPECT_FALSE(IsKestLibraryParam(argument)) << argument;
    EXPECT_TRUE(Shown.isEmpty());
}
