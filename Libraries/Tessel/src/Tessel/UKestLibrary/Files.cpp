#include "Tessel/UKestLibrary/Files.h"

#include "Tessel/Rtl/AnsiCodePage.h"
#include "Tessel/Rtl/FileWriter.h"
#include "Tessel/Rtl/TextFile.h"
#include "Tessel/UKestDefs.h"
#include "Tessel/UKestLibrary/Strings.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <QUuid>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Tessel {

QString NewGuidText() {
    const QUuid guid = QUuid::createUuid();
    if (guid.isNull()) throw EKestLibrary(QStringLiteral("Cannot create GUID"));
    return guid.toString(QUuid::WithBraces).toUpper();
}

QString FileToString(const QString& AFileName) {
    return DecodeAnsi(ReadFileBytes(AFileName));
}

namespace {

// strerror_r comes in a GNU flavour (returns the text) and a POSIX one (fills the buffer).
[[maybe_unused]] const char* ErrorTextOf(const char* AResult, const char*) {
    return AResult;
}
[[maybe_unused]] const char* ErrorTextOf(int AResult, const char* ABuffer) {
    return AResult == 0 ? ABuffer : "";
}

} // namespace

QString LastSystemErrorText() {
    const int code = errno;
    if (code == 0) return QString();
    char buffer[256] = {};
    const QString text =
        QString::fromLocal8Bit(ErrorTextOf(::strerror_r(code, buffer, sizeof buffer), buffer));
    errno = code;
    return text;
}

namespace {

// Copies through TAtomicFileWriter, so a failed copy never leaves a truncated destination. errno holds
// the failing call's code.
bool CopyFileContents(const QString& ASource, const QString& ADest, bool AOverwrite) {
    const int in = ::open(QFile::encodeName(ASource).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    struct TCloser {
        int Fd;
        ~TCloser() {
            const int code = errno;
            ::close(Fd);
            errno = code;
        }
    } closer{in};
    struct stat info {};
    if (::fstat(in, &info) != 0) return false;
    if (S_ISDIR(info.st_mode)) {
        errno = EISDIR;
        return false;
    }
    if (!AOverwrite && ::access(QFile::encodeName(ADest).constData(), F_OK) == 0) {
        errno = EEXIST;
        return false;
    }
    // The copy has the source's permissions.
    TAtomicFileWriter out(ADest);
    if (!out.Open(info.st_mode & 07777)) return false;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (!out.Write(buffer, n)) return false;
    }
    // The copy keeps the source's modification time, as the platform's copy does.
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    ::futimens(out.Handle(), times);
    return out.Commit(TWriteDurability::Flushed, AOverwrite);
}

} // namespace

bool CopyFileWithError(const QString& ASourceName, const QString& ADestName, bool AOverwrite,
                       QString& AErrorText) {
    errno = 0;
    if (ADestName.isEmpty()) errno = ENOENT;
    const bool ok = !ADestName.isEmpty() && CopyFileContents(ASourceName, ADestName, AOverwrite);
    AErrorText = ok ? QString() : LastSystemErrorText();
    return ok;
}

namespace {

bool HasDrive(const QString& AFileName) {
    return AFileName.size() >= 2 && AFileName[1] == u':' && IsLetterChar(AFileName[0]);
}

// 0-based index of the last "/" or drive colon, or -1.
qsizetype LastDelimiter(const QString& AFileName) {
    const qsizetype slash = AFileName.lastIndexOf(u'/');
    if (slash >= 0) return slash;
    return HasDrive(AFileName) ? 1 : -1;
}

} // namespace

QString FileDrivePart(const QString& AFileName) {
    return HasDrive(AFileName) ? AFileName.left(2) : QString();
}

QString FileFolderPart(const QString& AFileName) {
    qsizetype at = LastDelimiter(AFileName);
    // A "/" is dropped unless it is the root's: the first character or one behind the drive or another "/".
    if (at > 0 && AFileName[at] == u'/' && AFileName[at - 1] != u'/' && !(at == 2 && HasDrive(AFileName)))
        --at;
    return AFileName.left(at + 1);
}

QString FileNamePart(const QString& AFileName) {
    return AFileName.mid(LastDelimiter(AFileName) + 1);
}

QString FileExtension(const QString& AFileName) {
    const QString name = FileNamePart(AFileName);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot);
}

QString FileBaseName(const QString& AFileName) {
    const QString name = FileNamePart(AFileName);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

bool IsFullFileName(const QString& AFileName) {
    const bool rooted = AFileName.startsWith(u'/') || HasDrive(AFileName);
    return rooted && !FileFolderPart(AFileName).isEmpty() && !FileNamePart(AFileName).isEmpty();
}

QString ExeFileName() {
    // /proc works before the application object exists, as the library's start-up needs.
    const QString linked = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    if (!linked.isEmpty()) return linked;
    return QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
}

QString ExeFolderPath() {
    return FileFolderPart(ExeFileName());
}

QString ExeBaseName() {
    return FileBaseName(ExeFileName());
}

QString SpecialFolderPath(int ACSIDL) {
    QString path;
    switch (ACSIDL) {
    case CSIDL_DESKTOP:
    case CSIDL_DESKTOPDIRECTORY:
        path = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        break;
    case CSIDL_LOCAL_APPDATA:
    case CSIDL_COMMON_APPDATA: {
        const QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
        if (!folders.isEmpty()) path = ACSIDL == CSIDL_LOCAL_APPDATA ? folders.first() : folders.last();
        break;
    }
    default:
        break;
    }
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

QString DesktopPath(const QString& AFileName) {
    static const QString desktop = SpecialFolderPath(CSIDL_DESKTOPDIRECTORY);
    if (AFileName.isEmpty() || desktop.isEmpty()) return desktop;
    return (desktop.endsWith(u'/') ? desktop : desktop + u'/') + FileNamePart(AFileName);
}

QString LocalAppDataPath() {
    return SpecialFolderPath(CSIDL_LOCAL_APPDATA);
}

QString CommonAppDataPath() {
    return SpecialFolderPath(CSIDL_COMMON_APPDATA);
}

QString AppDataNameFromPath(const QString& AFileName) {
    const QString name = RemoveBlanks(FileNamePart(FileFolderPart(AFileName)));
    const qsizetype at = name.indexOf(QStringLiteral("Software"));
    return at < 0 ? name : KestTrim(name.left(at));
}

QString ExeAppDataName() {
    return AppDataNameFromPath(ExeFileName());
}

} // namespace Tessel
