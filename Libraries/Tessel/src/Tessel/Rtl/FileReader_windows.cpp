#include "Tessel/Rtl/FileReader.h"

#include "Tessel/Rtl/Exception.h"
#include "Tessel/Rtl/SystemError.h"

#include <QDir>

#include <algorithm>
#include <windows.h>

namespace Tessel {

QByteArray ReadFileBytes(const QString& AFileName) {
    const auto fail = [&](const char* AStep, DWORD ACode) { ThrowFileError(AStep, AFileName, int(ACode)); };
    // A name holding a NUL would be cut short there by the system: another file would be read.
    if (AFileName.contains(QChar(0))) fail("open", ERROR_INVALID_NAME);
    // Others may read, write and replace the file meanwhile (an atomic write moves a new file over it).
    const HANDLE file = ::CreateFileW(QDir::toNativeSeparators(AFileName).toStdWString().c_str(),
                                      GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) fail("open", ::GetLastError());
    struct TCloser {
        HANDLE File;
        ~TCloser() { ::CloseHandle(File); }
    } closer{file};
    // Devices (NUL, COM1, a console) and pipes are no regular files: reading them could block.
    if (::GetFileType(file) != FILE_TYPE_DISK)
        throw EFileError(QStringLiteral("\"%1\" is not a regular file").arg(AFileName));
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size)) fail("open", ::GetLastError());
    const auto tooLarge = [&] {
        throw EFileError(QStringLiteral("Cannot read file \"%1\". It is larger than %2 MiB")
                             .arg(AFileName)
                             .arg(MaxReadFileBytes / (1024 * 1024)));
    };
    if (size.QuadPart > MaxReadFileBytes) tooLarge();
    // Read in one go (one spare byte shows that the file did not grow), then until the end.
    QByteArray bytes(qsizetype(size.QuadPart) + 1, Qt::Uninitialized);
    qsizetype used = 0;
    for (;;) {
        if (used == bytes.size()) {
            if (used > MaxReadFileBytes) tooLarge();
            bytes.resize(std::min(bytes.size() * 2 + 4096, MaxReadFileBytes + 1));
        }
        DWORD n = 0;
        if (!::ReadFile(file, bytes.data() + used, DWORD(bytes.size() - used), &n, nullptr))
            fail("read", ::GetLastError());
        used += n;
        if (n == 0 || used < bytes.size()) break;
    }
    bytes.truncate(used);
    return bytes;
}

} // namespace Tessel
