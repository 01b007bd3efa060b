#include "Tessel/UKestLibrary/Version.h"

#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/OwnVersionBlock.h"

#include <QFile>

#include <algorithm>

namespace Tessel {

namespace {

constexpr qsizetype MaxBlockSize = 64 * 1024;

QString FormatVersion(const char* AFormat, int32_t A, int32_t B, int32_t C, int32_t D = 0) {
    return QString::asprintf(AFormat, A, B, C, D);
}

// "1.1.4.1000" -> the two double words of a fixed file version.
bool ParseFixedVersion(const QString& AText, uint32_t& AVersionMS, uint32_t& AVersionLS) {
    const QStringList parts = AText.split(QLatin1Char('.'));
    if (parts.size() != 4) return false;
    uint32_t words[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        const uint value = parts[i].toUInt(&ok);
        if (!ok || value > 0xFFFF) return false;
        words[i] = value;
    }
    AVersionMS = (words[0] << 16) | words[1];
    AVersionLS = (words[2] << 16) | words[3];
    return true;
}

} // namespace

TVersionInfoRec& VersionInfo() {
    static TVersionInfoRec info = [] {
        TVersionInfoRec rec;
        ReadVersionInfo(rec);
        return rec;
    }();
    return info;
}

QByteArray VersionBlockMark() {
    QByteArray mark("\x01KEST-VERSION");
    mark += "-BLOCK\x02";
    return mark;
}

bool TVersionResource::LoadFromFile(const QString& AFileName) {
    FEntries.clear();
    QFile file(AFileName);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const qint64 size = file.size();
    if (size <= 0) return false;
    if (uchar* mapped = file.map(0, size)) {
        // Only the pages up to the block are ever touched.
        // The entries are decoded copies; nothing kept points into the mapping.
        const bool found =
            LoadFromBytes(QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), size));
        file.unmap(mapped);
        return found;
    }
    return LoadFromBytes(file.readAll());
}

bool TVersionResource::LoadFromBytes(const QByteArray& ABytes) {
    FEntries.clear();
    const QByteArray mark = VersionBlockMark();
    for (qsizetype at = ABytes.indexOf(mark); at >= 0; at = ABytes.indexOf(mark, at + 1)) {
        // A block is a run of "path=value" entries, each ended by a NUL, closed by an empty entry.
        QList<QPair<QString, QString>> entries;
        qsizetype pos = at + mark.size();
        const qsizetype limit = std::min(ABytes.size(), pos + MaxBlockSize);
        bool complete = false;
        while (pos < limit) {
            const qsizetype end = ABytes.indexOf('\0', pos);
            if (end < 0 || end >= limit) break;
            if (end == pos) {
                complete = true;
                break;
            }
            const QByteArrayView raw(ABytes.constData() + pos, end - pos);
            // Entries are printable text; a control byte means this was no block.
            if (std::any_of(raw.begin(), raw.end(), [](char c) { return uchar(c) < 0x20; })) break;
            const QString entry = QString::fromUtf8(raw);
            const qsizetype equals = entry.indexOf(QLatin1Char('='), 1);
            if (!entry.startsWith(QLatin1Char('\\')) || equals < 0) break;
            entries.append({entry.left(equals), entry.mid(equals + 1)});
            pos = end + 1;
        }
        if (complete && !entries.isEmpty()) {
            FEntries = entries;
            return true;
        }
    }
    return false;
}

bool TVersionResource::QueryValue(const QString& APath, QString& AValue) const {
    for (const auto& entry : FEntries) {
        if (entry.first.compare(APath, Qt::CaseInsensitive) == 0) {
            AValue = entry.second;
            return true;
        }
    }
    return false;
}

bool TVersionResource::QueryFixedFileVersion(uint32_t& AVersionMS, uint32_t& AVersionLS) const {
    QString text;
    return QueryValue(QStringLiteral("\\"), text) && ParseFixedVersion(text, AVersionMS, AVersionLS);
}

bool TVersionResource::QueryTranslation(uint32_t& ATranslation) const {
    QString text;
    if (!QueryValue(QStringLiteral("\\VarFileInfo\\Translation"), text) || text.size() < 8) return false;
    bool okLanguage = false, okCodePage = false;
    const uint language = text.left(4).toUInt(&okLanguage, 16);
    const uint codePage = text.mid(4, 4).toUInt(&okCodePage, 16);
    if (!okLanguage || !okCodePage) return false;
    ATranslation = (codePage << 16) | language;
    return true;
}

