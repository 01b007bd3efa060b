// Warnings about a project configuration and its template that a run would pass over silently.
#pragma once

#include <QString>
#include <QStringList>

namespace Wrenfold {

class IProjectDisk;

// Each warning as "FILE:LINE: warning: TEXT", the form editors and CI annotate, in the order of
// the files and lines: markers that no entry gives, entries nothing uses, names given twice,
// blanks around names or inside markers, and paths that match a file only without regard to case.
QStringList LintProject(const QString& AConfigFile, const IProjectDisk& ADisk);

} // namespace Wrenfold
