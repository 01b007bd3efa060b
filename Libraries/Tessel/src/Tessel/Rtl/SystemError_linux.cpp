#include "Tessel/Rtl/SystemError.h"

#include <cerrno>
#include <cstring>

namespace Tessel {

namespace {

// strerror_r comes in a GNU flavour (returns the text) and a POSIX one (fills the buffer).
[[maybe_unused]] const char* ErrorTextOf(const char* AResult, const char*) {
    return AResult;
}
[[maybe_unused]] const char* ErrorTextOf(int AResult, const char* ABuffer) {
    return AResult == 0 ? ABuffer : "";
}

} // namespace

int LastSystemError() {
    return errno;
}

void SetLastSystemError(int ACode) {
    errno = ACode;
}

QString SystemErrorText(int ACode) {
    if (ACode == 0) return QString();
    const int saved = errno;
    char buffer[256] = {};
    const QString text =
        QString::fromLocal8Bit(ErrorTextOf(::strerror_r(ACode, buffer, sizeof buffer), buffer));
    errno = saved;
    return text;
}

int NoSuchFileError() {
    return ENOENT;
}
int FileExistsError() {
    return EEXIST;
}
int IsFolderError() {
    return EISDIR;
}
int InvalidNameError() {
    return EINVAL;
}
int AccessDeniedError() {
    return EACCES;
}

} // namespace Tessel
