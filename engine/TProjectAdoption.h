// Turning an existing .dproj file into a template and a project configuration that make it again.
#pragma once

#include "Tessel/Rtl/TextFile.h"

#include <QString>
#include <QStringList>

namespace Wrenfold {

struct TAdoptedProject {
    QStringList Template;    // the project file's lines with markers in place of its values
    QStringList ReplaceList; // "Name=Value" lines that give the markers their values
};

// The values that differ between the projects of one folder become markers: the project GUID
// ($GET(RANDOMGUID), or $GET(PROJECTGUID) when AStableGuid), the main source and the project name
// where they stand as a whole element value ($GET(PROJECTNAME) in them), and per configuration the
// output folders, search paths, defines and version-info keys.
TAdoptedProject AdoptProject(const QStringList& AProjectLines, const QString& AProjectName, bool AStableGuid);

// The configuration's text for an adopted project whose template is ATemplateName.
QStringList AdoptedConfiguration(const QString& ATemplateName, const QStringList& AReplaceList);

} // namespace Wrenfold
