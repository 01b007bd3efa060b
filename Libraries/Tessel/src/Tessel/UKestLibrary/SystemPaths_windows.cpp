// The system's own paths on Windows: the executable, the special folders and the temporary folder.
#include "Tessel/UKestLibrary/Files.h"

#include <QDir>

#include <shlobj.h>
#include <vector>
#include <windows.h>

namespace Tessel {

namespace {

QString FromWide(const wchar_t* AText, qsizetype ALength) {
    return QDir::fromNativeSeparators(QString::fromWCharArray(AText, ALength));
}

} // namespace

QString ExeFileName() {
    // Works before the application object exists, as the library's start-up needs. A long path is
    // cut short at the buffer's end: try a larger one.
    for (DWORD size = MAX_PATH;; size *= 2) {
        std::vector<wchar_t> buffer(size);
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) return QString();
        if (length < size || size >= 32768 * 2) return FromWide(buffer.data(), length);
    }
}

QString SpecialFolderPath(int ACSIDL) {
    wchar_t buffer[MAX_PATH] = {};
    if (::SHGetFolderPathW(nullptr, ACSIDL, nullptr, SHGFP_TYPE_CURRENT, buffer) != S_OK) return QString();
    QString path = FromWide(buffer, qsizetype(wcslen(buffer)));
    // A drive's root keeps its "/" ("C:/"), as the root "/" does.
    while (path.size() > 1 && path.endsWith(u'/') && !(path.size() == 3 && path[1] == u':'))
        path.chop(1);
    return path;
}

QString TempFolderPath() {
    // The whole path, however long: the size asked for first is the one needed.
    const DWORD needed = ::GetTempPathW(0, nullptr);
    if (needed == 0) return QStringLiteral("C:/");
    std::vector<wchar_t> buffer(needed + 1);
    const DWORD length = ::GetTempPathW(DWORD(buffer.size()), buffer.data());
    const QString path = FromWide(buffer.data(), length);
    return path.endsWith(u'/') ? path : path + u'/';
}

} // namespace Tessel
