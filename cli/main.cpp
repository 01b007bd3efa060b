// wrenfold-cli: makes a project's .dproj file, or a batch of them, without a window.
#include "cli/AdoptCommand.h"
#include "cli/ExitCodes.h"
#include "cli/TCliHost.h"
#include "engine/CommandFailure.h"
#include "engine/DelphiProjectFiles.h"
#include "engine/PathRules.h"
#include "engine/TDryRunDisk.h"
#include "engine/TProjectDisk.h"
#include "engine/TProjectLint.h"
#include "engine/TWrenfoldEngine.h"

#include "Tessel/UKestLibrary/CommandLine.h"
#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/Version.h"
#include "Tessel/UKestStartup.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <exception>
#include <unistd.h>

using namespace Wrenfold;

namespace {

const char* const Usage =
    "Usage:\n"
    "  wrenfold-cli make PROJECT.wfmconfig [--quiet] [--dry-run | --check]\n"
    "  wrenfold-cli batch FOLDER/AllProjects.wfmconfig [--only NAME[,NAME...]] [--quiet]\n"
    "                     [--dry-run | --check]\n"
    "  wrenfold-cli lint PROJECT.wfmconfig\n"
    "  wrenfold-cli adopt PROJECT.dproj [--stable-guid] | adopt --batch FOLDER [--stable-guid]\n"
    "  wrenfold-cli --help | --version\n"
    "\n"
    "make   opens the project configuration and writes its .dproj file beside it.\n"
    "batch  opens an AllProjects configuration and makes every Delphi project (.dpr or .dpk) of its\n"
    "       folder but those its [Batch] Skip= list leaves out, or only those named by --only\n"
    "       (App, App.dpr or App.dpk). A batch with nothing to make fails.\n"
    "--dry-run  runs every step but writes, copies and deletes nothing; the log says what would be done.\n"
    "--check    a dry run that compares each output with the file on disk and prints a unified diff\n"
    "           of each one that would change (GUIDs made up by $GET(RANDOMGUID) match any GUID).\n"
    "lint   reports what a run would pass over silently, as FILE:LINE: warning: TEXT lines.\n"
    "adopt  writes PROJECT.wfmconfig and PROJECT.wfmInput that make an existing .dproj again (a dry\n"
    "       run of make on them checks it before anything is written); --batch writes an AllProjects\n"
    "       pair whose batch makes every project of the folder again, with values of their own where\n"
    "       projects differ, or writes nothing and exits 3 when their structure differs.\n"
    "The log goes to standard output, messages to standard error.\n"
    "Exit status: 0 success (with --check: every output up to date), 1 the command failed,\n"
    "2 usage error (adopt: a file that is no .dproj), 3 --check found an output that would change or\n"
    "is missing, lint warned, or adopt --batch found projects that no shared template makes.\n";

struct TOptions {
    QString Command;
    QString ProjectFile;
    QStringList Only;
    bool OnlyGiven = false;
    bool Quiet = false;
    bool DryRun = false;
    bool Check = false;
    bool Batch = false;      // adopt --batch
    bool StableGuid = false; // adopt --stable-guid
};

int UsageError(const QString& AMessage) {
    std::fprintf(stderr, "error: %s\n%s", qPrintable(AMessage), Usage);
    return ecUsage;
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
                        qPrintable(Tessel::VersionInfo().FileDescription));
            return ecSuccess;
        }
        if (argument == QLatin1String("--quiet") || argument == QLatin1String("-q")) {
            AOptions.Quiet = true;
        } else if (argument == QLatin1String("--dry-run")) {
            AOptions.DryRun = true;
        } else if (argument == QLatin1String("--check")) {
            AOptions.Check = true;
        } else if (argument == QLatin1String("--batch")) {
            AOptions.Batch = true;
        } else if (argument == QLatin1String("--stable-guid")) {
            AOptions.StableGuid = true;
        } else if (argument == QLatin1String("--only") || argument.startsWith(QLatin1String("--only="))) {
            QString value;
            if (argument.startsWith(QLatin1String("--only="))) value = argument.mid(7);
            else if (++i < AArguments.size()) value = AArguments.at(i);
            else return UsageError(QStringLiteral("--only needs a list of project files"));
            AOptions.OnlyGiven = true;
            for (const QString& name : value.split(u',', Qt::SkipEmptyParts)) AOptions.Only.append(name.trimmed());
        } else if (Tessel::IsKestLibraryParam(argument)) {
            continue; // the library's slash switches, read at start-up as on the window's command line
        } else if (argument.startsWith(QLatin1String("--"))) {
            return UsageError(QStringLiteral("unknown option \"%1\"").arg(argument));
        } else {
            positional.append(argument);
        }
    }
    if (positional.isEmpty()) return UsageError(QStringLiteral("no command given"));
    AOptions.Command = positional.takeFirst();
    if (AOptions.Command != QLatin1String("make") && AOptions.Command != QLatin1String("batch") &&
        AOptions.Command != QLatin1String("lint") && AOptions.Command != QLatin1String("adopt"))
        return UsageError(QStringLiteral("unknown command \"%1\"").arg(AOptions.Command));
    if (positional.size() != 1)
        return UsageError(QStringLiteral("%1 needs exactly one project configuration").arg(AOptions.Command));
    AOptions.ProjectFile = positional.first();
    if (AOptions.OnlyGiven && AOptions.Command != QLatin1String("batch"))
        return UsageError(QStringLiteral("--only belongs to the batch command"));
    if (AOptions.DryRun && AOptions.Check) return UsageError(QStringLiteral("--dry-run and --check exclude each other"));
    if ((AOptions.Batch || AOptions.StableGuid) && AOptions.Command != QLatin1String("adopt"))
        return UsageError(QStringLiteral("--batch and --stable-guid belong to the adopt command"));
    if (AOptions.OnlyGiven && AOptions.Only.isEmpty())
        return UsageError(QStringLiteral("--only needs a list of project files"));
    return -1;
}

