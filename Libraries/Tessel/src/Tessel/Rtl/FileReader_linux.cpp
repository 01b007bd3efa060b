#include "Tessel/Rtl/FileReader.h"

#include "Tessel/Rtl/Exception.h"
#include "Tessel/Rtl/SystemError.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Tessel {

QByteArray ReadFileBytes(const QString& AFileName) {
    const auto fail = [&](const char* AStep, int ACode) { ThrowFileError(AStep, AFileName, ACode); };
    const QByteArray name = QFile::encodeName(AFileName);
    // A name holding a NUL would be cut short there by the system: another file would be read.
    if (name.contains('\0')) fail("open", EINVAL);
    // Opening a FIFO without a writer would wait for one: never block, take regular files only.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) fail("open", errno);
    struct TCloser {
        int Fd;
        ~TCloser() { ::close(Fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0) fail("open", errno);
    if (S_ISDIR(info.st_mode)) fail("open", EISDIR);
    if (!S_ISREG(info.st_mode))
        throw EFileError(QStringLiteral("\"%1\" is not a regular file").arg(AFileName));
    const auto tooLarge = [&] {
        throw EFileError(QStringLiteral("Cannot read file \"%1\". It is larger than %2 MiB")
                             .arg(AFileName)
                             .arg(MaxReadFileBytes / (1024 * 1024)));
    };
    if (info.st_size > MaxReadFileBytes) tooLarge();
    // Read in one go (one spare byte shows that the file did not grow); files that report no size
    // (as the kernel's own do) until their end.
    const bool sized = info.st_size > 0;
    QByteArray bytes(qsizetype(info.st_size) + 1, Qt::Uninitialized);
    qsizetype used = 0;
    for (;;) {
        if (used == bytes.size()) {
            if (used > MaxReadFileBytes) tooLarge();
            bytes.resize(std::min(bytes.size() * 2 + 4096, MaxReadFileBytes + 1));
        }
        const ssize_t n = ::read(fd, bytes.data() + used, size_t(bytes.size() - used));
        if (n < 0) {
            if (errno == EINTR) continue;
            fail("read", errno);
        }
        used += n;
        if (n == 0 || (sized && used < bytes.size())) break;
    }
    bytes.truncate(used);
    return bytes;
}

} // namespace Tessel
