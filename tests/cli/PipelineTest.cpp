// The CLI in build pipelines: dry run, check and stable project GUIDs.
#include "cli/PipelineFixture.h"

#include "Tessel/Rtl/SystemError.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <map>

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
    QFileInfo before[3];
    for (int i = 0; i < 3; ++i) {
        before[i] = QFileInfo(Path(names[i]));
        ASSERT_TRUE(before[i].exists());
    }
    const TResult r = Run({"make", project, "--dry-run"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(QDir(Path("p")).entryList(QDir::Files),
              (QStringList{"App.wfmconfig", "Old.txt", "T.wfmInput"}));
    for (int i = 0; i < 3; ++i) {
        const QFileInfo after(Path(names[i]));
        ASSERT_TRUE(after.exists());
        EXPECT_EQ(after.lastModified(), before[i].lastModified()) << names[i].toStdString();
        EXPECT_EQ(after.size(), before[i].size());
    }
    for (const QString& line :
         {QString("Dproj output file would be written \"%1\"").arg(Path("p/App.dproj")),
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
    EXPECT_EQ(
        r.Out.split('\n', Qt::SkipEmptyParts),
        (QStringList{
            config +
                ":2: warning: InputName \"t.wfmInput\" matches \"T.wfmInput\" only without regard to case",
            config + ":5: warning: replace-list entry \"Unused\" is used by no marker or statement",
            config + ":6: warning: replace-list name \"Name\" is given again (first on line 4): this "
                     "entry is never used",
            config +
                ":7: warning: replace-list name \"Spaced \" has blanks around it: markers never match it",
            config +
                ":8: warning: $INCLUDE( path \"Part.XML\" matches \"part.xml\" only without regard to case",
            input + ":2: warning: marker \"$P(Missing)\" names no replace-list entry: it expands to nothing",
            input + ":3: warning: marker \"$P( Spaced)\" has blanks inside its brackets"}));

    Write("p/T.wfmInput", "$P(Name)$P(Unused)$P(Body)$P(Copy)");
    Write("p/App.wfmconfig",
          "[General]\nInputName=T\n[Replace]\nName=App\nUnused=1\nBody=$INCLUDE(part.xml)\n"
          "Copy=$REPLACE(Name)\n");
    EXPECT_EQ(Run({"lint", config}).ExitCode, 0);

    // The first InputName is the one a run reads; a second one is said, and its file never looked at.
    Write("p/App.wfmconfig", "[General]\nInputName=T\nInputName=Missing\n[Replace]\nName=App\nUnused=1\n"
                             "Body=$INCLUDE(part.xml)\nCopy=$REPLACE(Name)\n");
    EXPECT_EQ(Run({"lint", config}).Out,
              config + ":3: warning: InputName is given again (first on line 2): this one is never used\n");

    // A batch's own sections: each must name a project of the folder; what they give counts as given.
    Write("p/One.dpr", "");
    Write("p/AllProjects.wfmconfig",
          "[General]\nInputName=T\n[Replace]\nName=App\nUnused=1\nBody=1\nCopy=2\n"
          "[Replace:one]\nKind=vcl\n[Replace:Ghost]\nName=x\n[Batch]\nSkip=One, Ghost.dpk\n");
    Write("p/T.wfmInput", "$P(Name)$P(Unused)$P(Body)$P(Copy)$P(Kind)");
    const QString batch = Path("p/AllProjects.wfmconfig");
    const TResult r2 = Run({"lint", batch});
    EXPECT_EQ(
        r2.Out.split('\n', Qt::SkipEmptyParts),
        (QStringList{
            batch + ":10: warning: section \"Replace:Ghost\" names no Delphi project of the folder: its "
                    "entries are never used",
            batch + ":13: warning: Skip= names \"Ghost.dpk\", which is no Delphi project of the folder"}));
}

TEST_F(Pipeline, TheOutputTakesTheTemplatesLineBreaksThroughout) {
    struct TCase {
        const char* Name;
        QByteArray Template, Included, Output;
    } cases[] = {
        {"LF", "<a>\n$P(Body)\n</a>\n", "one\r\ntwo", "<a>\none\ntwo\n</a>\n"},
        {"CR LF", "<a>\r\n$P(Body)\r\n</a>", "one\ntwo\n", "<a>\r\none\r\ntwo\r\n\r\n</a>"},
        {"CR", "<a>\r$P(Body)\r</a>\r", "one\r\ntwo", "<a>\rone\rtwo\r</a>\r"},
        {"one line", "<a>$P(Body)</a>", "one\ntwo\rthree", "<a>one\r\ntwo\r\nthree</a>"},
    };
    Write("p/App.wfmconfig", "[General]\nInputName=T\n[Replace]\nBody=$INCLUDE(part.txt)\n");
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Write("p/T.wfmInput", c.Template);
        Write("p/part.txt", c.Included);
        ASSERT_EQ(Run({"make", Path("p/App.wfmconfig"), "-q"}).ExitCode, 0);
        EXPECT_EQ(Read("p/App.dproj"), c.Output);
        const TResult check = Run({"make", Path("p/App.wfmconfig"), "--check"});
        EXPECT_EQ(check.ExitCode, 0) << check.Out.toStdString();
    }
}

TEST_F(Pipeline, AnAdoptedProjectIsMadeAgainByteForByteWhateverItsLineBreaks) {
    QFile fixture(WRENFOLD_FIXTURES_DIR "/dproj/Zaehler.dproj");
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    // The fixture as project Alpha: its main source and name stand as whole values.
    QByteArray crlf = fixture.readAll();
    crlf.replace("Z\xC3\xA4hler.dpr", "Alpha.dpr")
        .replace("<SanitizedProjectName>Z\xC3\xA4hler", "<SanitizedProjectName>Alpha");
    ASSERT_TRUE(crlf.contains("\r\n"));
    // As git checks it out on Linux where the repository keeps LF.
    const QByteArray lf = QByteArray(crlf).replace("\r\n", "\n");
    for (const QByteArray& alpha : {crlf, lf}) {
        SCOPED_TRACE(alpha.contains('\r') ? "CR LF" : "LF");
        for (const char* name : {"a/Alpha.wfmconfig", "a/Alpha.wfmInput"})
            QFile::remove(Path(name));
        Write("a/Alpha.dproj", alpha);
        TResult r = Run({"adopt", Path("a/Alpha.dproj")});
        ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
        const QByteArray config = Read("a/Alpha.wfmconfig");
        for (const char* entry :
             {"InputName=Alpha\n", "ProjectGuid=$GET(RANDOMGUID)", "MainSource=$GET(PROJECTSOURCE)",
              "ProjectName=$GET(PROJECTNAME)", "DCC_ExeOutput_Base=.\\$(Platform)\\$(Config)"})
            EXPECT_TRUE(
                config.contains(QByteArray(entry).replace("\n", alpha.contains('\r') ? "\r\n" : "\n")))
                << entry;
        EXPECT_EQ(Run({"adopt", Path("a/Alpha.dproj")}).ExitCode, 1) << "never overwrites";

        EXPECT_EQ(Run({"make", Path("a/Alpha.wfmconfig"), "--check", "-q"}).ExitCode, 0);
        ASSERT_EQ(Run({"make", Path("a/Alpha.wfmconfig"), "-q"}).ExitCode, 0);
        const QByteArray made = Read("a/Alpha.dproj");
        const qsizetype guid = alpha.indexOf("<ProjectGuid>") + 13;
        EXPECT_EQ(made.left(guid), alpha.left(guid));
        EXPECT_EQ(made.mid(guid + 38), alpha.mid(guid + 38)) << "byte for byte, the GUID aside";
    }
}

TEST_F(Pipeline, AdoptTakesOnlyADprojAndMakesDottedNamesAndPackagesAgain) {
    // Values with a blank at either end stay in the template: the configuration would trim them.
    const QByteArray project =
        "<Project>\n  <MainSource>%1</MainSource>\n  <Win64>True</Win64>\n"
        "  <PropertyGroup Condition=\"'$(Base)'!=''\">\n    <DCC_Define>DEBUG </DCC_Define>\n"
        "  </PropertyGroup>\n  <PropertyGroup Condition=\"'$(Cfg_1)'!=''\">\n"
        "    <DCC_Define> RELEASE</DCC_Define>\n  </PropertyGroup>\n</Project>\n";
    Write("d/Demo.Spring.Sorting.dproj", QByteArray(project).replace("%1", "Demo.Spring.Sorting.dpr"));
    TResult r = Run({"adopt", Path("d/Demo.Spring.Sorting.dproj")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_TRUE(Read("d/Demo.Spring.Sorting.wfmconfig").contains("InputName=Demo.Spring.Sorting.wfmInput\n"));
    EXPECT_FALSE(Read("d/Demo.Spring.Sorting.wfmconfig").contains("DCC_Define"));
    EXPECT_EQ(Run({"make", Path("d/Demo.Spring.Sorting.wfmconfig"), "--check"}).ExitCode, 0);

    Write("k/CoreLib.dpk", "package CoreLib;");
    Write("k/CoreLib.dproj", QByteArray(project).replace("%1", "CoreLib.dpk"));
    r = Run({"adopt", Path("k/CoreLib.dproj")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_TRUE(Read("k/CoreLib.wfmconfig").contains("MainSource=$GET(PROJECTSOURCE)\n"));
    EXPECT_EQ(Run({"make", Path("k/CoreLib.wfmconfig"), "--check"}).ExitCode, 0);

    // A group project beside a project of the same name: refused, and nothing is written.
    Write("g/heidisql.groupproj",
          "<Project><ItemGroup><Projects Include=\"heidisql.dproj\"/></ItemGroup></Project>");
    Write("g/heidisql.dproj", "the real project");
    r = Run({"adopt", Path("g/heidisql.groupproj")});
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_EQ(r.Err, "error: adopt takes a .dproj file, not \"" + Path("g/heidisql.groupproj") +
                         "\"; nothing written\n");
    EXPECT_EQ(QDir(Path("g")).entryList(QDir::Files), (QStringList{"heidisql.dproj", "heidisql.groupproj"}));
    EXPECT_EQ(Read("g/heidisql.dproj"), "the real project");
}

TEST_F(Pipeline, AdoptingAFolderWritesAPairOnlyWhenItsBatchMakesEveryProjectAgain) {
    const QByteArray alpha = "<P>\r\n  <MainSource>Alpha.dpr</MainSource>\r\n  <Win64>True</Win64>\r\n</P>";
    for (const char* name : {"Alpha", "Beta", "Gamma"}) {
        Write(QString("f/%1.dpr").arg(name), "");
        Write(QString("f/%1.dproj").arg(name), QByteArray(alpha).replace("Alpha", name));
    }
    Write("f/Gamma.dproj", QByteArray(alpha).replace("Alpha", "Gamma").replace("True", "False"));
    Write("f/Omega.dpr", ""); // no .dproj: the batch must not make one
    TResult r = Run({"adopt", "--batch", Path("f")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString() << r.Out.toStdString();
    EXPECT_EQ(r.Out.split('\n', Qt::SkipEmptyParts),
              (QStringList{"Omega.dpr: no Omega.dproj beside it; left out of the batch",
                           "Alpha.dproj: made again by the shared template",
                           "Beta.dproj: made again by the shared template",
                           "Gamma.dproj: made again by the shared template with values of its own"}));
    EXPECT_EQ(Read("f/AllProjects.wfmInput"),
              "<P>\r\n  <MainSource>$P(MainSource)</MainSource>\r\n  <Win64>$P(Win64)</Win64>\r\n</P>");
    EXPECT_EQ(Read("f/AllProjects.wfmconfig"),
              "[General]\r\nInputName=AllProjects\r\n\r\n[Replace]\r\nMainSource=$GET(PROJECTSOURCE)"
              "\r\nWin64=True\r\n\r\n"
              "[Replace:Gamma]\r\nWin64=False\r\n\r\n[Batch]\r\nSkip=Omega.dpr\r\n");
    r = Run({"batch", Path("f"), "--check"});
    EXPECT_EQ(r.ExitCode, 0) << r.Out.toStdString();
    EXPECT_TRUE(r.Out.contains("Skipped \"Omega.dpr\": the configuration leaves it out of the batch"));
    EXPECT_FALSE(QFile::exists(Path("f/Omega.dproj")));

    // One project whose structure differs: nothing is written, and it is named with its first difference.
    for (const char* name : {"f/AllProjects.wfmconfig", "f/AllProjects.wfmInput"})
        QFile::remove(Path(name));
    Write("f/Delta.dpr", "");
    Write("f/Delta.dproj",
          QByteArray(alpha).replace("Alpha", "Delta").replace("</P>", "  <Win32>True</Win32>\r\n</P>"));
    r = Run({"adopt", "--batch", Path("f")});
    EXPECT_EQ(r.ExitCode, 3);
    EXPECT_TRUE(
        r.Out.contains("Delta.dproj, line 4: \"<Win32>True</Win32>\", where Alpha.dproj has \"</P>\""))
        << r.Out.toStdString();
    EXPECT_TRUE(r.Err.startsWith("error: No template shared by the projects of")) << r.Err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("f/AllProjects.wfmconfig")) ||
                 QFile::exists(Path("f/AllProjects.wfmInput")));
}

TEST_F(Pipeline, APackageBatchMakesWhatItListsAndAnEmptyOneFails) {
    Write("k/AllProjects.wfmconfig", "[General]\nInputName=T\n[Replace]\nSource=$GET(PROJECTSOURCE)\n");
    Write("k/T.wfmInput", "<MainSource>$P(Source)</MainSource>");
    for (const char* name : {"k/Core.dpk", "k/Design.dpk", "k/Demo.dpr", "k/Demo.dpk"})
        Write(name, "");
    TResult r = Run({"batch", Path("k"), "--only", "design,Demo.dpk", "-q"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Err.startsWith("3 Delphi projects found.")) << r.Err.toStdString();
    EXPECT_EQ(Read("k/Design.dproj"), "<MainSource>Design.dpk</MainSource>");
    EXPECT_EQ(Read("k/Demo.dproj"), "<MainSource>Demo.dpr</MainSource>");
    EXPECT_FALSE(QFile::exists(Path("k/Core.dproj")));
    EXPECT_EQ(Run({"batch", Path("k"), "--only", "Core.dpk", "-q"}).ExitCode, 0);
    EXPECT_EQ(Read("k/Core.dproj"), "<MainSource>Core.dpk</MainSource>");

    Write("e/AllProjects.wfmconfig", "[General]\nInputName=T\n[Replace]\nA=1\n");
    Write("e/T.wfmInput", "$P(A)");
    for (const QStringList& arguments :
         {QStringList{"batch", Path("e")}, QStringList{"batch", Path("e"), "--check"}}) {
        r = Run(arguments);
        EXPECT_EQ(r.ExitCode, 1);
        EXPECT_TRUE(r.Err.endsWith("error: No Delphi projects found: the folder \"" + Path("e") +
                                   "\" holds no .dpr or .dpk file\n"))
            << r.Err.toStdString();
    }
}

TEST_F(Pipeline, HostileInputFailsCleanlyAndTouchesNoOtherFile) {
    Write("h/victim.txt", "keep me");
    Write("h/T.wfmInput", "<a>$P(A)</a>");
    const char nulConfig[] =
        "[General]\nInputName=T\n[Replace]\nA=1\n[PreActions]\nFileDelete=victim.txt\0.bak\n";
    Write("h/locked.dproj", "old");
    ASSERT_TRUE(QFile::setPermissions(Path("h/locked.dproj"),
                                      QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QString denied = Tessel::SystemErrorText(Tessel::AccessDeniedError());
    struct TCase {
        const char* Name;
        QByteArray Config;
        QString Error;
        const char* ProjectName = "App";
    } cases[] = {
        {"NUL in a path", QByteArray(nulConfig, sizeof nulConfig - 1),
         "Error in section \"PreActions\" - Path \"" + Path("h/victim.txt<0>.bak") +
             "\" holds a NUL character"},
        {"read-only output", "[General]\nInputName=T\n[Replace]\nA=1\n",
         "Cannot create file \"" + Path("h/locked.dproj") + "\". " + denied, "locked"},
        {"read-only copy destination",
         "[General]\nInputName=T\n[Replace]\nA=1\n[PreActions]\nFileCopy=victim.txt;locked.dproj\n",
         "Error in section \"PreActions\" - FileCopy error copying \"" + Path("h/victim.txt") + "\" to \"" +
             Path("h/locked.dproj") + "\" - \"" + denied + "\""},
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

namespace {

// A package tree: a runtime package in every version, a design package from XE3 on, a group
// project beside the version folders for each version. The .dpk files carry a byte-order mark,
// the .dproj files CR LF.
std::map<QString, QByteArray> VersionTree() {
    const QByteArray dpk =
        "\xEF\xBB\xBFpackage %N;\r\n\r\n{$R *.res}\r\n{$DESCRIPTION '%N f\xC3\xBCr %V'}\r\n"
        "{$LIBSUFFIX '%S'}\r\n\r\nrequires\r\n  rtl%R;\r\n\r\nend.\r\n";
    const QByteArray dproj =
        "<Project xmlns=\"http://schemas.microsoft.com/developer/msbuild/2003\">\r\n"
        "  <PropertyGroup>\r\n    <ProjectGuid>{%G-0000-4000-8000-00000000000%V}</ProjectGuid>\r\n"
        "    <MainSource>%N.dpk</MainSource>\r\n    <ProjectVersion>%P</ProjectVersion>\r\n"
        "  </PropertyGroup>\r\n  <PropertyGroup Condition=\"'$(Base)'!=''\">\r\n"
        "    <DllSuffix>%S</DllSuffix>\r\n"
        "    <DCC_UnitSearchPath>..\\..\\Source;..\\..\\Lib\\%V\\$(Platform)</DCC_UnitSearchPath>\r\n"
        "  </PropertyGroup>\r\n</Project>\r\n";
    struct TVersion {
        const char *Name, *Suffix, *ProjectVersion;
        bool Design;
    } versions[] = {{"XE2", "160", "13.4", false}, {"XE3", "170", "14.3", true}, {"11", "280", "19.3", true}};
    std::map<QString, QByteArray> files;
    for (const TVersion& v : versions) {
        const auto fill = [&](QByteArray AText, const char* AName, const char* AGuid) {
            return AText.replace("%N", AName)
                .replace("%V", v.Name)
                .replace("%S", v.Suffix)
                .replace("%P", v.ProjectVersion)
                .replace("%G", AGuid)
                .replace("%R", QByteArray(AName) == "DesignLib" ? ",\r\n  designide,\r\n  CoreLib" : "");
        };
        QByteArray group = "<Project>\n  <ItemGroup>\n    <Projects Include=\"%V\\CoreLib.dproj\"/>\n";
        files[QString("%1/CoreLib.dpk").arg(v.Name)] = fill(dpk, "CoreLib", "0000000A");
        files[QString("%1/CoreLib.dproj").arg(v.Name)] = fill(dproj, "CoreLib", "0000000A");
        if (v.Design) {
            files[QString("%1/DesignLib.dpk").arg(v.Name)] = fill(dpk, "DesignLib", "0000000B");
            files[QString("%1/DesignLib.dproj").arg(v.Name)] = fill(dproj, "DesignLib", "0000000B");
            group += "    <Projects Include=\"%V\\DesignLib.dproj\"/>\n";
        }
        files[QString("LibGroup%1.groupproj").arg(v.Name)] =
            QByteArray(group + "  </ItemGroup>\n</Project>\n").replace("%V", v.Name);
    }
    return files;
}

QStringList FilesUnder(const QString& AFolder) {
    QStringList names;
    QDirIterator it(AFolder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        names.append(QDir(AFolder).relativeFilePath(it.next()));
    names.sort();
    return names;
}

} // namespace

TEST_F(Pipeline, AdoptingAVersionTreeMakesEveryFileOfItAgainByteForByte) {
    const std::map<QString, QByteArray> tree = VersionTree();
    for (const auto& [name, bytes] : tree)
        Write("Packages/" + name, bytes);
    Write("Packages/XE2/CoreLib.res", "\0\0\0 binary"); // not of the tree: left alone
    TResult r = Run({"adopt", "--versions", Path("Packages") + "/"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString() << r.Out.toStdString();
    const QStringList written = {"CoreLib.dpk.wfmInput",        "CoreLib.dproj.wfmInput",
                                 "DesignLib.dpk.wfmInput",      "DesignLib.dproj.wfmInput",
                                 "LibGroup.groupproj.wfmInput", "LibGroup2.groupproj.wfmInput",
                                 "Packages.wfmconfig"};
    for (const QString& name : written)
        EXPECT_TRUE(QFile::exists(Path("Packages/" + name))) << name.toStdString();
    const QByteArray config = Read("Packages/Packages.wfmconfig");
    for (const char* line :
         {"\r\n[Targets]\r\n11\r\nXE2\r\nXE3\r\n", "\r\n[Target:XE2]\r\nFolder=XE2\r\nLIBSUFFIX=160\r\n",
          "\r\n$P(Folder)\\CoreLib.dpk=CoreLib.dpk.wfmInput\r\n",
          "\r\n$P(DesignLibDpkPath)=DesignLib.dpk.wfmInput\r\n", "\r\nDesignLibDpkPath=\r\n",
          // XE2's group project lists one project, the others two: a template each.
          "\r\n$P(LibGroupGroupprojPath)=LibGroup.groupproj.wfmInput\r\n",
          "\r\n$P(LibGroupGroupprojPath2)=LibGroup2.groupproj.wfmInput\r\n",
          "\r\nLibGroupGroupprojPath=\r\nLibGroupGroupprojPath2=LibGroupXE2.groupproj\r\n"})
        EXPECT_TRUE(config.contains(line)) << line << "\n" << config.toStdString();
    EXPECT_TRUE(Read("Packages/CoreLib.dpk.wfmInput").startsWith("\xEF\xBB\xBFpackage CoreLib;\r\n"));
    EXPECT_TRUE(
        Read("Packages/CoreLib.dproj.wfmInput")
            .contains("\r\n    <DCC_UnitSearchPath>..\\..\\Source;..\\..\\Lib\\$P(Folder)\\$(Platform)<"));
    EXPECT_EQ(Run({"make", Path("Packages/Packages.wfmconfig"), "--check", "-q"}).ExitCode, 0);

    // Made from nothing but the configuration and its templates, folders and all.
    for (const auto& [name, bytes] : tree)
        ASSERT_TRUE(QFile::remove(Path("Packages/" + name)));
    for (const char* folder : {"Packages/XE3", "Packages/11"})
        ASSERT_TRUE(QDir(Path(folder)).removeRecursively());
    r = Run({"make", Path("Packages/Packages.wfmconfig"), "-q"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    for (const auto& [name, bytes] : tree)
        EXPECT_EQ(Read("Packages/" + name), bytes) << name.toStdString();
    QStringList all = written + QStringList{"XE2/CoreLib.res"};
    for (const auto& [name, bytes] : tree)
        all.append(name);
    all.sort();
    EXPECT_EQ(FilesUnder(Path("Packages")), all);

    const QByteArray before = Read("Packages/Packages.wfmconfig");
    r = Run({"adopt", "--versions", Path("Packages")});
    EXPECT_EQ(r.ExitCode, 1) << "never overwrites";
    EXPECT_TRUE(r.Err.contains("exists already")) << r.Err.toStdString();
    EXPECT_EQ(Read("Packages/Packages.wfmconfig"), before);
}

TEST_F(Pipeline, AVersionTreeNoTemplateMakesAgainWritesNothingAndNamesTheFirstDifference) {
    struct TCase {
        const char* Name;
        QString File;
        QByteArray From, To;
        QString Difference;
    } cases[] = {
        {"a line only one version has", "XE3/CoreLib.dproj", "    <DllSuffix>",
         "    <DCC_Define>DEBUG</DCC_Define>\r\n    <DllSuffix>",
         "XE3/CoreLib.dproj, line 8: \"<DCC_Define>DEBUG</DCC_Define>\", where 11/CoreLib.dproj has "
         "\"<DllSuffix>280</DllSuffix>\" (line 8); the files differ in lines, not only in values"},
        // Text a template cannot hold as it stands: only the dry run of make finds it.
        {"a marker in every version", "", "{$R *.res}", "{$R $P(Folder).res}",
         "11/CoreLib.dpk, line 3: made as \"{$R 11.res}\", where the file has \"{$R $P(Folder).res}\""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString root = QString("t%1").arg(&c - cases);
        for (auto [name, bytes] : VersionTree()) {
            if (c.File.isEmpty() ? name.endsWith(".dpk") : name == c.File) bytes.replace(c.From, c.To);
            Write(root + "/" + name, bytes);
        }
        const QStringList before = FilesUnder(Path(root));
        const TResult r = Run({"adopt", "--versions", Path(root)});
        EXPECT_EQ(r.ExitCode, 3) << r.Err.toStdString();
        EXPECT_TRUE(r.Out.contains(c.Difference)) << r.Out.toStdString();
        EXPECT_TRUE(r.Err.startsWith("error: No configuration makes every version of"))
            << r.Err.toStdString();
        EXPECT_TRUE(r.Err.contains(c.Difference)) << r.Err.toStdString();
        EXPECT_EQ(FilesUnder(Path(root)), before) << "nothing written";
    }
    EXPECT_EQ(Run({"adopt", "--versions", Path("t0/XE2/CoreLib.dpk")}).ExitCode, 2);
}
