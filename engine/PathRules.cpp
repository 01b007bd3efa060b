#include "engine/PathRules.h"

#include <QDir>

namespace Wrenfold {

namespace {

bool IsDrivePath(const QString& APath) { return APath.size() >= 2 && APath.at(1) == u':' && APath.at(0).isLetter(); }

} // namespace

QString ToSlashes(const QString& APath) {
    QString result = APath;
    result.replace(u'\\', u'/');
    return result;
}

QString FolderPart(const QString& APath) {
    const qsizetype slash = APath.lastIndexOf(u'/');
    if (slash < 0) return IsDrivePath(APath) ? APath.left(2) : QString();
    const bool isRoot = slash == 0 || (slash == 2 && IsDrivePath(APath)) || APath.at(slash - 1) == u'/';
    return APath.left(isRoot ? slash + 1 : slash);
}

QString NamePart(const QString& APath) { return APath.mid(APath.lastIndexOf(u'/') + 1); }

QString ExtensionPart(const QString& APath) {
    const QString name = NamePart(APath);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot);
}

QString NameWithoutExtension(const QString& APath) {
    const QString name = NamePart(APath);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

QString JoinPath(const QString& ADirectory, const QString& AName) {
    if (ADirectory.endsWith(u'/')) return ADirectory + AName;
    return ADirectory + u'/' + AName;
}

QString ResolvePathAgainst(const QString& APath, const QString& ADirectory) {
    const QString path = ToSlashes(APath);
    if (path.isEmpty() || path.startsWith(u'/') || IsDrivePath(path)) return path;
    return QDir::cleanPath(JoinPath(ToSlashes(ADirectory), path));
}

} // namespace Wrenfold
