#include "Tessel/Rtl/FileCopy.h"

#include "Tessel/Rtl/FileWriter.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Tessel {

// Copies through TAtomicFileWriter, so a failed copy never leaves a truncated destination.
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
    ::futimens(int(out.Handle()), times);
    return out.Commit(TWriteDurability::Flushed, AOverwrite);
}

} // namespace Tessel
