// The program-wide status: setters and their notifications, the busy cursor, the slow update, and
// scoped statuses nesting and unwinding.
#include "Tessel/UKestLibrary/Status.h"
#include "Tessel/Rtl/Exception.h"

#include "support/PrintTo.h"
#include "support/TLibraryHooksGuard.h"
#include "tessel/ScriptedClock.h"

#include <gtest/gtest.h>

using namespace Tessel;

namespace {

// Writes what it is told into a journal.
class TStatusJournal : public TKestImplements<IKestStatusInfoNotificationClient> {
public:
    explicit TStatusJournal(QStringList& AJournal) : TKestImplements(true), FJournal(AJournal) {}
    void NotifyChangedProgressCode(int32_t AValue) override {
        FJournal.append(QStringLiteral("code %1").arg(AValue));
    }
    void NotifyChangedStatusInfo(const QString& AStr) override {
        FJournal.append(QStringLiteral("text ") + AStr);
    }
    void NotifyChangedMessageBoxVisible(bool AState) override {
        FJournal.append(QStringLiteral("box %1").arg(AState));
    }

private:
    QStringList& FJournal;
};

class StatusTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreateStatusInfo();
        StatusInfo->AddNotificationClient(Client);
        BusyCursorProc = [this](bool ABusy) { Journal.append(ABusy ? "cursor busy" : "cursor normal"); };
    }
    void TearDown() override {
        SlowStatusUpdateMs = 0;
        FreeStatusInfo();
    }
    IKestStatusInfo& Info() { return *StatusInfo; }
    QStringList Journal;
    TInterfaceRef<IKestStatusInfoNotificationClient> Client{new TStatusJournal(Journal)};

private:
    TLibraryHooksGuard FHooks; // last, so the hooks go before the members they write into
};

} // namespace

TEST_F(StatusTest, SettersNotifyChangesOnly) {
    Info().SetStatusInfo("Loading");
    Info().SetStatusInfo("Loading");
    Info().SetProgressCode(-1);
    Info().SetProgressCode(40);
    Info().SetProgressCode(40);
    Info().SetProgressCode(0);
    Info().SetMessageBoxVisible(true);
    Info().SetMessageBoxVisible(true);
    Info().SetMessageBoxHelpTopic("topic");
    const QStringList expected = {"text Loading", "cursor busy",   "code -1", "cursor busy",
                                  "code 40",      "cursor normal", "code 0",  "box 1"};
    EXPECT_EQ(expected, Journal);
    EXPECT_EQ(QStringLiteral("topic"), Info().GetMessageBoxHelpTopic());
    EXPECT_TRUE(Info().GetMessageBoxVisible());
}

TEST_F(StatusTest, LastStatusInfoSwapsBack) {
    StatusInfo->LastStatusInfo(); // nothing replaced yet
    EXPECT_TRUE(Info().GetStatusInfo().isEmpty());
    Info().SetStatusInfo("One");
    Info().SetStatusInfo("Two");
    StatusInfo->LastStatusInfo();
    EXPECT_EQ(QStringLiteral("One"), Info().GetStatusInfo());
    StatusInfo->LastStatusInfo();
    EXPECT_EQ(QStringLiteral("Two"), Info().GetStatusInfo());
}

TEST_F(StatusTest, ClientListKeepsOneEntryPerClient) {
    TKestStatusInfoNotificationClients& clients = StatusInfo->NotificationClients();
    QStringList other;
    TInterfaceRef<IKestStatusInfoNotificationClient> second(new TStatusJournal(other));
    Info().AddNotificationClient(Client);
    Info().AddNotificationClient({});
    Info().RemoveNotificationClient(second);
    EXPECT_EQ(1, clients.Count());
    Info().AddNotificationClient(second);
    EXPECT_EQ(2, clients.Count());
    EXPECT_EQ(second, clients.GetItem(1));
    EXPECT_THROW(clients.GetItem(2), Exception);
    EXPECT_THROW(clients.SetItem(-1, second), Exception);
    Info().SetStatusInfo("x");
    Info().RemoveNotificationClient(Client);
    Info().SetStatusInfo("y");
    EXPECT_EQ(QStringList{"text x"}, Journal);
    EXPECT_EQ((QStringList{"text x", "text y"}), other);
}

