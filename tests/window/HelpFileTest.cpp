#include "Tessel/UKestLibrary/Files.h"
#include "main/UHelpFile.h"
#include "window/WindowFixture.h"

namespace Wrenfold {

namespace {

// The shared data folder moved into the test's temporary folder for the test's duration.
class HelpFile : public WindowFixture {
protected:
    QByteArray FSavedDataDirs = qgetenv("XDG_DATA_DIRS");
    QString DocsFolder = Path(QStringLiteral("system/Kest/%1/Documentation").arg(Tessel::ExeAppDataName()));

    void SetUp() override { qputenv("XDG_DATA_DIRS", Path(QStringLiteral("system")).toUtf8()); }
    void TearDown() override { qputenv("XDG_DATA_DIRS", FSavedDataDirs); }
};

TEST_F(HelpFile, IsLookedForInTheDocumentationFolderElseBesideTheProgram) {
    EXPECT_EQ(Tessel::ExeFolderPath() + QStringLiteral("/Wrenfold.chm"), GetHelpFilePath(HelpFileName));
    QDir().mkpath(DocsFolder);
    EXPECT_EQ(DocsFolder + QStringLiteral("/Wrenfold.chm"), GetHelpFilePath(HelpFileName));
    EXPECT_EQ(DocsFolder + QStringLiteral("/Other.chm"), GetHelpFilePath(QStringLiteral("sub/Other.chm")));
    // Full names and the empty name are taken as given.
    EXPECT_EQ(QStringLiteral("/opt/help/Wrenfold.chm"),
              GetHelpFilePath(QStringLiteral("/opt/help/Wrenfold.chm")));
    EXPECT_EQ(QString(), GetHelpFilePath(QString()));
}

TEST_F(HelpFile, TheHtmlGuideStandsInForAMissingCompiledHelpFile) {
    const QString chm = DocsFolder + QStringLiteral("/Wrenfold.chm");
    EXPECT_EQ(chm, HelpDocumentToShow(chm)); // nothing there: the viewer reports it
    Write(QStringLiteral("system/Kest/%1/Documentation/index.html").arg(Tessel::ExeAppDataName()), "<html/>");
    EXPECT_EQ(DocsFolder + QStringLiteral("/index.html"), HelpDocumentToShow(chm));
    const QString guide =
        Write(QStringLiteral("system/Kest/%1/Documentation/Wrenfold.html").arg(Tessel::ExeAppDataName()),
              "<html/>");
    EXPECT_EQ(guide, HelpDocumentToShow(chm));
    Write(QStringLiteral("system/Kest/%1/Documentation/Wrenfold.chm").arg(Tessel::ExeAppDataName()), "ITSF");
    EXPECT_EQ(chm, HelpDocumentToShow(chm));
}

TEST_F(HelpFile, TheHelpButtonOpensTheGuide) {
    const QString guide =
        Write(QStringLiteral("system/Kest/%1/Documentation/Wrenfold.html").arg(Tessel::ExeAppDataName()),
              "<html/>");
    Show();
    Click("btnHelp");
    EXPECT_EQ(QStringList{guide}, Prompter.Documents);
    EXPECT_TRUE(Prompter.Boxes.isEmpty());

    // Help that the desktop has no program to show says so, naming the file.
    Prompter.OpensDocuments = false;
    Click("btnHelp");
    ASSERT_EQ(1, Prompter.Boxes.size());
    EXPECT_EQ(TMessageKind::Error, Prompter.Boxes[0].Kind);
    EXPECT_TRUE(Prompter.Boxes[0].Text.contains("The help file \"" + QDir::toNativeSeparators(guide) +
                                                "\" could not be opened"))
        << Prompter.Boxes[0].Text.toStdString();
}

} // namespace

} // namespace Wrenfold
