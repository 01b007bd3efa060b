// A value label for a long text (a folder path): where the text does not fit, it shows its start
// and end with an ellipsis in the middle; the whole text is its tooltip.
#pragma once

#include <QLabel>

namespace Wrenfold {

class TElidedLabel : public QLabel {
public:
    TElidedLabel(const QString& AText, QWidget* AParent);

    // text() stays the whole text.
    void SetText(const QString& AText);

    // The label never asks for more room than a few characters; the layout gives it the rest.
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* AEvent) override;
};

} // namespace Wrenfold
