#include "main/TFindBar.h"

#include <Qsci/qsciscintilla.h>

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

namespace Wrenfold {

namespace {

QAbstractButton* BarButton(QAbstractButton* AButton, const QString& AHint) {
    AButton->setToolTip(AHint);
    AButton->setFocusPolicy(Qt::TabFocus);
    if (auto* push = qobject_cast<QPushButton*>(AButton)) push->setAutoDefault(false);
    return AButton;
}

QToolButton* IconButton(QStyle::StandardPixmap AIcon, QWidget* AParent) {
    auto* button = new QToolButton(AParent);
    button->setIcon(AParent->style()->standardIcon(AIcon));
    button->setAutoRaise(true);
    return button;
}

} // namespace

TFindBar::TFindBar(QWidget* AParent) : QWidget(AParent) {
    setObjectName(QStringLiteral("FindBar"));
    edtFind = new QLineEdit(this);
    edtFind->setObjectName(QStringLiteral("edtFind"));
    edtFind->setPlaceholderText(QStringLiteral("Find"));
    edtReplace = new QLineEdit(this);
    edtReplace->setObjectName(QStringLiteral("edtReplace"));
    edtReplace->setPlaceholderText(QStringLiteral("Replace with"));
    for (QLineEdit* edit : {edtFind, edtReplace})
        edit->setMinimumWidth(120);
    QAbstractButton* previous = BarButton(IconButton(QStyle::SP_ArrowUp, this),
                                          QStringLiteral("Finds the previous match (Shift+F3)"));
    QAbstractButton* next =
        BarButton(IconButton(QStyle::SP_ArrowDown, this), QStringLiteral("Finds the next match (F3)"));
    chkMatchCase = new QCheckBox(QStringLiteral("Match case"), this);
    chkMatchCase->setFocusPolicy(Qt::TabFocus);
    lblStatus = new QLabel(this);
    QAbstractButton* close = BarButton(IconButton(QStyle::SP_TitleBarCloseButton, this),
                                       QStringLiteral("Closes the find bar (Esc)"));
    close->setFocusPolicy(Qt::NoFocus);
    QAbstractButton* replace = BarButton(new QPushButton(QStringLiteral("Replace"), this),
                                         QStringLiteral("Replaces the match and finds the next"));
    QAbstractButton* replaceAll = BarButton(new QPushButton(QStringLiteral("Replace All"), this),
                                            QStringLiteral("Replaces every match"));
    FReplaceRow = {edtReplace, replace, replaceAll};

    // The find box above the replace box, each followed by its buttons.
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 3, 6, 3);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(3);
    layout->addWidget(edtFind, 0, 0);
    auto* arrows = new QHBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(previous);
    arrows->addWidget(next);
    arrows->addStretch(1);
    layout->addLayout(arrows, 0, 1);
    layout->addWidget(chkMatchCase, 0, 2);
    layout->addWidget(lblStatus, 0, 3);
    layout->addWidget(close, 0, 4);
    layout->addWidget(edtReplace, 1, 0);
    layout->addWidget(replace, 1, 1);
    layout->addWidget(replaceAll, 1, 2);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(3, 1);

    connect(edtFind, &QLineEdit::returnPressed, this, &TFindBar::FindNext);
    connect(edtFind, &QLineEdit::textEdited, this, [this] {
        // Typing searches on from where the match being typed starts.
        if (!FEditor || edtFind->text().isEmpty()) return;
        const long start = FEditor->SendScintilla(QsciScintilla::SCI_GETSELECTIONSTART);
        FEditor->SendScintilla(QsciScintilla::SCI_SETEMPTYSELECTION, start);
        Find(true);
    });
    auto* backwards = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Return), edtFind, nullptr, nullptr,
                                    Qt::WidgetShortcut);
    connect(backwards, &QShortcut::activated, this, &TFindBar::FindPrevious);
    connect(edtReplace, &QLineEdit::returnPressed, this, &TFindBar::ReplaceNext);
    connect(previous, &QAbstractButton::clicked, this, &TFindBar::FindPrevious);
    connect(next, &QAbstractButton::clicked, this, &TFindBar::FindNext);
    connect(replace, &QAbstractButton::clicked, this, &TFindBar::ReplaceNext);
    connect(replaceAll, &QAbstractButton::clicked, this, &TFindBar::ReplaceAll);
    connect(close, &QAbstractButton::clicked, this, &TFindBar::Close);
    auto* escape =
        new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &TFindBar::Close);
    UpdateVisibility();
}

