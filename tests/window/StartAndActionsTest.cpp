// The window at start, its actions' captions, hints and enable rules, the idle refresh, the command
// line and the general error box.
#include "Tessel/UKestLibrary/Debug.h"
#include "Tessel/UKestLibrary/Status.h"
#include "Tessel/UKestLibrary/Version.h"
#include "main/IconTitleFont.h"
#include "main/UWrenfoldMessages.h"
#include "support/TLibraryHooksGuard.h"
#include "window/WindowFixture.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QTabBar>

using namespace Wrenfold;

namespace {

class StartAndActions : public WindowFixture {};

} // namespace

TEST_F(StartAndActions, AllSixTabsStayInViewAtOneWidthWithBothMarks) {
    const QString project = WriteAppProject();
    Show();
    OpenProject(project);
    TypeInto(Form->synProject, QStringLiteral("x"));
    TypeInto(Form->synInput, QStringLiteral("y"));
    ASSERT_EQ(QStringLiteral("&Project (mod)"), Form->PageControl->tabText(int(TDocumentTab::Project)));
    ASSERT_EQ(QStringLiteral("&Input (mod)"), Form->PageControl->tabText(int(TDocumentTab::Input)));
    const QTabBar* bar = Form->PageControl->tabBar();
    for (const QSize& size : {Form->size(), Form->minimumSize()}) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        Form->resize(size);
        QCoreApplication::processEvents();
        for (int i = 0; i < Form->PageControl->count(); ++i) {
            const QRect tab = bar->tabRect(i);
            EXPECT_TRUE(bar->rect().contains(tab)) << i;
            EXPECT_EQ(bar->tabRect(0).width(), tab.width()) << i;
            EXPECT_GE(tab.width(), bar->fontMetrics().horizontalAdvance(QStringLiteral("Project (mod)")))
                << i;
        }
        EXPECT_LE(bar->geometry().right(), Form->PageControl->rect().right());
    }
}

TEST_F(StartAndActions, StartState) {
    Show();
    struct Case {
        const char* Button;
        QString Caption, Hint;
        bool Enabled;
    };
    const Case cases[] = {
        {"btnOpenProject", "&Open", "Opens a config file (Ctrl+O)", true},
        {"btnSaveProject", "&Save", "Ctrl+S", false},
        {"btnSaveProjectAs", "Save &As", "Saves a config file", true},
        {"btnMakeDproj", "&Make Dproj", "Makes a single dproj file (F9)", false},
        {"btnClearLog", "Cl&ear Log", "Clears the log list", true},
        {"btnMakeBatch", "&Make Batch", "Makes a dproj file for every dpr in the folder (Shift+F9)", false},
        {"btnCancelBatch", "Cancel", "Stops the batch before its next project (Esc)", false},
        {"btnAll", "&All", "Selects all projects", true},
        {"btnNone", "&None", "Clears all projects", true},
        {"btnClose", "&Close", "Close the utility.", true},
        {"btnSaveInput", "&Save", "Saves the input file (Ctrl+S)", false},
        {"btnSaveInputAs", "Save &As", "", true},
        {"btnHelp", "&Help", "F1", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Button);
        QAbstractButton* button = Button(c.Button);
        ASSERT_NE(nullptr, button);
        EXPECT_EQ(c.Caption, button->text());
        EXPECT_EQ(c.Hint, button->toolTip());
        EXPECT_EQ(c.Enabled, button->isEnabled());
    }

    // The version block is linked into this suite as into the program.
    EXPECT_TRUE(Tessel::VersionInfo().Valid);
    EXPECT_EQ(QStringLiteral("V" WRENFOLD_PROJECT_VERSION_FOUR), Tessel::VersionStrDotted());
    EXPECT_EQ(QStringLiteral("Wrenfold R%1").arg(Tessel::VersionInfo().ReleaseNum), Form->windowTitle());
    EXPECT_EQ(QStringLiteral("Kestwell Systems Ltd"), Tessel::VersionInfo().CompanyName);

    const QStringList tabs{"&Project", "&Replace List", "&Input", "O&utput", "&Log", "&Batch"};
    ASSERT_EQ(tabs.size(), Form->PageControl->count());
    for (int i = 0; i < tabs.size(); ++i)
        EXPECT_EQ(tabs[i], Form->PageControl->tabText(i));
    EXPECT_EQ(0, Form->PageControl->currentIndex());
    EXPECT_EQ(QStringLiteral("No project name"), Form->lblProjectName->text());
    EXPECT_EQ(QStringLiteral("No folder"), Form->lblFolder->text());
    EXPECT_EQ((QStringList{"", "Use 'Open Project' or drag and drop a *.wfmconfig file here..."}),
              Form->synProject->EditorLines());
    EXPECT_TRUE(Form->acceptDrops());
    EXPECT_GE(Form->minimumWidth(), 560);
    EXPECT_GE(Form->minimumHeight(), 350);
    for (TSynEditor* editor : {Form->synReplaceList, Form->synInput, Form->synOutput, Form->synLog})
        EXPECT_EQ(QStringList{""}, editor->EditorLines());
    EXPECT_TRUE(Prompter.Boxes.isEmpty());
    EXPECT_TRUE(Prompter.Questions.isEmpty());

    Click("btnHelp");
    ASSERT_EQ(1, Prompter.Documents.size());
    EXPECT_TRUE(Prompter.Documents[0].endsWith(QStringLiteral("/Wrenfold.chm")))
        << Prompter.Documents[0].toStdString();
}

