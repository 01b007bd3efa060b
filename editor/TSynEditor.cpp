#include "editor/TSynEditor.h"

#include "engine/TTextDocument.h"

#include <Qsci/qscilexerproperties.h>
#include <Qsci/qscilexerxml.h>

#include <QAccessible>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QMimeData>
#include <QPalette>

namespace Wrenfold {

namespace {

constexpr int MarginCount = 5;
constexpr int LineNumberMargin = 0;
constexpr int AppendDelayMs = 50;

QFont DesignedOrFixedFont(const QString& AFamily, int APointSize) {
    QFont font;
    if (QFontDatabase::hasFamily(AFamily)) {
        font = QFont(AFamily, APointSize);
    } else {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(APointSize);
    }
    font.setFixedPitch(true);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// Splits at CR LF, LF and CR; a final break gives an empty last line.
QStringList SplitEditorText(const QString& AText) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < AText.size(); ++i) {
        const QChar c = AText.at(i);
        if (c != u'\r' && c != u'\n') continue;
        lines.append(AText.mid(start, i - start));
        if (c == u'\r' && i + 1 < AText.size() && AText.at(i + 1) == u'\n') ++i;
        start = i + 1;
    }
    lines.append(AText.mid(start));
    return lines;
}

} // namespace

TSynEditor::TSynEditor(QWidget* AParent) : QsciScintilla(AParent) {
    setUtf8(true);
    setFrameShape(QFrame::NoFrame);
    setEolMode(EolUnix);
    setBraceMatching(NoBraceMatch);
    setAutoIndent(false);
    setWrapMode(WrapNone);
    // The horizontal scroll bar only once a line is wider than the view.
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1UL);
    SendScintilla(SCI_SETSCROLLWIDTH, 1UL);
    SendScintilla(SCI_SETFONTQUALITY, SC_EFF_QUALITY_NON_ANTIALIASED);
    for (int margin = 0; margin < MarginCount; ++margin)
        setMarginWidth(margin, 0);
    ApplyFonts();
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this, &TSynEditor::ControlModified);
    connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, &TSynEditor::ControlUpdated);
    connect(this, &QsciScintilla::linesChanged, this, &TSynEditor::FitLineNumberMargin);
    FAppendTimer.setSingleShot(true);
    FAppendTimer.setInterval(AppendDelayMs);
    connect(&FAppendTimer, &QTimer::timeout, this, &TSynEditor::FlushAppends);
}

TSynEditor::~TSynEditor() {
    if (!FFirstControlDocument) return;
    SendScintilla(SCI_SETDOCPOINTER, 0UL, FFirstControlDocument);
    SendScintilla(SCI_RELEASEDOCUMENT, 0UL, FFirstControlDocument);
}

void TSynEditor::SetUncoloured() {
    if (FFirstControlDocument) return;
    // The base class keeps a pointer to the control's first text and releases it itself, so that
    // one is kept alive and put back when the editor goes.
    FFirstControlDocument = SendScintillaPtrResult(SCI_GETDOCPOINTER);
    SendScintilla(SCI_ADDREFDOCUMENT, 0UL, FFirstControlDocument);
    const long eolMode = SendScintilla(SCI_GETEOLMODE);
    auto* document = reinterpret_cast<void*>(
        SendScintilla(SCI_CREATEDOCUMENT, 0UL, static_cast<long>(SC_DOCUMENTOPTION_STYLES_NONE)));
    SendScintilla(SCI_SETDOCPOINTER, 0UL, document);
    SendScintilla(SCI_RELEASEDOCUMENT, 0UL, document); // the control holds it now
    // The code page and the line-break mode belong to the text.
    SendScintilla(SCI_SETEOLMODE, static_cast<unsigned long>(eolMode));
    setUtf8(true);
    ShowDocument();
}

QFont TSynEditor::EditorFont() {
    return DesignedOrFixedFont(QStringLiteral("Lucida Sans Typewriter"), 10);
}

QFont TSynEditor::GutterFont() {
    return DesignedOrFixedFont(QStringLiteral("Courier New"), 8);
}

void TSynEditor::Bind(TTextDocument* ADocument) {
    if (FDocument) disconnect(FDocument, nullptr, this, nullptr);
    FAppendWatch = {};
    FDocument = ADocument;
    if (FDocument) {
        connect(FDocument, &TTextDocument::Reset, this, &TSynEditor::DocumentReset);
        connect(FDocument, &TTextDocument::ModifiedChanged, this, &TSynEditor::DocumentModifiedChanged);
        connect(FDocument, &TTextDocument::UndoReset, this, &TSynEditor::DocumentUndoReset);
    }
    DocumentReset();
}

