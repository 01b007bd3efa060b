// The engine's disk as it is: every operation works on the real files.
#pragma once

#include "engine/IProjectDisk.h"

namespace Wrenfold {

class TProjectDisk : public IProjectDisk {
public:
    bool IsExistingFile(const QString& APath) const override;
    QStringList ListFiles(const QString& AFolder) const override;
    QStringList ListFolders(const QString& AFolder) const override;
    QByteArray ReadFile(const QString& APath) const override;
    // Generated output can always be made again: it replaces the old file only once completely
    // written, but is not flushed to the disk file by file.
    void WriteTextFile(const QString& APath, const QStringList& ALines,
                       const Tessel::TTextFormat& AFormat) override;
    void CopyFile(const QString& ASource, const QString& ADest) override;
    void DeleteFile(const QString& APath) override;
};

} // namespace Wrenfold