namespace {

bool FileVersionNumbers(const TVersionResource& AResource, uint16_t& AMajor, uint16_t& AMinor,
                        uint16_t& ARelease, uint16_t& ABuild) {
    uint32_t versionMS = 0, versionLS = 0;
    if (!AResource.QueryFixedFileVersion(versionMS, versionLS)) return false;
    AMajor = uint16_t(versionMS >> 16);
    AMinor = uint16_t(versionMS & 0xFFFF);
    ARelease = uint16_t(versionLS >> 16);
    ABuild = uint16_t(versionLS & 0xFFFF);
    return true;
}

// ARec from a loaded block (an empty one when AResource holds none); returns ARec.Valid.
bool VersionInfoOf(const TVersionResource& AResource, TVersionInfoRec& ARec) {
    ARec = TVersionInfoRec();
    uint16_t major = 0, minor = 0, release = 0, build = 0;
    if (!FileVersionNumbers(AResource, major, minor, release, build)) return false;
    ARec.Valid = true;
    ARec.MajorVersionNum = major;
    ARec.MinorVersionNum = minor;
    ARec.ReleaseNum = release;
    ARec.BuildNum = build;
    ARec.FormattedVersionInfo = FormatVersion("V%d.%d R%d B%d", major, minor, release, build);

    uint32_t translation = 0;
    if (!AResource.QueryTranslation(translation)) return true;
    const QString prefix = QStringLiteral("\\StringFileInfo\\%1%2\\")
                               .arg(translation & 0xFFFF, 4, 16, QLatin1Char('0'))
                               .arg(translation >> 16, 4, 16, QLatin1Char('0'))
                               .toUpper();
    const auto named = [&](const char* AName) {
        QString value;
        AResource.QueryValue(prefix + QLatin1String(AName), value);
        return value;
    };
    ARec.FileDescription = named("FileDescription");
    if (ARec.FileDescription.isEmpty()) ARec.FileDescription = named("ProductName");
    if (ARec.FileDescription.isEmpty()) ARec.FileDescription = ExeBaseName();
    ARec.CompanyName = named("CompanyName");
    if (ARec.CompanyName.isEmpty()) ARec.CompanyName = QStringLiteral("Kestwell Systems Ltd");
    return true;
}

} // namespace

bool GetFileVersionNumbers(const QString& AFileName, uint16_t& AMajor, uint16_t& AMinor, uint16_t& ARelease,
                           uint16_t& ABuild) {
    TVersionResource resource;
    return resource.LoadFromFile(AFileName) && FileVersionNumbers(resource, AMajor, AMinor, ARelease, ABuild);
}

bool ReadVersionInfoFromFile(const QString& AFileName, TVersionInfoRec& ARec) {
    TVersionResource resource;
    resource.LoadFromFile(AFileName);
    return VersionInfoOf(resource, ARec);
}

bool ReadVersionInfo(TVersionInfoRec& ARec) {
    TVersionResource resource;
    LoadOwnVersionBlock(resource);
    return VersionInfoOf(resource, ARec);
}

QString VersionStr() {
    const TVersionInfoRec& info = VersionInfo();
    return info.Valid ? info.FormattedVersionInfo : QString();
}

QString VersionStrDotted() {
    const TVersionInfoRec& info = VersionInfo();
    if (!info.Valid) return QString();
    return FormatVersion("V%d.%d.%d.%d", info.MajorVersionNum, info.MinorVersionNum, info.ReleaseNum,
                         info.BuildNum);
}

QString VersionStrShort() {
    const TVersionInfoRec& info = VersionInfo();
    if (!info.Valid) return QString();
    return FormatVersion("V%d.%d R%d", info.MajorVersionNum, info.MinorVersionNum, info.ReleaseNum);
}

QString VersionCaption() {
    const TVersionInfoRec& info = VersionInfo();
    if (!info.Valid) return ExeBaseName();
    return QStringLiteral("%1 R%2").arg(info.FileDescription).arg(info.ReleaseNum);
}

} // namespace Tessel