TEST_F(StartAndActions, TypingIsSeenWhenTheWindowGoesIdle) {
    Show();
    Form->synProject->setCursorPosition(0, 0);
    QTest::keyClicks(Form->synProject, QStringLiteral("[General]"));
    EXPECT_FALSE(Button("btnSaveProject")->isEnabled());
    Idle(); // the refresh comes from the event loop itself
    EXPECT_TRUE(Button("btnSaveProject")->isEnabled());
    EXPECT_TRUE(Button("btnMakeDproj")->isEnabled()); // the first line is no longer empty
    EXPECT_EQ(QStringLiteral("&Project (mod)"), TabCaption(TDocumentTab::Project));
    EXPECT_EQ(QStringLiteral("[General]"), Form->Engine().synProject.Line(0));

    QTest::keyClicks(Form->synInput, QStringLiteral("<x/>"));
    Idle();
    EXPECT_TRUE(Button("btnSaveInput")->isEnabled());
    EXPECT_EQ(QStringLiteral("&Input (mod)"), TabCaption(TDocumentTab::Input));

    // Typed text in the log is cleared with its mark by Clear Log.
    TypeInto(Form->synLog, QStringLiteral("note"));
    EXPECT_TRUE(Form->Engine().synLog.Modified());
    Click("btnClearLog");
    EXPECT_FALSE(Form->Engine().synLog.Modified());
    EXPECT_EQ(QStringList{""}, Form->synLog->EditorLines());
    EXPECT_FALSE(Form->synLog->isUndoAvailable());
}

TEST_F(StartAndActions, CommandLineProject) {
    const QString project = WriteAppProject();
    // Started in the temporary folder, so that a relative path is one from the shell's folder.
    const QString startFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(Dir.Path()));
    const auto restore = qScopeGuard([&] { QDir::setCurrent(startFolder); });
    struct Case {
        QString Argument;
        QString ProjectName, Folder;
    };
    const Case cases[] = {
        {project, "App", Path("P")},
        {"P/App.wfmconfig", "App", Path("P")},
        {"P/../P/App.wfmconfig", "App", Path("P")},
        {Path("P/Missing.wfmconfig"), "No project name", "No folder"},
        {Path("P"), "No project name", "No folder"}, // a folder is no file
        {"/DEMO", "No project name", "No folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Argument.toStdString());
        Show({QStringLiteral("wrenfold"), c.Argument});
        EXPECT_EQ(c.ProjectName, Form->lblProjectName->text());
        EXPECT_EQ(c.Folder, Form->lblFolder->text());
        EXPECT_TRUE(Prompter.Boxes.isEmpty());
        Form.reset();
    }
    Show({QStringLiteral("wrenfold"), project});
    EXPECT_EQ(QByteArray(AppTemplate).trimmed(), Form->Engine().synInput.Text().toUtf8().trimmed());
    EXPECT_TRUE(Button("btnMakeDproj")->isEnabled());
    EXPECT_EQ(0, Form->PageControl->currentIndex());
}

