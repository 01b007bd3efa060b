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
// Writes FOLDER.wfmconfig and a template per distinct file for a tree of per-version package
// files, once a dry run of make on them has shown that they make every file of the tree again.
// Exit status 3 (the first difference named) when they would not, 2 for a path that is no folder.
int AdoptVersionTree(const QString& AFolder, TCliHost& AHost);

} // namespace Wrenfold
