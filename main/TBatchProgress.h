// How far a batch has got: a bar showing "n of N" while the batch runs, and the entry of the project
// being made selected and scrolled into view in the batch list.
#pragma once

#include <QPointer>
#include <QProgressBar>
#include <QVector>

namespace Wrenfold {

class TBatchListView;
class TWrenfoldEngine;

class TBatchProgress : public QProgressBar {
    Q_OBJECT
public:
    explicit TBatchProgress(QWidget* AParent = nullptr);

    void Bind(TWrenfoldEngine* AEngine, TBatchListView* AView);

private:
    void BatchRunningChanged(bool ARunning);
    void EntryStarted(int ARow);
    // Selects the current entry of the list and scrolls it into view.
    void ShowCurrentEntry();

    QPointer<TWrenfoldEngine> FEngine;
    QPointer<TBatchListView> FView;
    QVector<int> FRows; // the entries marked when the batch started, in the order they are made
    int FMade = 0;      // how many of them have been started
    bool FScrollPending = false;
};

} // namespace Wrenfold
