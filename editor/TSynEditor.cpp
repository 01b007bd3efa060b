#include "editor/TSynEditor.h"

#include "engine/TTextDocument.h"

#include <Qsci/qscilexerproperties.h>
#include <Qsci/qscilexerxml.h>

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
    connect(this, &QsciScintilla::textChanged, this, &TSynEditor::UserTextChanged);
    connect(this, &QsciScintilla::linesChanged, this, &TSynEditor::FitLineNumberMargin);
    FAppendTimer.setSingleShot(true);
    FAppendTimer.setInterval(AppendDelayMs);
    connect(&FAppendTimer, &QTimer::timeout, this, &TSynEditor::FlushAppends);
}

TSynEditor::~TSynEditor() = default;

QFont TSynEditor::EditorFont() {
    return DesignedOrFixedFont(QStringLiteral("Lucida Sans Typewriter"), 10);
}

QFont TSynEditor::GutterFont() {
    return DesignedOrFixedFont(QStringLiteral("Courier New"), 8);
}

void TSynEditor::Bind(TTextDocument* ADocument) {
    if (FDocument) disconnect(FDocument, nullptr, this, nullptr);
    FDocument = ADocument;
    if (FDocument) {
        connect(FDocument, &TTextDocument::Reset, this, &TSynEditor::DocumentReset);
        connect(FDocument, &TTextDocument::LineAppended, this, &TSynEditor::DocumentLineAppended);
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
    AChange();
    SendScintilla(SCI_SETUNDOCOLLECTION, 1UL);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    if (readOnly) SendScintilla(SCI_SETREADONLY, 1UL);
    FProgramChange = false;
}

void TSynEditor::DocumentReset() {
    FPendingAppend.clear();
    FAppendTimer.stop();
    // Lines are sent as bytes with their length, so a NUL inside a line survives.
    const QByteArray text = FDocument ? FDocument->Lines().join(QLatin1Char('\n')).toUtf8() : QByteArray();
    ProgramChange([&] {
        SendScintilla(SCI_CLEARALL);
        // Tracking only widens: new text starts from nothing again.
        SendScintilla(SCI_SETSCROLLWIDTH, 1UL);
        if (!text.isEmpty())
            SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(text.size()), text.constData());
    });
    FLineCount = FDocument ? FDocument->Count() : 0;
    FPendingEdits = false;
    FitLineNumberMargin();
    if (FFollowAppends) ScrollToEnd();
}

void TSynEditor::DocumentLineAppended(const QString& ALine) {
    // Text the user typed here becomes part of the document too, so both keep the same lines. The
    // document already holds the new line after its old ones.
    if (FPendingEdits) {
        FPendingEdits = false;
        QStringList lines = EditorLines();
        FLineCount = int(lines.size());
        lines.append(ALine);
        if (FDocument) FDocument->TakeEditedLines(lines);
    }
    if (FLineCount > 0) FPendingAppend += '\n';
    FPendingAppend += ALine.toUtf8();
    ++FLineCount;
    if (!FAppendTimer.isActive()) FAppendTimer.start();
}

void TSynEditor::FlushAppends() {
    FAppendTimer.stop();
    if (FPendingAppend.isEmpty()) return;
    const QByteArray bytes = std::exchange(FPendingAppend, QByteArray());
    ProgramChange(
        [&] { SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(bytes.size()), bytes.constData()); });
    FitLineNumberMargin();
    if (FFollowAppends) ScrollToEnd();
}

void TSynEditor::ScrollToEnd() {
    // A hidden control does not know the height it will have, so the end is brought into view
    // again once it shows.
    FScrollToEndWhenShown = !isVisible();
    SendScintilla(SCI_SCROLLTOEND);
}

void TSynEditor::showEvent(QShowEvent* AEvent) {
    QsciScintilla::showEvent(AEvent);
    if (!std::exchange(FScrollToEndWhenShown, false)) return;
    // After the control has taken its size.
    QTimer::singleShot(0, this, [this] { SendScintilla(SCI_SCROLLTOEND); });
}

void TSynEditor::DocumentModifiedChanged(bool AModified) {
    if (!AModified) setModified(false);
}

void TSynEditor::DocumentUndoReset() {
    SendScintilla(SCI_EMPTYUNDOBUFFER);
}

void TSynEditor::UserTextChanged() {
    if (FProgramChange) return;
    FPendingEdits = true;
    if (FDocument) FDocument->SetModified(true);
}

QStringList TSynEditor::EditorLines() {
    FlushAppends();
    const long length = SendScintilla(SCI_GETLENGTH);
    QByteArray bytes(length + 1, '\0');
    SendScintilla(SCI_GETTEXT, static_cast<unsigned long>(length + 1), bytes.data());
    const QString text = QString::fromUtf8(bytes.constData(), length);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n') continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

void TSynEditor::FlushEdits() {
    if (!FPendingEdits) return;
    FPendingEdits = false;
    const QStringList lines = EditorLines();
    FLineCount = int(lines.size());
    if (FDocument) FDocument->TakeEditedLines(lines);
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
