// FileCopy and FileDelete in the PreActions and PostActions sections.
#include "EngineFixture.h"

#include "engine/TFileActions.h"
#include "engine/TProjectDisk.h"

using namespace Wrenfold;

namespace {

class FileActions : public EngineFixture {
protected:
    TProjectDisk Disk;
    void SetUp() override { WriteText("a.txt", "A"); }
    QString Run(const QStringList& ALines) {
        try {
            TFileActions(Dir(), Disk, [this](const QString& ALine) {
                Engine.Log(ALine);
            }).RunActionList(ALines, "PreActions");
        } catch (const Tessel::Exception& e) {
            return e.Message();
        }
        return QString();
    }
};

} // namespace

TEST_F(FileActions, CopiesAndDeletesRelativeToTheProjectFolder) {
    WriteText("b.txt", "old");
    WriteText("gone.txt", "x");
    EXPECT_EQ(Run({"filecopy= a.txt ; b.txt ", "FileCopy=a.txt;sub/../c.txt", "FILEDELETE=gone.txt",
                   "FileDelete=never-there.txt"}),
              QString());
    EXPECT_EQ(ReadBytes("b.txt"), "A");
    EXPECT_EQ(ReadBytes("c.txt"), "A");
    EXPECT_FALSE(Exists("gone.txt"));
    EXPECT_EQ(LogLines(),
              (QStringList{
                  QString("PreActions: FileCopy action - Copied file \"%1\" to \"%2\"")
                      .arg(PathOf("a.txt"), PathOf("b.txt")),
                  QString("PreActions: FileCopy action - Copied file \"%1\" to \"%2\"")
                      .arg(PathOf("a.txt"), PathOf("c.txt")),
                  QString("PreActions: FileDelete action - deleted file \"%1\"").arg(PathOf("gone.txt")),
              }));
}

TEST_F(FileActions, FailuresAreWrappedWithTheSectionAndStopTheList) {
    const QString prefix = "Error in section \"PreActions\" - ";
    struct TCase {
        QStringList Lines;
        QString Message;
    } cases[] = {
        {{"FileCopy =a.txt;b.txt"}, "Unknown action \"FileCopy \""},
        {{"no equals sign"}, "Unknown action \"\""},
        {{"FileCopy=a.txt"}, "FileCopy should be of the form 'FileCopy=Source;Dest"},
        {{"FileCopy=none.txt;b.txt"},
         QString("FileCopy source file does not exist - \"%1\"").arg(PathOf("none.txt"))},
        {{"FileCopy=a.txt;A.TXT"}, "FileCopy source and dest files are the same \"a.txt;A.TXT\""},
        {{"FileCopy=a.txt;missing/b.txt"},
         QString("FileCopy error copying \"%1\" to \"%2\" - \"No such file or directory\"")
             .arg(PathOf("a.txt"), PathOf("missing/b.txt"))},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Run(c.Lines), prefix + c.Message);
    EXPECT_TRUE(Run({"FileCopy=a.txt;", "FileDelete=a.txt"}).startsWith(prefix + "FileCopy error copying"));
    EXPECT_TRUE(Exists("a.txt")) << "the line after a failure must not run";
}

TEST_F(FileActions, ActionLinesSeeTheReplaceListBeforeItIsExpanded) {
    WriteText("Template.wfmInput", "$P(Guid)");
    WriteText("App.wfmconfig", Lines({"[General]", "InputName=Template", "[Replace]", "Guid=$GET(RANDOMGUID)",
                                      "[PreActions]", "FileCopy=a.txt;$REPLACE(Guid).txt"}));
    Engine.LoadProjectFile(PathOf("App.wfmconfig"));
    ASSERT_TRUE(Engine.MakeDprojCommand()) << Host.Errors.join('\n').toStdString();
    const QString guid = Engine.synOutput.Line(0);
    const QStringList copies = QDir(Dir()).entryList({"{*}.txt"});
    ASSERT_EQ(copies.size(), 1);
    EXPECT_NE(copies[0], guid + ".txt") << "the pre-action's GUID is made separately";
}
