// The pieces the window is laid out from: the page control, tab pages with a strip of buttons along
// their bottom edge, and buttons that follow an action.
#pragma once

#include <QTabWidget>

#include <initializer_list>

class QAbstractButton;
class QAction;
class QPushButton;
class QToolButton;

namespace Wrenfold {

// Tabs of one size for all: 80 by 25 pixels, or as wide as the widest caption a tab shows or may
// show ("&Project (mod)") where the font needs more. They never scroll or elide.
class TPageControl : public QTabWidget {
public:
    explicit TPageControl(QWidget* AParent);
    // Captions the tabs may take besides their current ones.
    void SetCaptionVariants(const QStringList& ACaptions);
    // The width the tabs take side by side.
    int TabsWidth() const;
};

// A push button showing AAction's caption, hint and enable state, and triggering it when clicked.
QPushButton* ActionButton(QAction* AAction, QWidget* AParent);
// The same as a split button: a click triggers AAction, the arrow opens the button's menu.
QToolButton* ActionMenuButton(QAction* AAction, QWidget* AParent);

struct TButtonPlace {
    int X, Width;
    QAbstractButton* Button;
};

// A strip along the bottom of a tab, 41 pixels high, buttons 25 high at y 6 and their designed x.
QWidget* ButtonStrip(std::initializer_list<TButtonPlace> AButtons);
// A tab's page: the content filling it, the strip (when given) below.
QWidget* TabPage(QWidget* AContent, QWidget* AStrip);

} // namespace Wrenfold
