// Runs the built wrenfold-cli on project folders in a temporary directory.
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "support/PrintTo.h"
#include "support/TScratchDir.h"

namespace {

struct TResult {
    int ExitCode;
    QString Out, Err;
};

class Cli : public ::testing::Test {
protected:
    TScratchDir Temp;

    // AMerged sends both streams down one pipe, as a shell's "2>&1" does; Out then holds both.
    TResult Run(const QStringList& AArguments, bool AMerged = false,
                const QString& ARegistryDir = QString()) {
        QProcess process;
        // The program's registry is the test's own: the one set for the test run, or ARegistryDir.
        EXPECT_FALSE(qEnvironmentVariableIsEmpty("WRENFOLD_REGISTRY_DIR"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!ARegistryDir.isEmpty()) environment.insert("WRENFOLD_REGISTRY_DIR", ARegistryDir);
        process.setProcessEnvironment(environment);
        if (AMerged) process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(WRENFOLD_CLI_PATH, AArguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                AMerged ? QString() : QString::fromUtf8(process.readAllStandardError())};
    }
    void Write(const QString& AName, const QByteArray& AText) { Temp.WriteBytes(AName, AText); }
    QByteArray Read(const QString& AName) { return Temp.ReadBytes(AName); }
    void MakeBatchFolder() {
        Write("b/AllProjects.wfmconfig", "[General]\nInputName=T\n[Replace]\nName=$GET(PROJECTNAME)\n");
        Write("b/T.wfmInput", "<n>$P(Name)</n>");
        for (const char* name : {"b/One.dpr", "b/Two.dpr", "b/Three.dpr"})
            Write(name, "");
    }
};

} // namespace

TEST_F(Cli, MakePrintsTheLogAndWritesTheProject) {
    Write("p/App.wfmconfig", "[General]\nInputName=T\n[Replace]\nBody=$INCLUDE(part.txt)\n");
    Write("p/part.txt", "one\r\ntwo\r\x85"); // "…" shares its first UTF-8 byte with U+2028
    Write("p/T.wfmInput", "<b>$P(Body)</b>");
    const TResult r = Run({"make", Temp.FilePath("p/App.wfmconfig")});
    EXPECT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    const QString dir = Temp.FilePath("p");
    const QStringList expected = {
        QString("Load project file \"%1/App.wfmconfig\"").arg(dir),
        QString("Set current directory \"%1\"").arg(dir),
        "",
        "Set current project name \"App\"",
        QString("Load input file \"%1/T.wfmInput\"").arg(dir),
        QString("Making Dproj from project \"App\" in directory \"%1\"").arg(dir),
        QString("Load input file \"%1/T.wfmInput\"").arg(dir),
        QString("Replaced $INCLUDE(%1/part.txt) with \"one").arg(dir),
        "two",
        "\u2026\"",
        "Input line 1, replaced \"Body\" with \"one",
        "two",
        "\u2026\"",
        QString("Dproj output file written \"%1/App.dproj\"").arg(dir),
        "Dproj output complete",
        "",
    };
    EXPECT_EQ(r.Out.split('\n'), expected);
    EXPECT_EQ(r.Err, "Dproj output complete\n");
    // The included Windows-1252 text is written in the template's UTF-8, its breaks as CR LF.
    EXPECT_EQ(Read("p/App.dproj"), "<b>one\r\ntwo\r\n\xE2\x80\xA6</b>");
}

TEST_F(Cli, TheOutputKeepsTheTemplatesEncodingOrTheRunFailsWithNothingLost) {
    Write("p/App.wfmconfig", "[General]\nInputName=T\n[Replace]\nName=M\xC3\xBCller \xC5\x81\xC3\xB3"
                             "d\xC5\xBA\n");
    Write("p/T.wfmInput", "\xEF\xBB\xBF<n>$P(Name)</n>\n");
    TResult r = Run({"make", Temp.FilePath("p/App.wfmconfig"), "--quiet"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(Read("p/App.dproj"), "\xEF\xBB\xBF<n>M\xC3\xBCller \xC5\x81\xC3\xB3"
                                   "d\xC5\xBA</n>\n");

    Write("p/T.wfmInput", "<n>Gr\xF6\xDF"
                          "e $P(Name)</n>"); // Windows-1252
    r = Run({"make", Temp.FilePath("p/App.wfmconfig"), "--quiet"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Err,
              "error: Output line 1 holds \"\u0141\", which the template's encoding (Windows-1252) cannot "
              "hold: save the template as UTF-8\n");
    EXPECT_EQ(Read("p/App.dproj"), "\xEF\xBB\xBF<n>M\xC3\xBCller \xC5\x81\xC3\xB3"
                                   "d\xC5\xBA</n>\n");
}

TEST_F(Cli, FailuresGoToStandardErrorWithExitStatusOne) {
    Write("p/App.wfmconfig", "[General]\nInputName=Missing\n[Replace]\nA=1\n");
    TResult r = Run({"make", Temp.FilePath("p/App.wfmconfig"), "--quiet"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err,
              QString("error: Input file not found \"%1\"\n").arg(Temp.FilePath("p/Missing.wfmInput")));
    // Into one pipe, the log written so far comes before the message.
    r = Run({"make", Temp.FilePath("p/App.wfmconfig")}, true);
    EXPECT_EQ(
        r.Out,
        QString("Load project file \"%1/App.wfmconfig\"\nSet current directory \"%1\"\n\n"
                "Set current project name \"App\"\nerror: Input file not found \"%1/Missing.wfmInput\"\n")
            .arg(Temp.FilePath("p")));

    r = Run({"make", Temp.FilePath("nothing.wfmconfig")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.startsWith("error: ")) << r.Err.toStdString();

    Write("p/T.wfmInput", "$P(A");
    Write("p/App.wfmconfig", "[General]\nInputName=T\n[Replace]\nA=1\n");
    r = Run({"make", Temp.FilePath("p/App.wfmconfig")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(
        r.Out.endsWith("***Error: \"Input line 1, missing right marker processing line \"$P(A\"\"\n"));
}

TEST_F(Cli, BatchMakesEveryProjectOrOnlyThoseNamed) {
    MakeBatchFolder();
    TResult r =
        Run({"batch", Temp.FilePath("b/AllProjects.wfmconfig"), "--only", "two.dpr, Three.dpr", "-q"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err, "3 Delphi projects found. These are listed in the batch tab if required.\n"
                     "All selected projects processed\n");
    EXPECT_FALSE(QFile::exists(Temp.FilePath("b/One.dproj")));
    EXPECT_EQ(Read("b/Two.dproj"), "<n>Two</n>");
    EXPECT_EQ(Read("b/Three.dproj"), "<n>Three</n>");

    r = Run({"batch", Temp.FilePath("b/AllProjects.wfmconfig")});
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_EQ(Read("b/One.dproj"), "<n>One</n>");
    EXPECT_TRUE(r.Out.endsWith("Set current project name \"AllProjects\"\n-- Batch complete ---\n"));

    r = Run({"batch", Temp.FilePath("b/AllProjects.wfmconfig"), "--only=Four.dpr"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains("error: \"Four.dpr\" is not a Delphi project of the batch folder"));

    Write("b/Single.wfmconfig", "[General]\nInputName=T\n");
    r = Run({"batch", Temp.FilePath("b/Single.wfmconfig")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains("before you can run a batch"));
}

TEST_F(Cli, UsageErrorsHelpAndVersion) {
    MakeBatchFolder();
    const QStringList usageErrors[] = {
        {},
        {"build", "x.wfmconfig"},
        {"make"},
        {"make", "a", "b"},
        {"make", "x.wfmconfig", "--bogus"},
        {"make", Temp.FilePath("b/AllProjects.wfmconfig"), "--only", "One.dpr"},
        {"batch", "x", "--only"},
        {"batch", Temp.FilePath("b/AllProjects.wfmconfig"), "--only", ","}};
    for (const QStringList& arguments : usageErrors) {
        const TResult r = Run(arguments);
        EXPECT_EQ(r.ExitCode, 2) << arguments.join(' ').toStdString();
        // --only on make is refused once the configuration shows it names no outputs.
        EXPECT_TRUE(r.Err.startsWith("error: ") || r.Err.contains("\nerror: --only picks"))
            << r.Err.toStdString();
    }
    TResult r = Run({"--help"});
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_TRUE(r.Out.contains("wrenfold-cli make PROJECT.wfmconfig"));
    r = Run({"--version"});
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_TRUE(QRegularExpression("^V\\d+\\.\\d+\\.\\d+\\.\\d+\nWrenfold\n$").match(r.Out).hasMatch())
        << r.Out.toStdString();
    r = Run({"/DEMO", "/UL=S", "batch", Temp.FilePath("b"), "-q"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    const QString quietErr = r.Err;
    // Announced options speak on standard error; a slash argument the library does not know is no switch.
    r = Run({"batch", Temp.FilePath("b"), "-q", "/slowstatusupdate=x"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(
        "Forces a programmable slow status update set by '/SlowStatusUpdate=x' found on the command line.\n"
        "Error in command line integer value \"/SlowStatusUpdate\"\n" +
            quietErr,
        r.Err);
    r = Run({"batch", Temp.FilePath("b"), "-q", "/DEMOX"});
    EXPECT_EQ(r.ExitCode, 2);
}

// A usage error names the mistake on standard error, followed by the usage that --help prints;
// the checks run in this order, so the first mistake of a line is the one named.
TEST_F(Cli, EachUsageErrorNamesItsMistakeBeforeTheUsage) {
    MakeBatchFolder();
    const QString batch = Temp.FilePath("b");
    const QString usage = Run({"--help"}).Out;
    ASSERT_TRUE(usage.startsWith("Usage:\n")) << usage.toStdString();
    EXPECT_EQ(Run({"-h"}).Out, usage);
    const struct {
        QStringList Arguments;
        QString Message;
    } cases[] = {
        {{"make", "x.wfmconfig", "--bogus=1", "--dry-run", "--check"}, "unknown option \"--bogus=1\""},
        {{"make", "x.wfmconfig", "--quiet=yes"}, "unknown option \"--quiet=yes\""},
        {{"make", "x.wfmconfig", "-qh"}, "unknown option \"-qh\""}, // one word, not -q -h
        {{"/DEMO", "--quiet"}, "no command given"},
        {{"build", "x.wfmconfig", "--only=One.dpr"}, "unknown command \"build\""},
        {{"lint", "a", "b", "--batch"}, "lint needs exactly one project configuration"},
        {{"lint", "x.wfmconfig", "--only=One.dpr", "--dry-run", "--check"},
         "--only belongs to the make and batch commands"},
        {{"batch", batch, "--dry-run", "--check", "--stable-guid"},
         "--dry-run and --check exclude each other"},
        {{"make", "x.wfmconfig", "--batch"},
         "--batch, --versions and --stable-guid belong to the adopt command"},
        {{"batch", batch, "--stable-guid", "--only="},
         "--batch, --versions and --stable-guid belong to the adopt command"},
        {{"batch", batch, "--quiet", "--only"}, "--only needs a list of project files"},
        {{"batch", batch, "--only="}, "--only needs a list of project files"},
        {{"batch", batch, "--only", ",,"}, "--only needs a list of project files"},
        {{"batch", batch, "--only", " , "}, "--only needs a list of project files"}, // blank names drop out
    };
    for (const auto& c : cases) {
        const TResult r = Run(c.Arguments);
        EXPECT_EQ(r.ExitCode, 2) << c.Arguments.join(' ').toStdString();
        EXPECT_EQ(r.Out, "");
        EXPECT_EQ(r.Err, "error: " + c.Message + "\n" + usage);
    }
}

// The object reached from AObject through the members named, one level each.
static QJsonObject Member(QJsonObject AObject, const QStringList& ANames) {
    for (const QString& name : ANames)
        AObject = AObject.value(name).toObject();
    return AObject;
}

// The subkeys of "KEST Products" in the program's registry file: one per program.
static QJsonObject ProductKeys(const QJsonObject& AHive) {
    return Member(AHive, {"root", "keys", "Software", "keys", "KEST Products", "keys"});
}

// The waypoints key of the program's registry file.
static QJsonObject WaypointsKey(const QJsonObject& AHive) {
    const QJsonObject products = ProductKeys(AHive);
    return products.isEmpty()
               ? QJsonObject()
               : Member(products.begin()->toObject(), {"keys", "General", "keys", "Waypoints"});
}

TEST_F(Cli, StartsAndStopsTheLibraryWithTheWaypointsKeptInTheRegistry) {
    Write("p/App.wfmconfig", "[General]\nInputName=T\n[Replace]\nName=App\n");
    Write("p/T.wfmInput", "<b/>");
    const QString registry = Temp.FilePath("registry");
    const QString hiveFile = registry + "/HKEY_CURRENT_USER.json";
    TResult r = Run({"make", Temp.FilePath("p/App.wfmconfig"), "--quiet", "/RegLogging"}, false, registry);
    EXPECT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_TRUE(
        r.Err.startsWith("'Registry activity logging' - this feature has been enabled by '/RegLogging' "
                         "found on the command line.\n"))
        << r.Err.toStdString();
    EXPECT_TRUE(r.Err.contains("KEST reg access \"WriteRegKeyBool\"")) << "saved at shutdown";
    QFile file(hiveFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the registry is the one given";
    QJsonObject hive = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    EXPECT_EQ(WaypointsKey(hive), QJsonObject({{"values", QJsonObject({{"WaypointsEnabled", 0}})}}));

    // Switched on with one waypoint stored: the question is printed and answered No, and the set is
    // written back as it was.
    const QString appName = ProductKeys(hive).keys().value(0);
    const QByteArray waypoints =
        R"({"keys":{"Engine|BeforeWrite":{"values":{"Enabled":1}}},"values":{"WaypointsEnabled":1}})";
    Write(
        "registry/HKEY_CURRENT_USER.json",
        R"({"hive":"HKEY_CURRENT_USER","version":1,"root":{"keys":{"Software":{"keys":{"KEST Products":{"keys":{")" +
            appName.toUtf8() + R"(":{"keys":{"General":{"keys":{"Waypoints":)" + waypoints + "}}}}}}}}}}}");
    r = Run({"make", Temp.FilePath("p/App.wfmconfig"), "--quiet"}, false, registry);
    EXPECT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Err, "Waypoints are enabled. Disable them now? No\nDproj output complete\n");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    hive = QJsonDocument::fromJson(file.readAll()).object();
    EXPECT_EQ(WaypointsKey(hive), QJsonDocument::fromJson(waypoints).object());
}

TEST_F(Cli, ARegistryThatCannotBeWrittenWarnsWithoutFailingTheCommand) {
    Write("p/App.wfmconfig", "[General]\nInputName=T\n[Replace]\nName=App\n");
    Write("p/T.wfmInput", "<b>$P(Name)</b>");
    Write("plain-file", "");
    const TResult r = Run({"make", Temp.FilePath("p/App.wfmconfig"), "--quiet"}, false,
                          Temp.FilePath("plain-file/registry"));
    EXPECT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(Read("p/App.dproj"), "<b>App</b>");
    EXPECT_TRUE(r.Err.contains(
        QRegularExpression("^warning: .*registry folder", QRegularExpression::MultilineOption)))
        << r.Err.toStdString();
}
