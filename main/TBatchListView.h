// The Batch tab's check list, a view of the engine's batch list.
#pragma once

#include "engine/TBatchList.h"

#include <QListWidget>
#include <QPointer>

namespace Wrenfold {

class TBatchListView : public QListWidget {
    Q_OBJECT
public:
    explicit TBatchListView(QWidget* AParent = nullptr);

    void Bind(TBatchList* AList);

private:
    void ListReset();
    void ListCheckedChanged(int AIndex, bool AChecked);
    void ItemChanged(QListWidgetItem* AItem);

    QPointer<TBatchList> FList;
    bool FUpdating = false;
};

} // namespace Wrenfold
