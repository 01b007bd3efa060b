#include "engine/TPackedLines.h"

#include "engine/PageMapping.h"

#include <QStringEncoder>

#include <algorithm>
#include <new>

namespace Wrenfold {

namespace {

constexpr qsizetype FirstCapacity = 64 * 1024;
constexpr qsizetype MapInStretch = 1024 * 1024;

} // namespace

void TPackedLines::Reserve(qsizetype ASize) {
    if (ASize <= FCapacity) return;
    const qsizetype capacity = std::max({ASize, FCapacity * 2, FirstCapacity});
    char* text = static_cast<char*>(std::realloc(FText.get(), std::size_t(capacity)));
    if (!text) throw std::bad_alloc();
    FText.release();
    FText.reset(text);
    FCapacity = capacity;
    FMapped = FSize; // a moved block may lie on other pages
}

void TPackedLines::MapInAhead() {
    if (FSize < FMapped) return;
    FMapped = MapInPages(FText.get(), FSize, FCapacity, MapInStretch);
}

void TPackedLines::Append(QStringView ALine) {
    // Room for the separator and the longest encoding (three bytes per UTF-16 unit).
    Reserve(FSize + 1 + 3 * ALine.size());
    char* out = FText.get() + FSize;
    if (!FStarts.empty()) *out++ = '\n';
    FStarts.push_back(out - FText.get());
    // The encoder keeps no state between lines, so a line never borrows half a character from the
    // one before.
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    out = encoder.appendToBuffer(out, ALine);
    FSize = out - FText.get();
    MapInAhead();
}

QString TPackedLines::Line(qsizetype AIndex) const {
    const qsizetype start = FStarts.at(std::size_t(AIndex));
    const qsizetype end = AIndex + 1 < Count() ? FStarts[std::size_t(AIndex + 1)] - 1 : FSize;
    return QString::fromUtf8(FText.get() + start, end - start);
}

QStringList TPackedLines::ToList() const {
    QStringList lines;
    lines.reserve(Count());
    for (qsizetype i = 0; i < Count(); ++i)
        lines.append(Line(i));
    return lines;
}

QByteArrayView TPackedLines::Utf8From(qsizetype AFrom) const {
    if (AFrom >= Count()) return {};
    const qsizetype start = FStarts[std::size_t(AFrom)];
    return QByteArrayView(FText.get() + start, FSize - start);
}

void TPackedLines::Clear() {
    FText.reset();
    FSize = 0;
    FCapacity = 0;
    FMapped = 0;
    std::vector<qsizetype>().swap(FStarts);
}

} // namespace Wrenfold
