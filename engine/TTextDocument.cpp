#include "engine/TTextDocument.h"

#include <algorithm>

namespace Wrenfold {

QString TTextDocument::Line(int AIndex) const {
    return AIndex < FLines.size() ? FLines.at(AIndex) : FPacked.Line(AIndex - FLines.size());
}

QStringList TTextDocument::Lines() const {
    if (FPacked.IsEmpty()) return FLines;
    return FLines + FPacked.ToList();
}

std::optional<QByteArrayView> TTextDocument::PackedUtf8From(int AFrom) const {
    if (AFrom < FLines.size() || AFrom >= Count()) return std::nullopt;
    return FPacked.Utf8From(AFrom - FLines.size());
}

void TTextDocument::Unpack() {
    if (FPacked.IsEmpty()) return;
    FLines += FPacked.ToList();
    FPacked.Clear();
}

QString TTextDocument::Text() const {
    return Lines().join(Tessel::LineBreakText(FFormat.LineBreak));
}

void TTextDocument::Changed() {
    if (FUpdateCount > 0)
        FChangedInUpdate = true;
    else
        emit Reset();
}

void TTextDocument::SetLine(int AIndex, const QString& ALine) {
    Unpack();
    FLines[AIndex] = ALine;
    Changed();
}

void TTextDocument::Append(const QString& ALine) {
    if (FKeepAppendedLines && FPackAppendedLines) {
        FPacked.Append(ALine);
    } else if (FKeepAppendedLines) {
        Unpack();
        FLines.append(ALine);
    }
    if (FUpdateCount > 0)
        FChangedInUpdate = true;
    else
        emit LineAppended(ALine);
}

void TTextDocument::PutLine(int AIndex, const QString& ALine) {
    Unpack();
    if (AIndex == Count())
        FLines.append(ALine);
    else if (!FLines.at(AIndex).isSharedWith(ALine))
        FLines[AIndex] = ALine;
    Changed();
}

void TTextDocument::Truncate(int ACount) {
    if (ACount >= Count()) return;
    Unpack();
    FLines.resize(ACount);
    Changed();
}

void TTextDocument::Clear() {
    // Releasing a line writes to its string's header; for a large document those lie far apart in
    // memory, so each one is fetched a few lines ahead.
    // Lines shared with another list (a template's, kept for reloading) are let go as a whole:
    // emptying a shared list in place would allocate a new one of the same capacity.
    FPacked.Clear();
    if (!FLines.isDetached()) {
        FLines = QStringList();
    } else {
        const qsizetype count = FLines.size();
        QString* lines = FLines.data();
        for (qsizetype i = 0; i < count; ++i) {
            if (i + PrefetchDistance < count) PrefetchForSharing(lines[i + PrefetchDistance]);
            lines[i] = QString();
        }
        FLines.clear();
    }
    Changed();
}

void TTextDocument::Empty() {
    Clear();
    ClearUndo();
    SetModified(false);
}

void TTextDocument::SetLines(const QStringList& ALines) {
    FPacked.Clear();
    FLines = ALines;
    Changed();
}

void TTextDocument::TakeEditedLines(const QStringList& ALines) {
    FPacked.Clear();
    FLines = ALines;
}

void TTextDocument::TakeEditedLines(int AFirst, int ACount, const QStringList& ALines) {
    Unpack();
    FLines.remove(AFirst, ACount);
    for (qsizetype i = 0; i < ALines.size(); ++i)
        FLines.insert(AFirst + i, ALines.at(i));
}

void TTextDocument::BeginUpdate() {
    ++FUpdateCount;
}

void TTextDocument::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0 && FChangedInUpdate) {
        FChangedInUpdate = false;
        emit Reset();
    }
}

void TTextDocument::SetModified(bool AValue) {
    if (FModified == AValue) return;
    FModified = AValue;
    emit ModifiedChanged(AValue);
}

void TTextDocument::LoadFromBytes(const QByteArray& ABytes, const QString& AFileName) {
    auto loaded = std::find_if(FRecentLoads.begin(), FRecentLoads.end(),
                               [&](const TLoadedFile& AFile) { return AFile.Bytes == ABytes; });
    if (ABytes.isEmpty() || loaded == FRecentLoads.end()) {
        TLoadedFile file;
        file.Lines = Tessel::DecodeTextLines(ABytes, file.Format, AFileName);
        file.Bytes = ABytes;
        FRecentLoads.insert(FRecentLoads.begin(), std::move(file));
    } else {
        std::rotate(FRecentLoads.begin(), loaded, loaded + 1);
    }
    FFormat = FRecentLoads.front().Format;
    SetLines(FRecentLoads.front().Lines);
    // The oldest go first, the one just loaded last.
    qsizetype kept = 0;
    int count = 0;
    while (count < int(FRecentLoads.size()) && count < KeptLoads &&
           kept + FRecentLoads[count].Bytes.size() <= LoadedFileMemoryLimit)
        kept += FRecentLoads[count++].Bytes.size();
    FRecentLoads.resize(count);
    ClearUndo();
    SetModified(false);
}

void TTextDocument::SaveToFile(const QString& AFileName) const {
    Tessel::WriteTextFile(AFileName, Lines(), FFormat);
}

} // namespace Wrenfold
