// File, folder and system helpers: GUID text, whole-file reading, copying with the system's error text,
// the parts of a file name, the executable's folder and names, special folders and application data names.
#pragma once

#include <QString>

namespace Tessel {

// A new GUID as 38 characters, "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case.
QString NewGuidText();
// The whole file decoded in the 8-bit code page; line breaks and byte-order marks are kept as bytes.
QString FileToString(const QString& AFileName);
// Copies a file; on failure returns false with the system's message in AErrorText.
bool CopyFileWithError(const QString& ASourceName, const QString& ADestName, bool AOverwrite,
                       QString& AErrorText);
// The system's message for the calling thread's last error code (errno; GetLastError on Windows), or
// empty when it is 0.
QString LastSystemErrorText();

// The parts of a file name. "/" separates folders; a backslash is an ordinary character here (paths
// written on Windows have their backslashes turned into slashes before they reach these rules). A
// Windows drive ("C:", an ASCII letter and a colon at the start) is still understood; no other colon
// separates anything, so "/Logs/12:30" is named "12:30".
// - drive part: "C:" for a drive path, else empty (an absolute path "/..." has no drive; its root "/"
//   plays that part in IsFullFileName);
// - folder part: what precedes the last "/" or drive colon, without that "/" unless it is the root's
//   ("/Dir/File" -> "/Dir", "/File" -> "/", "C:/File" -> "C:/", "File" -> "");
// - name part: what follows the last "/" or drive colon;
// - extension: the name part from its last "." on, or empty.
QString FileDrivePart(const QString& AFileName);
QString FileFolderPart(const QString& AFileName);
QString FileNamePart(const QString& AFileName);
QString FileExtension(const QString& AFileName);

// The name part without its extension: "/Dir.old/Name.tar.gz" -> "Name.tar".
QString FileBaseName(const QString& AFileName);
// True when the name is rooted (begins with "/" or has a drive), and its folder and name parts are both
// non-empty: "/Dir/File.txt" and "C:/Dir/File.txt" are full; "File.txt", "Dir/File.txt" and any name
// ending in "/" are not.
bool IsFullFileName(const QString& AFileName);

// The running executable's full file name, folder part and base name.
QString ExeFileName();
QString ExeFolderPath();
QString ExeBaseName();

// Shell folder numbers that SpecialFolderPath knows.
constexpr int CSIDL_DESKTOP = 0x0000;
constexpr int CSIDL_DESKTOPDIRECTORY = 0x0010;
constexpr int CSIDL_LOCAL_APPDATA = 0x001C;
constexpr int CSIDL_COMMON_APPDATA = 0x0023;

// The folder for a shell folder number, with "/" between folders and without a trailing "/" (a root
// stays "/" or "C:/"), or empty when there is none. On Linux the desktop numbers give the desktop
// folder; CSIDL_LOCAL_APPDATA the user's data folder (XDG_DATA_HOME, ~/.local/share);
// CSIDL_COMMON_APPDATA the last of the system data folders (XDG_DATA_DIRS, /usr/share); other
// numbers give an empty text. On Windows the shell answers for every number it knows.
QString SpecialFolderPath(int ACSIDL);
// The folder for temporary files, with "/" between folders and a trailing "/".
QString TempFolderPath();
// The desktop folder, looked up on the first call and kept; with a file name, followed by "/" and the
// name's name part. Empty when there is no desktop folder.
QString DesktopPath(const QString& AFileName = QString());
QString LocalAppDataPath();
QString CommonAppDataPath();

// The innermost folder name of the file's folder, without blanks and tabs, cut before "Software":
// "/opt/Meter Tools Software/Tool" -> "MeterTools"; a file in the root folder gives "".
QString AppDataNameFromPath(const QString& AFileName);
QString ExeAppDataName();

} // namespace Tessel
