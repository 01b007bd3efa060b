// The notification hub, the user level with its designer override and command-line rules, the
// off-line state, and the quote-aware field splitter.
#include "Tessel/UKestLibrary/UserLevels.h"
#include "Tessel/UKestLibrary/Debug.h"
#include "Tessel/UKestLibrary/Status.h"
#include "Tessel/UKestTesselNotifications.h"

#include "support/PrintTo.h"
#include "support/TLibraryHooksGuard.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Tessel;

namespace {

// A notification client that writes what it is told into a shared journal.
class TJournalClient : public TKestImplements<IKestTesselNotifications> {
public:
    TJournalClient(QStringList& AJournal, const QString& AName) : TKestImplements(true), FJournal(AJournal) {
        SetName(AName);
    }
    void AfterChangedUserLevel(TUserLevel AUserLevel) override {
        FJournal.append(QStringLiteral("%1 level %2").arg(Name()).arg(int(AUserLevel)));
        if (OnNotify) OnNotify();
    }
    void AfterChangedOfflineState(bool AIsOffline) override {
        FJournal.append(QStringLiteral("%1 offline %2").arg(Name()).arg(AIsOffline));
        if (OnNotify) OnNotify();
    }
    std::function<void()> OnNotify;

private:
    QStringList& FJournal;
};

// Fresh user-level state, the event hook and one hub client writing into Journal.
class UserLevelsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Reset();
        LogEventHook = [this](const QString& ASource, const TKestEventDef& ADef,
                              const QStringList& AStrings) {
            Journal.append(QStringLiteral("event %1 %2 %3 %4")
                               .arg(ASource)
                               .arg(ADef.Id)
                               .arg(ADef.Text, AStrings.join(' ')));
        };
        TesselNotifications().AddNotificationClient(Client);
    }
    void TearDown() override {
        TesselNotifications().RemoveNotificationClient(Client);
        Reset();
    }
    static void Reset() {
        DesignerOverride = false;
        OfflineState = false;
        UserNameHook = nullptr;
        FreeKestUserLevel();
    }
    QStringList Journal;
    TInterfaceRef<IKestTesselNotifications> Client{new TJournalClient(Journal, QStringLiteral("client"))};

private:
    TLibraryHooksGuard FHooks; // last, so the hooks go before the members they write into
};

} // namespace

TEST_F(UserLevelsTest, ALevelChangeIsLoggedThenPublishedOnce) {
    EXPECT_EQ(ulOperator, GetCurrentUserLevel());
    SetCurrentUserLevel(ulOperator);
    EXPECT_TRUE(Journal.isEmpty());
    SetCurrentUserLevel(ulSupervisor);
    SetCurrentUserLevel(ulSupervisor);
    EXPECT_TRUE(KestUserLevel().IsSupervisor());
    EXPECT_FALSE(KestUserLevel().IsOperator() || KestUserLevel().IsAdministrator());
    UserNameHook = [] { return QStringLiteral("Ada"); };
    SetCurrentUserLevel(ulAdministrator);
    const QStringList expected = {
        "event Application 1020 User level changed UserName=User NewLevel=Supervisor",
        "client level 1",
        "event Application 1020 User level changed UserName=Ada NewLevel=Administrator",
        "client level 2",
    };
    EXPECT_EQ(expected, Journal);
}

TEST_F(UserLevelsTest, CommandLineUserLevel) {
    struct Case {
        QStringList Arguments;
        TUserLevel Level;
        QString LevelStr;
        int Published;
    };
    const Case cases[] = {
        {{}, ulOperator, "Operator", 0},
        {{"/UL=S"}, ulSupervisor, "Supervisor", 1},
        {{"/ul=administrator"}, ulAdministrator, "Administrator", 1},
        {{"/UL=Operator"}, ulOperator, "Operator", 0},
        {{"/UL=X"}, ulOperator, "Operator", 0},
        {{"/UL=x:A,rest"}, ulAdministrator, "Administrator", 1},
        {{"/UL= \"s\" ,a"}, ulSupervisor, "Supervisor", 1},
        {{"/DESMODE"}, ulAdministrator, "*Administrator*", 1},
        {{"/desmode", "/UL=S"}, ulAdministrator, "*Administrator*", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Arguments.join(' ').toStdString());
        Reset();
        Journal.clear();
        InitCommandLineUserLevel(c.Arguments);
        EXPECT_EQ(c.Level, GetCurrentUserLevel());
        EXPECT_EQ(c.LevelStr, CurrentUserLevelStr());
        EXPECT_EQ(c.Published, Journal.filter("client level").size());
    }
    // Under the override every request gives the administrator, and nothing changes.
    Journal.clear();
    SetCurrentUserLevel(ulOperator);
    EXPECT_EQ(ulAdministrator, GetCurrentUserLevel());
    EXPECT_TRUE(Journal.isEmpty());
}

