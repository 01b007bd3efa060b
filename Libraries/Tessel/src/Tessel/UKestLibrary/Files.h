// File, folder and system helpers: GUID text, whole-file reading, copying with the system's error text.
#pragma once

#include <QString>

namespace Tessel {

// A new GUID as 38 characters, "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case.
QString NewGuidText();
// The whole file decoded in the 8-bit code page; line breaks and byte-order marks are kept as bytes.
QString FileToString(const QString& AFileName);
// Copies a file; on failure returns false with the system's message in AErrorText.
bool CopyFileWithError(const QString& ASourceName, const QString& ADestName, bool AOverwrite, QString& AErrorText);
// The system's message for the calling thread's last error code (errno), or empty when it is 0.
QString LastSystemErrorText();

} // namespace Tessel
