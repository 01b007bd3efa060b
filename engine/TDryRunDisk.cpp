#include "engine/TDryRunDisk.h"

#include "engine/UnifiedDiff.h"

#include "Tessel/Rtl/Exception.h"

namespace Wrenfold {

namespace {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with hexadecimal digits of either case.
bool IsGuidText(QStringView AText) {
    if (AText.size() != 38 || AText.front() != u'{' || AText.back() != u'}') return false;
    for (qsizetype i = 1; i < 37; ++i) {
        const QChar c = AText[i];
        const bool hyphen = i == 9 || i == 14 || i == 19 || i == 24;
        if (hyphen ? c != u'-' : !isxdigit(c.toLatin1()) || c.unicode() > 0x7F) return false;
    }
    return true;
}

QString FolderOf(const QString& APath) {
    return APath.left(std::max<qsizetype>(0, APath.lastIndexOf(u'/')));
}

} // namespace

QStringList AlignMadeUpGuids(const QStringList& ANew, const QStringList& AOld, const QStringList& AGuids) {
    QStringList result = ANew;
    for (qsizetype i = 0; i < std::min(result.size(), AOld.size()); ++i) {
        for (const QString& guid : AGuids) {
            for (qsizetype at = result[i].indexOf(guid); at >= 0;
                 at = result[i].indexOf(guid, at + guid.size())) {
                const QStringView old = QStringView(AOld[i]).mid(at, guid.size());
                if (IsGuidText(old)) result[i].replace(at, guid.size(), old.toString());
            }
        }
    }
    return result;
}

bool TDryRunDisk::IsExistingFile(const QString& APath) const {
    const auto changed = FChanged.find(APath);
    return changed != FChanged.end() ? changed->second.has_value() : FReal.IsExistingFile(APath);
}

QStringList TDryRunDisk::ListFiles(const QString& AFolder) const {
    QStringList names = FReal.ListFiles(AFolder);
    for (const auto& [path, bytes] : FChanged) {
        if (FolderOf(path) != AFolder) continue;
        const QString name = path.mid(AFolder.size() + 1);
        names.removeAll(name);
        if (bytes) names.append(name);
    }
    return names;
}

QByteArray TDryRunDisk::ReadFile(const QString& APath) const {
    const auto changed = FChanged.find(APath);
    if (changed == FChanged.end()) return FReal.ReadFile(APath);
    if (!changed->second)
        throw Tessel::EFileError(
            QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(APath));
    return *changed->second;
}

void TDryRunDisk::WriteTextFile(const QString& APath, const QStringList& ALines,
                                const Tessel::TTextFormat& AFormat) {
    if (FRandomGuids) CheckOutput(APath, ALines, AFormat);
    FWrittenFiles.append(APath);
    FChanged[APath] = Tessel::EncodeTextLines(ALines, AFormat);
}

void TDryRunDisk::CheckOutput(const QString& APath, const QStringList& ALines,
                              const Tessel::TTextFormat& AFormat) {
    if (!IsExistingFile(APath)) {
        FChangedOutputs.push_back({APath, true, QString()});
        return;
    }
    const QByteArray old = ReadFile(APath);
    if (Tessel::EncodeTextLines(ALines, AFormat) == old) return;
    Tessel::TTextFormat oldFormat;
    const QStringList oldLines = Tessel::DecodeTextLines(old, oldFormat, APath);
    // Compared as the file's lines: an output line may hold several (an included text).
    Tessel::TLineBreakStyle style;
    const QStringList newLines =
        Tessel::SplitTextLines(Tessel::JoinLines(ALines, Tessel::LineBreakText(AFormat.LineBreak)), style);
    const QStringList aligned = AlignMadeUpGuids(newLines, oldLines, FRandomGuids());
    if (Tessel::EncodeTextLines(aligned, AFormat) == old) return;
    QString diff = UnifiedDiff(oldLines, aligned, APath, APath);
    if (diff.isEmpty()) // the same lines in another encoding or with other line breaks
        diff = QStringLiteral("--- %1\n+++ %1\n(the same lines, encoded or broken differently)\n").arg(APath);
    FChangedOutputs.push_back({APath, false, diff});
}

void TDryRunDisk::CopyFile(const QString& ASource, const QString& ADest) {
    FChanged[ADest] = ReadFile(ASource);
}

void TDryRunDisk::DeleteFile(const QString& APath) {
    FChanged[APath] = std::nullopt;
}

} // namespace Wrenfold
