// A tree of per-version package files as one configuration with a target per version and one
// template per distinct file.
#include "engine/TVersionTreeAdoption.h"

#include "support/PrintTo.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <map>

using namespace Wrenfold;

namespace {

// The configuration's sections as name -> lines.
std::map<QString, QStringList> Sections(const QStringList& AConfig) {
    std::map<QString, QStringList> sections;
    QString current;
    for (const QString& line : AConfig) {
        if (line.startsWith(u'['))
            current = line.mid(1, line.size() - 2);
        else if (!line.isEmpty())
            sections[current].append(line);
    }
    return sections;
}

// Every $P(name) of AText replaced by the target's value (plain substitution, no statements).
QString Expand(const QString& AText, const QStringList& AEntries) {
    QString result = AText;
    static const QRegularExpression marker(QStringLiteral("\\$P\\(([^()]*)\\)"));
    for (QRegularExpressionMatch m = marker.match(result); m.hasMatch();
         m = marker.match(result, m.capturedStart())) {
        QString value;
        for (const QString& entry : AEntries)
            if (entry.section(u'=', 0, 0).compare(m.captured(1), Qt::CaseInsensitive) == 0)
                value = entry.section(u'=', 1);
        result.replace(m.capturedStart(), m.capturedLength(), value);
    }
    return result;
}

// What the configuration and templates make, per target: output path (with "/") -> lines.
std::map<QString, QStringList> Remade(const TAdoptedTree& ATree) {
    std::map<QString, QStringList> made;
    auto sections = Sections(ATree.Config);
    for (const QString& target : sections["Targets"]) {
        const QStringList& entries = sections["Target:" + target];
        for (const QString& output : sections["Outputs"]) {
            const QString path = Expand(output.section(u'=', 0, 0), entries).replace(u'\\', u'/');
            if (path.isEmpty()) continue;
            const auto adopted =
                std::find_if(ATree.Templates.begin(), ATree.Templates.end(),
                             [&](const auto& t) { return t.FileName == output.section(u'=', 1); });
            EXPECT_NE(adopted, ATree.Templates.end()) << output.toStdString();
            QStringList lines;
            for (const QString& line : adopted->Lines)
                lines.append(Expand(line, entries));
            EXPECT_FALSE(made.count(path)) << "made twice: " << path.toStdString();
            made[path] = lines;
        }
    }
    return made;
}

TTreeFile File(const QString& APath, const QString& AVersion, const QString& AText) {
    return {APath, AVersion, AText.split(u'\n'), {}};
}

// A package in two versions: its suffix in a directive and an element, GUIDs, the folder's name
// in paths.
std::vector<TTreeFile> PackageTree() {
    const QString dpk = "package CoreLib;\n{$LIBSUFFIX '%1'}\n{$DESCRIPTION 'Core'}\nrequires\n  rtl;\nend.";
    const QString dproj = "<Project>\n  <ProjectGuid>%2</ProjectGuid>\n  <DllSuffix>%1</DllSuffix>\n"
                          "  <DCC_UnitSearchPath>..\\..\\Source;..\\%3\\Lib</DCC_UnitSearchPath>\n"
                          "  <ProjectVersion>%4</ProjectVersion>\n"
                          "  <Platform value=\"%5\">True</Platform>\n</Project>";
    const QString group = "<Project>\n  <Projects Include=\"%1\\CoreLib.dproj\"/>\n</Project>";
    return {
        File("XE2/CoreLib.dpk", "XE2", dpk.arg("160")),
        File("XE2/CoreLib.dproj", "XE2",
             dproj.arg("160", "{11111111-2222-3333-4444-555555555555}", "XE2", "13.4", "Win32")),
        File("LibGroupXE2.groupproj", "XE2", group.arg("XE2")),
        File("11/CoreLib.dpk", "11", dpk.arg("280")),
        File("11/CoreLib.dproj", "11",
             dproj.arg("280", "{AAAAAAAA-2222-3333-4444-555555555555}", "11", "19.5", "Win64")),
        File("LibGroup11.groupproj", "11", group.arg("11")),
    };
}

std::map<QString, QStringList> Original(const std::vector<TTreeFile>& AFiles) {
    std::map<QString, QStringList> files;
    for (const TTreeFile& file : AFiles)
        files[file.Path] = file.Lines;
    return files;
}

} // namespace

