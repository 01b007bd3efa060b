// Configurations that name their outputs and targets: one configuration makes a package library's
// files for every Delphi version, through the real wrenfold-cli.
#include "cli/PipelineFixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// A small library: a runtime and a design package for three versions, with a group project per
// version beside the version folders.
const char* const LibraryConfig = "[Targets]\n"
                                  "XE2\n"
                                  "D10.4\n"
                                  "D11\n"
                                  "[Target:XE2]\n"
                                  "Suffix=160\n"
                                  "Platforms=Win32\n"
                                  "[Target:D10.4]\n"
                                  "Suffix=270\n"
                                  "[Target:D11]\n"
                                  "Suffix=280\n"
                                  "Folder=Delphi11\n"
                                  "[Outputs]\n"
                                  "$P(Folder)\\CoreLib.dpk=Templates\\Package.dpk.wfmInput\n"
                                  "$P(Folder)/CoreLib.dproj=Templates/Package.dproj.wfmInput\n"
                                  "$P(Folder)\\CoreLibDesign.dpk=Templates\\Package.dpk.wfmInput\n"
                                  "$P(Folder)\\CoreLibDesign.dproj=Templates\\Package.dproj.wfmInput\n"
                                  "LibGroup$GET(TARGET).groupproj=Templates\\Group.groupproj.wfmInput\n"
                                  "[Replace]\n"
                                  "Folder=$GET(TARGET)\n"
                                  "Platforms=Win32;Win64\n"
                                  "Guid=$GET(PROJECTGUID)\n"
                                  "Name=$GET(PROJECTNAME)\n"
                                  "Requires=rtl\n"
                                  "[Replace:CoreLibDesign]\n"
                                  "Requires=rtl, CoreLib\n";

const char* const PackageTemplate = "package $P(Name);\r\n"
                                    "{$LIBSUFFIX '$P(Suffix)'}\r\n"
                                    "requires $P(Requires);\r\n"
                                    "end.\r\n";

const char* const DprojTemplate = "<Project>\n"
                                  "    <ProjectGuid>$P(Guid)</ProjectGuid>\n"
                                  "    <MainSource>$P(Name).dpk</MainSource>\n"
                                  "    <DllSuffix>$P(Suffix)</DllSuffix>\n"
                                  "    <Platforms>$P(Platforms)</Platforms>\n"
                                  "</Project>\n";

const char* const GroupTemplate = "<Project>\n"
                                  "    <ItemGroup>\n"
                                  "$EACH(.dproj)\n"
                                  "        <Projects Include=\"$E(PATH)\">\n"
                                  "            <Dependencies/>\n"
                                  "        </Projects>\n"
                                  "$END\n"
                                  "    </ItemGroup>\n"
                                  "$EACH(.dproj)\n"
                                  "    <Target Name=\"$E(NAME)\">\n"
                                  "        <MSBuild Projects=\"$E(PATH)\"/>\n"
                                  "    </Target>\n"
                                  "$END\n"
                                  "    <Target Name=\"Clean\">\n"
                                  "        <CallTarget Targets=\"$EACH(.dproj,;)$E(NAME):Clean$END\"/>\n"
                                  "    </Target>\n"
                                  "</Project>\n";

class Outputs : public Pipeline {
protected:
    void MakeLibrary() {
        Temp.WriteBytes("lib/Lib.wfmconfig", LibraryConfig);
        Temp.WriteBytes("lib/Templates/Package.dpk.wfmInput", PackageTemplate);
        Temp.WriteBytes("lib/Templates/Package.dproj.wfmInput", DprojTemplate);
        Temp.WriteBytes("lib/Templates/Group.groupproj.wfmInput", GroupTemplate);
    }
    // The files below lib/, but the configuration and its templates, sorted.
    QStringList MadeFiles() const {
        QStringList files;
        QDir lib(Path("lib"));
        for (const QString& folder : lib.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            if (folder != "Templates")
                for (const QString& file : QDir(lib.filePath(folder)).entryList(QDir::Files))
                    files.append(folder + '/' + file);
        for (const QString& file : lib.entryList(QDir::Files))
            if (!file.endsWith(".wfmconfig")) files.append(file);
        files.sort();
        return files;
    }
};

} // namespace

