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
}

} // namespace

} // namespace Wrenfold