void TSynEditor::SetHighlighter(TSynHighlighter AHighlighter) {
    if (AHighlighter == FHighlighter) return;
    FHighlighter = AHighlighter;
    QsciLexer* lexer = nullptr;
    if (AHighlighter == TSynHighlighter::Ini) {
        auto* ini = new QsciLexerProperties(this);
        ini->setColor(QApplication::palette().color(QPalette::Highlight), QsciLexerProperties::Section);
        ini->setColor(QColor(0x80, 0x00, 0x80), QsciLexerProperties::Assignment);
        lexer = ini;
    } else if (AHighlighter == TSynHighlighter::Xml) {
        lexer = new QsciLexerXML(this);
    }
    setLexer(lexer);
    delete FLexer;
    FLexer = lexer;
    ApplyFonts();
}

void TSynEditor::ApplyFonts() {
    const QFont font = EditorFont();
    if (FLexer) {
        FLexer->setDefaultFont(font);
        FLexer->setFont(font, -1);
    }
    setFont(font);
    setMarginsFont(GutterFont());
    FMarginDigits = 0;
    FitLineNumberMargin();
}

void TSynEditor::SetLineNumbers(bool AVisible) {
    FLineNumbers = AVisible;
    setMarginType(LineNumberMargin, NumberMargin);
    setMarginLineNumbers(LineNumberMargin, AVisible);
    FMarginDigits = 0;
    FitLineNumberMargin();
}

void TSynEditor::FitLineNumberMargin() {
    if (!FLineNumbers) {
        if (marginWidth(LineNumberMargin) != 0) setMarginWidth(LineNumberMargin, 0);
        return;
    }
    const int digits = int(QString::number(std::max(1, lines())).size());
    if (digits == FMarginDigits) return;
    FMarginDigits = digits;
    // One digit's room to spare, so the numbers never touch the text.
    setMarginWidth(LineNumberMargin, QString(digits + 1, QLatin1Char('9')));
}

template <typename F> void TSynEditor::ProgramChange(F AChange) {
    const bool readOnly = isReadOnly();
    FProgramChange = true;
    if (readOnly) SendScintilla(SCI_SETREADONLY, 0UL);
    SendScintilla(SCI_SETUNDOCOLLECTION, 0UL);
    // Every change the control reports is first turned into a character offset for assistive
    // technology, counted from the start of the text: appending to a long log would cost its whole
    // length each time. Without a screen reader listening nobody needs the report; the callers here
    // refit the gutter themselves and ignore the change signals of their own changes.
    const long eventMask = SendScintilla(SCI_GETMODEVENTMASK);
    const bool quiet = !QAccessible::isActive();
    if (quiet) SendScintilla(SCI_SETMODEVENTMASK, 0UL);
    AChange();
    if (quiet) SendScintilla(SCI_SETMODEVENTMASK, static_cast<unsigned long>(eventMask));
    SendScintilla(SCI_SETUNDOCOLLECTION, 1UL);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    if (readOnly) SendScintilla(SCI_SETREADONLY, 1UL);
    FProgramChange = false;
}

bool TSynEditor::Holding() const {
    // Held text is taken from the document's lines, so a log that does not keep them is never held.
    return FHoldWhileHidden && !isVisible() && KeepsLines();
}

void TSynEditor::WatchAppendsUnlessHolding() {
    // A held editor takes appended lines from the document when it catches up, so it need not hear
    // of each one (a batch appends a hundred thousand).
    const bool watch = FDocument && !Holding();
    if (watch == bool(FAppendWatch)) return;
    if (watch)
        FAppendWatch =
            connect(FDocument, &TTextDocument::LineAppended, this, &TSynEditor::DocumentLineAppended);
    else
        disconnect(std::exchange(FAppendWatch, {}));
}

void TSynEditor::SetHoldWhileHidden(bool AValue) {
    FHoldWhileHidden = AValue;
    WatchAppendsUnlessHolding();
    if (!AValue) CatchUp();
}

void TSynEditor::CatchUp() {
    if (FResetHeld)
        ShowDocument();
    else
        FlushAppends();
}

