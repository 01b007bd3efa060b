// Version information: the executable's version numbers and strings, and the text forms built from them.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <cstdint>

namespace Tessel {

struct TVersionInfoRec {
    bool Valid = false;
    int32_t MajorVersionNum = 0;
    int32_t MinorVersionNum = 0;
    int32_t ReleaseNum = 0;
    int32_t BuildNum = 0;
    QString FormattedVersionInfo; // "V%d.%d R%d B%d"
    QString FileDescription;
    QString CompanyName;
};

// The running program's version information, built from its compiled-in version block on first use
// (not valid when the program has none). Tests may replace it.
TVersionInfoRec& VersionInfo();

// Fills ARec from the running program's compiled-in version block; returns ARec.Valid.
bool ReadVersionInfo(TVersionInfoRec& ARec);
// Reads the four numbers of the file's version block; false when the file has none.
bool GetFileVersionNumbers(const QString& AFileName, uint16_t& AMajor, uint16_t& AMinor, uint16_t& ARelease,
                           uint16_t& ABuild);
// ReadVersionInfo over any file: the numbers and strings of its block. The description's last fallback
// is still the running executable's base name.
bool ReadVersionInfoFromFile(const QString& AFileName, TVersionInfoRec& ARec);

QString VersionStr();       // "V1.1 R4 B1000", empty when VersionInfo is not valid
QString VersionStrDotted(); // "V1.1.4.1000", empty when not valid
QString VersionStrShort();  // "V1.1 R4", empty when not valid
QString VersionCaption();   // "Wrenfold R4"; the executable's base name when not valid

// Where there is no version resource, the executable carries a marked block of text entries: the
// program links it as KestVersionBlock (with its size in KestVersionBlockSize), and this unit also
// finds it in the file on disk. Each entry is "path=value" followed by a NUL, the paths being those
// of the platform's version queries; an empty entry ends the block:
//   "\=1.1.4.1000"                                     the fixed file version
//   "\VarFileInfo\Translation=040904B0"                language 0409, code page 04B0
//   "\StringFileInfo\040904B0\FileDescription=Wrenfold" one named string
// The block's opening mark; it is kept in pieces here so that this code never matches itself.
QByteArray VersionBlockMark();

// One version block, as read from a file.
class TVersionResource {
public:
    // False when the file cannot be read or holds no complete block.
    bool LoadFromFile(const QString& AFileName);
    bool LoadFromBytes(const QByteArray& ABytes);

    // The platform's query paths: "\" (the fixed file version as two double words),
    // "\VarFileInfo\Translation" (language in the low word, code page in the high word of the first
    // entry) and "\StringFileInfo\LLLLCCCC\Name". Paths are matched without regard to case.
    bool QueryFixedFileVersion(uint32_t& AVersionMS, uint32_t& AVersionLS) const;
    bool QueryTranslation(uint32_t& ATranslation) const;
    bool QueryValue(const QString& APath, QString& AValue) const;

private:
    QList<QPair<QString, QString>> FEntries;
};

} // namespace Tessel