void TFindBar::SetEditor(QsciScintilla* AEditor) {
    if (AEditor != FEditor) lblStatus->clear();
    FEditor = AEditor;
    UpdateVisibility();
}

void TFindBar::UpdateVisibility() {
    setVisible(FOpen && FEditor);
    const bool replacing = FReplacing && FEditor && !FEditor->isReadOnly();
    for (QWidget* widget : FReplaceRow)
        widget->setVisible(replacing);
}

void TFindBar::Open(bool AReplace) {
    if (!FEditor) return;
    FOpen = true;
    FReplacing = AReplace && !FEditor->isReadOnly();
    const QString selected = FEditor->selectedText();
    if (!selected.isEmpty() && !selected.contains(QLatin1Char('\n')) && !selected.contains(QLatin1Char('\r')))
        edtFind->setText(selected);
    UpdateVisibility();
    edtFind->setFocus();
    edtFind->selectAll();
}

void TFindBar::OpenFind() {
    Open(false);
}

void TFindBar::OpenReplace() {
    Open(true);
}

void TFindBar::Close() {
    FOpen = false;
    FReplacing = false;
    UpdateVisibility();
    if (FEditor) FEditor->setFocus();
}

bool TFindBar::FindNext() {
    return Find(true);
}

bool TFindBar::FindPrevious() {
    return Find(false);
}

bool TFindBar::Find(bool AForward) {
    if (!FEditor) return false;
    const QString text = edtFind->text();
    if (text.isEmpty()) {
        OpenFind();
        return false;
    }
    // From the end of the selection forwards, from its start backwards, so a match found is passed.
    const long start = FEditor->SendScintilla(QsciScintilla::SCI_GETSELECTIONSTART);
    const long end = FEditor->SendScintilla(QsciScintilla::SCI_GETSELECTIONEND);
    int line = 0, index = 0;
    FEditor->lineIndexFromPosition(int(AForward ? end : start), &line, &index);
    const bool found =
        FEditor->findFirst(text, false, chkMatchCase->isChecked(), false, true, AForward, line, index, true);
    if (!found) {
        lblStatus->setText(QStringLiteral("Not found"));
        return false;
    }
    const bool wrapped = AForward ? FEditor->SendScintilla(QsciScintilla::SCI_GETSELECTIONSTART) < end
                                  : FEditor->SendScintilla(QsciScintilla::SCI_GETSELECTIONEND) > start;
    lblStatus->setText(wrapped ? QStringLiteral("Search wrapped") : QString());
    return true;
}

bool TFindBar::SelectionIsMatch() const {
    const QString selected = FEditor->selectedText();
    return !selected.isEmpty() &&
           selected.compare(edtFind->text(),
                            chkMatchCase->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0;
}

void TFindBar::ReplaceNext() {
    if (!FEditor || FEditor->isReadOnly()) return;
    if (!edtFind->text().isEmpty() && SelectionIsMatch()) FEditor->replaceSelectedText(edtReplace->text());
    Find(true);
}

int TFindBar::ReplaceAll() {
    const QString text = edtFind->text();
    if (!FEditor || FEditor->isReadOnly() || text.isEmpty()) return 0;
    int count = 0;
    int line = 0, index = 0;
    FEditor->beginUndoAction();
    while (
        FEditor->findFirst(text, false, chkMatchCase->isChecked(), false, false, true, line, index, false)) {
        FEditor->replaceSelectedText(edtReplace->text());
        FEditor->getCursorPosition(&line, &index);
        ++count;
    }
    FEditor->endUndoAction();
    lblStatus->setText(count > 0 ? QStringLiteral("%1 replaced").arg(count) : QStringLiteral("Not found"));
    return count;
}

} // namespace Wrenfold