void TSynEditor::DocumentReset() {
    WatchAppendsUnlessHolding();
    FPendingAppend.clear();
    FAppendTimer.stop();
    // An emptied document costs nothing to show; holding it back would make every line appended
    // later wait for a reset that joins them all.
    if (Holding() && FDocument->Count() > 0) {
        FResetHeld = true;
        FLineCount = FDocument->Count();
        return;
    }
    ShowDocument();
}

void TSynEditor::ShowDocument() {
    FResetHeld = false;
    FPendingAppend.clear();
    FAppendTimer.stop();
    QByteArray encoded;
    const QByteArrayView text = FDocument ? DocumentBytesFrom(0, encoded) : QByteArrayView();
    ProgramChange([&] {
        SendScintilla(SCI_CLEARALL);
        // Tracking only widens: new text starts from nothing again.
        SendScintilla(SCI_SETSCROLLWIDTH, 1UL);
    });
    AppendToControl(text, false);
    FLineCount = FDocument ? FDocument->Count() : 0;
    FitLineNumberMargin();
    // New text is followed from its end again.
    FFollowing = true;
    if (FFollowAppends) ScrollToEnd();
}

QByteArrayView TSynEditor::DocumentBytesFrom(int AFrom, QByteArray& AEncoded) const {
    // Lines are sent as bytes with their length, so a NUL inside a line survives. A packed log is
    // sent as the bytes it keeps; other lines are encoded one by one, since a long document joined
    // first would be held twice more.
    if (const auto packed = FDocument->PackedUtf8From(AFrom)) return *packed;
    const int count = FDocument->Count();
    qsizetype size = 0;
    for (int i = AFrom; i < count; ++i)
        size += FDocument->Line(i).size() + 1;
    AEncoded.reserve(size);
    for (int i = AFrom; i < count; ++i) {
        if (i > AFrom) AEncoded += '\n';
        AEncoded += FDocument->Line(i).toUtf8();
    }
    return AEncoded;
}

void TSynEditor::AppendToControl(QByteArrayView ABytes, bool ASeparated) {
    if (ABytes.isEmpty() && !ASeparated) return;
    ProgramChange([&] {
        // Text larger than what the control holds takes its room at once, rather than the control
        // growing (and copying) its buffer step by step. An eighth more is left for the lines that
        // follow, which would otherwise make the control copy the whole text again at the next one.
        const long length = SendScintilla(SCI_GETLENGTH);
        if (ABytes.size() > length) {
            const qsizetype size = length + ABytes.size() + 1;
            SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(size + size / 8));
        }
        if (ASeparated) SendScintilla(SCI_APPENDTEXT, 1UL, "\n");
        if (!ABytes.isEmpty())
            SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(ABytes.size()), ABytes.data());
    });
}

bool TSynEditor::Behind() const {
    if (FResetHeld) return true;
    return KeepsLines() ? FLineCount < FDocument->Count() : !FPendingAppend.isEmpty();
}

void TSynEditor::DocumentLineAppended(const QString& ALine) {
    if (!KeepsLines()) {
        if (FLineCount > 0) FPendingAppend += '\n';
        FPendingAppend += ALine.toUtf8();
        ++FLineCount;
    } else if (FResetHeld || Holding()) {
        return; // taken from the document when shown
    }
    if (!FAppendTimer.isActive()) FAppendTimer.start();
}

void TSynEditor::FlushAppends() {
    FAppendTimer.stop();
    if (FResetHeld) return; // showing the held reset takes every line
    if (!KeepsLines()) {
        if (FPendingAppend.isEmpty()) return;
        AppendToControl(std::exchange(FPendingAppend, QByteArray()), false);
    } else {
        const int count = FDocument->Count();
        if (FLineCount >= count) return;
        QByteArray encoded;
        AppendToControl(DocumentBytesFrom(FLineCount, encoded), FLineCount > 0);
        FLineCount = count;
    }
    FitLineNumberMargin();
    if (FFollowAppends && FFollowing) ScrollToEnd();
}

bool TSynEditor::ViewAtEnd() {
    // Lines on screen counts whole lines only: scrolled to the end, the last line may show in part
    // (under the horizontal scroll bar, say), so one line short of the end counts as the end.
    const long first = SendScintilla(SCI_GETFIRSTVISIBLELINE);
    const long onScreen = SendScintilla(SCI_LINESONSCREEN);
    return first + onScreen + 1 >= SendScintilla(SCI_GETLINECOUNT);
}

