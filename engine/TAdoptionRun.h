// Adopting .dproj files: the configuration and template an adoption would write, proved by a dry
// run of exactly the make or batch that will use them.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Wrenfold {

class IProjectDisk;

struct TAdoptionFiles {
    QString ConfigFile, TemplateFile;
    QByteArray Config, Template; // in the adopted project's encoding and line breaks
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

} // namespace Wrenfold
