// The editor control: a QScintilla view bound to one engine text document.
#pragma once

#include "engine/TTextDocument.h"

#include <Qsci/qsciscintilla.h>

#include <QPointer>
#include <QTimer>

namespace Wrenfold {

enum class TSynHighlighter { None, Ini, Xml };

// Shows one TTextDocument, which owns the text. The protocol between the two:
// - Reset: the document's new lines replace the control's text. A change made by the program (a load,
//   an append) empties the undo history, so an undo never brings back text the program replaced.
// - Edits: each edit the user makes goes into the document as it happens (TakeEditedLines, the lines
//   it touched), so whoever reads the document reads what the user sees. The editor never writes into
//   its document from inside one of the document's own signals.
// - Appends: appended lines are handed to the control in one piece a moment later (or as soon as anything
// reads the text), so a stream of lines lays out and repaints once per frame, not per line. They are taken
// from the document then (a packed log as the bytes it keeps); a document that does not keep its
// appended lines has them gathered here. While a hold is on (a batch remaking every document once per
// project), a hidden editor keeps its document's resets and appends back: it catches up from the
// document when it is shown, read or released.
class TSynEditor : public QsciScintilla {
    Q_OBJECT
public:
    explicit TSynEditor(QWidget* AParent = nullptr);
    ~TSynEditor() override;

    void Bind(TTextDocument* ADocument);
    TTextDocument* Document() const { return FDocument; }

    void SetHighlighter(TSynHighlighter AHighlighter);
    TSynHighlighter Highlighter() const { return FHighlighter; }
    // A line-number gutter whose width follows the number of lines.
    void SetLineNumbers(bool AVisible);
    bool LineNumbers() const { return FLineNumbers; }
    // Keeps the last line in view as lines are appended (for the log), while the view is at the
    // end: scrolled up by the user, it stays where it was put until scrolled back to the end.
    void SetFollowAppends(bool AValue) { FFollowAppends = AValue; }
    // For text that is never coloured (the log): the control keeps no style per character, which
    // halves its memory for a long text. Called before any highlighter is set.
    void SetUncoloured();

    // The editor's text as document lines: split at CR LF, LF and CR; a final break gives an empty last line.
    QStringList EditorLines();
    // Shows the lines appended since the control last took the document's text.
    void FlushAppends();
    // Shows everything of the document the control does not show yet: a held reset, gathered lines.
    void CatchUp();
    // While on, a hidden editor keeps the document's resets back until it is shown; turning it off
    // catches up.
    void SetHoldWhileHidden(bool AValue);

    // The editing typeface (the designed one where installed, else the system's fixed font) and the
    // gutter's.
    static QFont EditorFont();
    static QFont GutterFont();

protected:
    // Files dragged over the editor are left to the window; text drags are the editor's own.
    void dragEnterEvent(QDragEnterEvent* AEvent) override;
    void dragMoveEvent(QDragMoveEvent* AEvent) override;
    void dropEvent(QDropEvent* AEvent) override;
    void showEvent(QShowEvent* AEvent) override;
    void hideEvent(QHideEvent* AEvent) override;

private:
    void DocumentReset();
    void ShowDocument();
    bool Holding() const;
    void WatchAppendsUnlessHolding();
    bool KeepsLines() const { return FDocument && FDocument->KeepsAppendedLines(); }
    // True while the control shows less of the document than there is.
    bool Behind() const;
    // The bound document's lines from AFrom on as UTF-8 joined by LF: a packed log's own bytes, or
    // the lines encoded into AEncoded.
    QByteArrayView DocumentBytesFrom(int AFrom, QByteArray& AEncoded) const;
    void AppendToControl(QByteArrayView ABytes, bool ASeparated);
    void DocumentLineAppended(const QString& ALine);
    void DocumentModifiedChanged(bool AModified);
    void DocumentUndoReset();
    // The control's text changed: an edit of the user's goes into the document.
    void ControlModified(int APosition, int AType, const char*, int, int ALinesAdded, int, int, int, int,
                         int);
    // Line AIndex of the control, without its line break.
    QString ControlLine(int AIndex);
    // What the editor shows and holds, as document lines: the control's text and the appended lines
    // gathered for it (read without changing the control).
    QStringList ShownLines();
    void FitLineNumberMargin();
    void ScrollToEnd();
    // True when the last line is in view.
    bool ViewAtEnd();
    void ControlUpdated(int AUpdated);
    void ApplyFonts();

    // Runs a change of the program's making: read-only lifted, no undo recorded, no edit reported.
    template <typename F> void ProgramChange(F AChange);

    QPointer<TTextDocument> FDocument;
    QMetaObject::Connection FAppendWatch;  // to the document's appended lines, while not holding
    void* FFirstControlDocument = nullptr; // the control's own text, put back before it is destroyed
    QsciLexer* FLexer = nullptr;
    TSynHighlighter FHighlighter = TSynHighlighter::None;
    bool FLineNumbers = false;
    bool FFollowAppends = false;
    bool FFollowing = true; // the view was at the end when it last scrolled
    bool FScrollToEndWhenShown = false;
    bool FHoldWhileHidden = false;
    bool FResetHeld = false;   // the document was reset while held; the control shows older text
    QByteArray FPendingAppend; // for a document that does not keep appended lines: those not shown
    QTimer FAppendTimer;
    bool FProgramChange = false;
    // Lines of the document the control shows; for a document that does not keep appended lines,
    // those gathered in FPendingAppend too.
    int FLineCount = 0;
    int FMarginDigits = 0;
};

} // namespace Wrenfold