// True when --only's AName picks the batch entry: its file name, its project name, or the name
// with the other source extension (a project with a .dpr and a .dpk is listed by its .dpr).
bool Picks(const QString& AName, const QString& AEntry) {
    return NamesProject({AName}, AEntry) ||
           (IsProjectSource(AName) &&
            Tessel::FileBaseName(AName).compare(Tessel::FileBaseName(AEntry), Qt::CaseInsensitive) == 0);
}

// Marks the entries named by --only (each must be listed) and clears the others.
bool MarkOnly(TBatchList& AList, const QStringList& ANames, TCliHost& AHost) {
    AList.SetAllChecked(false);
    for (const QString& name : ANames) {
        int found = -1;
        for (int i = 0; i < AList.Count() && found < 0; ++i)
            if (Picks(name, AList.Text(i))) found = i;
        if (found < 0) {
            AHost.ShowErrorBox(QStringLiteral("\"%1\" is not a Delphi project of the batch folder").arg(name));
            return false;
        }
        AList.SetChecked(found, true);
    }
    return true;
}

// Prints the warnings about a project; exit 3 when there are any.
int Lint(const QString& AProjectFile) {
    TCliHost host(stdout, stderr);
    const TProjectDisk disk;
    QStringList warnings;
    if (!RunReportingFailure([&] { warnings = LintProject(QFileInfo(AProjectFile).absoluteFilePath(), disk); },
                             [&](const QString& AMessage) { host.ShowErrorBox(AMessage); }))
        return ecFailed;
    for (const QString& warning : warnings) host.WriteLogLine(warning);
    return warnings.isEmpty() ? ecSuccess : ecWouldChange;
}

