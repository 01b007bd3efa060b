// wrenfold-cli adopt: a template and a configuration made from existing .dproj files.
#pragma once

#include <QString>

namespace Wrenfold {

class TCliHost;

// Writes NAME.wfmconfig and NAME.wfmInput beside the project file, once a dry run has shown that
// they make it again byte for byte (GUIDs aside). Returns the exit status.
int AdoptProjectFile(const QString& AProjectFile, bool AStableGuid, TCliHost& AHost);
// Writes AllProjects.wfmconfig and AllProjects.wfmInput from the folder's first .dproj file and
// reports which of the folder's projects they make again. Exit status 3 when some differ.
int AdoptFolder(const QString& AFolder, bool AStableGuid, TCliHost& AHost);

} // namespace Wrenfold
