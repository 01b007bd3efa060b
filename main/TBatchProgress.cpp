#include "main/TBatchProgress.h"

#include "engine/TWrenfoldEngine.h"
#include "main/TBatchListView.h"

#include <QTimer>

namespace Wrenfold {

TBatchProgress::TBatchProgress(QWidget* AParent) : QProgressBar(AParent) {
    setObjectName(QStringLiteral("BatchProgress"));
    setFormat(QStringLiteral("%v of %m"));
    setTextVisible(true);
    hide();
}

void TBatchProgress::Bind(TWrenfoldEngine* AEngine, TBatchListView* AView) {
    if (FEngine) disconnect(FEngine, nullptr, this, nullptr);
    FEngine = AEngine;
    FView = AView;
    if (!FEngine) return;
    connect(FEngine, &TWrenfoldEngine::BatchRunningChanged, this, &TBatchProgress::BatchRunningChanged);
    connect(FEngine, &TWrenfoldEngine::BatchEntryStarted, this, &TBatchProgress::EntryStarted);
}

void TBatchProgress::BatchRunningChanged(bool ARunning) {
    FRows.clear();
    FMade = 0;
    if (ARunning && FEngine) {
        const TBatchList& list = FEngine->clbFileList;
        for (int i = 0; i < list.Count(); ++i)
            if (list.Checked(i)) FRows.append(i);
    }
    // The entry being made is scrolled into view once per frame (below), not by the list itself
    // for every project.
    if (FView) FView->setAutoScroll(!ARunning);
    if (!ARunning) ShowCurrentEntry();
    setRange(0, int(FRows.size()));
    setValue(0);
    setVisible(ARunning && !FRows.isEmpty());
}

void TBatchProgress::EntryStarted(int ARow) {
    // The batch starts the marked entries in list order.
    if (!FEngine || !FEngine->IsBatchRunning() || FMade >= FRows.size()) return;
    const int row = ARow;
    ++FMade;
    // A bar showing its text repaints at once on every new value; the window repaints once per frame.
    setUpdatesEnabled(false);
    setValue(FMade);
    setUpdatesEnabled(true);
    if (FView) {
        // The entry becomes current at once; it is selected and scrolled into view when the window
        // next handles its events, once for all the projects made by then.
        FView->selectionModel()->setCurrentIndex(FView->model()->index(row, 0),
                                                 QItemSelectionModel::NoUpdate);
        if (!FScrollPending) {
            FScrollPending = true;
            QTimer::singleShot(0, this, [this] { ShowCurrentEntry(); });
        }
    }
}

void TBatchProgress::ShowCurrentEntry() {
    FScrollPending = false;
    if (!FView || !FView->currentItem()) return;
    FView->setCurrentRow(FView->currentRow());
    FView->scrollToItem(FView->currentItem());
}

} // namespace Wrenfold
