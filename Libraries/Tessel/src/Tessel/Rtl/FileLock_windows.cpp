#include "Tessel/Rtl/FileLock.h"

#include <QDir>

#include <chrono>
#include <thread>
#include <windows.h>

namespace Tessel {

TLockFile::TLockFile(const QString& AFileName, int ATimeoutMs) {
    const HANDLE file = ::CreateFileW(QDir::toNativeSeparators(AFileName).toStdWString().c_str(),
                                      GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        FError = int(::GetLastError());
        return;
    }
    FHandle = reinterpret_cast<std::intptr_t>(file);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ATimeoutMs);
    for (;;) {
        OVERLAPPED whole{};
        if (::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                         &whole))
            break;
        const DWORD code = ::GetLastError();
        if (code != ERROR_LOCK_VIOLATION || std::chrono::steady_clock::now() > deadline) {
            FError = int(code);
            FHeldElsewhere = code == ERROR_LOCK_VIOLATION;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    FLocked = true;
}

TLockFile::~TLockFile() {
    // Closing the handle lets go of the lock.
    if (FHandle != -1) ::CloseHandle(reinterpret_cast<HANDLE>(FHandle));
}

} // namespace Tessel
