// Turning existing .dproj files into a template and a project configuration that make them again.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace Wrenfold {

struct TAdoptedProject {
    QStringList Template;    // the project file's lines with markers in place of its values
    QStringList ReplaceList; // "Name=Value" lines that give the markers their values
};

// The values that differ between the projects of one folder become markers: the project GUID
// ($GET(RANDOMGUID), or $GET(PROJECTGUID) when AStableGuid), the main source ($GET(PROJECTSOURCE)
// when it is AProjectSource, the one the folder gives the project) and the project name where they
// stand as a whole element value, and per configuration the output folders, search paths, defines
// and version-info keys.
TAdoptedProject AdoptProject(const QStringList& AProjectLines, const QString& AProjectName,
                             const QString& AProjectSource, bool AStableGuid);

// One project of a folder, adopted on its own.
struct TFolderProject {
    QString Name;      // the project's name ("App")
    QString FileName;  // its .dproj file's name, for messages
    QStringList Lines; // the .dproj file's lines
    TAdoptedProject Adopted;
};

// One template for all the projects of a folder, with the replace entries they share and, per
// project, the entries whose values are its own. Differences holds one text per project whose
// structure differs from the first's (nothing else is usable then).
struct TAdoptedFolder {
    QStringList Template;
    QStringList ReplaceList;
    std::vector<std::pair<QString, QStringList>> ProjectEntries; // project name, its own entries
    QStringList Differences;
};

// Lines where the projects differ only in an element's value get a marker of their own; each value
// shared by most projects goes into the shared list, the others into their projects' entries.
TAdoptedFolder MergeAdoptedProjects(const std::vector<TFolderProject>& AProjects);

// The configuration's text for an adopted project or folder whose template is ATemplateName.
QStringList AdoptedConfiguration(const QString& ATemplateName, const QStringList& AReplaceList,
                                 const std::vector<std::pair<QString, QStringList>>& AProjectEntries = {},
                                 const QStringList& ASkipped = {});

} // namespace Wrenfold
