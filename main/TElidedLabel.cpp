#include "main/TElidedLabel.h"

#include <QPainter>

namespace Wrenfold {

TElidedLabel::TElidedLabel(const QString& AText, QWidget* AParent) : QLabel(AParent) {
    SetText(AText);
}

void TElidedLabel::SetText(const QString& AText) {
    setText(AText);
    setToolTip(AText);
}

QSize TElidedLabel::minimumSizeHint() const {
    return QSize(fontMetrics().horizontalAdvance(QStringLiteral("C:\\...\\x")),
                 QLabel::minimumSizeHint().height());
}

void TElidedLabel::paintEvent(QPaintEvent* AEvent) {
    const QRect area = contentsRect();
    if (fontMetrics().horizontalAdvance(text()) <= area.width()) {
        QLabel::paintEvent(AEvent); // fits: drawn (and selectable) as any label
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(area, int(alignment()), fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width()));
}

} // namespace Wrenfold
