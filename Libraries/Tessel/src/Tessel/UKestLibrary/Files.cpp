#include "Tessel/UKestLibrary/Files.h"

#include "Tessel/Rtl/AnsiCodePage.h"
#include "Tessel/Rtl/FileCopy.h"
#include "Tessel/Rtl/SystemError.h"
#include "Tessel/Rtl/TextFile.h"
#include "Tessel/UKestDefs.h"
#include "Tessel/UKestLibrary/Strings.h"

#include <QUuid>

namespace Tessel {

QString NewGuidText() {
    const QUuid guid = QUuid::createUuid();
    if (guid.isNull()) throw EKestLibrary(QStringLiteral("Cannot create GUID"));
    return guid.toString(QUuid::WithBraces).toUpper();
}

QString FileToString(const QString& AFileName) {
    return DecodeAnsi(ReadFileBytes(AFileName));
}

QString LastSystemErrorText() {
    const int code = LastSystemError();
    const QString text = SystemErrorText(code);
    SetLastSystemError(code);
    return text;
}

bool CopyFileWithError(const QString& ASourceName, const QString& ADestName, bool AOverwrite,
                       QString& AErrorText) {
    SetLastSystemError(ADestName.isEmpty() ? NoSuchFileError() : 0);
    const bool ok = !ADestName.isEmpty() && CopyFileContents(ASourceName, ADestName, AOverwrite);
    AErrorText = ok ? QString() : LastSystemErrorText();
    return ok;
}

namespace {

bool HasDrive(const QString& AFileName) {
    return AFileName.size() >= 2 && AFileName[1] == u':' && IsLetterChar(AFileName[0]);
}

// 0-based index of the last "/" or drive colon, or -1.
qsizetype LastDelimiter(const QString& AFileName) {
    const qsizetype slash = AFileName.lastIndexOf(u'/');
    if (slash >= 0) return slash;
    return HasDrive(AFileName) ? 1 : -1;
}

} // namespace

QString FileDrivePart(const QString& AFileName) {
    return HasDrive(AFileName) ? AFileName.left(2) : QString();
}

QString FileFolderPart(const QString& AFileName) {
    qsizetype at = LastDelimiter(AFileName);
    // A "/" is dropped unless it is the root's: the first character or one behind the drive or another "/".
    if (at > 0 && AFileName[at] == u'/' && AFileName[at - 1] != u'/' && !(at == 2 && HasDrive(AFileName)))
        --at;
    return AFileName.left(at + 1);
}

QString FileNamePart(const QString& AFileName) {
    return AFileName.mid(LastDelimiter(AFileName) + 1);
}

QString FileExtension(const QString& AFileName) {
    const QString name = FileNamePart(AFileName);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot);
}

QString FileBaseName(const QString& AFileName) {
    const QString name = FileNamePart(AFileName);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

bool IsFullFileName(const QString& AFileName) {
    const bool rooted = AFileName.startsWith(u'/') || HasDrive(AFileName);
    return rooted && !FileFolderPart(AFileName).isEmpty() && !FileNamePart(AFileName).isEmpty();
}

QString ExeFolderPath() {
    return FileFolderPart(ExeFileName());
}

QString ExeBaseName() {
    return FileBaseName(ExeFileName());
}

QString DesktopPath(const QString& AFileName) {
    static const QString desktop = SpecialFolderPath(CSIDL_DESKTOPDIRECTORY);
    if (AFileName.isEmpty() || desktop.isEmpty()) return desktop;
    return (desktop.endsWith(u'/') ? desktop : desktop + u'/') + FileNamePart(AFileName);
}

QString LocalAppDataPath() {
    return SpecialFolderPath(CSIDL_LOCAL_APPDATA);
}

QString CommonAppDataPath() {
    return SpecialFolderPath(CSIDL_COMMON_APPDATA);
}

QString AppDataNameFromPath(const QString& AFileName) {
    const QString name = RemoveBlanks(FileNamePart(FileFolderPart(AFileName)));
    const qsizetype at = name.indexOf(QStringLiteral("Software"));
    return at < 0 ? name : KestTrim(name.left(at));
}

QString ExeAppDataName() {
    return AppDataNameFromPath(ExeFileName());
}

} // namespace Tessel
