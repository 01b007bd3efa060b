// The panel along the window's bottom: the project name and folder on the left; the batch progress,
// Help and Close kept at the right edge.
#pragma once

#include <QWidget>

class QAction;
class QLabel;
class QPushButton;

namespace Wrenfold {

class TBatchProgress;
class TElidedLabel;

class TBottomPanel : public QWidget {
public:
    // AClose is the action the Close button follows.
    TBottomPanel(QAction* AClose, QWidget* AParent);

    QLabel* lblProjectName = nullptr;
    TElidedLabel* lblFolder = nullptr;
    TBatchProgress* BatchProgress = nullptr;
    QPushButton* btnHelp = nullptr;
};

} // namespace Wrenfold
