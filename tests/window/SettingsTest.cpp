// What the window remembers between runs: its place, the last tab, the file dialogs' folders and the
// recent projects, in a settings file of the test's own.
#include "main/TRecentProjects.h"
#include "main/TWindowSettings.h"
#include "window/WindowFixture.h"

#include <QMenu>
#include <QToolButton>

using namespace Wrenfold;

namespace {

class Settings : public WindowFixture {};

// The recent projects as the Open button's menu offers them.
QList<QAction*> RecentEntries(TForm29& AForm) {
    QMenu* menu = AForm.btnOpenProject->menu();
    emit menu->aboutToShow();
    return menu->actions();
}

QStringList Captions(const QList<QAction*>& AEntries) {
    QStringList captions;
    for (const QAction* entry : AEntries)
        captions.append(entry->text());
    return captions;
}

} // namespace

TEST_F(Settings, SettingsWrittenByOneWindowAreReadByTheNext) {
    const QString project = WriteAppProject();
    QDir().mkpath(Path("Saved"));
    Show();
    Form->setGeometry(0, 50, 700, 480); // at the left edge: the window is as wide as the offscreen screen
    OpenProject(project);
    Prompter.Answers = {false}; // no switch of folder after Save As
    Prompter.Choices = {TScriptedPrompter::TChoice{Path("Saved/Copy.wfmconfig")}};
    Click("btnSaveProjectAs");
    Form->ShowTab(TDocumentTab::Log);
    Prompter.Answers = {true};
    ASSERT_TRUE(Form->close());
    const QRect geometry = Form->geometry();
    Form.reset();
    ASSERT_TRUE(QFile::exists(SettingsPath()));

    Show();
    EXPECT_EQ(geometry, Form->geometry());
    // Started without a project, the window opens where the start hint stands, not on the last tab.
    EXPECT_EQ(int(TDocumentTab::Project), Form->PageControl->currentIndex());
    // With no project open, each dialog starts in the folder it was last used in.
    Prompter.DialogsShown.clear();
    Prompter.Choices = {std::nullopt, std::nullopt};
    Click("btnOpenProject");
    Click("btnSaveProjectAs");
    ASSERT_EQ(2, Prompter.DialogsShown.size());
    EXPECT_EQ(Path("P"), Prompter.DialogsShown[0].InitialDir);
    EXPECT_EQ(Path("Saved"), Prompter.DialogsShown[1].InitialDir);
    EXPECT_EQ((QStringList{"&1 " + QDir::toNativeSeparators(project)}), Captions(RecentEntries(*Form)));
    // A project given on the command line comes to the front on the Project tab.
    Show({QStringLiteral("wrenfold"), project});
    EXPECT_EQ(int(TDocumentTab::Project), Form->PageControl->currentIndex());
}

TEST(WindowRect, ARememberedPlaceIsFittedToTheScreen) {
    const QRect screen(0, 0, 1280, 800);
    const QSize minimum(560, 350);
    const struct {
        const char* Name;
        QRect Window, Fitted;
    } cases[] = {
        {"fits", {100, 100, 700, 480}, {100, 100, 700, 480}},
        {"from a larger screen", {1500, 900, 1600, 1000}, {0, 0, 1280, 800}},
        {"partly off the right", {1000, 100, 700, 480}, {580, 100, 700, 480}},
        {"off the top left", {-300, -50, 700, 480}, {0, 0, 700, 480}},
        {"never below the minimum", {0, 0, 560, 350}, {0, 0, 560, 350}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Fitted, FittedWindowRect(c.Window, screen, minimum)) << c.Name;
    EXPECT_EQ(QRect(0, 0, 560, 350), FittedWindowRect({10, 10, 900, 900}, QRect(0, 0, 400, 300), minimum));
}

TEST_F(Settings, RecentProjectsFromTheOpenMenu) {
    // A folder name with a comma and an ampersand survives the settings file and the menu.
    const QString first = WriteAppProject(QStringLiteral("One, & more"));
    const QString second = WriteAppProject(QStringLiteral("Two"));
    const QString third = WriteAppProject(QStringLiteral("Three"));
    Show();
    EXPECT_EQ(QStringList{"No recent projects"}, Captions(RecentEntries(*Form)));
    EXPECT_FALSE(RecentEntries(*Form).first()->isEnabled());
    OpenProject(first);
    OpenProject(second);
    OpenProject(third);
    Show(); // read back by another window
    const QString shownFirst =
        QDir::toNativeSeparators(first).replace(QLatin1Char('&'), QStringLiteral("&&"));
    EXPECT_EQ((QStringList{"&1 " + third, "&2 " + second, "&3 " + shownFirst}),
              Captions(RecentEntries(*Form)));

    // Choosing one opens it and puts it first.
    RecentEntries(*Form)[2]->trigger();
    EXPECT_EQ(Path("One, & more"), Form->lblFolder->text());
    EXPECT_EQ((QStringList{"&1 " + shownFirst, "&2 " + third, "&3 " + second}),
              Captions(RecentEntries(*Form)));

    // One that is gone leaves the list with a notice, and the open project stays.
    QDir(Path("Two")).removeRecursively();
    RecentEntries(*Form)[2]->trigger();
    ASSERT_EQ(1, Prompter.Boxes.size());
    EXPECT_EQ(TMessageKind::Information, Prompter.Boxes[0].Kind);
    EXPECT_EQ(QStringLiteral("Project file not found \"%1\". It has been removed from the recent projects.")
                  .arg(second),
              Prompter.Boxes[0].Text);
    EXPECT_EQ((QStringList{"&1 " + shownFirst, "&2 " + third}), Captions(RecentEntries(*Form)));
    EXPECT_EQ(Path("One, & more"), Form->lblFolder->text());
}

TEST(RecentProjects, MostRecentFirstOnceAndAtMostTen) {
    QTemporaryDir dir;
    TWindowSettings settings(std::make_unique<QSettings>(dir.filePath("s.ini"), QSettings::IniFormat));
    TRecentProjects recent(settings);
    for (int i = 1; i <= 12; ++i)
        recent.Add(QStringLiteral("/p/%1.wfmconfig").arg(i));
    recent.Add(QStringLiteral("/p/x/../5.wfmconfig")); // the same file, written another way
    QStringList expected{"/p/5.wfmconfig"};
    for (int i = 12; i >= 3; --i)
        if (i != 5) expected.append(QStringLiteral("/p/%1.wfmconfig").arg(i));
    EXPECT_EQ(expected, recent.Files());
    recent.Remove(QStringLiteral("/p/12.wfmconfig"));
    expected.removeAll(QStringLiteral("/p/12.wfmconfig"));
    EXPECT_EQ(expected, recent.Files());
}
