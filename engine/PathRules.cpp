#include "engine/PathRules.h"

#include "Tessel/UKestLibrary/Files.h"

#include <QDir>

namespace Wrenfold {

QString ToSlashes(const QString& APath) {
    QString result = APath;
    result.replace(u'\\', u'/');
    return result;
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
