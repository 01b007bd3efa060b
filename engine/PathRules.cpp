#include "engine/PathRules.h"

#include "Tessel/UKestLibrary/Files.h"

#include <QDir>
#include <QFileInfo>

namespace Wrenfold {

QString ToSlashes(const QString& APath) {
    QString result = APath;
    result.replace(u'\\', u'/');
    return result;
}

bool IsExistingFile(const QString& APath) {
    const QFileInfo info(APath);
    return !APath.isEmpty() && info.exists() && !info.isDir();
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
