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
    explicit TFixedTabBar(QWidget* AParent) : QTabBar(AParent) {
        setUsesScrollButtons(false);
        setElideMode(Qt::ElideNone);
        setExpanding(false);
    }

    QStringList CaptionVariants;

    // One width for every tab: the widest caption's, with the style's room around a caption.
    int TabWidth() const {
        if (count() == 0) return 80;
        const QFontMetrics metrics = fontMetrics();
        const auto textWidth = [&](QString ACaption) {
            return metrics.horizontalAdvance(ACaption.remove(u'&'));
        };
        const int room = QTabBar::tabSizeHint(0).width() - textWidth(tabText(0));
        int widest = 0;
        for (int i = 0; i < count(); ++i)
            widest = std::max(widest, textWidth(tabText(i)));
        for (const QString& caption : CaptionVariants)
            widest = std::max(widest, textWidth(caption));
        return std::max(80, widest + room);
    }

protected:
    QSize tabSizeHint(int) const override { return QSize(TabWidth(), 25); }
    QSize minimumTabSizeHint(int AIndex) const override { return tabSizeHint(AIndex); }
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

void TPageControl::SetCaptionVariants(const QStringList& ACaptions) {
    static_cast<TFixedTabBar*>(tabBar())->CaptionVariants = ACaptions;
    tabBar()->updateGeometry();
}

int TPageControl::TabsWidth() const {
    return count() * static_cast<const TFixedTabBar*>(tabBar())->TabWidth();
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