TEST_F(UserLevelsTest, LevelNames) {
    const std::pair<QString, TUserLevel> cases[] = {
        {"a", ulAdministrator},
        {"S", ulSupervisor},
        {"x", ulOperator},
        {"", ulOperator},
        {"administrator", ulAdministrator},
        {"SuperVisor", ulSupervisor},
        {"Admin", ulOperator},
        {" S", ulOperator},
        {"operator", ulOperator},
    };
    for (const auto& [text, level] : cases)
        EXPECT_EQ(level, StrToUserLevel(text)) << text.toStdString();
    EXPECT_EQ(QStringLiteral("User"), CurrentUserName());
    EXPECT_FALSE(UserNameHookAssigned());
}

TEST_F(UserLevelsTest, SplitFirstFieldHonoursQuotes) {
    struct Case {
        QString Text;
        QString Field, Rest;
    };
    const Case cases[] = {
        {"\"x,y\",z", "x,y", "z"},
        {"  one ,  two, three ", "one", "two, three"},
        {" whole text ", "whole text", ""},
        {"\"say \"\"hi\"\"\" , next", "say \"hi\"", "next"},
        {"a\"b,c\"d,e", "a\"b,c\"d", "e"}, // quoted in the middle: no enclosing pair to drop
        {",lead", "", "lead"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        QString text = c.Text, field = "old";
        SplitFirstField(text, u',', field);
        EXPECT_EQ(c.Field, field) << c.Text.toStdString();
        EXPECT_EQ(c.Rest, text) << c.Text.toStdString();
    }
}

TEST_F(UserLevelsTest, TheOfflineStateIsPublishedWhenItChanges) {
    EXPECT_TRUE(IsOnline());
    SetOffline(false);
    SetOffline(true);
    SetOffline(true);
    EXPECT_FALSE(IsOnline());
    SetOffline(false);
    EXPECT_EQ((QStringList{"client offline 1", "client offline 0"}), Journal);
}

TEST(TesselNotificationsTest, ClientsAreToldInOrderUntilRemoved) {
    TKestTesselNotifications hub;
    QStringList journal;
    hub.NotifyClients_AfterChangedUserLevel(ulSupervisor); // no list yet
    TInterfaceRef<IKestTesselNotifications> first(new TJournalClient(journal, "first"));
    TInterfaceRef<IKestTesselNotifications> second(new TJournalClient(journal, "second"));
    hub.RemoveNotificationClient(first); // never added
    hub.AddNotificationClient(first);
    hub.AddNotificationClient(second);
    hub.AddNotificationClient(first);
    hub.NotifyClients_AfterChangedOfflineState(true);
    hub.RemoveNotificationClient(first);
    hub.NotifyClients_AfterChangedUserLevel(ulAdministrator);
    hub.RemoveNotificationClient(first);
    hub.NotifyClients_AfterChangedUserLevel(ulOperator);
    const QStringList expected = {"first offline 1", "second offline 1", "first offline 1",
                                  "second level 2",  "first level 2",    "second level 0"};
    EXPECT_EQ(expected, journal);
}

TEST(TesselNotificationsTest, AClientMayLeaveWhileItIsTold) {
    QStringList journal;
    auto* leaving = new TJournalClient(journal, "leaving");
    TInterfaceRef<IKestTesselNotifications> leavingRef(leaving);
    TInterfaceRef<IKestTesselNotifications> last(new TJournalClient(journal, "last"));
    {
        TKestTesselNotifications hub;
        hub.AddNotificationClient(leavingRef);
        hub.AddNotificationClient(last);
        leavingRef.Clear(); // the hub holds the only reference now
        leaving->OnNotify = [&] {
            hub.RemoveNotificationClient(TInterfaceRef<IKestTesselNotifications>(leaving));
        };
        hub.NotifyClients_AfterChangedOfflineState(true);
        hub.NotifyClients_AfterChangedOfflineState(false);
    }
    EXPECT_EQ((QStringList{"leaving offline 1", "last offline 1", "last offline 0"}), journal);
}

TEST(TesselNotificationsTest, AFailingClientStopsTheRound) {
    QStringList journal;
    auto* failing = new TJournalClient(journal, "failing");
    failing->OnNotify = [] { throw Exception(QStringLiteral("client failed")); };
    TKestTesselNotifications hub;
    hub.AddNotificationClient(failing);
    hub.AddNotificationClient(new TJournalClient(journal, "after"));
    EXPECT_THROW(hub.NotifyClients_AfterChangedUserLevel(ulSupervisor), Exception);
    EXPECT_EQ(QStringList{"failing level 1"}, journal);
}
