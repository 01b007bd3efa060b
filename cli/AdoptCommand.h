// wrenfold-cli adopt: a template and a configuration made from existing .dproj files.
#pragma once

#include <QString>

namespace Wrenfold {

class TCliHost;

// Writes NAME.wfmconfig and NAME.wfmInput beside the .dproj file, once a dry run of make on them
// has shown that they make it again byte for byte (GUIDs aside). Returns the exit status: 2 for a
// file that is no .dproj.
int AdoptProjectFile(const QString& AProjectFile, bool AStableGuid, TCliHost& AHost);
// Writes AllProjects.wfmconfig and AllProjects.wfmInput for the folder, once a dry run of the batch
// on them has shown that they make every project of it again. Exit status 3 when they would not.
int AdoptFolder(const QString& AFolder, bool AStableGuid, TCliHost& AHost);

} // namespace Wrenfold
