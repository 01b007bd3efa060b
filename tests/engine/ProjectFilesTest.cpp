// Opening projects, naming the template and the output, listing the folder's Delphi projects.
#include "EngineFixture.h"

#include "engine/PathRules.h"

#include "Tessel/UKestLibrary/Files.h"

using namespace Wrenfold;

namespace {

class ProjectFiles : public EngineFixture {};

} // namespace

TEST_F(ProjectFiles, LoadingAProjectLogsItsStepsAndLoadsTheTemplate) {
    WriteText("b.DPR", "");
    WriteText("A.dpr", "");
    WriteText("c.dpr.bak", "");
    QDir(Dir()).mkdir("folder.dpr");
    Engine.synProject.SetModified(true); // edits to the previous project
    Engine.synInput.SetModified(true);
    QStringList logWhenTextLoaded;
    QObject::connect(&Engine, &TWrenfoldEngine::ProjectTextLoaded, [&] { logWhenTextLoaded = LogLines(); });
    OpenProject("My.App.wfmconfig",
                Lines({"; comment", "[General]", "InputName=Template", "[Replace]", "A=1"}), "t");
    EXPECT_EQ(LogLines(), (QStringList{QString("Load project file \"%1\"").arg(PathOf("My.App.wfmconfig")),
                                       QString("Set current directory \"%1\"").arg(Dir()), "",
                                       "Set current project name \"My.App\"",
                                       QString("Load input file \"%1\"").arg(PathOf("Template.wfmInput"))}));
    EXPECT_EQ(Engine.CurrentProjectName(), "My.App");
    EXPECT_EQ(Engine.GetOutputFileName(), PathOf("My.App.dproj"));
    EXPECT_EQ(Engine.synInput.Lines(), QStringList{"t"});
    EXPECT_FALSE(Engine.synProject.Modified() || Engine.synInput.Modified())
        << "text fresh from disk is unmodified";
    // Announced once the text is in, before the name is taken (the window shows the Project tab).
    EXPECT_EQ(logWhenTextLoaded, LogLines().mid(0, 2));
    ASSERT_EQ(Engine.clbFileList.Count(), 2);
    EXPECT_EQ(Engine.clbFileList.Text(0), "A.dpr");
    EXPECT_EQ(Engine.clbFileList.Text(1), "b.DPR");
    EXPECT_TRUE(Engine.clbFileList.Checked(0) && Engine.clbFileList.Checked(1));
    EXPECT_TRUE(Host.Infos.isEmpty());
}

TEST_F(ProjectFiles, InputNameRules) {
    Engine.SetCurrentDirectory(Dir());
    struct TCase {
        QString InputLine, Expected;
    } cases[] = {
        {"InputName=Template", PathOf("Template.wfmInput")},
        {"InputName = ..\\T\\Base.xml ", QDir::cleanPath(Dir() + "/../T/Base.xml")},
        {"InputName=Base.", PathOf("Base.")},
        {"InputName=sub.d/Base", PathOf("sub.d/Base.wfmInput")},
        {"InputName=/abs/Base.xml", "/abs/Base.xml"},
        {"InputName=x", PathOf("x.wfmInput")},
        {"InputName=", ""},
        {"Other=1", ""},
    };
    for (const TCase& c : cases) {
        Engine.synProject.SetLines({"[general]", c.InputLine});
        EXPECT_EQ(Engine.GetInputFileName(), c.Expected) << c.InputLine.toStdString();
    }
}

TEST_F(ProjectFiles, TheAllProjectsNoticeFollowsTheProjectBeingOpened) {
    WriteText("One.dpr", "");
    WriteText("Two.dpr", "");
    OpenProject("Single.wfmconfig", Lines({"[General]", "InputName=Template"}), "t");
    EXPECT_TRUE(Host.Infos.isEmpty());
    WriteText("AllProjects.wfmconfig", Lines({"[General]", "InputName=Template"}));
    Engine.LoadProjectFile(PathOf("AllProjects.wfmconfig"));
    EXPECT_EQ(Host.Infos,
              QStringList{"2 Delphi projects found. These are listed in the batch tab if required."});
}

