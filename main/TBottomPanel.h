// The panel along the window's bottom: the project name and folder on the left; Help and Close kept
// at the right edge.
#pragma once

#include <QWidget>

class QAction;
class QLabel;
class QPushButton;

namespace Wrenfold {

class TBottomPanel : public QWidget {
public:
    // AClose is the action the Close button follows.
    TBottomPanel(QAction* AClose, QWidget* AParent);

    QLabel *lblProjectName = nullptr, *lblFolder = nullptr;
    QPushButton* btnHelp = nullptr;
};

} // namespace Wrenfold
