// A configuration that names its outputs: the files it makes, each from a template at a path that
// may hold markers and statements, once for every target it lists.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace Tessel {
class TKestMemIniFile;
}

namespace Wrenfold {

// "OUTPUT=TEMPLATE" lines, made in their order.
inline const QString OutputsSection = QStringLiteral("Outputs");
// One target name a line; without it the outputs are made once, for no target.
inline const QString TargetsSection = QStringLiteral("Targets");

struct TOutputSpec {
    QString Path; // as written: relative to the configuration's folder, markers unexpanded
    QString
        Template; // as written, relative to the configuration's folder; ".wfmInput" is added as to InputName
};

struct TOutputSet {
    QStringList Targets; // in the order given; empty when the configuration lists none
    std::vector<TOutputSpec> Outputs;
};

// True when the configuration has a section "Outputs" (read without adding it).
bool NamesOutputs(Tessel::TKestMemIniFile& AIniFile);

// The outputs and targets of the configuration. Raises for an output line without a template or
// a path, a target listed twice, and a section "Outputs" with no output.
TOutputSet ReadOutputSet(Tessel::TKestMemIniFile& AIniFile);

// The section that gives one target its own replace entries: "Target:Name".
QString TargetSection(const QString& ATarget);

// AList with AEntries merged in: each "Name=Value" entry takes the place of the entry of its name
// (names compared without regard to case), so the order $REPLACE( sees stays AList's; an entry
// whose name AList lacks is added at the end. In an entry that takes another's place,
// "$REPLACE(Name)" of its own name stands for the value it replaces ("Defines=$REPLACE(Defines);X"
// adds to the shared value). Lines without "=" are passed over.
QStringList MergedReplaceEntries(QStringList AList, const QStringList& AEntries);

} // namespace Wrenfold
