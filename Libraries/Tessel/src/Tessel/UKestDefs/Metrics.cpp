#include "Tessel/UKestDefs/Metrics.h"

namespace Tessel {

namespace {

// Filled on first use; released when the program ends.
TInterfaceRef<IMetrics>& MetricsStore() {
    static TInterfaceRef<IMetrics> metrics(new TDummyMetrics(true));
    return metrics;
}

} // namespace

TInterfaceRef<IMetrics> Metrics() {
    if (!MetricsStore()) SetMetrics(nullptr);
    return MetricsStore();
}

void SetMetrics(const TInterfaceRef<IMetrics>& AValue) {
    MetricsStore() = AValue ? AValue : TInterfaceRef<IMetrics>(new TDummyMetrics(true));
}

void ReleaseMetrics() {
    MetricsStore().Clear();
}

} // namespace Tessel
