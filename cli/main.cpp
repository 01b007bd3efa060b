// wrenfold-cli: makes a project's .dproj file, or a batch of them, without a window.
#include "cli/TCliHost.h"
#include "engine/CommandFailure.h"
#include "engine/PathRules.h"
#include "engine/TWrenfoldEngine.h"

#include "Tessel/UKestLibrary/Version.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <unistd.h>

using namespace Wrenfold;

namespace {

enum TExitCode { ecSuccess = 0, ecFailed = 1, ecUsage = 2 };

const char* const Usage =
    "Usage:\n"
    "  wrenfold-cli make PROJECT.wfmconfig [--quiet]\n"
    "  wrenfold-cli batch FOLDER/AllProjects.wfmconfig [--only NAME.dpr[,NAME.dpr...]] [--quiet]\n"
    "  wrenfold-cli --help | --version\n"
    "\n"
    "make   opens the project configuration and writes its .dproj file beside it.\n"
    "batch  opens an AllProjects configuration and makes every Delphi project of its folder\n"
    "       (or only those named by --only).\n"
    "The log goes to standard output, messages to standard error.\n"
    "Exit status: 0 success, 1 the command failed, 2 usage error.\n";

struct TOptions {
    QString Command;
    QString ProjectFile;
    QStringList Only;
    bool OnlyGiven = false;
    bool Quiet = false;
};

int UsageError(const QString& AMessage) {
    std::fprintf(stderr, "error: %s\n%s", qPrintable(AMessage), Usage);
    return ecUsage;
}

// The support library's slash switches, accepted as on the window's command line.
bool IsLibrarySwitch(const QString& AArgument) {
    static const QStringList switches = {QStringLiteral("/RegLogging"), QStringLiteral("/DEMO"),
                                         QStringLiteral("/OFFLINE"), QStringLiteral("/DESMODE")};
    static const QStringList options = {QStringLiteral("/SlowStatusUpdate="), QStringLiteral("/UL=")};
    for (const QString& s : switches)
        if (AArgument.compare(s, Qt::CaseInsensitive) == 0) return true;
    for (const QString& o : options)
        if (AArgument.startsWith(o, Qt::CaseInsensitive)) return true;
    return false;
}

// Returns an exit code when parsing ends the program, or -1 to go on.
int ParseArguments(const QStringList& AArguments, TOptions& AOptions) {
    QStringList positional;
    for (int i = 1; i < AArguments.size(); ++i) {
        const QString& argument = AArguments.at(i);
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            std::fputs(Usage, stdout);
            return ecSuccess;
        }
        if (argument == QLatin1String("--version")) {
            std::printf("%s\n%s\n", qPrintable(Tessel::VersionStrDotted()),
                        qPrintable(Tessel::VersionInfo.FileDescription));
            return ecSuccess;
        }
        if (argument == QLatin1String("--quiet") || argument == QLatin1String("-q")) {
            AOptions.Quiet = true;
        } else if (argument == QLatin1String("--only") || argument.startsWith(QLatin1String("--only="))) {
            QString value;
            if (argument.startsWith(QLatin1String("--only="))) value = argument.mid(7);
            else if (++i < AArguments.size()) value = AArguments.at(i);
            else return UsageError(QStringLiteral("--only needs a list of project files"));
            AOptions.OnlyGiven = true;
            for (const QString& name : value.split(u',', Qt::SkipEmptyParts)) AOptions.Only.append(name.trimmed());
        } else if (IsLibrarySwitch(argument)) {
            continue;
        } else if (argument.startsWith(QLatin1String("--"))) {
            return UsageError(QStringLiteral("unknown option \"%1\"").arg(argument));
        } else {
            positional.append(argument);
        }
    }
    if (positional.isEmpty()) return UsageError(QStringLiteral("no command given"));
    AOptions.Command = positional.takeFirst();
    if (AOptions.Command != QLatin1String("make") && AOptions.Command != QLatin1String("batch"))
        return UsageError(QStringLiteral("unknown command \"%1\"").arg(AOptions.Command));
    if (positional.size() != 1)
        return UsageError(QStringLiteral("%1 needs exactly one project configuration").arg(AOptions.Command));
    AOptions.ProjectFile = positional.first();
    if (AOptions.OnlyGiven && AOptions.Command != QLatin1String("batch"))
        return UsageError(QStringLiteral("--only belongs to the batch command"));
    if (AOptions.OnlyGiven && AOptions.Only.isEmpty())
        return UsageError(QStringLiteral("--only needs a list of project files"));
    return -1;
}

// Marks the entries named by --only (each must be listed) and clears the others.
bool MarkOnly(TBatchList& AList, const QStringList& ANames, TCliHost& AHost) {
    AList.SetAllChecked(false);
    for (const QString& name : ANames) {
        int found = -1;
        for (int i = 0; i < AList.Count() && found < 0; ++i)
            if (AList.Text(i).compare(name, Qt::CaseInsensitive) == 0) found = i;
        if (found < 0) {
            AHost.ShowErrorBox(QStringLiteral("\"%1\" is not a Delphi project of the batch folder").arg(name));
            return false;
        }
        AList.SetChecked(found, true);
    }
    return true;
}

int Run(const TOptions& AOptions) {
    TCliHost host(stdout, stderr);
    host.SetQuiet(AOptions.Quiet);
    TWrenfoldEngine engine(host);
    engine.synLog.SetKeepAppendedLines(false);
    QObject::connect(&engine.synLog, &TTextDocument::LineAppended, [&](const QString& line) { host.WriteLogLine(line); });

    QFileInfo project(AOptions.ProjectFile);
    if (AOptions.Command == QLatin1String("batch") && project.isDir())
        project.setFile(JoinPath(project.absoluteFilePath(), QStringLiteral("AllProjects.wfmconfig")));
    if (!project.exists() || project.isDir()) {
        host.ShowErrorBox(QStringLiteral("Project file not found \"%1\"").arg(project.filePath()));
        return ecFailed;
    }
    if (!RunReportingFailure([&] { engine.LoadProjectFile(project.absoluteFilePath()); },
                             [&](const QString& AMessage) { host.ShowErrorBox(AMessage); }))
        return ecFailed;
    if (AOptions.Command == QLatin1String("make")) return engine.MakeDprojCommand() ? ecSuccess : ecFailed;
    if (AOptions.OnlyGiven && !MarkOnly(engine.clbFileList, AOptions.Only, host)) return ecFailed;
    else if (!AOptions.OnlyGiven) engine.clbFileList.SetAllChecked(true);
    return engine.MakeBatchCommand() ? ecSuccess : ecFailed;
}

} // namespace

int main(int argc, char** argv) {
    // A log written to a file or a pipe goes out in large blocks; a terminal keeps its line buffering.
    static char logBuffer[1 << 16];
    if (!::isatty(STDOUT_FILENO)) std::setvbuf(stdout, logBuffer, _IOFBF, sizeof logBuffer);
    QCoreApplication app(argc, argv);
    TOptions options;
    const int parsed = ParseArguments(app.arguments(), options);
    if (parsed >= 0) return parsed;
    const int result = Run(options);
    std::fflush(stdout);
    return result;
}
