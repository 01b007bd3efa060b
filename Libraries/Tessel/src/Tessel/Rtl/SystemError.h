// The system's error codes and their texts: errno and strerror on Linux, GetLastError and
// FormatMessageW on Windows.
#pragma once

#include <QString>

namespace Tessel {

// The calling thread's last error code, and setting it.
int LastSystemError();
void SetLastSystemError(int ACode);
// The system's message for the code, without a trailing full stop or line break; empty for 0.
QString SystemErrorText(int ACode);

// Codes the library reports for failures it finds itself, in the system's own numbering.
int NoSuchFileError();   // ENOENT, ERROR_FILE_NOT_FOUND
int FileExistsError();   // EEXIST, ERROR_FILE_EXISTS
int IsFolderError();     // EISDIR, ERROR_ACCESS_DENIED
int InvalidNameError();  // EINVAL, ERROR_INVALID_NAME
int AccessDeniedError(); // EACCES, ERROR_ACCESS_DENIED

// Raises EFileError "Cannot <step> file "<name>". <the system's text for the code>".
[[noreturn]] void ThrowFileError(const char* AStep, const QString& AFileName, int ACode);

} // namespace Tessel
