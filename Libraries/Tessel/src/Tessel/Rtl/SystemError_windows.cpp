#include "Tessel/Rtl/SystemError.h"

#include <windows.h>

namespace Tessel {

int LastSystemError() {
    return int(::GetLastError());
}

void SetLastSystemError(int ACode) {
    ::SetLastError(DWORD(ACode));
}

QString SystemErrorText(int ACode) {
    if (ACode == 0) return QString();
    const DWORD saved = ::GetLastError();
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        DWORD(ACode), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    QString text = length > 0 ? QString::fromWCharArray(buffer, int(length)) : QString();
    if (buffer) ::LocalFree(buffer);
    // The system's texts end in a full stop and a line break; the callers add their own.
    while (!text.isEmpty() && (text.endsWith(u'\n') || text.endsWith(u'\r') || text.endsWith(u' ')))
        text.chop(1);
    if (text.endsWith(u'.')) text.chop(1);
    if (text.isEmpty()) text = QStringLiteral("System error %1").arg(ACode);
    ::SetLastError(saved);
    return text;
}

int NoSuchFileError() {
    return ERROR_FILE_NOT_FOUND;
}
int FileExistsError() {
    return ERROR_FILE_EXISTS;
}
int IsFolderError() {
    return ERROR_ACCESS_DENIED; // what the system answers for opening a folder as a file
}
int InvalidNameError() {
    return ERROR_INVALID_NAME;
}
int AccessDeniedError() {
    return ERROR_ACCESS_DENIED;
}

} // namespace Tessel
