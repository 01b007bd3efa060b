// Metrics: the interfaces for measuring named quantities, their do-nothing implementations and the
// global reference every unit reports to.
#pragma once

#include "Tessel/UKestDefs/InterfacedObject.h"

#include <QString>

namespace Tessel {

// One measured quantity.
class IMetric : public virtual IInterface {
public:
    static constexpr QUuid IID = GuidFromText("{F8C0D581-B04F-467C-AECF-DEE216DB83BD}");
    virtual void Metric_Start() = 0;
    virtual void Metric_Stop() = 0;
    virtual QString Metric_AsText() = 0;
    virtual void Metric_Reset() = 0;
    virtual void Metric_AddSample(double AValue) = 0;
};

// The collection metrics are made by.
class IMetrics : public virtual IInterface {
public:
    static constexpr QUuid IID = GuidFromText("{F8C0D581-B04F-467C-AECF-DFE216DB83BD}");
    virtual void Metrics_SetEnabled(bool AEnabled) = 0;
    virtual void Metrics_Clear() = 0;
    virtual void Metrics_Report() = 0;
    virtual TInterfaceRef<IMetric> Metrics_NewMetric(const QString& AName, const QString& ACategory,
                                                     const QString& AUnits) = 0;
};

// A metric that measures nothing; its text is empty.
class TDummyMetric : public TKestImplements<IMetric> {
public:
    explicit TDummyMetric(bool AReferenceCounted = true) : TKestImplements(AReferenceCounted) {}
    void Metric_Start() override {}
    void Metric_Stop() override {}
    QString Metric_AsText() override { return QString(); }
    void Metric_Reset() override {}
    void Metric_AddSample(double) override {}
};

// Metrics that record nothing; every new metric is a fresh counted TDummyMetric.
class TDummyMetrics : public TKestImplements<IMetrics> {
public:
    explicit TDummyMetrics(bool AReferenceCounted = true) : TKestImplements(AReferenceCounted) {}
    void Metrics_SetEnabled(bool) override {}
    void Metrics_Clear() override {}
    void Metrics_Report() override {}
    TInterfaceRef<IMetric> Metrics_NewMetric(const QString&, const QString&, const QString&) override {
        return new TDummyMetric(true);
    }
};

// The global metrics: a counted TDummyMetrics until SetMetrics installs another.
TInterfaceRef<IMetrics> Metrics();
// Installs AValue; an empty reference installs a new counted TDummyMetrics, so Metrics is never empty.
void SetMetrics(const TInterfaceRef<IMetrics>& AValue);
// Drops the global reference at shutdown; a later Metrics makes a new TDummyMetrics.
void ReleaseMetrics();

} // namespace Tessel