TEST_F(Outputs, EveryTargetGetsItsOutputsWithItsValuesPathsAndGroupProject) {
    MakeLibrary();
    const QString config = Path("lib/Lib.wfmconfig");
    const TResult r = Run({"make", config, "-q"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString() << r.Out.toStdString();
    EXPECT_EQ(
        MadeFiles(),
        (QStringList{"D10.4/CoreLib.dpk", "D10.4/CoreLib.dproj", "D10.4/CoreLibDesign.dpk",
                     "D10.4/CoreLibDesign.dproj", "Delphi11/CoreLib.dpk", "Delphi11/CoreLib.dproj",
                     "Delphi11/CoreLibDesign.dpk", "Delphi11/CoreLibDesign.dproj", "LibGroupD10.4.groupproj",
                     "LibGroupD11.groupproj", "LibGroupXE2.groupproj", "XE2/CoreLib.dpk", "XE2/CoreLib.dproj",
                     "XE2/CoreLibDesign.dpk", "XE2/CoreLibDesign.dproj"}));
    // A target's value takes the place of the shared one; a project's own section applies to its
    // outputs in every target; each output keeps its template's line breaks.
    EXPECT_EQ(Read("lib/XE2/CoreLibDesign.dpk"),
              "package CoreLibDesign;\r\n{$LIBSUFFIX '160'}\r\nrequires rtl, CoreLib;\r\nend.\r\n");
    EXPECT_EQ(Read("lib/Delphi11/CoreLib.dpk"),
              "package CoreLib;\r\n{$LIBSUFFIX '280'}\r\nrequires rtl;\r\nend.\r\n");
    const QByteArray xe2 = Read("lib/XE2/CoreLib.dproj");
    EXPECT_TRUE(xe2.contains("<DllSuffix>160</DllSuffix>\n    <Platforms>Win32</Platforms>"))
        << xe2.constData();
    EXPECT_TRUE(Read("lib/D10.4/CoreLib.dproj").contains("<Platforms>Win32;Win64</Platforms>"));
    // The project GUID follows the project's name: the same package has the same one in every version.
    const auto guidLine = [this](const QString& AFile) { return Read(AFile).split('\n').value(1); };
    EXPECT_EQ(guidLine("lib/XE2/CoreLib.dproj"), guidLine("lib/Delphi11/CoreLib.dproj"));
    EXPECT_NE(guidLine("lib/XE2/CoreLib.dproj"), guidLine("lib/XE2/CoreLibDesign.dproj"));
    EXPECT_EQ(Read("lib/LibGroupD11.groupproj"),
              "<Project>\n"
              "    <ItemGroup>\n"
              "        <Projects Include=\"Delphi11\\CoreLib.dproj\">\n"
              "            <Dependencies/>\n"
              "        </Projects>\n"
              "        <Projects Include=\"Delphi11\\CoreLibDesign.dproj\">\n"
              "            <Dependencies/>\n"
              "        </Projects>\n"
              "    </ItemGroup>\n"
              "    <Target Name=\"CoreLib\">\n"
              "        <MSBuild Projects=\"Delphi11\\CoreLib.dproj\"/>\n"
              "    </Target>\n"
              "    <Target Name=\"CoreLibDesign\">\n"
              "        <MSBuild Projects=\"Delphi11\\CoreLibDesign.dproj\"/>\n"
              "    </Target>\n"
              "    <Target Name=\"Clean\">\n"
              "        <CallTarget Targets=\"CoreLib:Clean;CoreLibDesign:Clean\"/>\n"
              "    </Target>\n"
              "</Project>\n");

    TResult check = Run({"make", config, "--check", "-q"});
    EXPECT_EQ(check.ExitCode, 0) << check.Err.toStdString();
    // One template changed: each output made from it (two a target) has a diff of its own.
    Temp.WriteBytes("lib/Templates/Package.dpk.wfmInput",
                    QByteArray(PackageTemplate).replace("end.", "end ."));
    check = Run({"make", config, "--check"});
    EXPECT_EQ(check.ExitCode, 3);
    EXPECT_EQ(check.Err.count("Output file would change"), 6) << check.Err.toStdString();
    EXPECT_EQ(check.Out.count("\n+end .\n"), 6) << check.Out.toStdString();
    EXPECT_TRUE(check.Out.contains("--- " + Path("lib/XE2/CoreLibDesign.dpk") + "\n"));
}

TEST_F(Outputs, OnlyPicksTargetsOutputsOrBoth) {
    MakeLibrary();
    const QString config = Path("lib/Lib.wfmconfig");
    const struct {
        QString Only;
        QStringList Made;
    } cases[] = {
        {"D11",
         {"Delphi11/CoreLib.dpk", "Delphi11/CoreLib.dproj", "Delphi11/CoreLibDesign.dpk",
          "Delphi11/CoreLibDesign.dproj", "LibGroupD11.groupproj"}},
        {"xe2, corelib.dproj", {"XE2/CoreLib.dproj"}},
        // A file name picks that file alone, not the project's other one.
        {"CoreLib.dpk", {"D10.4/CoreLib.dpk", "Delphi11/CoreLib.dpk", "XE2/CoreLib.dpk"}},
        {"CoreLibDesign,D10.4,XE2",
         {"D10.4/CoreLibDesign.dpk", "D10.4/CoreLibDesign.dproj", "XE2/CoreLibDesign.dpk",
          "XE2/CoreLibDesign.dproj"}},
    };
    for (const auto& c : cases) {
        for (const QString& made : MadeFiles())
            QFile::remove(Path("lib/" + made));
        const TResult r = Run({"make", config, "--only", c.Only, "-q"});
        EXPECT_EQ(r.ExitCode, 0) << c.Only.toStdString() << r.Err.toStdString();
        EXPECT_EQ(MadeFiles(), c.Made) << c.Only.toStdString();
    }
    const TResult r = Run({"make", config, "--only", "XE3"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains("\"XE3\" is neither a target nor an output of the configuration"))
        << r.Err.toStdString();
}

// Without targets the outputs are made once; an output whose path comes out empty is left out, and
// a dry run makes no folder.
TEST_F(Outputs, WithoutTargetsEachOutputIsMadeOnce) {
    Temp.WriteBytes("one/One.wfmconfig", "[Outputs]\n"
                                         "deep/er/$P(Name).inc=inc\n"
                                         "$P(Optional)=inc\n"
                                         "[Replace]\n"
                                         "Name=Version\n"
                                         "Value=[$GET(TARGET)]\n");
    Temp.WriteBytes("one/inc.wfmInput", "{$DEFINE V$P(Value)}\n");
    TResult r = Run({"make", Path("one/One.wfmconfig"), "--dry-run"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_FALSE(QDir(Path("one/deep")).exists());
    EXPECT_TRUE(r.Out.contains("Output file would be written \"" + Path("one/deep/er/Version.inc") + "\""));
    r = Run({"make", Path("one/One.wfmconfig"), "-q"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(Read("one/deep/er/Version.inc"), "{$DEFINE V[]}\n");
    EXPECT_EQ(QDir(Path("one")).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
              (QStringList{"deep", "inc.wfmInput", "One.wfmconfig"}));
}

TEST_F(Outputs, LintNamesUnusedTargetValuesStrayTargetSectionsAndSharedOutputs) {
    MakeLibrary();
    QByteArray config = LibraryConfig;
    config.replace("[Target:D11]\n", "[Target:D11]\nUnused=1\n[Target:D12]\nSuffix=290\n[Target:D11]\n");
    config.replace("LibGroup$GET(TARGET)", "LibGroup");
    Temp.WriteBytes("lib/Lib.wfmconfig", config);
    const TResult r = Run({"lint", Path("lib/Lib.wfmconfig")});
    EXPECT_EQ(r.ExitCode, 3);
    const QString file = Path("lib/Lib.wfmconfig");
    EXPECT_EQ(r.Out,
              QString("%1:11: warning: target value \"Unused\" is used by no output: no marker or "
                      "statement names it\n"
                      "%1:12: warning: section \"Target:D12\" names no target of section [Targets]: its "
                      "entries are never used\n"
                      "%1:22: warning: output \"LibGroup.groupproj\" is made again for target \"D10.4\" "
                      "(first for \"XE2\"): the last one made stays\n"
                      "%1:22: warning: output \"LibGroup.groupproj\" is made again for target \"D11\" "
                      "(first for \"XE2\"): the last one made stays\n")
                  .arg(file))
        << r.Out.toStdString();
    Temp.WriteBytes("lib/Lib.wfmconfig", LibraryConfig);
    EXPECT_EQ(Run({"lint", Path("lib/Lib.wfmconfig")}).Out, "");
}

// The bundled library: three versions of two packages and their group projects from one
// configuration, up to date after make, and clean to lint.
TEST_F(Outputs, TheVersionsExampleMakesItsWholeTree) {
    const QString source = WRENFOLD_EXAMPLES_DIR "/Versions";
    QDirIterator files(source, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        QFile in(file);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        Temp.WriteBytes("Versions/" + QDir(source).relativeFilePath(file), in.readAll());
    }
    const QString config = Path("Versions/Packages/TinyLib.wfmconfig");
    TResult r = Run({"make", config, "-q"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    QDirIterator made(Path("Versions/Packages"), {"*.dpk", "*.dproj", "*.groupproj"}, QDir::Files,
                      QDirIterator::Subdirectories);
    int count = 0;
    for (; made.hasNext(); made.next())
        ++count;
    EXPECT_EQ(count, 15);
    EXPECT_TRUE(Read("Versions/Packages/D12/TinyLibDesign.dpk").contains("{$LIBSUFFIX '290'}\r\n"));
    EXPECT_EQ(Run({"make", config, "--check", "-q"}).ExitCode, 0);
    r = Run({"lint", config});
    EXPECT_EQ(r.ExitCode, 0) << r.Out.toStdString();
}
