// The runtime services' switches, read from the command line at start-up.
#pragma once

#include <QStringList>

namespace Tessel {

// In this order: off-line mode when "/DEMO" or else "/OFFLINE" is given; SlowStatusUpdateMs from
// "/SlowStatusUpdate=ms" (announced; 0 when absent or no integer); then the command-line user level
// ("/DESMODE", "/UL=level"). Reads the process's arguments, or the given arguments after the program
// path.
void InitRuntimeCommandLine();
void InitRuntimeCommandLine(const QStringList& AArguments);

} // namespace Tessel