TEST_F(StatusTest, ScopedStatusesNestUnderTheTextTheyFoundAndPutItBack) {
    Info().SetStatusInfo("Loading");
    {
        TInterfaceRef<IKestStatus> status = Info().PushStatus("Parsing", -1);
        EXPECT_EQ(QStringLiteral("Loading, Parsing"), Info().GetStatusInfo());
        EXPECT_EQ(-1, Info().GetProgressCode());
        status->SetStatus("Writing", -1);
        EXPECT_EQ(QStringLiteral("Loading, Writing"), Info().GetStatusInfo());
        status->SetStatus("loading", 30); // the found text already ends with it
        EXPECT_EQ(QStringLiteral("Loading, Writing"), Info().GetStatusInfo());
        EXPECT_EQ(30, Info().GetProgressCode());
        status->SetStatus("Checking", -1); // -1 does not hide a percentage
        EXPECT_EQ(30, Info().GetProgressCode());
        {
            TInterfaceRef<IKestStatus> inner = Info().PushStatusFmt("Item %d of %d", {2, 5});
            EXPECT_EQ(QStringLiteral("Loading, Checking, Item 2 of 5"), Info().GetStatusInfo());
            inner->SetStatus(QString(), -1); // an empty text shows what was found and idles
            EXPECT_EQ(QStringLiteral("Loading, Checking"), Info().GetStatusInfo());
            EXPECT_EQ(0, Info().GetProgressCode());
        }
        EXPECT_EQ(QStringLiteral("Loading, Checking"), Info().GetStatusInfo());
        EXPECT_EQ(30, Info().GetProgressCode());
    }
    EXPECT_EQ(QStringLiteral("Loading"), Info().GetStatusInfo());
    EXPECT_EQ(0, Info().GetProgressCode());

    // On an empty status the text is the new one alone; released out of order, the last one released
    // decides what stays.
    Info().SetStatusInfo(QString());
    TInterfaceRef<IKestStatus> outer = Info().PushStatus("Outer", 5);
    TInterfaceRef<IKestStatus> inner = Info().PushCurrentStatus();
    inner->SetStatusAndProgress("Inner", 1, 4);
    EXPECT_EQ(QStringLiteral("Outer, Inner"), Info().GetStatusInfo());
    EXPECT_EQ(25, Info().GetProgressCode());
    outer.Clear();
    EXPECT_TRUE(Info().GetStatusInfo().isEmpty());
    inner.Clear();
    EXPECT_EQ(QStringLiteral("Outer"), Info().GetStatusInfo());
    EXPECT_EQ(5, Info().GetProgressCode());
}

TEST_F(StatusTest, ProgressFromCurrentAndTotal) {
    struct Case {
        int32_t Current, Total, Code;
    };
    const Case cases[] = {{0, 50, 2},
                          {25, 50, 50},
                          {80, 50, 100},
                          {5, 0, -1},
                          {-25, 50, 50},
                          {1, -2, 50},
                          {1, 1000, 2},
                          {30000000, 60000000, 50},
                          {2147483647, 2147483647, 100},
                          {-2147483647 - 1, 1, 100}};
    TInterfaceRef<IKestStatus> status = Info().PushCurrentStatus();
    for (const Case& c : cases) {
        status->SetProgress(c.Current, c.Total);
        EXPECT_EQ(c.Code, Info().GetProgressCode()) << c.Current << " of " << c.Total;
    }
}

TEST_F(StatusTest, ASlowUpdateWaitsOnEveryTextChange) {
    TScriptedClock clock;
    clock.Step = 1000; // a millisecond per reading
    SlowStatusUpdateMs = 200;
    Info().SetStatusInfo("changed");
    EXPECT_EQ(201, clock.Readings);
    clock.Readings = 0;
    Info().SetStatusInfo("changed");
    SlowStatusUpdateMs = -5;
    Info().SetStatusInfo("again");
    EXPECT_EQ(0, clock.Readings);
}

TEST(StatusInfoTest, TheHolderExistsBetweenCreateAndFree) {
    EXPECT_FALSE(GetStatusInfoIntf());
    CreateStatusInfo();
    TKestStatusInfo* first = StatusInfo;
    CreateStatusInfo();
    EXPECT_EQ(first, StatusInfo);
    TInterfaceRef<IKestStatusInfo> intf = GetStatusInfoIntf();
    EXPECT_EQ(static_cast<IKestStatusInfo*>(first), intf.Get());
    intf.Clear(); // not counted: the holder stays
    EXPECT_EQ(first, StatusInfo);
    TInterfaceRef<IKestStatus> status = first->PushStatus("busy", -1);
    FreeStatusInfo();
    EXPECT_EQ(nullptr, StatusInfo);
    status.Clear(); // outliving the holder, it has nothing to put back
}
