// Adopting .dproj files: the configuration and template an adoption would write, proved by a dry
// run of exactly the make or batch that will use them.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace Wrenfold {

class IProjectDisk;

struct TAdoptionFiles {
    QString ConfigFile;
    QByteArray Config;
    // Path and bytes of each template, in the encoding and line breaks of the files it makes.
    std::vector<std::pair<QString, QByteArray>> Templates;
};

struct TAdoption {
    TAdoptionFiles Files;
    QStringList Notes;    // what became of each project, for the log
    QStringList Problems; // why the files would not make the projects again; empty when they do
};

// NAME.wfmconfig and NAME.wfmInput beside AProjectFile (a .dproj), checked by a dry run of make
// on them: it must write AProjectFile, and nothing but it, byte for byte (made-up GUIDs aside).
TAdoption AdoptProjectFile(const IProjectDisk& ADisk, const QString& AProjectFile, bool AStableGuid);

// AllProjects.wfmconfig and AllProjects.wfmInput for the folder's batch, checked by a dry run of
// the batch: it must make every project's .dproj again. Values in which projects differ become
// their own; a project with no .dproj is left out of the batch. Raises when no project of the
// folder has a .dproj.
TAdoption AdoptFolder(const IProjectDisk& ADisk, const QString& AFolder, bool AStableGuid);

// NAME.wfmconfig (NAME the folder's name) and a template per distinct file for a tree of
// per-version package files (engine/TVersionTreeAdoption.h): the tree is the .dpk, .dpr, .dproj
// and .groupproj files of each subfolder holding any (a version folder; its name is the target's),
// and the .groupproj files of AFolder whose name holds a version folder's name as a word of its
// own. A dry run of make on the files must write every file of the tree byte for byte, and
// nothing else. Raises when no subfolder holds such a file.
TAdoption AdoptVersionTree(const IProjectDisk& ADisk, const QString& AFolder);

} // namespace Wrenfold
