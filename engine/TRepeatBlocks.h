// Blocks of a template repeated once for each output of a kind, so that a group project lists the
// projects of its target:
//
//   $EACH(.dproj)                         a line of its own opens a block of lines ...
//       <Projects Include="$E(PATH)"/>
//   $END                                  ... and a line of its own closes it
//   <CallTarget Targets="$EACH(.dproj,;)$E(NAME):Clean$END"/>    in one line, joined by ";"
//
// The kind is an extension (compared without regard to case) or "*" for every output. Inside a
// block, $E(NAME) is the output's name without its extension, $E(FILE) its file name and $E(PATH)
// its path from the folder of the file being made, with backslashes.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace Wrenfold {

struct TRepeatItem {
    QString Name, File, Path;
};

// True when a line holds "$EACH(".
bool HoldsRepeatBlocks(const QStringList& ALines);

// The lines with every block repeated for the items of its kind (none: the block goes), in their
// order. Raises for a block that is not closed, an $END or $E( outside a block, a block inside
// another, and an unknown $E( name.
QStringList ExpandRepeatBlocks(const QStringList& ALines, const std::vector<TRepeatItem>& AItems);

} // namespace Wrenfold