TEST(VersionTreeAdoption, ATreeIsMadeAgainWithNamedMarkersSharedWhereValuesAgree) {
    const std::vector<TTreeFile> files = PackageTree();
    const TAdoptedTree tree = AdoptVersionTree({"XE2", "11"}, files);
    ASSERT_EQ(tree.Problems, QStringList());
    EXPECT_EQ(Remade(tree), Original(files));

    auto sections = Sections(tree.Config);
    EXPECT_EQ(sections["Targets"], (QStringList{"XE2", "11"}));
    EXPECT_EQ(sections["Outputs"], (QStringList{"$P(Folder)\\CoreLib.dpk=CoreLib.dpk.wfmInput",
                                                "$P(Folder)\\CoreLib.dproj=CoreLib.dproj.wfmInput",
                                                "LibGroup$P(Folder).groupproj=LibGroup.groupproj.wfmInput"}));
    // The suffix of the directive and of the element is one value; the GUID one token.
    EXPECT_EQ(sections["Target:XE2"], (QStringList{"Folder=XE2", "LIBSUFFIX=160",
                                                   "ProjectGuid={11111111-2222-3333-4444-555555555555}",
                                                   "ProjectVersion=13.4", "Platform_value=Win32"}));
    EXPECT_EQ(sections["Target:11"][1], "LIBSUFFIX=280");
    ASSERT_EQ(tree.Templates.size(), 3u);
    EXPECT_EQ(tree.Templates[0].Lines[1], "{$LIBSUFFIX '$P(LIBSUFFIX)'}");
    EXPECT_EQ(
        tree.Templates[1].Lines.mid(1, 5),
        (QStringList{"  <ProjectGuid>$P(ProjectGuid)</ProjectGuid>", "  <DllSuffix>$P(LIBSUFFIX)</DllSuffix>",
                     "  <DCC_UnitSearchPath>..\\..\\Source;..\\$P(Folder)\\Lib</DCC_UnitSearchPath>",
                     "  <ProjectVersion>$P(ProjectVersion)</ProjectVersion>",
                     "  <Platform value=\"$P(Platform_value)\">True</Platform>"}));
    EXPECT_EQ(tree.Templates[2].Lines[1], "  <Projects Include=\"$P(Folder)\\CoreLib.dproj\"/>");
    EXPECT_EQ(tree.Templates[2].Outputs, (QStringList{"LibGroupXE2.groupproj", "LibGroup11.groupproj"}));
}