void TSynEditor::ControlUpdated(int AUpdated) {
    // Only a visible view has a place the user put it.
    if ((AUpdated & SC_UPDATE_V_SCROLL) != 0 && isVisible()) FFollowing = ViewAtEnd();
}

void TSynEditor::ScrollToEnd() {
    // A hidden control does not know the height it will have, so the end is brought into view
    // again once it shows.
    FScrollToEndWhenShown = !isVisible();
    SendScintilla(SCI_SCROLLTOEND);
}

void TSynEditor::hideEvent(QHideEvent* AEvent) {
    QsciScintilla::hideEvent(AEvent);
    WatchAppendsUnlessHolding();
}

void TSynEditor::showEvent(QShowEvent* AEvent) {
    QsciScintilla::showEvent(AEvent);
    WatchAppendsUnlessHolding();
    const bool behind = Behind();
    CatchUp();
    if (!std::exchange(FScrollToEndWhenShown, false) && !(behind && FFollowAppends && FFollowing)) return;
    // After the control has taken its size.
    QTimer::singleShot(0, this, [this] { SendScintilla(SCI_SCROLLTOEND); });
}

void TSynEditor::DocumentModifiedChanged(bool AModified) {
    if (!AModified) setModified(false);
}

void TSynEditor::DocumentUndoReset() {
    SendScintilla(SCI_EMPTYUNDOBUFFER);
}

void TSynEditor::ControlModified(int APosition, int AType, const char*, int, int ALinesAdded, int, int, int,
                                 int, int) {
    if (FProgramChange || !FDocument || (AType & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT)) == 0) return;
    // The edit replaced the lines from the one it starts in: one more than it removed, by the ones
    // it added. Where the control's lines are the document's (no line of it holds a break, none is
    // held back), only those lines go over; otherwise the whole shown text.
    const int first = int(SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(APosition)));
    const int controlLines = int(SendScintilla(SCI_GETLINECOUNT));
    if (KeepsLines() && !FResetHeld && FLineCount == controlLines - ALinesAdded &&
        FLineCount <= FDocument->Count()) {
        QStringList lines;
        for (int i = first; i <= first + std::max(0, ALinesAdded); ++i)
            lines.append(ControlLine(i));
        FDocument->TakeEditedLines(first, 1 + std::max(0, -ALinesAdded), lines);
        FLineCount += ALinesAdded;
    } else {
        const QStringList lines = ShownLines();
        FDocument->TakeEditedLines(lines);
        FLineCount = int(lines.size());
    }
    FDocument->SetModified(true);
}

QString TSynEditor::ControlLine(int AIndex) {
    const long length = SendScintilla(SCI_LINELENGTH, static_cast<unsigned long>(AIndex));
    QByteArray bytes(length + 1, '\0');
    SendScintilla(SCI_GETLINE, static_cast<unsigned long>(AIndex), static_cast<void*>(bytes.data()));
    bytes.truncate(length);
    if (bytes.endsWith("\r\n"))
        bytes.chop(2);
    else if (bytes.endsWith('\n') || bytes.endsWith('\r'))
        bytes.chop(1);
    return QString::fromUtf8(bytes);
}

QStringList TSynEditor::ShownLines() {
    const long length = SendScintilla(SCI_GETLENGTH);
    QByteArray bytes(length + 1, '\0');
    SendScintilla(SCI_GETTEXT, static_cast<unsigned long>(length + 1), static_cast<void*>(bytes.data()));
    bytes.truncate(length);
    // Lines gathered for a document that does not keep them are shown a moment later: they are the
    // editor's all the same.
    if (!KeepsLines()) bytes += FPendingAppend;
    return SplitEditorText(QString::fromUtf8(bytes));
}

QStringList TSynEditor::EditorLines() {
    CatchUp();
    return ShownLines();
}

void TSynEditor::dragEnterEvent(QDragEnterEvent* AEvent) {
    if (AEvent->mimeData()->hasUrls())
        AEvent->ignore();
    else
        QsciScintilla::dragEnterEvent(AEvent);
}

void TSynEditor::dragMoveEvent(QDragMoveEvent* AEvent) {
    if (AEvent->mimeData()->hasUrls())
        AEvent->ignore();
    else
        QsciScintilla::dragMoveEvent(AEvent);
}

void TSynEditor::dropEvent(QDropEvent* AEvent) {
    if (AEvent->mimeData()->hasUrls())
        AEvent->ignore();
    else
        QsciScintilla::dropEvent(AEvent);
}

} // namespace Wrenfold
