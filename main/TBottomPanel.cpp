#include "main/TBottomPanel.h"

#include "main/TBatchProgress.h"
#include "main/TElidedLabel.h"
#include "main/WindowLayout.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace Wrenfold {

TBottomPanel::TBottomPanel(QAction* AClose, QWidget* AParent) : QWidget(AParent) {
    setFixedHeight(44);
    auto* values = new QGridLayout;
    values->setContentsMargins(0, 0, 0, 0);
    values->setHorizontalSpacing(6);
    values->setVerticalSpacing(0);
    values->setColumnMinimumWidth(0, 88);
    lblProjectName = new QLabel(QStringLiteral("No project name"), this);
    lblProjectName->setObjectName(QStringLiteral("lblProjectName"));
    lblFolder = new TElidedLabel(QStringLiteral("No folder"), this);
    lblFolder->setObjectName(QStringLiteral("lblFolder"));
    const QList<QPair<QString, QLabel*>> rows{{QStringLiteral("Project name"), lblProjectName},
                                              {QStringLiteral("Folder"), lblFolder}};
    for (int row = 0; row < rows.size(); ++row) {
        auto* caption = new QLabel(rows[row].first, this);
        caption->setFixedHeight(20);
        rows[row].second->setFixedHeight(20);
        rows[row].second->setTextInteractionFlags(Qt::TextSelectableByMouse);
        values->addWidget(caption, row, 0);
    }
    // The batch's progress stands beside the project name; the folder has the whole line below.
    BatchProgress = new TBatchProgress(this);
    BatchProgress->setFixedSize(140, 20);
    values->addWidget(lblProjectName, 0, 1);
    values->addWidget(BatchProgress, 0, 2, Qt::AlignRight | Qt::AlignVCenter);
    values->addWidget(lblFolder, 1, 1, 1, 2);
    values->setRowStretch(2, 1);
    values->setColumnStretch(1, 1);
    btnHelp = new QPushButton(QStringLiteral("&Help"), this);
    btnHelp->setObjectName(QStringLiteral("btnHelp"));
    btnHelp->setFixedSize(75, 25);
    QPushButton* btnClose = ActionButton(AClose, this);
    btnClose->setFixedSize(75, 25);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 7, 0);
    layout->setSpacing(0);
    layout->addLayout(values, 1);
    layout->addSpacing(8);
    layout->addWidget(btnHelp, 0, Qt::AlignVCenter);
    layout->addSpacing(14);
    layout->addWidget(btnClose, 0, Qt::AlignVCenter);
}

} // namespace Wrenfold
