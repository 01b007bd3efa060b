// The system's own paths on Linux: the executable, the special folders and the temporary folder.
#include "Tessel/UKestLibrary/Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace Tessel {

QString ExeFileName() {
    // /proc works before the application object exists, as the library's start-up needs.
    const QString linked = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    if (!linked.isEmpty()) return linked;
    return QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
}

QString SpecialFolderPath(int ACSIDL) {
    QString path;
    switch (ACSIDL) {
    case CSIDL_DESKTOP:
    case CSIDL_DESKTOPDIRECTORY:
        path = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        break;
    case CSIDL_LOCAL_APPDATA:
    case CSIDL_COMMON_APPDATA: {
        const QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
        if (!folders.isEmpty()) path = ACSIDL == CSIDL_LOCAL_APPDATA ? folders.first() : folders.last();
        break;
    }
    default:
        break;
    }
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

QString TempFolderPath() {
    // The whole path, however long.
    const QString path = QDir::tempPath();
    return path.endsWith(u'/') ? path : path + u'/';
}

} // namespace Tessel
