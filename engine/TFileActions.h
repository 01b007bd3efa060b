// The PreActions and PostActions sections: FileCopy and FileDelete around a run.
#pragma once

#include "engine/TLogSink.h"

#include <QString>
#include <QStringList>

namespace Wrenfold {

class IProjectDisk;

// Runs action lines ("FileCopy=Source;Dest", "FileDelete=Path") of one section, relative paths
// resolved against the project folder.
class TFileActions {
public:
    TFileActions(const QString& ADirectory, IProjectDisk& ADisk, TLogSink ALog)
        : FDirectory(ADirectory), FDisk(ADisk), FLog(std::move(ALog)) {}

    // Runs the lines in order; a failure is prefixed with the section's name and ends the list.
    void RunActionList(const QStringList& AList, const QString& ASection);
    void FileCopyAction(const QString& AValue, const QString& ASection);
    void FileDeleteAction(const QString& AValue, const QString& ASection);

private:
    QString ResolvePath(const QString& APath) const;

    QString FDirectory;
    IProjectDisk& FDisk;
    TLogSink FLog;
};

} // namespace Wrenfold
