#include "Tessel/Rtl/FileLock.h"

#include <QFile>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace Tessel {

TLockFile::TLockFile(const QString& AFileName, int ATimeoutMs) {
    const int fd = ::open(QFile::encodeName(AFileName).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        FError = errno;
        return;
    }
    FHandle = fd;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ATimeoutMs);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() > deadline) {
            FError = errno;
            FHeldElsewhere = errno == EWOULDBLOCK;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    FLocked = true;
}

TLockFile::~TLockFile() {
    if (FHandle >= 0) ::close(int(FHandle));
}

} // namespace Tessel
