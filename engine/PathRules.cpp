#include "engine/PathRules.h"

#include "Tessel/UKestLibrary/Files.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

namespace Wrenfold {

QString ToSlashes(const QString& APath) {
    QString result = APath;
    result.replace(u'\\', u'/');
    return result;
}

bool IsExistingFile(const QString& APath) {
    struct stat info {};
    return !APath.isEmpty() && ::stat(QFile::encodeName(APath).constData(), &info) == 0 && !S_ISDIR(info.st_mode);
}

QString JoinPath(const QString& ADirectory, const QString& AName) {
    if (ADirectory.endsWith(u'/')) return ADirectory + AName;
    return ADirectory + u'/' + AName;
}

QString ResolvePathAgainst(const QString& APath, const QString& ADirectory) {
    const QString path = ToSlashes(APath);
    if (path.isEmpty() || path.startsWith(u'/') || !Tessel::FileDrivePart(path).isEmpty()) return path;
    return QDir::cleanPath(JoinPath(ToSlashes(ADirectory), path));
}

} // namespace Wrenfold
