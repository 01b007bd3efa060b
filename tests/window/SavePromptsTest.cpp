// The save prompts and their paths, project and input Save As with the folder switch, and the close
// query.
#include "window/WindowFixture.h"

using namespace Wrenfold;

namespace {

class SavePrompts : public WindowFixture {};
const QString SaveQuestion = QStringLiteral("Project has been modified. Save it now?");
const QString SwitchQuestion =
    QStringLiteral("You have just saved to another directory. Switch to this directory now?");
const QString InputQuestion = QStringLiteral("Input \"App.wfmInput\" has been modified. Save it now?");
const QString CloseQuestion = QStringLiteral("Close program?");
} // namespace

TEST_F(SavePrompts, ProjectSavePromptPaths) {
    const QString project = WriteAppProject();
    Show();
    OpenProject(project);
    TypeInto(Form->synProject, QStringLiteral("; edited\n"));

    // No: nothing is written and the mark stays.
    Prompter.Answers = {false};
    Click("btnSaveProject");
    EXPECT_EQ(QByteArray(AppProject), Read(project));
    EXPECT_EQ(QStringLiteral("&Project (mod)"), TabCaption(TDocumentTab::Project));

    // Yes with a folder and a name: written there in the format it was read in, mark cleared.
    Prompter.Answers = {true};
    Click("btnSaveProject");
    EXPECT_EQ(QByteArray("; edited\n") + AppProject, Read(project));
    EXPECT_EQ(QStringLiteral("&Project"), TabCaption(TDocumentTab::Project));
    EXPECT_FALSE(Button("btnSaveProject")->isEnabled());
    EXPECT_EQ((QStringList{SaveQuestion, SaveQuestion}), Prompter.Questions);
    EXPECT_EQ(1, Prompter.DialogsShown.size()); // only the open dialog
}

TEST_F(SavePrompts, ProjectSaveWithoutANameGoesThroughSaveAs) {
    Show();
    TypeInto(Form->synProject, QStringLiteral("[General]"));
    Form->UpdateActions();

    // Save As cancelled: nothing is saved, so the text keeps its mark.
    Prompter.Answers = {true};
    Prompter.Choices = {std::nullopt};
    Click("btnSaveProject");
    EXPECT_TRUE(Form->Engine().synProject.Modified());
    ASSERT_EQ(1, Prompter.DialogsShown.size());
    const TFileDialog& shown = Prompter.DialogsShown[0];
    EXPECT_EQ(TFileDialog::TKind::Save, shown.Kind);
    EXPECT_EQ(QStringLiteral("wfmconfig"), shown.DefaultExt);
    EXPECT_EQ((QStringList{"Projects (*.wfmconfig)", "All files (*)"}), shown.Filters);
    EXPECT_FALSE(shown.ShowReadOnly);

    // Saved: the switch question follows, and the mark is cleared.
    const QString target = Path("New/Mine.wfmconfig");
    QDir().mkpath(Path("New"));
    Prompter.Answers = {true, false};
    Prompter.Choices = {TScriptedPrompter::TChoice{target}};
    Click("btnSaveProject");
    EXPECT_EQ(QByteArray("[General]\r\nUse 'Open Project' or drag and drop a *.wfmconfig file here..."),
              Read(target));
    EXPECT_FALSE(Form->Engine().synProject.Modified());
    EXPECT_EQ((QStringList{SaveQuestion, SaveQuestion, SwitchQuestion}), Prompter.Questions);
    EXPECT_EQ(QStringLiteral("No folder"), Form->lblFolder->text());
}

