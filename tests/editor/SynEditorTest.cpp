// The editor control bound to a text document: repaint, streaming, edits flowing back, modified mark,
// undo, read-only, highlighters and gutters.
#include "editor/TSynEditor.h"

#include <Qsci/qscilexerproperties.h>
#include <Qsci/qscilexerxml.h>

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdint>

using namespace Wrenfold;

namespace {

struct EditorFixture : ::testing::Test {
    TTextDocument Document;
    TSynEditor Editor;
    EditorFixture() { Editor.Bind(&Document); }
    void Type(const QString& AText) {
        Editor.SendScintilla(QsciScintilla::SCI_DOCUMENTEND);
        QTest::keyClicks(&Editor, AText);
    }
};

} // namespace

TEST_F(EditorFixture, ShowsTheDocumentAsItChanges) {
    const QString nul(QChar(0));
    struct Case {
        const char* Name;
        QStringList Lines;
    };
    const Case cases[] = {
        {"empty", {}},
        {"one empty line", {""}},
        {"final line break kept as an empty last line", {"[General]", "InputName=T", ""}},
        {"a NUL inside a line", {"a" + nul + "b", "c"}},
        {"non-ASCII text", {QString::fromUtf8("Grüße €"), "x"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Document.SetLines(c.Lines);
        EXPECT_EQ(c.Lines.isEmpty() ? QStringList{""} : c.Lines, Editor.EditorLines());
        Document.Append(QStringLiteral("appended"));
        EXPECT_EQ(Document.Lines(), Editor.EditorLines());
    }
    Document.Clear();
    Document.Append(QString());
    Document.Append(QStringLiteral("second"));
    EXPECT_EQ((QStringList{"", "second"}), Editor.EditorLines());
    // A bulk change inside a bracket shows once it closes.
    Document.BeginUpdate();
    Document.SetLines({"one", "two"});
    Document.SetLine(1, QStringLiteral("three"));
    EXPECT_EQ((QStringList{"", "second"}), Editor.EditorLines());
    Document.EndUpdate();
    EXPECT_EQ((QStringList{"one", "three"}), Editor.EditorLines());
    EXPECT_FALSE(Document.Modified());
}

TEST_F(EditorFixture, StreamsAHundredThousandLogLines) {
    Editor.SetFollowAppends(true);
    Editor.resize(400, 300);
    Editor.show();
    for (int i = 1; i <= 100000; ++i) {
        Document.Append(QStringLiteral("Input line %1, replaced \"A\" with \"B\"").arg(i));
        if (i % 20000 == 0) QTest::qWait(60); // the window handles its events now and then, as in a batch
    }
    const QStringList lines = Editor.EditorLines();
    ASSERT_EQ(100000, lines.size());
    EXPECT_EQ(QStringLiteral("Input line 100000, replaced \"A\" with \"B\""), lines.last());
    EXPECT_EQ(Document.Lines(), lines);
    EXPECT_GT(Editor.SendScintilla(QsciScintilla::SCI_GETFIRSTVISIBLELINE), 99000);
    EXPECT_FALSE(Editor.isUndoAvailable());
}

TEST_F(EditorFixture, UserEditsSetTheMarkAndReachTheDocumentAsTheyHappen) {
    Document.SetLines({"[General]", "InputName=T"});
    EXPECT_FALSE(Document.Modified());

    Type(QStringLiteral("x"));
    EXPECT_TRUE(Document.Modified());
    EXPECT_EQ((QStringList{"[General]", "InputName=Tx"}), Document.Lines());
    // Edits that add and remove lines, undo and redo: the document has the editor's lines after each.
    Editor.SendScintilla(QsciScintilla::SCI_DOCUMENTSTART);
    QTest::keyClicks(&Editor, QStringLiteral("; a\rb"));
    EXPECT_EQ((QStringList{"; a", "b[General]", "InputName=Tx"}), Document.Lines());
    Editor.SendScintilla(QsciScintilla::SCI_SELECTALL);
    QTest::keyClick(&Editor, Qt::Key_Delete);
    EXPECT_EQ(QStringList{""}, Document.Lines());
    Editor.SendScintilla(QsciScintilla::SCI_UNDO);
    EXPECT_EQ((QStringList{"; a", "b[General]", "InputName=Tx"}), Document.Lines());
    Editor.SendScintilla(QsciScintilla::SCI_REDO);
    EXPECT_EQ(QStringList{""}, Document.Lines());
    // A pasted text of several lines, the last unfinished, into the middle of a line.
    Document.SetLines({"ab"});
    Editor.SendScintilla(QsciScintilla::SCI_GOTOPOS, 1UL);
    Editor.SendScintilla(QsciScintilla::SCI_REPLACESEL, std::uintptr_t(0), "1\r\n2\n3");
    EXPECT_EQ((QStringList{"a1", "2", "3b"}), Document.Lines());
    EXPECT_EQ(Document.Lines(), Editor.EditorLines());
    // A document line holding a break shows as two lines: the edit takes all of the text.
    Document.SetLines({"one\ntwo", "three"});
    Type(QStringLiteral("!"));
    EXPECT_EQ((QStringList{"one", "two", "three!"}), Document.Lines());

    // Loading text over it keeps the mark; clearing the mark reaches the editor.
    Document.SetLines({"new"});
    EXPECT_TRUE(Document.Modified());
    Document.SetModified(false);
    EXPECT_FALSE(Editor.isModified());

    // A line appended after typing keeps the typing in the document too.
    Type(QStringLiteral("y"));
    Document.Append(QStringLiteral("log"));
    EXPECT_EQ((QStringList{"newy", "log"}), Document.Lines());
    EXPECT_EQ(Document.Lines(), Editor.EditorLines());
}

TEST_F(EditorFixture, UndoHistoryIsEmptiedOnRequestAndByLoads) {
    Document.SetLines({"text"});
    Type(QStringLiteral("ab"));
    EXPECT_TRUE(Editor.isUndoAvailable());
    Document.ClearUndo();
    EXPECT_FALSE(Editor.isUndoAvailable());

    Type(QStringLiteral("c"));
    Document.SetLines({"loaded"});
    EXPECT_FALSE(Editor.isUndoAvailable()); // an undo cannot bring back the replaced text
}

TEST_F(EditorFixture, ReadOnlyRefusesTypingButNotTheProgram) {
    Editor.setReadOnly(true);
    Document.SetLines({"one"});
    Type(QStringLiteral("zz"));
    EXPECT_EQ(QStringList{"one"}, Editor.EditorLines());
    EXPECT_FALSE(Document.Modified());
    Document.Append(QStringLiteral("two"));
    EXPECT_EQ((QStringList{"one", "two"}), Editor.EditorLines());
    EXPECT_TRUE(Editor.isReadOnly());
}

TEST(SynEditor, HighlightersFontsAndGutters) {
    TTextDocument document;
    TSynEditor ini, xml, plain;
    for (TSynEditor* editor : {&ini, &xml, &plain})
        editor->Bind(&document);
    ini.SetHighlighter(TSynHighlighter::Ini);
    xml.SetHighlighter(TSynHighlighter::Xml);
    xml.SetLineNumbers(true);

    ASSERT_NE(nullptr, qobject_cast<QsciLexerProperties*>(ini.lexer()));
    EXPECT_EQ(QColor(0x80, 0x00, 0x80), ini.lexer()->color(QsciLexerProperties::Assignment));
    ASSERT_NE(nullptr, qobject_cast<QsciLexerXML*>(xml.lexer()));
    EXPECT_EQ(nullptr, plain.lexer());

    const QFont font = TSynEditor::EditorFont();
    EXPECT_EQ(10, font.pointSize());
    EXPECT_EQ(8, TSynEditor::GutterFont().pointSize());
    EXPECT_EQ(font.family(), ini.lexer()->font(QsciLexerProperties::Section).family());
    EXPECT_EQ(font.family(), xml.lexer()->font(QsciLexerXML::Tag).family());
    EXPECT_EQ(font.family(), plain.font().family());

    for (int margin = 0; margin < 5; ++margin) {
        EXPECT_EQ(0, ini.marginWidth(margin));
        EXPECT_EQ(0, plain.marginWidth(margin));
    }
    document.SetLines(QStringList(9, QStringLiteral("x")));
    const int narrow = xml.marginWidth(0);
    EXPECT_GT(narrow, 0);
    document.SetLines(QStringList(12000, QStringLiteral("x")));
    EXPECT_GT(xml.marginWidth(0), narrow);
    document.Clear();
    EXPECT_EQ(narrow, xml.marginWidth(0));
}

TEST_F(EditorFixture, AHorizontalScrollBarOnlyWhileALineIsWiderThanTheView) {
    Editor.resize(300, 200);
    Editor.show();
    struct Case {
        const char* Name;
        QStringList Lines;
        bool ScrollBar;
    };
    const Case cases[] = {
        {"empty", {}, false},
        {"short lines", {"[General]", "InputName=T"}, false},
        {"a long line", {"short", QString(400, QLatin1Char('x'))}, true},
        {"short again", {"short"}, false},
        {"empty again", {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Document.SetLines(c.Lines);
        QTest::qWait(50); // painted
        EXPECT_EQ(c.ScrollBar, Editor.horizontalScrollBar()->isVisible());
        EXPECT_FALSE(Editor.verticalScrollBar()->isVisible());
    }
}

TEST_F(EditorFixture, AFollowingEditorShowsItsLastLineWhenItComesToTheFront) {
    // The log fills while another tab is in front, then the user brings it forward.
    Editor.SetFollowAppends(true);
    Editor.resize(400, 300);
    for (int i = 1; i <= 500; ++i)
        Document.Append(QStringLiteral("line %1").arg(i));
    Editor.FlushAppends();
    Editor.show();
    QTest::qWait(50);
    const long first = Editor.SendScintilla(QsciScintilla::SCI_GETFIRSTVISIBLELINE);
    const long onScreen = Editor.SendScintilla(QsciScintilla::SCI_LINESONSCREEN);
    EXPECT_GE(first + onScreen, 500) << first << " + " << onScreen;
}

TEST_F(EditorFixture, AFollowingEditorStaysWhereTheUserScrolledUntilBackAtTheEnd) {
    Editor.SetFollowAppends(true);
    Editor.resize(400, 300);
    Editor.show();
    const auto append = [&](int ACount) {
        for (int i = 0; i < ACount; ++i)
            Document.Append(QStringLiteral("line"));
        Editor.FlushAppends();
        QTest::qWait(20); // painted
    };
    const auto atEnd = [&] {
        return Editor.SendScintilla(QsciScintilla::SCI_GETFIRSTVISIBLELINE) +
                   Editor.SendScintilla(QsciScintilla::SCI_LINESONSCREEN) >=
               Editor.SendScintilla(QsciScintilla::SCI_GETLINECOUNT);
    };
    append(300);
    EXPECT_TRUE(atEnd());
    Editor.SendScintilla(QsciScintilla::SCI_SETFIRSTVISIBLELINE, 10UL); // the user scrolls up
    QTest::qWait(20);
    append(50);
    EXPECT_EQ(10, Editor.SendScintilla(QsciScintilla::SCI_GETFIRSTVISIBLELINE)) << "stays where it was put";
    EXPECT_FALSE(atEnd());
    Editor.SendScintilla(QsciScintilla::SCI_SCROLLTOEND); // and back to the end
    QTest::qWait(20);
    append(50);
    EXPECT_TRUE(atEnd()) << "follows again";

    // A wide line brings the horizontal scroll bar, under which the last line shows in part: the
    // view is at the end all the same, and goes on following.
    Editor.resize(400, 323); // a height of part lines
    Document.Append(QString(300, QLatin1Char('w')));
    for (int round = 0; round < 5; ++round) {
        const long first = Editor.SendScintilla(QsciScintilla::SCI_GETFIRSTVISIBLELINE);
        append(40);
        EXPECT_GE(Editor.SendScintilla(QsciScintilla::SCI_GETFIRSTVISIBLELINE), first + 40) << round;
    }
}

TEST_F(EditorFixture, AHiddenEditorHoldsResetsUntilShownOrReleased) {
    // While held, a hidden editor takes no new text; it shows the document once it comes forward.
    Document.SetLines({"first"});
    Editor.resize(400, 300);
    Editor.SetHoldWhileHidden(true);
    Document.SetLines({"second", "text"});
    Document.Append(QStringLiteral("appended"));
    EXPECT_EQ(QStringLiteral("first"), Editor.text());
    Editor.show();
    EXPECT_EQ(QStringLiteral("second\ntext\nappended"), Editor.text());
    // A shown editor is not held.
    Document.SetLines({"third"});
    EXPECT_EQ(QStringLiteral("third"), Editor.text());

    // Releasing the hold catches up; an emptied document shows at once and later lines stream in.
    Editor.hide();
    Document.SetLines({"fourth"});
    EXPECT_EQ(QStringLiteral("third"), Editor.text());
    Editor.SetHoldWhileHidden(false);
    EXPECT_EQ(QStringLiteral("fourth"), Editor.text());
    Editor.SetHoldWhileHidden(true);
    Document.Clear();
    EXPECT_EQ(QString(), Editor.text());
    Document.Append(QStringLiteral("a"));
    Document.Append(QStringLiteral("b"));
    Editor.SetHoldWhileHidden(false);
    EXPECT_EQ(QStringLiteral("a\nb"), Editor.text());
    EXPECT_EQ(Document.Lines(), Editor.EditorLines());
}

TEST_F(EditorFixture, AnUncolouredEditorShowsAndTakesTextAsAnyOther) {
    Document.SetLines({"before"});
    Editor.SetUncoloured();
    EXPECT_EQ(long(QsciScintilla::SC_DOCUMENTOPTION_STYLES_NONE),
              Editor.SendScintilla(QsciScintilla::SCI_GETDOCUMENTOPTIONS));
    EXPECT_EQ(QStringList{"before"}, Editor.EditorLines());
    const QStringList lines{QString::fromUtf8("Grüße €"), QString(QChar(0)) + "x", ""};
    Document.SetLines(lines);
    EXPECT_EQ(lines, Editor.EditorLines());
    Type(QStringLiteral("typed"));
    EXPECT_TRUE(Document.Modified());
    EXPECT_EQ(QStringLiteral("typed"), Document.Lines().last());
    Editor.SendScintilla(QsciScintilla::SCI_UNDO);
    EXPECT_EQ(lines, Editor.EditorLines());
}

TEST(SynEditor, AppendedLinesReachTheControlHoweverTheDocumentKeepsThem) {
    // A list, a packed log, and a log that keeps nothing (its lines live in the editor only).
    enum class TKeeping { List, Packed, Nothing };
    for (const TKeeping keeping : {TKeeping::List, TKeeping::Packed, TKeeping::Nothing}) {
        SCOPED_TRACE(int(keeping));
        TTextDocument document;
        document.SetPackAppendedLines(keeping == TKeeping::Packed);
        document.SetKeepAppendedLines(keeping != TKeeping::Nothing);
        TSynEditor editor;
        editor.SetUncoloured();
        editor.resize(400, 300);
        editor.Bind(&document);

        document.Append(QStringLiteral("one"));
        document.Append(QString::fromUtf8("zwei €"));
        EXPECT_EQ((QStringList{"one", QString::fromUtf8("zwei €")}), editor.EditorLines());

        // Held while hidden (a document that keeps nothing is never held), caught up on release.
        editor.SetHoldWhileHidden(true);
        document.Append(QString());
        document.Append(QStringLiteral("four"));
        if (keeping != TKeeping::Nothing) {
            EXPECT_EQ(QString::fromUtf8("one\nzwei €"), editor.text());
        }
        editor.SetHoldWhileHidden(false);
        EXPECT_EQ(QString::fromUtf8("one\nzwei €\n\nfour"), editor.text());

        // Typing stays when a line is appended, in the document as well; a document that keeps no
        // appended lines took what the editor showed with the typing, and keeps none appended later.
        editor.SendScintilla(QsciScintilla::SCI_DOCUMENTEND);
        QTest::keyClicks(&editor, QStringLiteral("!"));
        document.Append(QStringLiteral("five"));
        const QStringList expected{"one", QString::fromUtf8("zwei €"), "", "four!", "five"};
        EXPECT_EQ(expected, editor.EditorLines());
        EXPECT_EQ(keeping == TKeeping::Nothing ? expected.mid(0, 4) : expected, document.Lines());
        document.Append(QStringLiteral("six"));
        EXPECT_EQ(expected + QStringList{"six"}, editor.EditorLines());
        if (keeping != TKeeping::Nothing) {
            EXPECT_EQ(expected + QStringList{"six"}, document.Lines());
        }
    }
}