// Runs the command; with --check, exits 3 when an output would change and prints the diffs.
int Run(const TOptions& AOptions) {
    if (AOptions.Command == QLatin1String("lint")) return Lint(AOptions.ProjectFile);
    if (AOptions.Command == QLatin1String("adopt")) {
        TCliHost host(stdout, stderr);
        return AOptions.Batch ? AdoptFolder(AOptions.ProjectFile, AOptions.StableGuid, host)
                              : AdoptProjectFile(AOptions.ProjectFile, AOptions.StableGuid, host);
    }
    TCliHost host(stdout, stderr);
    host.SetQuiet(AOptions.Quiet);
    TProjectDisk realDisk;
    TDryRunDisk dryRunDisk(realDisk);
    const bool pretend = AOptions.DryRun || AOptions.Check;
    TWrenfoldEngine engine(host, pretend ? static_cast<IProjectDisk&>(dryRunDisk) : realDisk);
    if (AOptions.Check) dryRunDisk.CheckOutputs([&] { return engine.RandomGuids(); });
    engine.synLog.SetKeepAppendedLines(false);
    QObject::connect(&engine.synLog, &TTextDocument::LineAppended, [&](const QString& line) { host.WriteLogLine(line); });

    QFileInfo project(AOptions.ProjectFile);
    if (AOptions.Command == QLatin1String("batch") && project.isDir())
        project.setFile(JoinPath(project.absoluteFilePath(), AllProjectsName + ConfigExtension));
    if (!project.exists() || project.isDir()) {
        host.ShowErrorBox(QStringLiteral("Project file not found \"%1\"").arg(project.filePath()));
        return ecFailed;
    }
    if (!RunReportingFailure([&] { engine.LoadProjectFile(project.absoluteFilePath()); },
                             [&](const QString& AMessage) { host.ShowErrorBox(AMessage); }))
        return ecFailed;
    bool ok;
    if (AOptions.Command == QLatin1String("make")) {
        ok = engine.MakeDprojCommand();
    } else {
        // Opening the configuration ticked every project it does not leave out.
        if (AOptions.OnlyGiven && !MarkOnly(engine.clbFileList, AOptions.Only, host)) return ecFailed;
        ok = engine.MakeBatchCommand();
    }
    if (!ok) return ecFailed;
    if (!AOptions.Check) return ecSuccess;
    if (dryRunDisk.WrittenFiles().isEmpty()) {
        host.ShowErrorBox(QStringLiteral("Nothing to check: the run made no output file"));
        return ecFailed;
    }
    std::fflush(stdout);
    for (const TDryRunDisk::TChangedOutput& output : dryRunDisk.ChangedOutputs()) {
        if (output.Missing) host.ShowInfoBox(QStringLiteral("Output file missing \"%1\"").arg(output.Path));
        else host.ShowInfoBox(QStringLiteral("Output file would change \"%1\"").arg(output.Path));
        if (!AOptions.Quiet && !output.Diff.isEmpty()) std::fputs(output.Diff.toUtf8().constData(), stdout);
    }
    return dryRunDisk.ChangedOutputs().empty() ? ecSuccess : ecWouldChange;
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
    const auto reportError = [](const QString& AMessage) {
        std::fflush(stdout);
        std::fprintf(stderr, "error: %s\n", AMessage.toLocal8Bit().constData());
    };
    // The library starts before the command and shuts down after it (saving the waypoints); its
    // messages go to standard error and its questions are answered No. A failure to start ends in an
    // error line and exit status 1. A failure to shut down (a registry folder that cannot be written,
    // as on a build machine with a read-only home) is a warning: the command's work is done by then,
    // and a build script must not fail over the debugging waypoints.
    try {
        Tessel::KestLibraryStartup();
    } catch (const std::exception& e) {
        reportError(QString::fromUtf8(e.what()));
        return ecFailed;
    }
    // Whatever escapes a command (running out of memory on the way, say) ends in an error line and
    // exit status 1, with the log written so far flushed, never in an abort.
    int result = ecFailed;
    RunReportingFailure([&] { result = Run(options); }, reportError);
    std::fflush(stdout);
    try {
        Tessel::KestLibraryShutdown();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "warning: %s\n", QString::fromUtf8(e.what()).toLocal8Bit().constData());
    }
    return result;
}
