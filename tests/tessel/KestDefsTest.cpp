// Shared declarations: reference counting switched at construction, interface queries by GUID,
// the interface GUIDs, enumerations, alias records, metrics and the exception classes.
#include "Tessel/UKestDefs.h"

#include "support/PrintTo.h"

#include <QMetaEnum>
#include <gtest/gtest.h>

#include <memory>

using namespace Tessel;

namespace {

// A notification client that records its destruction and the last user level it was told.
class TProbe : public TKestImplements<IKestTesselNotifications> {
public:
    TProbe(bool AReferenceCounted, bool& ADestroyed)
        : TKestImplements(AReferenceCounted), FDestroyed(ADestroyed) {}
    ~TProbe() override { FDestroyed = true; }
    void AfterChangedUserLevel(TUserLevel AUserLevel) override { LastLevel = AUserLevel; }
    void AfterChangedOfflineState(bool) override {}
    void SetName(const QString& AValue) override { TKestInterfacedObject::SetName(AValue.toUpper()); }
    TUserLevel LastLevel = ulOperator;

private:
    bool& FDestroyed;
};

} // namespace

TEST(KestDefsTest, CountedObjectDiesWithItsLastReference) {
    bool destroyed = false;
    auto* probe = new TProbe(true, destroyed);
    {
        TInterfaceRef<IKestTesselNotifications> first = probe;
        EXPECT_EQ(probe->RefCount(), 1);
        TInterfaceRef<IKestTesselNotifications> second = first;
        TInterfaceRef<IInterface> base = first.Query<IInterface>();
        EXPECT_EQ(probe->RefCount(), 3);
        EXPECT_FALSE(first.Query<IKestAliases>());
        EXPECT_TRUE(probe->SupportsInterface(IKestTesselNotifications::IID));
        EXPECT_EQ(probe->RefCount(), 3);
        second->AfterChangedUserLevel(ulAdministrator);
        EXPECT_EQ(probe->LastLevel, ulAdministrator);
        first.Clear();
        base.Clear();
        EXPECT_FALSE(destroyed);
    }
    EXPECT_TRUE(destroyed);
}

TEST(KestDefsTest, SupportsInterfaceDoesNotFreeAnUnreferencedCountedObject) {
    bool destroyed = false;
    auto* probe = new TProbe(true, destroyed);
    EXPECT_TRUE(probe->SupportsInterface(IInterface::IID));
    EXPECT_FALSE(probe->SupportsInterface(IMetric::IID));
    EXPECT_FALSE(destroyed);
    TInterfaceRef<IKestTesselNotifications> only = probe; // frees it at the end
}

TEST(KestDefsTest, UncountedObjectIsLeftToItsOwner) {
    bool destroyed = false;
    auto owner = std::make_unique<TProbe>(false, destroyed);
    EXPECT_EQ(owner->_AddRef(), -1);
    EXPECT_EQ(owner->_Release(), -1);
    {
        TInterfaceRef<IKestTesselNotifications> reference = owner.get();
        TInterfaceRef<IInterface> base = reference.Query<IInterface>();
        EXPECT_TRUE(base);
    }
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(owner->RefCount(), 0);

    void* object = &destroyed;
    EXPECT_EQ(owner->QueryInterface(IKestINIFile::IID, &object), E_NOINTERFACE);
    EXPECT_EQ(E_NOINTERFACE, HRESULT(0x80004002u));
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(owner->QueryInterface(IKestTesselNotifications::IID, &object), S_OK);
    EXPECT_EQ(object, static_cast<IKestTesselNotifications*>(owner.get()));
    EXPECT_EQ(owner->RefCount(), 0);
    owner.reset();
    EXPECT_TRUE(destroyed);
}

TEST(KestDefsTest, NameIsEmptyUntilSetThroughTheVirtualSetter) {
    bool destroyed = false;
    TProbe probe(false, destroyed);
    EXPECT_EQ(probe.Name(), "");
    TKestInterfacedObject& base = probe;
    base.SetName("source");
    EXPECT_EQ(probe.Name(), "SOURCE");
}

