#include "Tessel/UKestLibrary/Files.h"

#include "Tessel/AnsiCodePage.h"
#include "Tessel/TextFile.h"
#include "Tessel/UKestDefs.h"

#include <QFile>
#include <QUuid>

#include <cerrno>
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

QString FileToString(const QString& AFileName) { return DecodeAnsi(ReadFileBytes(AFileName)); }

QString LastSystemErrorText() {
    const int code = errno;
    return code == 0 ? QString() : QString::fromLocal8Bit(std::strerror(code));
}

namespace {

// Copies through a temporary file beside the destination, renamed into place only when complete,
// so a failed copy never leaves a truncated destination. errno holds the failing call's code.
bool CopyFileContents(const QByteArray& ASource, const QByteArray& ADest, bool AOverwrite) {
    const int in = ::open(ASource.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    struct stat info {};
    if (::fstat(in, &info) != 0 || S_ISDIR(info.st_mode)) {
        const int code = S_ISDIR(info.st_mode) ? EISDIR : errno;
        ::close(in);
        errno = code;
        return false;
    }
    if (!AOverwrite && ::access(ADest.constData(), F_OK) == 0) {
        ::close(in);
        errno = EEXIST;
        return false;
    }
    QByteArray temp = ADest + ".wrenfold-XXXXXX";
    const int out = ::mkstemp(temp.data());
    if (out < 0) {
        const int code = errno;
        ::close(in);
        errno = code;
        return false;
    }
    bool ok = true;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buffer + done, n - done);
            if (w < 0) {
                if (errno == EINTR) continue;
                ok = false;
                break;
            }
            done += w;
        }
        if (!ok) break;
    }
    ok = ok && ::fchmod(out, info.st_mode & 07777) == 0;
    ok = ok && ::fsync(out) == 0;
    int code = ok ? 0 : errno;
    if (::close(out) != 0 && ok) {
        ok = false;
        code = errno;
    }
    ::close(in);
    if (ok && ::rename(temp.constData(), ADest.constData()) != 0) {
        ok = false;
        code = errno;
    }
    if (!ok) {
        ::unlink(temp.constData());
        errno = code;
    }
    return ok;
}

} // namespace

bool CopyFileWithError(const QString& ASourceName, const QString& ADestName, bool AOverwrite, QString& AErrorText) {
    errno = 0;
    if (ADestName.isEmpty()) errno = ENOENT;
    const bool ok = !ADestName.isEmpty() &&
                    CopyFileContents(QFile::encodeName(ASourceName), QFile::encodeName(ADestName), AOverwrite);
    AErrorText = ok ? QString() : LastSystemErrorText();
    return ok;
}

} // namespace Tessel
