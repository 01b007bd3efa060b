#include "engine/TFileActions.h"

#include "engine/IProjectDisk.h"
#include "engine/PathRules.h"

#include "Tessel/Rtl/Exception.h"
#include "Tessel/UKestLibrary/Strings.h"

namespace Wrenfold {

QString TFileActions::ResolvePath(const QString& APath) const {
    return ResolvePathAgainst(APath, FDirectory);
}

void TFileActions::RunActionList(const QStringList& AList, const QString& ASection) {
    try {
        for (const QString& line : AList) {
            const qsizetype equals = line.indexOf(u'=');
            const QString name = equals < 0 ? QString() : line.left(equals);
            const QString value = equals < 0 ? QString() : line.mid(equals + 1);
            if (Tessel::SameAsciiText(name, QStringLiteral("FileCopy")))
                FileCopyAction(value, ASection);
            else if (Tessel::SameAsciiText(name, QStringLiteral("FileDelete")))
                FileDeleteAction(value, ASection);
            else
                throw Tessel::Exception(QStringLiteral("Unknown action \"%1\"").arg(name));
        }
    } catch (Tessel::Exception& e) {
        e.SetMessage(QStringLiteral("Error in section \"%1\" - %2").arg(ASection, e.Message()));
        throw;
    }
}

void TFileActions::FileCopyAction(const QString& AValue, const QString& ASection) {
    const qsizetype semicolon = AValue.indexOf(u';');
    if (semicolon < 0)
        throw Tessel::Exception(QStringLiteral("FileCopy should be of the form 'FileCopy=Source;Dest"));
    const QString source = ResolvePath(Tessel::KestTrim(AValue.left(semicolon)));
    if (!FDisk.IsExistingFile(source))
        throw Tessel::Exception(QStringLiteral("FileCopy source file does not exist - \"%1\"").arg(source));
    const QString dest = ResolvePath(Tessel::KestTrim(AValue.mid(semicolon + 1)));
    if (Tessel::SameAsciiText(source, dest))
        throw Tessel::Exception(
            QStringLiteral("FileCopy source and dest files are the same \"%1\"").arg(AValue));
    try {
        FDisk.CopyFile(source, dest);
    } catch (Tessel::Exception& e) {
        e.SetMessage(QStringLiteral("FileCopy error copying \"%1\" to \"%2\" - \"%3\"")
                         .arg(source, dest, e.Message()));
        throw;
    }
    FLog((FDisk.WritesForReal() ? QStringLiteral("%1: FileCopy action - Copied file \"%2\" to \"%3\"")
                                : QStringLiteral("%1: FileCopy action - would copy file \"%2\" to \"%3\""))
             .arg(ASection, source, dest));
}

void TFileActions::FileDeleteAction(const QString& AValue, const QString& ASection) {
    const QString path = ResolvePath(Tessel::KestTrim(AValue));
    if (!FDisk.IsExistingFile(path)) return;
    try {
        FDisk.DeleteFile(path);
    } catch (Tessel::Exception& e) {
        e.SetMessage(QStringLiteral("FileDelete error deleting file \"%1\" - \"%2\"").arg(path, e.Message()));
        throw;
    }
    FLog((FDisk.WritesForReal() ? QStringLiteral("%1: FileDelete action - deleted file \"%2\"")
                                : QStringLiteral("%1: FileDelete action - would delete file \"%2\""))
             .arg(ASection, path));
}

} // namespace Wrenfold
