#include "engine/TProjectDisk.h"

#include "Tessel/Rtl/Exception.h"
#include "Tessel/Rtl/FileWriter.h"
#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/NonPrintingTags.h"

#include <QDir>
#include <QFileInfo>

namespace Wrenfold {

namespace {

// Refuses a path that the system would cut short at a NUL, before any call is made with it.
void CheckPath(const QString& APath) {
    if (APath.contains(QChar(0)))
        throw Tessel::EFileError(QStringLiteral("Path \"%1\" holds a NUL character")
                                     .arg(Tessel::StringToNonPrintingTags(APath, QString(), true)));
}

QString NotRegularText(const QString& APath) {
    return QStringLiteral("\"%1\" is not a regular file").arg(APath);
}

// True for a regular file; false when nothing or a folder stands there; raises for anything else
// (a FIFO, a device, a socket), which a run must neither read, replace nor delete.
bool IsRegularFile(const QString& APath) {
    CheckPath(APath);
    if (APath.isEmpty()) return false;
    // Symbolic links are followed; a dangling one is nothing.
    const QFileInfo info(APath);
    if (!info.exists() || info.isDir()) return false;
    if (!info.isFile()) throw Tessel::EFileError(NotRegularText(APath));
    return true;
}

QStringList ListEntries(const QString& AFolder, QDir::Filters AFilters) {
    CheckPath(AFolder);
    const QFileInfo info(AFolder);
    if (AFolder.isEmpty() || !info.isDir())
        throw Tessel::Exception(QStringLiteral("Cannot list folder \"%1\". No such folder").arg(AFolder));
    if (!info.isReadable() || !info.isExecutable())
        throw Tessel::Exception(QStringLiteral("Cannot list folder \"%1\". Permission denied").arg(AFolder));
    return QDir(AFolder).entryList(AFilters | QDir::Hidden | QDir::System);
}

} // namespace

bool TProjectDisk::IsExistingFile(const QString& APath) const {
    return IsRegularFile(APath);
}

QStringList TProjectDisk::ListFiles(const QString& AFolder) const {
    return ListEntries(AFolder, QDir::Files);
}

QStringList TProjectDisk::ListFolders(const QString& AFolder) const {
    return ListEntries(AFolder, QDir::Dirs | QDir::NoDotAndDotDot);
}

QByteArray TProjectDisk::ReadFile(const QString& APath) const {
    CheckPath(APath);
    return Tessel::ReadFileBytes(APath);
}

void TProjectDisk::WriteTextFile(const QString& APath, const QStringList& ALines,
                                 const Tessel::TTextFormat& AFormat) {
    IsRegularFile(APath);
    const QString folder = QFileInfo(APath).absolutePath();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        throw Tessel::EFileError(QStringLiteral("Cannot make folder \"%1\"").arg(folder));
    Tessel::WriteTextFile(APath, ALines, AFormat, Tessel::TWriteDurability::Replaced);
}

void TProjectDisk::CopyFile(const QString& ASource, const QString& ADest) {
    CheckPath(ASource);
    CheckPath(ADest);
    try {
        IsRegularFile(ADest);
    } catch (const Tessel::EFileError&) {
        throw Tessel::EFileError(NotRegularText(ADest));
    }
    QString errorText;
    if (!Tessel::CopyFileWithError(ASource, ADest, true, errorText)) throw Tessel::EFileError(errorText);
}

void TProjectDisk::DeleteFile(const QString& APath) {
    CheckPath(APath);
    if (!Tessel::DeleteFile(APath)) throw Tessel::EFileError(Tessel::LastSystemErrorText());
}

} // namespace Wrenfold