TEST_F(SavePrompts, SaveAsAndTheFolderSwitch) {
    const QString project = WriteAppProject(QStringLiteral("A"));
    Write(QStringLiteral("B/Other.dpr"), "program Other;");
    Show();
    OpenProject(project);
    TypeInto(Form->synProject, QStringLiteral("; v2\n"));

    // Into B, switching: the folder label and the batch list follow; the name and the mark stay.
    Prompter.Answers = {true};
    Prompter.Choices = {TScriptedPrompter::TChoice{Path("B/Copy.wfmconfig")}};
    Click("btnSaveProjectAs");
    EXPECT_EQ(Path("A"), Prompter.DialogsShown.last().InitialDir);
    EXPECT_EQ(QStringLiteral("App"), Prompter.DialogsShown.last().FileName);
    EXPECT_EQ(Path("B"), Form->lblFolder->text());
    EXPECT_EQ(QStringLiteral("App"), Form->lblProjectName->text());
    ASSERT_EQ(1, Form->clbFileList->count());
    EXPECT_EQ(QStringLiteral("Other.dpr"), Form->clbFileList->item(0)->text());
    EXPECT_EQ(Qt::Checked, Form->clbFileList->item(0)->checkState());
    EXPECT_TRUE(Form->Engine().synProject.Modified());
    EXPECT_EQ(QByteArray("; v2\n") + AppProject, Read(Path("B/Copy.wfmconfig")));

    // Into C without switching: the folder stays B, and a later Save writes to B under the project's name.
    QDir().mkpath(Path("C"));
    Prompter.Answers = {false, true};
    Prompter.Choices = {TScriptedPrompter::TChoice{Path("C/Copy.wfmconfig")}};
    Click("btnSaveProjectAs");
    EXPECT_EQ(Path("B"), Form->lblFolder->text());
    Click("btnSaveProject");
    EXPECT_EQ(QByteArray("; v2\n") + AppProject, Read(Path("B/App.wfmconfig")));
    EXPECT_EQ(QByteArray(AppProject), Read(project));
}

TEST_F(SavePrompts, InputSaveGoesToTheTemplateOrThroughSaveAs) {
    const QString project = WriteAppProject();
    Write(QStringLiteral("Q/NoInput.wfmconfig"), "[Replace]\nA=1\n");
    Show();
    OpenProject(project);
    TypeInto(Form->synInput, QStringLiteral("<!-- v2 -->\n"));
    Prompter.Answers = {true};
    Click("btnSaveInput");
    EXPECT_EQ(QByteArray("<!-- v2 -->\n") + AppTemplate, Read(Path("P/App.wfmInput")));
    EXPECT_EQ(QStringLiteral("&Input"), TabCaption(TDocumentTab::Input));

    // A project that names no template: Save goes through the input dialog.
    OpenProject(Path("Q/NoInput.wfmconfig"));
    ASSERT_EQ(1, Prompter.Boxes.size()); // the general box for the missing InputName
    TypeInto(Form->synInput, QStringLiteral("x"));
    Prompter.Answers = {true};
    Prompter.Choices = {TScriptedPrompter::TChoice{Path("Q/Saved.wfminput")}};
    Click("btnSaveInput");
    const TFileDialog& shown = Prompter.DialogsShown.last();
    EXPECT_EQ(Path("Q"), shown.InitialDir);
    EXPECT_EQ(QString(), shown.FileName);
    EXPECT_EQ(QStringLiteral("wfminput"), shown.DefaultExt);
    EXPECT_EQ((QStringList{"Input files (*.wfminput)", "All files (*)"}), shown.Filters);
    EXPECT_EQ(QByteArray("x<!-- v2 -->\n") + AppTemplate, Read(Path("Q/Saved.wfminput")));
    EXPECT_FALSE(Form->Engine().synInput.Modified());
}

TEST_F(SavePrompts, OpeningAnotherProjectOffersTheUnsavedEditsFirst) {
    const QString first = WriteAppProject(QStringLiteral("A"));
    const QString second = WriteAppProject(QStringLiteral("B"));
    Show();
    OpenProject(first);
    TypeInto(Form->synProject, QStringLiteral("; kept\n"));
    TypeInto(Form->synInput, QStringLiteral("<!-- kept -->\n"));
    Prompter.Answers = {true, true};
    OpenProject(second);
    EXPECT_EQ((QStringList{SaveQuestion, InputQuestion}), Prompter.Questions);
    EXPECT_EQ(QByteArray("; kept\n") + AppProject, Read(first));
    EXPECT_EQ(QByteArray("<!-- kept -->\n") + AppTemplate, Read(Path("A/App.wfmInput")));
    EXPECT_EQ(Path("B"), Form->lblFolder->text());
}

TEST_F(SavePrompts, CloseQuery) {
    Show();
    // Nothing modified: only the close question; No keeps the window.
    Prompter.Answers = {false};
    EXPECT_FALSE(Form->close());
    EXPECT_TRUE(Form->isVisible());
    EXPECT_EQ(QStringList{CloseQuestion}, Prompter.Questions);

    // Modified: the save prompt first (declined), then the question; Yes closes.
    TypeInto(Form->synProject, QStringLiteral("x"));
    Prompter.Questions.clear();
    Prompter.Answers = {false, true};
    Click("btnClose");
    EXPECT_EQ((QStringList{SaveQuestion, CloseQuestion}), Prompter.Questions);
    EXPECT_FALSE(Form->isVisible());
}
