// The CLI in build pipelines: dry run, check and stable project GUIDs.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct TResult {
    int ExitCode;
    QString Out, Err;
};

class Pipeline : public ::testing::Test {
protected:
    QTemporaryDir Temp;

    TResult Run(QStringList AArguments) {
        QProcess process;
        process.start(WRENFOLD_CLI_PATH, AArguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    QString Path(const QString& AName) const { return Temp.filePath(AName); }
    void Write(const QString& AName, const QByteArray& AText) {
        QDir().mkpath(QFileInfo(Path(AName)).absolutePath());
        QFile file(Path(AName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(AText);
    }
    QByteArray Read(const QString& AName) const {
        QFile file(Path(AName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A project whose output holds a made-up GUID, and which copies and deletes files afterwards.
    void MakeProject() {
        Write("p/App.wfmconfig", "[General]\nInputName=T\n[Replace]\nGuid=$GET(RANDOMGUID)\nName=$GET(PROJECTNAME)\n"
                                 "[PostActions]\nFileCopy=App.dproj;Backup.dproj\nFileDelete=Old.txt\n");
        Write("p/T.wfmInput", "<P>\n  <Guid>$P(Guid)</Guid>\n  <Name>$P(Name)</Name>\n  <Kind>VCL</Kind>\n</P>\n");
        Write("p/Old.txt", "old");
    }
};

} // namespace

TEST_F(Pipeline, CheckTellsWhetherEachOutputIsUpToDate) {
    MakeProject();
    const QString project = Path("p/App.wfmconfig");
    TResult r = Run({"make", project, "--check", "--quiet"});
    EXPECT_EQ(r.ExitCode, 3) << "missing output";
    EXPECT_TRUE(r.Err.contains("Output file missing \"" + Path("p/App.dproj") + "\"")) << r.Err.toStdString();

    ASSERT_EQ(Run({"make", project, "-q"}).ExitCode, 0);
    Write("p/Old.txt", "old");
    r = Run({"make", project, "--check"});
    EXPECT_EQ(r.ExitCode, 0) << "a fresh GUID matches the one on disk: " << r.Out.toStdString();

    QByteArray changed = Read("p/App.dproj");
    changed.replace("VCL", "FMX");
    Write("p/App.dproj", changed);
    r = Run({"make", project, "--check"});
    EXPECT_EQ(r.ExitCode, 3);
    const QString guidLine = QString::fromUtf8(changed.split('\n')[1]).trimmed();
    const QString diff = QString("--- %1\n+++ %1\n@@ -1,6 +1,6 @@\n <P>\n   %2\n   <Name>App</Name>\n"
                                 "-  <Kind>FMX</Kind>\n+  <Kind>VCL</Kind>\n </P>\n \n")
                             .arg(Path("p/App.dproj"), guidLine);
    EXPECT_TRUE(r.Out.endsWith(diff)) << r.Out.toStdString();
    EXPECT_FALSE(Run({"make", project, "--check", "--quiet"}).Out.contains("---"));
}

TEST_F(Pipeline, ADryRunChangesNoFile) {
    MakeProject();
    const QString project = Path("p/App.wfmconfig");
    const QStringList names = {"p/App.wfmconfig", "p/T.wfmInput", "p/Old.txt"};
    struct stat before[3];
    for (int i = 0; i < 3; ++i) ASSERT_EQ(::stat(QFile::encodeName(Path(names[i])).constData(), &before[i]), 0);
    const TResult r = Run({"make", project, "--dry-run"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(QDir(Path("p")).entryList(QDir::Files), (QStringList{"App.wfmconfig", "Old.txt", "T.wfmInput"}));
    for (int i = 0; i < 3; ++i) {
        struct stat after {};
        ASSERT_EQ(::stat(QFile::encodeName(Path(names[i])).constData(), &after), 0);
        EXPECT_EQ(after.st_mtim.tv_nsec, before[i].st_mtim.tv_nsec) << names[i].toStdString();
        EXPECT_EQ(after.st_size, before[i].st_size);
    }
    for (const QString& line : {QString("Dproj output file would be written \"%1\"").arg(Path("p/App.dproj")),
                                QString("PostActions: FileCopy action - would copy file \"%1\" to \"%2\"")
                                    .arg(Path("p/App.dproj"), Path("p/Backup.dproj")),
                                QString("PostActions: FileDelete action - would delete file \"%1\"").arg(Path("p/Old.txt"))})
        EXPECT_TRUE(r.Out.contains(line)) << line.toStdString();
    EXPECT_EQ(Run({"make", project, "--dry-run", "--check"}).ExitCode, 2);
}

TEST_F(Pipeline, ProjectGuidsAreStableAndDifferBetweenProjects) {
    Write("b/AllProjects.wfmconfig", "[General]\nInputName=T\n[Replace]\nGuid=$get(projectguid)\n");
    Write("b/T.wfmInput", "$P(Guid)");
    Write("b/App.dpr", "");
    Write("b/Alpha.dpr", "");
    ASSERT_EQ(Run({"batch", Path("b"), "-q"}).ExitCode, 0);
    // Version 5 over the upper-case name in Wrenfold's namespace: a fixed value for a fixed name.
    EXPECT_EQ(Read("b/App.dproj"), "{194A68D8-2305-5A03-9714-9496B32B84FE}");
    EXPECT_EQ(Read("b/Alpha.dproj"), "{6777827A-D958-5C69-9E2E-3310A261659E}");
    EXPECT_EQ(Run({"batch", Path("b"), "--check", "-q"}).ExitCode, 0);
}

TEST_F(Pipeline, LintWarnsOnceForEachThingARunPassesOverSilently) {
    Write("p/App.wfmconfig", "[General]\nInputName=t\n[Replace]\nName=App\nUnused=1\nName=Again\nSpaced = x\n"
                             "Body=$INCLUDE(Part.XML)\n; a comment\nCopy=$REPLACE(Name)\n");
    Write("p/T.wfmInput", "<a>$P(Name)</a>\n<b>$P(Missing)</b>\n<c>$P( Spaced)</c>$P(Body)$P(Copy)\n");
    Write("p/part.xml", "x");
    const QString config = Path("p/App.wfmconfig"), input = Path("p/T.wfmInput");
    const TResult r = Run({"lint", config});
    EXPECT_EQ(r.ExitCode, 3) << r.Err.toStdString();
    EXPECT_EQ(r.Out.split('\n', Qt::SkipEmptyParts),
              (QStringList{config + ":2: warning: InputName \"t.wfmInput\" matches \"T.wfmInput\" only without regard to case",
                           config + ":5: warning: replace-list entry \"Unused\" is used by no marker or statement",
                           config + ":6: warning: replace-list name \"Name\" is given again (first on line 4): this "
                                    "entry is never used",
                           config + ":7: warning: replace-list name \"Spaced \" has blanks around it: markers never match it",
                           config + ":8: warning: $INCLUDE( path \"Part.XML\" matches \"part.xml\" only without regard to case",
                           input + ":2: warning: marker \"$P(Missing)\" names no replace-list entry: it expands to nothing",
                           input + ":3: warning: marker \"$P( Spaced)\" has blanks inside its brackets"}));

    Write("p/T.wfmInput", "$P(Name)$P(Unused)$P(Body)$P(Copy)");
    Write("p/App.wfmconfig", "[General]\nInputName=T\n[Replace]\nName=App\nUnused=1\nBody=$INCLUDE(part.xml)\n"
                             "Copy=$REPLACE(Name)\n");
    EXPECT_EQ(Run({"lint", config}).ExitCode, 0);
}

TEST_F(Pipeline, AnAdoptedProjectIsMadeAgainByteForByte) {
    QFile fixture(WRENFOLD_FIXTURES_DIR "/dproj/Zaehler.dproj");
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    // The fixture as project Alpha: its main source and name stand as whole values.
    QByteArray alpha = fixture.readAll();
    alpha.replace("Z\xC3\xA4hler.dpr", "Alpha.dpr").replace("<SanitizedProjectName>Z\xC3\xA4hler", "<SanitizedProjectName>Alpha");
    Write("a/Alpha.dproj", alpha);
    TResult r = Run({"adopt", Path("a/Alpha.dproj")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    const QByteArray config = Read("a/Alpha.wfmconfig");
    for (const char* entry : {"ProjectGuid=$GET(RANDOMGUID)", "MainSource=$GET(PROJECTNAME).dpr",
                              "ProjectName=$GET(PROJECTNAME)", "DCC_ExeOutput_Base=.\\$(Platform)\\$(Config)"})
        EXPECT_TRUE(config.contains(entry)) << entry;
    EXPECT_EQ(Run({"adopt", Path("a/Alpha.dproj")}).ExitCode, 1) << "never overwrites";

    ASSERT_EQ(Run({"make", Path("a/Alpha.wfmconfig"), "-q"}).ExitCode, 0);
    const QByteArray made = Read("a/Alpha.dproj");
    const qsizetype guid = alpha.indexOf("<ProjectGuid>") + 13;
    EXPECT_EQ(made.left(guid), alpha.left(guid));
    EXPECT_EQ(made.mid(guid + 38), alpha.mid(guid + 38)) << "byte for byte, the GUID aside";
    EXPECT_EQ(Run({"make", Path("a/Alpha.wfmconfig"), "--check", "-q"}).ExitCode, 0);
}

TEST_F(Pipeline, AdoptingAFolderTellsWhichProjectsTheSharedTemplateMakes) {
    const QByteArray alpha = "<P>\r\n  <MainSource>Alpha.dpr</MainSource>\r\n  <Win64>True</Win64>\r\n</P>";
    Write("f/Alpha.dproj", alpha);
    Write("f/Beta.dproj", QByteArray(alpha).replace("Alpha", "Beta"));
    Write("f/Gamma.dproj", QByteArray(alpha).replace("Alpha", "Gamma").replace("True", "False"));
    const TResult r = Run({"adopt", "--batch", Path("f")});
    EXPECT_EQ(r.ExitCode, 3) << r.Err.toStdString();
    const QStringList lines = r.Out.split('\n');
    EXPECT_EQ(lines.mid(0, 3), (QStringList{"Alpha.dproj: made again by the shared template",
                                            "Beta.dproj: made again by the shared template",
                                            "Gamma.dproj: differs from what the shared template makes"}));
    EXPECT_TRUE(r.Out.contains("-  <Win64>False</Win64>\n+  <Win64>True</Win64>\n")) << r.Out.toStdString();
    EXPECT_EQ(Read("f/AllProjects.wfmInput"), "<P>\r\n  <MainSource>$P(MainSource)</MainSource>\r\n  <Win64>True</Win64>\r\n</P>");
}

TEST_F(Pipeline, HostileInputFailsCleanlyAndTouchesNoOtherFile) {
    Write("h/victim.txt", "keep me");
    Write("h/T.wfmInput", "<a>$P(A)</a>");
    for (const char* fifo : {"h/fifo", "h/pipe.wfmInput"})
        ASSERT_EQ(::mkfifo(QFile::encodeName(Path(fifo)).constData(), 0644), 0);
    const char nulConfig[] = "[General]\nInputName=T\n[Replace]\nA=1\n[PreActions]\nFileDelete=victim.txt\0.bak\n";
    Write("h/locked.dproj", "old");
    ::chmod(QFile::encodeName(Path("h/locked.dproj")).constData(), 0444);
    struct TCase {
        const char* Name;
        QByteArray Config;
        QString Error;
        const char* ProjectName = "App";
    } cases[] = {
        {"NUL in a path", QByteArray(nulConfig, sizeof nulConfig - 1),
         "Error in section \"PreActions\" - Path \"" + Path("h/victim.txt<0>.bak") + "\" holds a NUL character"},
        {"FIFO included", "[General]\nInputName=T\n[Replace]\nA=$INCLUDE(fifo)\n",
         "\"" + Path("h/fifo") + "\" is not a regular file"},
        {"FIFO as template", "[General]\nInputName=pipe\n[Replace]\nA=1\n",
         "\"" + Path("h/pipe.wfmInput") + "\" is not a regular file"},
        {"endless file", "[General]\nInputName=T\n[Replace]\nA=$INCLUDE(/dev/zero)\n",
         "\"/dev/zero\" is not a regular file"},
        {"read-only output", "[General]\nInputName=T\n[Replace]\nA=1\n",
         "Cannot create file \"" + Path("h/locked.dproj") + "\". Permission denied", "locked"},
        {"read-only copy destination", "[General]\nInputName=T\n[Replace]\nA=1\n[PreActions]\nFileCopy=victim.txt;locked.dproj\n",
         "Error in section \"PreActions\" - FileCopy error copying \"" + Path("h/victim.txt") + "\" to \"" +
             Path("h/locked.dproj") + "\" - \"Permission denied\""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString config = QString("h/%1.wfmconfig").arg(c.ProjectName);
        Write(config, c.Config);
        const TResult r = Run({"make", Path(config), "-q"});
        EXPECT_EQ(r.ExitCode, 1);
        EXPECT_EQ(r.Err, "error: " + c.Error + "\n");
        EXPECT_EQ(Read("h/victim.txt"), "keep me");
        EXPECT_EQ(Read("h/locked.dproj"), "old");
    }
}
