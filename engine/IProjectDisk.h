// What a run does to the disk: the one seam between the engine and the file system.
#pragma once

#include "Tessel/Rtl/TextFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Wrenfold {

// The real implementation (TProjectDisk) works on the files; others may only look or record what
// a run would do. Failures are raised as the system's exceptions with the platform's reason.
class IProjectDisk {
public:
    virtual ~IProjectDisk() = default;

    // True when a file (not a folder) exists at the path.
    virtual bool IsExistingFile(const QString& APath) const = 0;
    // The names of the files (not folders) directly inside the folder, in no particular order.
    virtual QStringList ListFiles(const QString& AFolder) const = 0;
    // The names of the folders directly inside the folder ("." and ".." aside), in no particular order.
    virtual QStringList ListFolders(const QString& AFolder) const = 0;
    virtual QByteArray ReadFile(const QString& APath) const = 0;
    // Replaces the file with the lines, encoded in the format, making the missing folders of its
    // path; an existing file stays intact when the write fails.
    virtual void WriteTextFile(const QString& APath, const QStringList& ALines,
                               const Tessel::TTextFormat& AFormat) = 0;
    // Copies the file over any existing destination; raises an exception carrying the system's
    // reason (its message is the reason alone) on failure.
    virtual void CopyFile(const QString& ASource, const QString& ADest) = 0;
    // Deletes the file; raises an exception carrying the system's reason alone on failure.
    virtual void DeleteFile(const QString& APath) = 0;
    // False for a disk that only pretends to write, copy and delete (a dry run): the log then says
    // what would be done.
    virtual bool WritesForReal() const { return true; }
};

} // namespace Wrenfold
