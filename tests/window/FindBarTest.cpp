// The find bar over the window's editors: finding forwards and backwards with wrap-around, matching
// case, and replacing where the editor is editable.
#include "main/TFindBar.h"
#include "window/WindowFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

using namespace Wrenfold;

namespace {

class FindBar : public WindowFixture {};

struct TSelection {
    int LineFrom, IndexFrom, LineTo, IndexTo;
    bool operator==(const TSelection&) const = default;
};

std::ostream& operator<<(std::ostream& AStream, const TSelection& A) {
    return AStream << "(" << A.LineFrom << "," << A.IndexFrom << ")-(" << A.LineTo << "," << A.IndexTo << ")";
}

TSelection SelectionOf(QsciScintilla* AEditor) {
    TSelection s{};
    AEditor->getSelection(&s.LineFrom, &s.IndexFrom, &s.LineTo, &s.IndexTo);
    return s;
}

} // namespace

TEST_F(FindBar, FindMovesTheSelectionAndWraps) {
    Show();
    Activate();
    Form->Engine().synLog.SetLines({"alpha beta", "Beta gamma", "beta"});
    Form->ShowTab(TDocumentTab::Log);
    Form->synLog->setFocus();
    Press(Qt::CTRL | Qt::Key_F);
    QTest::keyClicks(Form->FindBar->edtFind, QStringLiteral("beta")); // found as it is typed
    EXPECT_EQ((TSelection{0, 6, 0, 10}), SelectionOf(Form->synLog));

    struct Case {
        QKeyCombination Key;
        bool MatchCase;
        TSelection Selection;
        QString Status;
    };
    const Case cases[] = {
        {QKeyCombination(Qt::Key_F3), false, {1, 0, 1, 4}, ""},
        {QKeyCombination(Qt::Key_Return), false, {2, 0, 2, 4}, ""}, // Enter in the find box
        {QKeyCombination(Qt::Key_F3), false, {0, 6, 0, 10}, "Search wrapped"},
        {Qt::SHIFT | Qt::Key_F3, false, {2, 0, 2, 4}, "Search wrapped"},
        {Qt::SHIFT | Qt::Key_Return, false, {1, 0, 1, 4}, ""},
        {Qt::SHIFT | Qt::Key_F3, false, {0, 6, 0, 10}, ""},
        // Matching case passes over "Beta".
        {QKeyCombination(Qt::Key_F3), true, {2, 0, 2, 4}, ""},
        {Qt::SHIFT | Qt::Key_F3, true, {0, 6, 0, 10}, ""},
        {Qt::SHIFT | Qt::Key_F3, true, {2, 0, 2, 4}, "Search wrapped"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QKeySequence(c.Key).toString().toStdString());
        Form->FindBar->chkMatchCase->setChecked(c.MatchCase);
        Press(c.Key);
        EXPECT_EQ(c.Selection, SelectionOf(Form->synLog));
        EXPECT_EQ(c.Status, Form->FindBar->lblStatus->text());
    }

    // Nothing found leaves the selection where it was.
    Form->FindBar->edtFind->setText(QStringLiteral("delta"));
    EXPECT_FALSE(Form->FindBar->FindNext());
    EXPECT_EQ((TSelection{2, 0, 2, 4}), SelectionOf(Form->synLog));
    EXPECT_EQ(QStringLiteral("Not found"), Form->FindBar->lblStatus->text());

    // The bar searches the editor of the tab in front, and hides on the Batch tab.
    Form->Engine().synOutput.SetLines({"x", "<delta/>"});
    Form->ShowTab(TDocumentTab::Output);
    EXPECT_TRUE(Form->FindBar->FindNext());
    EXPECT_EQ((TSelection{1, 1, 1, 6}), SelectionOf(Form->synOutput));
    Form->ShowTab(TDocumentTab::Batch);
    EXPECT_FALSE(Form->FindBar->isVisible());
    Form->ShowTab(TDocumentTab::Log);
    EXPECT_TRUE(Form->FindBar->isVisible());
}

TEST_F(FindBar, ReplaceWhereTheEditorIsEditable) {
    const QString project = WriteAppProject();
    Show();
    OpenProject(project, true); // the project text read-only
    Activate();
    TFindBar* bar = Form->FindBar;

    Form->synProject->setFocus();
    Press(Qt::CTRL | Qt::Key_H);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_FALSE(bar->edtReplace->isVisible());
    bar->edtFind->setText(QStringLiteral("Name"));
    EXPECT_EQ(0, bar->ReplaceAll());
    EXPECT_EQ(QByteArray(AppProject).split('\n').first(), Form->synProject->EditorLines().first().toUtf8());

    // The template: all at once in one undo step, where a replacement that holds the text found is
    // not found again; then one replacement a press.
    Form->ShowTab(TDocumentTab::Input);
    Form->synInput->setFocus();
    Press(Qt::CTRL | Qt::Key_H);
    ASSERT_TRUE(bar->edtReplace->isVisible());
    bar->edtFind->setText(QStringLiteral("name"));
    bar->edtReplace->setText(QStringLiteral("NameX"));
    const std::string original = Form->synInput->text().toStdString();
    EXPECT_EQ(3, bar->ReplaceAll());
    EXPECT_EQ("<Project>\n  <NameX>$P(NameX)</NameX>\n</Project>\n", Form->synInput->text().toStdString());
    EXPECT_EQ(QStringLiteral("3 replaced"), bar->lblStatus->text());
    // The edits are the user's: they reach the document.
    Form->UpdateActions();
    EXPECT_EQ(QStringLiteral("&Input (mod)"), TabCaption(TDocumentTab::Input));
    EXPECT_EQ(QStringLiteral("  <NameX>$P(NameX)</NameX>"), Form->Engine().synInput.Line(1));
    Form->synInput->undo();
    EXPECT_EQ(original, Form->synInput->text().toStdString());

    Form->synInput->setCursorPosition(0, 0);
    bar->ReplaceNext(); // finds
    EXPECT_EQ(original, Form->synInput->text().toStdString());
    bar->ReplaceNext(); // replaces, and finds the next
    EXPECT_EQ("<Project>\n  <NameX>$P(Name)</Name>\n</Project>\n", Form->synInput->text().toStdString());
    EXPECT_EQ((TSelection{1, 12, 1, 16}), SelectionOf(Form->synInput));
}
