// wrenfold-cli's command line: the options record, its parsing and the usage text.
#pragma once

#include <QString>
#include <QStringList>

namespace Wrenfold {

// What a command line asks wrenfold-cli to run.
struct TCliOptions {
    QString Command; // make, batch, lint or adopt
    QString ProjectFile;
    QStringList Only; // batch --only: the project names, none blank
    bool OnlyGiven = false;
    bool Quiet = false;
    bool DryRun = false;
    bool Check = false;
    bool Batch = false;      // adopt --batch
    bool Versions = false;   // adopt --versions
    bool StableGuid = false; // adopt --stable-guid
};

enum class TCliAction { caRun, caHelp, caVersion, caUsageError };

// How a command line is answered: by running Options, or without starting anything.
struct TCliRequest {
    TCliAction Action = TCliAction::caRun;
    QString Error; // with caUsageError: the mistake, without "error: "
    TCliOptions Options;
};

// Reads AArguments, the program's name first. The library's slash switches (/RegLogging, /UL=S, ...)
// are passed over: the library reads them itself at start-up. --help and --version are answered
// whatever else the line holds; otherwise the first mistake found is the usage error.
TCliRequest ParseCliArguments(const QStringList& AArguments);

// Printed by --help, and after a usage error.
const char* CliUsage();

} // namespace Wrenfold
