// wrenfold-cli: makes a project's .dproj file, or a batch of them, without a window.
#include "cli/AdoptCommand.h"
#include "cli/CliOptions.h"
#include "cli/ConsoleOutput.h"
#include "cli/ExitCodes.h"
#include "cli/TCliHost.h"
#include "cli/TInterruptScope.h"
#include "engine/CommandFailure.h"
#include "engine/DelphiProjectFiles.h"
#include "engine/PathRules.h"
#include "engine/TCancelCapture.h"
#include "engine/TDryRunDisk.h"
#include "engine/TProjectDisk.h"
#include "engine/TProjectLint.h"
#include "engine/TWrenfoldEngine.h"

#include "Tessel/UKestLibrary/Version.h"
#include "Tessel/UKestStartup.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <exception>
#include <optional>

using namespace Wrenfold;

namespace {

// Marks the entries named by --only (each must be listed) and clears the others.
bool MarkOnly(TBatchList& AList, const QStringList& ANames, TCliHost& AHost) {
    AList.SetAllChecked(false);
    for (const QString& name : ANames) {
        int found = -1;
        for (int i = 0; i < AList.Count() && found < 0; ++i)
            if (NamesProject({name}, AList.Text(i))) found = i;
        if (found < 0) {
            AHost.ShowErrorBox(
                QStringLiteral("\"%1\" is not a Delphi project of the batch folder").arg(name));
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
    if (!RunReportingFailure(
            [&] { warnings = LintProject(QFileInfo(AProjectFile).absoluteFilePath(), disk); },
            [&](const QString& AMessage) { host.ShowErrorBox(AMessage); }))
        return ecFailed;
    for (const QString& warning : warnings)
        host.WriteLogLine(warning);
    return warnings.isEmpty() ? ecSuccess : ecWouldChange;
}

// Runs the command; with --check, exits 3 when an output would change and prints the diffs.
int Run(const TCliOptions& AOptions) {
    if (AOptions.Command == QLatin1String("lint")) return Lint(AOptions.ProjectFile);
    if (AOptions.Command == QLatin1String("adopt")) {
        TCliHost host(stdout, stderr);
        if (AOptions.Versions) return AdoptVersionTree(AOptions.ProjectFile, host);
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
    QObject::connect(&engine.synLog, &TTextDocument::LineAppended,
                     [&](const QString& line) { host.WriteLogLine(line); });

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
    const bool namesOutputs = engine.NamesOutputs();
    if (AOptions.Command == QLatin1String("make") && !namesOutputs) {
        if (AOptions.OnlyGiven) {
            host.ShowErrorBox(QStringLiteral("--only picks the projects of a batch, or the targets and "
                                             "outputs of a configuration with an [Outputs] section"));
            return ecUsage;
        }
        ok = engine.MakeDprojCommand();
    } else {
        // Opening the configuration ticked every project it does not leave out, or every output.
        if (AOptions.OnlyGiven && namesOutputs &&
            !RunReportingFailure([&] { engine.TickNamedOutputs(AOptions.Only); },
                                 [&](const QString& AMessage) { host.ShowErrorBox(AMessage); }))
            return ecFailed;
        if (AOptions.OnlyGiven && !namesOutputs && !MarkOnly(engine.clbFileList, AOptions.Only, host))
            return ecFailed;
        // Ctrl+C stops the batch before its next project: the one being made is finished (each
        // output is written whole or not at all), and the exit status says it was stopped.
        const TCancelCapture capture;
        const TInterruptScope interrupt;
        ok = engine.MakeBatchCommand();
    }
    if (!ok) return ecFailed;
    if (engine.BatchCancelled()) return ecCancelled;
    if (!AOptions.Check) return ecSuccess;
    if (dryRunDisk.WrittenFiles().isEmpty()) {
        host.ShowErrorBox(QStringLiteral("Nothing to check: the run made no output file"));
        return ecFailed;
    }
    std::fflush(stdout);
    for (const TDryRunDisk::TChangedOutput& output : dryRunDisk.ChangedOutputs()) {
        if (output.Missing)
            host.ShowInfoBox(QStringLiteral("Output file missing \"%1\"").arg(output.Path));
        else
            host.ShowInfoBox(QStringLiteral("Output file would change \"%1\"").arg(output.Path));
        if (!AOptions.Quiet && !output.Diff.isEmpty()) std::fputs(output.Diff.toUtf8().constData(), stdout);
    }
    return dryRunDisk.ChangedOutputs().empty() ? ecSuccess : ecWouldChange;
}

} // namespace

int main(int argc, char** argv) {
    // A log written to a file or a pipe goes out in large blocks; a terminal keeps its line buffering.
    static char logBuffer[1 << 16];
    if (!StandardOutputIsTerminal()) std::setvbuf(stdout, logBuffer, _IOFBF, sizeof logBuffer);
    QCoreApplication app(argc, argv);
    const TCliRequest request = ParseCliArguments(app.arguments());
    switch (request.Action) {
    case TCliAction::caHelp:
        std::fputs(CliUsage(), stdout);
        return ecSuccess;
    case TCliAction::caVersion:
        std::printf("%s\n%s\n", qPrintable(Tessel::VersionStrDotted()),
                    qPrintable(Tessel::VersionInfo().FileDescription));
        return ecSuccess;
    case TCliAction::caUsageError:
        std::fprintf(stderr, "error: %s\n%s", qPrintable(request.Error), CliUsage());
        return ecUsage;
    case TCliAction::caRun:
        break;
    }
    const auto reportError = [](const QString& AMessage) {
        std::fflush(stdout);
        std::fprintf(stderr, "error: %s\n", AMessage.toLocal8Bit().constData());
    };
    // The library starts before the command and shuts down after it (saving the waypoints), with the
    // same lifetime object as the window; its messages go to standard error and its questions are
    // answered No. A failure to start ends in an error line and exit status 1. A failure to shut down
    // (a registry folder that cannot be written, as on a build machine with a read-only home) is a
    // warning: the command's work is done by then, and a build script must not fail over the
    // debugging waypoints.
    std::optional<Tessel::TKestLibraryLifetime> library;
    try {
        library.emplace([](const QString& AMessage) {
            std::fprintf(stderr, "warning: %s\n", AMessage.toLocal8Bit().constData());
        });
    } catch (const std::exception& e) {
        reportError(QString::fromUtf8(e.what()));
        return ecFailed;
    }
    // Whatever escapes a command (running out of memory on the way, say) ends in an error line and
    // exit status 1, with the log written so far flushed, never in an abort.
    int result = ecFailed;
    RunReportingFailure([&] { result = Run(request.Options); }, reportError);
    std::fflush(stdout);
    library.reset(); // shuts the library down: a failure is the warning above
    return result;
}