TEST(VersionTreeAdoption, ValuesTheConfigurationCouldNotHoldAreWidenedOrRefused) {
    struct TCase {
        const char* Name;
        QString XE2, XE3;
        QString Template; // the line, or empty when refused
        QString Problem;  // the start of the problem
    } cases[] = {
        // A blank at a value's end would be trimmed away: the neighbour goes in with it.
        {"blank at the end", "<A>x </A>", "<A>y</A>", "<A>$P(A)/A>", ""},
        {"blank at the start", "<A> x</A>", "<A>y</A>", "<A$P(A)</A>", ""},
        {"empty against a value", "<A></A>", "<A>y</A>", "<A>$P(A)</A>", ""},
        {"indent", "  <A/>", "\t<A/>", "",
         "XE3/F.txt, line 2: \"<A/>\", where XE2/F.txt has \"<A/>\" (the lines "
         "differ in their indent)"},
        {"trailing blanks", "<A/>", "<A/> ", "",
         "XE3/F.txt, line 2: \"<A/>\", where XE2/F.txt has \"<A/>\" (the "
         "lines differ in their trailing blanks)"},
        {"statement", "<A>$GET(x)</A>", "<A>y</A>", "",
         "XE3/F.txt, line 2: \"<A>y</A>\", where XE2/F.txt has "
         "\"<A>$GET(x)</A>\" (a value that differs"},
        // The folder's name only as a word of its own: "XE22" is no "XE2".
        {"folder inside a word", "Lib\\XE2\\XE22", "Lib\\XE3\\XE22", "Lib\\$P(Folder)\\XE22", ""},
        {"folder after a capital", "CoreLibXE2", "CoreLibXE3", "CoreLib$P(Folder)", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::vector<TTreeFile> files = {File("XE2/F.txt", "XE2", "first\n" + c.XE2 + "\nlast"),
                                              File("XE3/F.txt", "XE3", "first\n" + c.XE3 + "\nlast")};
        const TAdoptedTree tree = AdoptVersionTree({"XE2", "XE3"}, files);
        if (c.Template.isEmpty()) {
            ASSERT_EQ(tree.Problems.size(), 1);
            EXPECT_TRUE(tree.Problems[0].startsWith(c.Problem)) << tree.Problems[0].toStdString();
            EXPECT_TRUE(tree.Templates.empty());
            continue;
        }
        ASSERT_EQ(tree.Problems, QStringList());
        EXPECT_EQ(tree.Templates.at(0).Lines[1], c.Template);
        EXPECT_EQ(Remade(tree), Original(files));
    }
}

TEST(VersionTreeAdoption, FilesOfSomeVersionsAndLinesOfSomeVersions) {
    std::vector<TTreeFile> files = PackageTree();
    files.push_back(File("11/NewLib.dpk", "11", "package NewLib;"));
    TAdoptedTree tree = AdoptVersionTree({"XE2", "11"}, files);
    ASSERT_EQ(tree.Problems, QStringList());
    EXPECT_EQ(Remade(tree), Original(files));
    auto sections = Sections(tree.Config);
    EXPECT_EQ(sections["Outputs"].back(), "$P(NewLibDpkPath)=NewLib.dpk.wfmInput");
    EXPECT_TRUE(sections["Target:XE2"].contains("NewLibDpkPath="));
    EXPECT_TRUE(sections["Target:11"].contains("NewLibDpkPath=11\\NewLib.dpk"));

    // A line only one version has: named with the first line it differs at.
    files = PackageTree();
    files[4].Lines.insert(6, "  <Platform value=\"Win64\">True</Platform>");
    tree = AdoptVersionTree({"XE2", "11"}, files);
    EXPECT_EQ(
        tree.Problems,
        QStringList{
            "11/CoreLib.dproj, line 7: \"<Platform value=\"Win64\">True</Platform>\", where "
            "XE2/CoreLib.dproj has \"</Project>\" (line 7); the files differ in lines, not only in values"});
    EXPECT_TRUE(tree.Templates.empty() && tree.Config.isEmpty());

    // The same lines in another format: the template can have only one.
    files = PackageTree();
    files[3].Format.Encoding = Tessel::TTextEncoding::Utf8Bom;
    tree = AdoptVersionTree({"XE2", "11"}, files);
    EXPECT_EQ(tree.Problems, QStringList{"11/CoreLib.dpk, line 1: UTF-8 with a byte-order mark, CR LF line "
                                         "breaks, where XE2/CoreLib.dpk is UTF-8, CR LF line breaks"});
}

TEST(VersionTreeAdoption, AVersionStandsInAFileNameAsAWordOfItsOwn) {
    const QStringList versions = {"XE", "XE2", "11", "D2010"};
    struct TCase {
        const char* Name;
        const char* Version;
    } cases[] = {{"LibGroupXE2.groupproj", "XE2"}, {"LibGroup_XE.groupproj", "XE"},
                 {"Lib11.groupproj", "11"},        {"Lib110.groupproj", ""},
                 {"LibXE2Pro.groupproj", "XE2"},   {"AllD2010.groupproj", "D2010"},
                 {"Libxe2.groupproj", ""},         {"LibXEN.groupproj", ""}};
    for (const TCase& c : cases)
        EXPECT_EQ(VersionInFileName(c.Name, versions), c.Version) << c.Name;
}
