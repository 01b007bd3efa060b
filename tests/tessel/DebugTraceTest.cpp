// The developer trace (line format, interval column), the message and question routines with their
// hooks and defaults, the event hook and internal errors.
#include "Tessel/UKestLibrary/Debug.h"
#include "Tessel/UKestLibrary/FormatSettings.h"

#include "support/PrintTo.h"
#include "support/TLibraryHooksGuard.h"
#include "support/TUserFormatSettingsScope.h"
#include "tessel/ScriptedClock.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace Tessel;

namespace {

// Captures trace lines and messages; the user's settings are German, so a number written with them
// shows a decimal comma.
class DebugTraceTest : public ::testing::Test {
protected:
    void SetUp() override {
        LastTraceTime = 0;
        DebugOutputProc = [this](const QString& ALine) { Lines.append(ALine); };
    }
    void TearDown() override { LastTraceTime = 0; }
    TUserFormatSettingsScope German{TFormatSettings::Create(QLocale(QLocale::German, QLocale::Germany))};
    QStringList Lines;

private:
    TLibraryHooksGuard FHooks; // last, so the hooks go before the members they write into
};

} // namespace

TEST_F(DebugTraceTest, LinesCarryTheKestTimeStampAndTheIntervalInTheUsersSettings) {
    // 0.2 ms past the millisecond, so no time stamp sits on a rounding boundary.
    TScriptedClock clock(DateTimeOf(QDateTime(QDate(2024, 12, 25), QTime(13, 45, 10, 123))) + 0.2 / 86400000);
    DebugTrace(QStringLiteral("some text"));
    clock.AdvanceMs(2.5);
    DebugTrace(QStringLiteral("second"));
    DebugTraceFmt(QStringLiteral("%d items, %.1f"), {3, 1.5}); // same moment
    clock.AdvanceMs(1234.567);
    DebugTrace(QString());
    clock.AdvanceMs(86400000.0 * 400); // a year on: the two-digit year moves
    DebugTrace(QStringLiteral("later"));
    const QStringList expected = {
        QStringLiteral("25/12/24, 13:45:10.123 (         0 ms),some text,"),
        QStringLiteral("25/12/24, 13:45:10.126 (     2,500 ms),second,"),
        QStringLiteral("25/12/24, 13:45:10.126 (     0,000 ms),3 items, 1,5,"),
        QStringLiteral("25/12/24, 13:45:11.360 (  1234,567 ms),,"),
        QStringLiteral("29/01/26, 13:45:11.360 (34560000000,000 ms),later,"),
    };
    EXPECT_EQ(expected, Lines);
    EXPECT_DOUBLE_EQ(HighResNow(), LastTraceTime);
}

TEST_F(DebugTraceTest, MessagesGoToTheHookElseToThePlatformDialog) {
    QStringList dialog;
    MessageDialogProc = [&](const QString& AText) { dialog.append(AText); };
    ShowMsgFmt(QStringLiteral("Elapsed %.3f"), {1.25}, 0, 0);
    EXPECT_EQ(QStringList{QStringLiteral("Elapsed 1,250")}, dialog);

    QStringList hooked;
    ShowMsgHook = [&](const QString& AText, int32_t AParam1, int32_t AParam2) {
        hooked.append(QStringLiteral("%1 %2 %3").arg(AText).arg(AParam1).arg(AParam2));
    };
    ShowMsg(QStringLiteral("to the hook"), 4, 5);
    EXPECT_EQ(QStringList{QStringLiteral("to the hook 4 5")}, hooked);
    EXPECT_EQ(1, dialog.size());
}

TEST_F(DebugTraceTest, QuestionsAskTheHookElseTheConfirmBoxElseAnswerNo) {
    EXPECT_FALSE(ConfirmYesNo(QStringLiteral("Console question?"), 0, true));

    QString caption;
    bool defaultYes = true;
    QuestionBoxProc = [&](const QString&, const QString& ACaption, bool ADefaultYes) {
        caption = ACaption;
        defaultYes = ADefaultYes;
        return true;
    };
    EXPECT_TRUE(ConfirmYesNo(QStringLiteral("Box question?"), 0, false));
    EXPECT_EQ(QStringLiteral("Confirm"), caption);
    EXPECT_FALSE(defaultYes);

    ConfirmHook = [](const QString& AText, int32_t AParam, bool) { return AText == "Hook?" && AParam == 7; };
    caption.clear();
    EXPECT_TRUE(ConfirmYesNo(QStringLiteral("Hook?"), 7, false));
    EXPECT_FALSE(ConfirmYesNo(QStringLiteral("Other?"), 7, false));
    EXPECT_TRUE(caption.isEmpty()); // the box is not asked while a hook is installed
}

TEST_F(DebugTraceTest, EventsReachOnlyAnInstalledHook) {
    LogEvent(QStringLiteral("Application"), KestEventWaypoint, {QStringLiteral("ignored")});
    QStringList events;
    LogEventHook = [&](const QString& ASource, const TKestEventDef& ADef, const QStringList& AStrings) {
        events.append(QStringLiteral("%1|%2|%3|%4|%5")
                          .arg(ASource)
                          .arg(ADef.Kind)
                          .arg(ADef.Id)
                          .arg(ADef.Text, AStrings.join('|')));
    };
    LogEvent(QStringLiteral("Application"), KestEventUserLevelChanged,
             {QStringLiteral("A=1"), QStringLiteral("B=2")});
    LogEvent(QStringLiteral("Application"), KestEventWaypoint, {QStringLiteral("W")});
    const QStringList expected = {QStringLiteral("Application|0|1020|User level changed|A=1|B=2"),
                                  QStringLiteral("Application|0|1033|Waypoint|W")};
    EXPECT_EQ(expected, events);
}

TEST_F(DebugTraceTest, InternalErrorRaisesADebugTrapWithItsPrefix) {
    for (const QString& text : {QString(), QStringLiteral("Invalid root key")}) {
        try {
            InternalError(text);
            FAIL() << "no exception";
        } catch (const EKestLibrary& e) {
            EXPECT_NE(nullptr, dynamic_cast<const EDebugTrap*>(&e));
            EXPECT_EQ(QStringLiteral("Internal error ") + text, e.Message());
        }
    }
}
