#include "cli/CliOptions.h"

#include "engine/DelphiProjectFiles.h"

#include "Tessel/UKestLibrary/CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <algorithm>

namespace Wrenfold {

namespace {

// The options; a new one goes into the usage text below as well (and into the manual page and the
// bash completion).
struct TOptionTable {
    QCommandLineOption Help{QStringList{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption Version{QStringLiteral("version")};
    QCommandLineOption Quiet{QStringList{QStringLiteral("q"), QStringLiteral("quiet")}};
    QCommandLineOption DryRun{QStringLiteral("dry-run")};
    QCommandLineOption Check{QStringLiteral("check")};
    QCommandLineOption Only{QStringLiteral("only"), QString(), QStringLiteral("NAME[,NAME...]")};
    QCommandLineOption Batch{QStringLiteral("batch")};
    QCommandLineOption Versions{QStringLiteral("versions")};
    QCommandLineOption StableGuid{QStringLiteral("stable-guid")};

    QList<QCommandLineOption> All() const {
        return {Help, Version, Quiet, DryRun, Check, Only, Batch, Versions, StableGuid};
    }
};

const char* const Usage =
    "Usage:\n"
    "  wrenfold-cli make PROJECT.wfmconfig [--only NAME[,NAME...]] [--quiet] [--dry-run | --check]\n"
    "  wrenfold-cli batch FOLDER/AllProjects.wfmconfig [--only NAME[,NAME...]] [--quiet]\n"
    "                     [--dry-run | --check]\n"
    "  wrenfold-cli lint PROJECT.wfmconfig\n"
    "  wrenfold-cli adopt PROJECT.dproj [--stable-guid] | adopt --batch FOLDER [--stable-guid]\n"
    "  wrenfold-cli adopt --versions FOLDER\n"
    "  wrenfold-cli --help | --version\n"
    "\n"
    "make   opens the project configuration and writes its .dproj file beside it. A configuration\n"
    "       with an [Outputs] section makes each of its outputs once for each of its [Targets],\n"
    "       or only those --only names (targets, outputs by name or file name, or both kinds).\n"
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
    "       --versions adopts a tree of package files made for many Delphi versions: each subfolder\n"
    "       of FOLDER holding .dpk, .dpr, .dproj or .groupproj files is a version (and a target), and\n"
    "       the .groupproj files beside them whose names hold a version folder's name belong to it;\n"
    "       other files are left alone. It writes FOLDER/NAME.wfmconfig (NAME the folder's name) and\n"
    "       a template per distinct file (CoreLib.dproj.wfmInput) whose make writes every file of the\n"
    "       tree again byte for byte, or writes nothing and exits 3, naming the first difference.\n"
    "The log goes to standard output, messages to standard error.\n"
    "Exit status: 0 success (with --check: every output up to date), 1 the command failed,\n"
    "2 usage error (adopt: a file that is no .dproj), 3 --check found an output that would change or\n"
    "is missing, lint warned, adopt --batch found projects that no shared template makes, or\n"
    "adopt --versions found files that no template makes,\n"
    "130 batch stopped by Ctrl+C (before its next project; the projects made stay).\n";

TCliRequest UsageError(const QString& AMessage) {
    return {TCliAction::caUsageError, AMessage, {}};
}

// The first argument the parser refused, as given: an option it does not know, or a switch given a
// value ("--quiet=1"). Empty when it refused none: then the line ends in an option without its value.
QString RefusedOption(const QStringList& AArguments, const QList<QCommandLineOption>& AOptions) {
    for (qsizetype i = 1; i < AArguments.size(); ++i) {
        const QString& argument = AArguments.at(i);
        if (argument == QLatin1String("--")) break; // the rest are files
        if (argument.size() < 2 || !argument.startsWith(u'-')) continue;
        const QString word = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        const qsizetype assign = word.indexOf(u'=');
        const QString name = word.left(assign);
        const auto option =
            std::find_if(AOptions.cbegin(), AOptions.cend(),
                         [&](const QCommandLineOption& AOption) { return AOption.names().contains(name); });
        if (option == AOptions.cend()) return argument;
        const bool takesValue = !option->valueName().isEmpty();
        if (!takesValue && assign >= 0) return argument;
        if (takesValue && assign < 0) ++i; // the next argument is its value, whatever it looks like
    }
    return QString();
}

} // namespace

TCliRequest ParseCliArguments(const QStringList& AArguments) {
    QStringList arguments;
    for (qsizetype i = 0; i < AArguments.size(); ++i)
        if (i == 0 || !Tessel::IsKestLibraryParam(AArguments.at(i))) arguments.append(AArguments.at(i));

    const TOptionTable table;
    QCommandLineParser parser;
    // "-abc" is one unknown option, never -a -b -c; the parser prints nothing, the caller does.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(table.All());
    const bool parsed = parser.parse(arguments);

    // --help and --version answer whatever else the line holds; the first of them given wins.
    for (const QString& name : parser.optionNames()) {
        if (table.Help.names().contains(name)) return {TCliAction::caHelp, {}, {}};
        if (table.Version.names().contains(name)) return {TCliAction::caVersion, {}, {}};
    }
    if (!parsed) {
        const QString refused = RefusedOption(arguments, table.All());
        if (refused.isEmpty()) return UsageError(QStringLiteral("--only needs a list of project files"));
        return UsageError(QStringLiteral("unknown option \"%1\"").arg(refused));
    }

    TCliOptions options;
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) return UsageError(QStringLiteral("no command given"));
    options.Command = positional.takeFirst();
    if (options.Command != QLatin1String("make") && options.Command != QLatin1String("batch") &&
        options.Command != QLatin1String("lint") && options.Command != QLatin1String("adopt"))
        return UsageError(QStringLiteral("unknown command \"%1\"").arg(options.Command));
    if (positional.size() != 1)
        return UsageError(QStringLiteral("%1 needs exactly one project configuration").arg(options.Command));
    options.ProjectFile = positional.first();

    options.Quiet = parser.isSet(table.Quiet);
    options.DryRun = parser.isSet(table.DryRun);
    options.Check = parser.isSet(table.Check);
    options.Batch = parser.isSet(table.Batch);
    options.Versions = parser.isSet(table.Versions);
    options.StableGuid = parser.isSet(table.StableGuid);
    options.OnlyGiven = parser.isSet(table.Only);
    for (const QString& value : parser.values(table.Only))
        options.Only += ProjectNameList(value);

    if (options.OnlyGiven && options.Command != QLatin1String("batch") &&
        options.Command != QLatin1String("make"))
        return UsageError(QStringLiteral("--only belongs to the make and batch commands"));
    if (options.DryRun && options.Check)
        return UsageError(QStringLiteral("--dry-run and --check exclude each other"));
    if ((options.Batch || options.StableGuid || options.Versions) &&
        options.Command != QLatin1String("adopt"))
        return UsageError(
            QStringLiteral("--batch, --versions and --stable-guid belong to the adopt command"));
    if (options.Versions && (options.Batch || options.StableGuid))
        return UsageError(QStringLiteral("--versions goes with neither --batch nor --stable-guid"));
    if (options.OnlyGiven && options.Only.isEmpty())
        return UsageError(QStringLiteral("--only needs a list of project files"));
    return {TCliAction::caRun, {}, options};
}

const char* CliUsage() {
    return Usage;
}

} // namespace Wrenfold
