#include "Tessel/Rtl/FileCopy.h"

#include <QDir>

#include <atomic>
#include <string>
#include <windows.h>

namespace Tessel {

namespace {

std::wstring WidePath(const QString& AName) {
    return QDir::toNativeSeparators(AName).toStdWString();
}

} // namespace

// The system's copy (bytes, attributes, times) goes to a temporary file beside the destination,
// which is then moved over it: a failed copy never leaves a truncated destination.
bool CopyFileContents(const QString& ASource, const QString& ADest, bool AOverwrite) {
    if (ASource.contains(QChar(0)) || ADest.contains(QChar(0))) {
        ::SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    const std::wstring dest = WidePath(ADest);
    if (!AOverwrite && ::GetFileAttributesW(dest.c_str()) != INVALID_FILE_ATTRIBUTES) {
        ::SetLastError(ERROR_FILE_EXISTS);
        return false;
    }
    static std::atomic<unsigned> counter{0};
    const std::wstring temp =
        WidePath(ADest + QStringLiteral(".wf%1-%2.tmp").arg(quint32(::GetCurrentProcessId())).arg(counter++));
    const auto discard = [&] {
        const DWORD code = ::GetLastError();
        // A read-only source makes a read-only copy, which must be made writable to go.
        ::SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(temp.c_str());
        ::SetLastError(code);
        return false;
    };
    if (!::CopyFileW(WidePath(ASource).c_str(), temp.c_str(), TRUE)) return discard();
    const DWORD flags = (AOverwrite ? MOVEFILE_REPLACE_EXISTING : 0) | MOVEFILE_WRITE_THROUGH;
    if (!::MoveFileExW(temp.c_str(), dest.c_str(), flags)) {
        if (::GetLastError() == ERROR_ALREADY_EXISTS) ::SetLastError(ERROR_FILE_EXISTS);
        return discard();
    }
    return true;
}

} // namespace Tessel
