#include "Tessel/Rtl/FileWriter.h"

#include <QFile>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Tessel {

namespace {

pid_t ProcessId() {
    static const pid_t id = ::getpid();
    return id;
}

// Moves the finished file into place; without AReplace an existing target is never replaced.
bool MoveIntoPlace(const QByteArray& ATemp, const QByteArray& ATarget, bool AReplace) {
    if (AReplace) return ::rename(ATemp.constData(), ATarget.constData()) == 0;
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, ATemp.constData(), AT_FDCWD, ATarget.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
#endif
    // File systems without that flag: a hard link fails when the name exists.
    if (::link(ATemp.constData(), ATarget.constData()) == 0) {
        ::unlink(ATemp.constData());
        return true;
    }
    if (errno == EEXIST) return false;
    if (::access(ATarget.constData(), F_OK) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(ATemp.constData(), ATarget.constData()) == 0;
}

} // namespace

TAtomicFileWriter::TAtomicFileWriter(const QString& AFileName) : FTarget(QFile::encodeName(AFileName)) {}

TAtomicFileWriter::~TAtomicFileWriter() {
    const int code = errno;
    Discard();
    errno = code;
}

void TAtomicFileWriter::Discard() {
    if (FFd >= 0) ::close(int(FFd));
    FFd = -1;
    if (!FTemp.isEmpty()) ::unlink(FTemp.constData());
    FTemp.clear();
}

bool TAtomicFileWriter::Fail(int ACode) {
    Discard();
    FError = ACode;
    errno = ACode;
    return false;
}

bool TAtomicFileWriter::Open(std::optional<mode_t> AMode) {
    Discard();
    if (FTarget.isEmpty()) return Fail(ENOENT);
    // A name holding a NUL would be cut short there by the system: another file would be written.
    if (FTarget.contains('\0')) return Fail(EINVAL);
    struct stat existing {};
    bool exists = ::lstat(FTarget.constData(), &existing) == 0;
    if (exists && S_ISLNK(existing.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(FTarget.constData(), resolved) == nullptr) return Fail(errno);
        FTarget = resolved;
        exists = ::stat(FTarget.constData(), &existing) == 0;
    }
    if (exists && S_ISDIR(existing.st_mode)) return Fail(EISDIR);
    // Only regular files are replaced; a read-only one (no owner write bit) is refused as the
    // platform refuses to overwrite it, also for root, since people lock files that way.
    if (exists && !S_ISREG(existing.st_mode)) return Fail(EINVAL);
    if (exists && (existing.st_mode & S_IWUSR) == 0) return Fail(EACCES);

    // The file is made with its permissions, and changed afterwards only when the process's
    // file-creation mask took some away; a new file's default ones are left to the mask.
    const bool keepMode = AMode || exists;
    const mode_t mode = AMode ? *AMode & 07777 : exists ? existing.st_mode & 07777 : 0666;
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; FFd < 0; ++attempt) {
        FTemp =
            FTarget + ".wf" + QByteArray::number(ProcessId()) + '-' + QByteArray::number(counter++) + ".tmp";
        FFd = ::open(FTemp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (FFd < 0 && (errno != EEXIST || attempt > 100)) {
            FTemp.clear();
            return Fail(errno);
        }
    }
    if (keepMode) {
        struct stat created {};
        if (::fstat(int(FFd), &created) != 0) return Fail(errno);
        if ((created.st_mode & 07777) != mode && ::fchmod(int(FFd), mode) != 0) return Fail(errno);
    }
    return true;
}

bool TAtomicFileWriter::Write(const char* AData, qsizetype ASize) {
    if (FFd < 0) return Fail(EBADF);
    for (qsizetype done = 0; done < ASize;) {
        const ssize_t n = ::write(int(FFd), AData + done, size_t(ASize - done));
        if (n >= 0)
            done += n;
        else if (errno != EINTR)
            return Fail(errno);
    }
    return true;
}

bool TAtomicFileWriter::Commit(TWriteDurability ADurability, bool AReplace) {
    if (FFd < 0) return Fail(EBADF);
    if (ADurability == TWriteDurability::Flushed && ::fsync(int(FFd)) != 0) return Fail(errno);
    const int fd = int(FFd);
    FFd = -1;
    if (::close(fd) != 0) return Fail(errno);
    if (!MoveIntoPlace(FTemp, FTarget, AReplace)) return Fail(errno);
    FTemp.clear();
    return true;
}

bool DeleteFile(const QString& AFileName) {
    const QByteArray name = QFile::encodeName(AFileName);
    if (name.contains('\0')) {
        errno = EINVAL;
        return false;
    }
    return ::unlink(name.constData()) == 0;
}

} // namespace Tessel
