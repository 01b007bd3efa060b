#include "main/TBatchListView.h"

namespace Wrenfold {

TBatchListView::TBatchListView(QWidget* AParent) : QListWidget(AParent) {
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemChanged, this, &TBatchListView::ItemChanged);
}

void TBatchListView::Bind(TBatchList* AList) {
    if (FList) disconnect(FList, nullptr, this, nullptr);
    FList = AList;
    if (FList) {
        connect(FList, &TBatchList::Reset, this, &TBatchListView::ListReset);
        connect(FList, &TBatchList::CheckedChanged, this, &TBatchListView::ListCheckedChanged);
    }
    ListReset();
}

void TBatchListView::ListReset() {
    FUpdating = true;
    clear();
    for (int i = 0; FList && i < FList->Count(); ++i) {
        auto* item = new QListWidgetItem(FList->Text(i), this);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(FList->Checked(i) ? Qt::Checked : Qt::Unchecked);
    }
    FUpdating = false;
}

void TBatchListView::ListCheckedChanged(int AIndex, bool AChecked) {
    if (QListWidgetItem* entry = item(AIndex)) {
        FUpdating = true;
        entry->setCheckState(AChecked ? Qt::Checked : Qt::Unchecked);
        FUpdating = false;
    }
}

void TBatchListView::ItemChanged(QListWidgetItem* AItem) {
    if (FUpdating || !FList) return;
    const int index = row(AItem);
    if (index >= 0 && index < FList->Count()) FList->SetChecked(index, AItem->checkState() == Qt::Checked);
}

} // namespace Wrenfold
