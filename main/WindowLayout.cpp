#include "main/WindowLayout.h"

#include <QAction>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace Wrenfold {

namespace {

class TFixedTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int AIndex) const override {
        return QSize(std::max(80, QTabBar::tabSizeHint(AIndex).width()), 25);
    }
};

template <typename TButton> TButton* FollowAction(TButton* AButton, QAction* AAction) {
    AButton->setText(AAction->text());
    AButton->setObjectName(QStringLiteral("btn") + AAction->objectName().mid(3));
    // An action without a hint of its own would offer its caption as one.
    AButton->setToolTip(AAction->property("hint").toString());
    AButton->setEnabled(AAction->isEnabled());
    QObject::connect(AAction, &QAction::changed, AButton, [AButton, AAction] {
        AButton->setText(AAction->text());
        AButton->setEnabled(AAction->isEnabled());
    });
    QObject::connect(AButton, &QAbstractButton::clicked, AAction, &QAction::trigger);
    return AButton;
}

} // namespace

TPageControl::TPageControl(QWidget* AParent) : QTabWidget(AParent) {
    setTabBar(new TFixedTabBar(this));
}

QPushButton* ActionButton(QAction* AAction, QWidget* AParent) {
    return FollowAction(new QPushButton(AParent), AAction);
}

QToolButton* ActionMenuButton(QAction* AAction, QWidget* AParent) {
    auto* button = FollowAction(new QToolButton(AParent), AAction);
    button->setPopupMode(QToolButton::MenuButtonPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

QWidget* ButtonStrip(std::initializer_list<TButtonPlace> AButtons) {
    auto* strip = new QWidget;
    strip->setFixedHeight(41);
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(0, 6, 0, 10);
    layout->setSpacing(0);
    int right = 0;
    for (const TButtonPlace& place : AButtons) {
        layout->addSpacing(place.X - right);
        place.Button->setParent(strip);
        place.Button->setFixedSize(place.Width, 25);
        layout->addWidget(place.Button);
        right = place.X + place.Width;
    }
    layout->addStretch(1);
    return strip;
}

QWidget* TabPage(QWidget* AContent, QWidget* AStrip) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(AContent, 1);
    if (AStrip) layout->addWidget(AStrip);
    return page;
}

} // namespace Wrenfold