TEST(KestDefsTest, InterfacesCarryTheirGuids) {
    const struct {
        QUuid Guid;
        const char* Text;
    } cases[] = {
        {IInterface::IID, "{00000000-0000-0000-C000-000000000046}"},
        {IKestAliases::IID, "{5765D51D-B29B-441C-B5DC-7D2860E8C28F}"},
        {IKestINIFile::IID, "{B201C840-F3D9-4E71-B189-FC8E6FE29320}"},
        {IKestTesselNotifications::IID, "{521CE02D-7500-4246-9E74-1B73510CE435}"},
        {IMetric::IID, "{F8C0D581-B04F-467C-AECF-DEE216DB83BD}"},
        {IMetrics::IID, "{F8C0D581-B04F-467C-AECF-DFE216DB83BD}"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Guid.toString(QUuid::WithBraces).toUpper(), c.Text);
}

TEST(KestDefsTest, EnumerationsAndTheStatusSet) {
    EXPECT_EQ(QList<int>({ulOperator, ulSupervisor, ulAdministrator}), QList<int>({0, 1, 2}));
    EXPECT_EQ(QList<int>({msInformation, msWarning, msError}), QList<int>({0, 1, 2}));
    EXPECT_EQ(QList<int>({scHasValue, scPassed, scFailed}), QList<int>({0, 1, 2}));
    EXPECT_STREQ(QMetaEnum::fromType<TUserLevel>().valueToKey(ulSupervisor), "ulSupervisor");
    EXPECT_STREQ(QMetaEnum::fromType<TKestMessageStatus>().valueToKey(msError), "msError");

    TAliasStatus status{scHasValue, scFailed};
    EXPECT_EQ(status.Bits(), 0b101);
    EXPECT_TRUE(status.Contains(scFailed));
    EXPECT_FALSE(status.Contains(scPassed));
    status.Exclude(scFailed).Include(scPassed);
    EXPECT_EQ(status, (TAliasStatus{scHasValue, scPassed}));
    EXPECT_TRUE(TAliasStatus().IsEmpty());
}

TEST(KestDefsTest, AliasInfoRecords) {
    TAliasInfoList list;
    PAliasInfo info = AppendAliasInfo(list);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(info, &list[0]);
    EXPECT_TRUE(info->sName.isEmpty() && info->sDescription.isEmpty() && info->sSource.isEmpty());
    EXPECT_FALSE(info->vValue.isValid());
    EXPECT_TRUE(info->Status.IsEmpty());

    FillAliasInfo("Name", 42, "Answer", nullptr, {scHasValue}, "Source"); // no record: no effect
    FillAliasInfo("Name", 42, "Answer", info, {scHasValue}, "Source");
    EXPECT_EQ(list[0].sName, "Name");
    EXPECT_EQ(list[0].vValue, QVariant(42));
    EXPECT_EQ(list[0].sDescription, "Answer");
    EXPECT_EQ(list[0].sSource, "Source");
    EXPECT_EQ(list[0].Status, TAliasStatus{scHasValue});
    AppendAliasInfo(list)->sName = "Second";
    EXPECT_EQ(list.size(), 2);
    EXPECT_EQ(list[1].sName, "Second");
}

TEST(KestDefsTest, MetricsAreNeverEmpty) {
    TInterfaceRef<IMetrics> initial = Metrics();
    ASSERT_TRUE(initial);
    TInterfaceRef<IMetric> metric = initial->Metrics_NewMetric("a", "b", "c");
    ASSERT_TRUE(metric);
    metric->Metric_Start();
    EXPECT_EQ(metric->Metric_AsText(), "");

    struct TCountingMetrics : TDummyMetrics {
        explicit TCountingMetrics(bool& ADestroyed) : FDestroyed(ADestroyed) {}
        ~TCountingMetrics() override { FDestroyed = true; }
        bool& FDestroyed;
    };
    bool destroyed = false;
    SetMetrics(new TCountingMetrics(destroyed));
    EXPECT_NE(Metrics(), initial);
    SetMetrics(nullptr);
    EXPECT_TRUE(destroyed); // the global held the last reference
    EXPECT_TRUE(Metrics());
    EXPECT_NE(Metrics(), initial);
}

TEST(KestDefsTest, ExceptionClasses) {
    const EKestException plain("Plain", "topic");
    EXPECT_EQ(plain.Message(), "Plain");
    EXPECT_EQ(plain.HelpTopic(), "topic");
    const EKestException formatted = EKestException::CreateFmt("Value \"%s\" at %d", {"x", 3}, "help");
    EXPECT_EQ(formatted.Message(), "Value \"x\" at 3");
    EXPECT_EQ(formatted.HelpTopic(), "help");
    const EKestWaypoint waypoint("No waypoint of name \"%s\"", QVariantList{"W"}, QString());
    EXPECT_EQ(waypoint.Message(), "No waypoint of name \"W\"");
    try {
        throw EDebugTrap("Internal error 1");
    } catch (const EKestLibrary& e) {
        EXPECT_EQ(e.Message(), "Internal error 1");
    }
}
