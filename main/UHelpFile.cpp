#include "main/UHelpFile.h"

#include "Tessel/Rtl/Exception.h"
#include "Tessel/UKestAliases.h"
#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/Strings.h"
#include "main/IWrenfoldPrompter.h"

#include <QDir>
#include <QFileInfo>

namespace Wrenfold {

QString GetHelpFilePath(const QString& AFileName) {
    if (AFileName.isEmpty() || Tessel::IsFullFileName(AFileName)) return AFileName;
    QString folder = Tessel::ExpandSystemAliases(
        QStringLiteral("%CommonAppDataFolder%/Kest/%AppDataName%/Documentation/"), true, true);
    if (!QFileInfo(folder).isDir()) {
        const QString installed =
            QDir::cleanPath(Tessel::ExeFolderPath() + QStringLiteral("/../share/doc/wrenfold"));
        folder = QFileInfo(installed).isDir() ? installed : Tessel::ExeFolderPath();
    }
    return Tessel::EnsureTrailingChar(folder, u'/') + Tessel::FileNamePart(AFileName);
}

QString HelpDocumentToShow(const QString& APath) {
    if (APath.isEmpty() || QFileInfo::exists(APath)) return APath;
    const QString folder = Tessel::EnsureTrailingChar(Tessel::FileFolderPart(APath), u'/');
    for (const QString& guide :
         {Tessel::FileBaseName(APath) + QStringLiteral(".html"), QStringLiteral("index.html")})
        if (QFileInfo(folder + guide).isFile()) return folder + guide;
    return APath;
}

void ShowHelpFile(const QString& AFileName, IWrenfoldPrompter& AViewer) {
    const QString document = HelpDocumentToShow(GetHelpFilePath(AFileName));
    if (!AViewer.OpenDocument(document))
        throw Tessel::Exception(
            QStringLiteral("The help file \"%1\" could not be opened: the desktop has no program to show it")
                .arg(QDir::toNativeSeparators(document)));
}

} // namespace Wrenfold
