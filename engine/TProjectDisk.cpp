#include "engine/TProjectDisk.h"

#include "Tessel/Rtl/Exception.h"
#include "Tessel/Rtl/FileWriter.h"
#include "Tessel/UKestLibrary/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

namespace Wrenfold {

bool TProjectDisk::IsExistingFile(const QString& APath) const {
    struct stat info {};
    return !APath.isEmpty() && ::stat(QFile::encodeName(APath).constData(), &info) == 0 && !S_ISDIR(info.st_mode);
}

QStringList TProjectDisk::ListFiles(const QString& AFolder) const {
    const QFileInfo info(AFolder);
    if (AFolder.isEmpty() || !info.isDir())
        throw Tessel::Exception(QStringLiteral("Cannot list folder \"%1\". No such folder").arg(AFolder));
    if (!info.isReadable() || !info.isExecutable())
        throw Tessel::Exception(QStringLiteral("Cannot list folder \"%1\". Permission denied").arg(AFolder));
    return QDir(AFolder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

QByteArray TProjectDisk::ReadFile(const QString& APath) const { return Tessel::ReadFileBytes(APath); }

void TProjectDisk::WriteTextFile(const QString& APath, const QStringList& ALines, const Tessel::TTextFormat& AFormat) {
    Tessel::WriteTextFile(APath, ALines, AFormat, Tessel::TWriteDurability::Replaced);
}

bool TProjectDisk::CopyFile(const QString& ASource, const QString& ADest, QString& AErrorText) {
    return Tessel::CopyFileWithError(ASource, ADest, true, AErrorText);
}

bool TProjectDisk::DeleteFile(const QString& APath, QString& AErrorText) {
    errno = 0;
    const bool ok = Tessel::DeleteFile(APath);
    AErrorText = ok ? QString() : Tessel::LastSystemErrorText();
    return ok;
}

} // namespace Wrenfold
