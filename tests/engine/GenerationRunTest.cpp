// Whole Make Dproj runs on project folders in a temporary directory.
#include "EngineFixture.h"

using namespace Wrenfold;

namespace {

class GenerationRun : public EngineFixture {};

const QString Project = Lines({"[General]", "InputName=Template", "[Replace]", "Name=App",
                               "Guid=$GET(RANDOMGUID)", "[PostActions]", "FileCopy=App.dproj;Copy.dproj"});
const QString Template = Lines({"<Project>", "<Name>$P(Name)</Name>", "<Guid>$P(Guid)</Guid>", "</Project>"});

} // namespace

TEST_F(GenerationRun, MakeDprojWritesTheOutputAndLogsEveryStep) {
    OpenProject("App.wfmconfig", Project, Template);
    ASSERT_TRUE(Engine.MakeDprojCommand());

    const QStringList log = LogLines();
    ASSERT_EQ(log.size(), 8) << log.join('\n').toStdString();
    EXPECT_EQ(log[0], QString("Making Dproj from project \"App\" in directory \"%1\"").arg(Dir()));
    EXPECT_EQ(log[1], QString("Load input file \"%1\"").arg(PathOf("Template.wfmInput")));
    EXPECT_TRUE(log[2].startsWith("Replaced $GET(RANDOMGUID) with \"{"));
    EXPECT_EQ(log[3], "Input line 2, replaced \"Name\" with \"App\"");
    EXPECT_TRUE(log[4].startsWith("Input line 3, replaced \"Guid\" with \"{"));
    EXPECT_EQ(log[5], QString("Dproj output file written \"%1\"").arg(PathOf("App.dproj")));
    EXPECT_EQ(log[6], QString("PostActions: FileCopy action - Copied file \"%1\" to \"%2\"")
                          .arg(PathOf("App.dproj"), PathOf("Copy.dproj")));
    EXPECT_EQ(log[7], "Dproj output complete");
    EXPECT_EQ(Host.Infos, QStringList{"Dproj output complete"});
    EXPECT_EQ(Host.SaveProjectCalls, 1);

    const QByteArray output = ReadBytes("App.dproj");
    EXPECT_TRUE(output.startsWith("<Project>\n<Name>App</Name>\n<Guid>{"));
    EXPECT_TRUE(output.endsWith("</Guid>\n</Project>"));
    EXPECT_EQ(ReadBytes("Copy.dproj"), output);
    EXPECT_EQ(Engine.synOutput.Count(), 4);
}

TEST_F(GenerationRun, FailuresEndTheRunWithOneErrorLineAndAnErrorBox) {
    struct TCase {
        const char* Name;
        QString ProjectText;
        QString Message;
        bool InputLoaded;
    };
    const TCase cases[] = {
        {"no Replace section", Lines({"[General]", "InputName=Template"}),
         "Missing project section \"Replace\"", true},
        {"empty Replace section", Lines({"[General]", "InputName=Template", "[Replace]", "[Other]", "x=1"}),
         "Missing project section \"Replace\"", true},
        {"no InputName", Lines({"[Replace]", "A=1"}), "Missing InputName= declaration in project", false},
        {"missing template", Lines({"[General]", "InputName=Nowhere", "[Replace]", "A=1"}),
         QString("Input file not found \"%1\"").arg(PathOf("Nowhere.wfmInput")), false},
    };
    WriteText("Template.wfmInput", "x");
    Engine.SetCurrentDirectory(Dir());
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Host.Errors.clear();
        Engine.synProject.SetLines(c.ProjectText.split('\n'));
        EXPECT_FALSE(Engine.MakeDprojCommand());
        EXPECT_EQ(LastLog(), QString("***Error: \"%1\"").arg(c.Message));
        EXPECT_EQ(Host.Errors, QStringList{c.Message});
        EXPECT_EQ(LogLines().size(), c.InputLoaded ? 3 : 2);
        EXPECT_TRUE(Host.Infos.isEmpty());
    }
}

TEST_F(GenerationRun, EveryRunRereadsTheTemplateAndTheReplaceSection) {
    OpenProject("App.wfmconfig", Lines({"[General]", "InputName=Template", "[Replace]", "A=1"}), "$P(A)");
    Engine.synInput.SetLines({"edited but not saved $P(A)"});
    Engine.synReplaceList.SetLines({"A=edited"});
    ASSERT_TRUE(Engine.MakeDprojCommand());
    EXPECT_EQ(Engine.synOutput.Lines(), QStringList{"1"});
    EXPECT_EQ(Engine.synReplaceList.Lines(), QStringList{"A=1"});
}

TEST_F(GenerationRun, EditsToTheProjectTextTakeEffectInTheNextRun) {
    OpenProject("App.wfmconfig", Lines({"[General]", "InputName=Template", "[Replace]", "A=1"}), "$P(A)");
    WriteText("Other.wfmInput", "other $P(A)");
    ASSERT_TRUE(Engine.MakeDprojCommand());
    EXPECT_EQ(ReadBytes("App.dproj"), "1");
    Engine.synProject.SetLines({"[General]", "InputName=Other", "[Replace]", "A=2"});
    ASSERT_TRUE(Engine.MakeDprojCommand());
    EXPECT_EQ(ReadBytes("App.dproj"), "other 2");
}

TEST_F(GenerationRun, WithoutFolderAndProjectNameNothingIsWritten) {
    WriteText("Template.wfmInput", "<a>$P(A)</a>");
    Engine.synProject.SetLines({"[General]", "InputName=" + PathOf("Template.wfmInput"), "[Replace]", "A=x"});
    ASSERT_TRUE(Engine.MakeDprojCommand());
    EXPECT_EQ(Engine.synOutput.Lines(), QStringList{"<a>x</a>"});
    EXPECT_EQ(LastLog(), "Dproj output complete");
    for (const QString& line : LogLines())
        EXPECT_FALSE(line.contains("written")) << line.toStdString();
    EXPECT_EQ(QDir(Dir()).entryList(QDir::Files), QStringList{"Template.wfmInput"});
}

TEST_F(GenerationRun, AFailingPostActionLeavesTheOutputWritten) {
    OpenProject("App.wfmconfig",
                Lines({"[General]", "InputName=Template", "[Replace]", "A=1", "[PostActions]",
                       "FileCopy=none.txt;b"}),
                "$P(A)");
    EXPECT_FALSE(Engine.MakeDprojCommand());
    EXPECT_EQ(ReadBytes("App.dproj"), "1");
    EXPECT_EQ(Host.Errors,
              QStringList{QString("Error in section \"PostActions\" - FileCopy source file does not "
                                  "exist - \"%1\"")
                              .arg(PathOf("none.txt"))});
}

TEST_F(GenerationRun, AnUnwritableOutputFailsAndKeepsTheOldFile) {
    OpenProject("App.wfmconfig", Lines({"[General]", "InputName=Template", "[Replace]", "A=new"}), "$P(A)");
    // A folder in the output file's place cannot be replaced by a file.
    QDir(Dir()).mkdir("App.dproj");
    EXPECT_FALSE(Engine.MakeDprojCommand());
    ASSERT_EQ(Host.Errors.size(), 1);
    EXPECT_TRUE(Host.Errors[0].startsWith(QString("Cannot create file \"%1\"").arg(PathOf("App.dproj"))));
    EXPECT_TRUE(QFileInfo(PathOf("App.dproj")).isDir());
}