TEST_F(ProjectFiles, AFailedLoadKeepsWhatWasDoneBeforeIt) {
    OpenProject("Good.wfmconfig", Lines({"[General]", "InputName=Template"}), "old template");
    WriteText("Bad.wfmconfig", Lines({"[General]", "InputName=Missing"}));
    EXPECT_THROW(Engine.LoadProjectFile(PathOf("Bad.wfmconfig")), Tessel::Exception);
    EXPECT_EQ(Engine.CurrentProjectName(), "Bad");
    EXPECT_EQ(Engine.synProject.Lines(), (QStringList{"[General]", "InputName=Missing"}));
    EXPECT_EQ(Engine.synInput.Lines(), QStringList{"old template"});
}

TEST_F(ProjectFiles, TemplatesKeepTheirEncodingAndTheOutputTakesItWithTheirLineBreaks) {
    WriteBytes("Template.wfmInput", "\xEF\xBB\xBF<a>\xC3\xA9$P(A)</a>\n<b/>\n");
    WriteBytes("App.wfmconfig",
               "\xEF\xBB\xBF" +
                   Lines({"[General]", "InputName=Template", "[Replace]", "A=\xE2\x82\xAC"}).toUtf8());
    Engine.LoadProjectFile(PathOf("App.wfmconfig"));
    ASSERT_TRUE(Engine.MakeDprojCommand());
    EXPECT_EQ(ReadBytes("App.dproj"), "\xEF\xBB\xBF<a>\xC3\xA9\xE2\x82\xAC</a>\n<b/>\n");
    Engine.synInput.SaveToFile(PathOf("Saved.wfmInput"));
    EXPECT_EQ(ReadBytes("Saved.wfmInput"), ReadBytes("Template.wfmInput"));
}

TEST_F(ProjectFiles, FolderProblemsAreReportedAfterTheFolderIsStored) {
    EXPECT_THROW(Engine.SetCurrentDirectory(PathOf("no-such-folder")), Tessel::Exception);
    EXPECT_EQ(Engine.CurrentDirectory(), PathOf("no-such-folder"));
    EXPECT_THROW(Engine.SetCurrentDirectory(""), Tessel::Exception);
    Engine.SetCurrentDirectory(Dir());
    Engine.SetCurrentDirectory(Dir());
    EXPECT_EQ(LogLines().filter("Set current directory").size(), 4);
}

TEST(PathRules, FolderNameAndResolution) {
    EXPECT_EQ(Tessel::FileFolderPart("/p/x.wfmconfig"), "/p");
    EXPECT_EQ(Tessel::FileFolderPart("/x.wfmconfig"), "/");
    EXPECT_EQ(Tessel::FileFolderPart("x.wfmconfig"), "");
    EXPECT_EQ(Tessel::FileFolderPart("C:/x.wfmconfig"), "C:/");
    EXPECT_EQ(Tessel::FileBaseName("/p/My.App.wfmconfig"), "My.App");
    EXPECT_EQ(Tessel::FileBaseName("/p.d/Name"), "Name");
    struct TCase {
        QString Path, Directory, Expected;
    } cases[] = {
        {"", "/p", ""},
        {"a.txt", "/p", "/p/a.txt"},
        {"x", "/p", "/p/x"}, // one-character names resolve too
        {"..\\T\\b.xml", "/p/q", "/p/T/b.xml"},
        {"./a/../b", "/p", "/p/b"},
        {"/abs/../x", "/p", "/abs/../x"},
        {"C:\\Tools\\x", "/p", "C:/Tools/x"},
        {"a.txt", "", "/a.txt"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ResolvePathAgainst(c.Path, c.Directory), c.Expected) << c.Path.toStdString();
}
