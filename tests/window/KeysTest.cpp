// The window's keys: accelerators on buttons and tabs, the command keys, and Ctrl+Tab.
#include "main/TFindBar.h"
#include "window/WindowFixture.h"

#include <QKeySequence>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabBar>

#include <set>

using namespace Wrenfold;

namespace {

class Keys : public WindowFixture {};

} // namespace

TEST_F(Keys, EveryButtonAndTabHasAnAcceleratorOfItsOwn) {
    Show();
    // What can be pressed with Alt on a tab: the tab captions, the bottom panel's buttons and the
    // buttons of the tab in front.
    for (int tab = 0; tab < Form->PageControl->count(); ++tab) {
        Form->PageControl->setCurrentIndex(tab);
        QStringList captions;
        for (int i = 0; i < Form->PageControl->count(); ++i)
            captions.append(Form->PageControl->tabText(i));
        for (QAbstractButton* button : Form->findChildren<QAbstractButton*>(QRegularExpression("^btn")))
            if (button->isVisible()) captions.append(button->text());
        std::set<int> keys;
        for (const QString& caption : captions) {
            SCOPED_TRACE(caption.toStdString());
            const QKeySequence key = QKeySequence::mnemonic(caption);
            ASSERT_FALSE(key.isEmpty());
            EXPECT_TRUE(keys.insert(key[0].toCombined()).second) << "on tab " << tab;
        }
    }
}

TEST_F(Keys, KeysTriggerTheirCommands) {
    const QString project = WriteAppProject();
    Write(QStringLiteral("P/App.dpr"), "program App;"); // gives the batch list an entry
    Show({QStringLiteral("wrenfold"), project});
    Activate();
    Form->synProject->setFocus();

    struct Case {
        const char* Name;
        QKeyCombination Key;
        std::function<void()> Before, Check;
    };
    const Case cases[] = {
        {"Ctrl+O opens", Qt::CTRL | Qt::Key_O, [&] { Prompter.Choices = {std::nullopt}; },
         [&] { EXPECT_EQ(QStringLiteral("Open"), Prompter.DialogsShown.last().Title); }},
        {"F9 makes the project", QKeyCombination(Qt::Key_F9), nullptr,
         [&] { EXPECT_EQ(QStringLiteral("Dproj output complete"), Prompter.Boxes.last().Text); }},
        {"Shift+F9 makes the batch", Qt::SHIFT | Qt::Key_F9, nullptr,
         [&] { EXPECT_TRUE(LogLines().contains(QStringLiteral("-- Batch starting ---"))); }},
        {"F1 opens the help", QKeyCombination(Qt::Key_F1), nullptr,
         [&] { EXPECT_EQ(1, Prompter.Documents.size()); }},
        {"Ctrl+Tab goes to the next tab", Qt::CTRL | Qt::Key_Tab, nullptr,
         [&] { EXPECT_EQ(int(TDocumentTab::ReplaceList), Form->PageControl->currentIndex()); }},
        {"Ctrl+Shift+Tab goes back", Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, nullptr,
         [&] { EXPECT_EQ(int(TDocumentTab::Project), Form->PageControl->currentIndex()); }},
        {"Ctrl+Shift+Tab wraps to the last tab", Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, nullptr,
         [&] { EXPECT_EQ(int(TDocumentTab::Batch), Form->PageControl->currentIndex()); }},
        {"Ctrl+Tab wraps to the first", Qt::CTRL | Qt::Key_Tab, nullptr,
         [&] { EXPECT_EQ(int(TDocumentTab::Project), Form->PageControl->currentIndex()); }},
        {"Alt+U shows the Output tab", Qt::ALT | Qt::Key_U, nullptr,
         [&] { EXPECT_EQ(int(TDocumentTab::Output), Form->PageControl->currentIndex()); }},
        {"Ctrl+F opens the find bar", Qt::CTRL | Qt::Key_F, nullptr,
         [&] {
             EXPECT_TRUE(Form->FindBar->isVisible());
             EXPECT_EQ(Form->FindBar->edtFind, QApplication::focusWidget());
         }},
        {"Esc closes it", QKeyCombination(Qt::Key_Escape), nullptr,
         [&] {
             EXPECT_FALSE(Form->FindBar->isVisible());
             EXPECT_EQ(Form->synOutput, QApplication::focusWidget());
         }},
        {"Ctrl+H opens it with the replace row", Qt::CTRL | Qt::Key_H, nullptr,
         [&] { EXPECT_TRUE(Form->FindBar->edtReplace->isVisible()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        if (c.Before) c.Before();
        Press(c.Key);
        c.Check();
    }
}

TEST_F(Keys, SaveKeysSaveWhatTheTabInFrontShows) {
    const QString project = WriteAppProject();
    Show();
    OpenProject(project);
    Activate();
    TypeInto(Form->synProject, QStringLiteral("; p\n"));
    TypeInto(Form->synInput, QStringLiteral("<!-- i -->\n"));
    struct Case {
        TDocumentTab Tab;
        QKeyCombination Key;
        QStringList Questions;
    };
    const Case cases[] = {
        {TDocumentTab::Project, Qt::CTRL | Qt::Key_S, {"Project has been modified. Save it now?"}},
        {TDocumentTab::Input,
         Qt::CTRL | Qt::Key_S,
         {"Input \"App.wfmInput\" has been modified. Save it now?"}},
        {TDocumentTab::Log, Qt::CTRL | Qt::Key_S, {}},
        // The accelerator reaches the Save button of the tab in front only.
        {TDocumentTab::Input,
         Qt::ALT | Qt::Key_S,
         {"Input \"App.wfmInput\" has been modified. Save it now?"}},
        {TDocumentTab::Project, Qt::ALT | Qt::Key_S, {"Project has been modified. Save it now?"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.Tab));
        Form->ShowTab(c.Tab);
        if (TSynEditor* editor = Form->CurrentEditor()) editor->setFocus();
        Prompter.Questions.clear();
        Prompter.Answers = QList<bool>(c.Questions.size(), false);
        Press(c.Key);
        QTest::qWait(150); // an accelerator clicks its button after a short flash
        EXPECT_EQ(c.Questions, Prompter.Questions);
    }
    EXPECT_EQ(QByteArray(AppProject), Read(project));
}
