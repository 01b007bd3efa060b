// The find bar under the tabs: finds text in the editor of the tab in front, forwards and backwards
// with wrap-around, and replaces it where that editor is editable.
#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
#include <Qsci/qsciscintilla.h>

namespace Wrenfold {

class TFindBar : public QWidget {
    Q_OBJECT
public:
    explicit TFindBar(QWidget* AParent = nullptr);

    // The editor searched; null (a tab without one) hides the bar until an editor is given again.
    void SetEditor(QsciScintilla* AEditor);
    QsciScintilla* Editor() const { return FEditor; }

    // Shows the bar with the find box focused, taking a selection within one line as the text to find.
    void OpenFind();
    // The same with the replace box, when the editor is editable; else as OpenFind.
    void OpenReplace();
    // Hides the bar and hands the focus back to the editor.
    void Close();
    bool IsOpen() const { return FOpen; }

    // Selects the next or previous match, wrapping at the end or start; false when there is none.
    // Without text to find they open the bar instead.
    bool FindNext();
    bool FindPrevious();
    // Replaces the selected match and finds the next; a selection that is no match is only found.
    void ReplaceNext();
    // Replaces every match in one undo step; returns how many.
    int ReplaceAll();

    QLineEdit *edtFind = nullptr, *edtReplace = nullptr;
    QCheckBox* chkMatchCase = nullptr;
    // "Not found", "Search wrapped", "3 replaced" or nothing.
    QLabel* lblStatus = nullptr;

private:
    bool Find(bool AForward);
    bool SelectionIsMatch() const;
    void Open(bool AReplace);
    void UpdateVisibility();

    QPointer<QsciScintilla> FEditor;
    QList<QWidget*> FReplaceRow; // shown for replacing only
    bool FOpen = false;
    bool FReplacing = false;
};

} // namespace Wrenfold