TEST_F(StartAndActions, FailuresLeavingOpenGoToTheGeneralErrorBox) {
    // A project without a template line opens only in part; the general box shows why, with the
    // full stop rule, and the log receives no error line.
    const QString project = Write(QStringLiteral("P/NoTemplate.wfmconfig"), "[Replace]\nA=1\n");
    Write(QStringLiteral("P/Gone.wfmconfig"), "[General]\nInputName=Gone\n[Replace]\nA=1\n");
    Show();
    OpenProject(project);
    OpenProject(Path("P/Gone.wfmconfig"));
    ASSERT_EQ(2, Prompter.Boxes.size());
    EXPECT_EQ(TMessageKind::Error, Prompter.Boxes[0].Kind);
    EXPECT_EQ(QStringLiteral("Wrenfold"), Prompter.Boxes[0].Caption);
    EXPECT_EQ(QStringLiteral("Missing InputName= declaration in project."), Prompter.Boxes[0].Text);
    EXPECT_EQ(QStringLiteral("Input file not found \"%1\"").arg(Path("P/Gone.wfmInput")),
              Prompter.Boxes[1].Text);
    for (const QString& line : LogLines())
        EXPECT_FALSE(line.startsWith(QStringLiteral("***Error")));
    EXPECT_EQ(QStringLiteral("Gone"), Form->lblProjectName->text()); // the steps done stay done

    // The silent abort a cancelled operation raises ends a command without a box.
    Prompter.OnDocument = [](const QString&) { throw Tessel::EAbort(); };
    Click("btnHelp");
    EXPECT_EQ(2, Prompter.Boxes.size());

    struct Case {
        QString Message, Shown;
    };
    const Case cases[] = {{"abc", "abc."},    {"Code 42", "Code 42."}, {"File \"x\"", "File \"x\""},
                          {"Done.", "Done."}, {"(a)", "(a)"},          {"", ""}};
    for (const Case& c : cases)
        EXPECT_EQ(c.Shown, ApplicationErrorText(c.Message));
}

TEST(LibraryDialogs, TheBusyCursorShowsWhileAProgressCodeIsSet) {
    const TLibraryHooksGuard hooks;
    InstallLibraryDialogs();
    Tessel::CreateStatusInfo();
    EXPECT_EQ(nullptr, QGuiApplication::overrideCursor());
    Tessel::StatusInfo->SetProgressCode(-1);
    Tessel::StatusInfo->SetProgressCode(40);
    ASSERT_NE(nullptr, QGuiApplication::overrideCursor());
    EXPECT_EQ(Qt::WaitCursor, QGuiApplication::overrideCursor()->shape());
    Tessel::StatusInfo->SetProgressCode(0);
    EXPECT_EQ(nullptr, QGuiApplication::overrideCursor()); // one override, restored once
    Tessel::FreeStatusInfo();
}

TEST(IconTitleFont, TakesTheTitleFacePlainAndLeavesTheRest) {
    QFont font(QStringLiteral("Serif"), 20);
    font.setBold(true);
    font.setItalic(true);
    font.setUnderline(true);
    font.setStrikeOut(true);
    font.setKerning(false);
    SetIconTitleFont(font);
    const QFont title = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    EXPECT_EQ(title.family(), font.family());
    if (title.pixelSize() > 0)
        EXPECT_EQ(title.pixelSize(), font.pixelSize());
    else
        EXPECT_EQ(title.pointSizeF(), font.pointSizeF());
    EXPECT_FALSE(font.bold() || font.italic() || font.underline() || font.strikeOut());
    EXPECT_FALSE(font.kerning());
}
