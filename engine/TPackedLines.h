// Lines kept as UTF-8 text one after another: a long log costs its bytes, not a string per line.
#pragma once

#include <QByteArrayView>
#include <QStringList>
#include <QStringView>

#include <cstdlib>
#include <memory>
#include <vector>

namespace Wrenfold {

// An append-only list of lines held as one UTF-8 text, each line after an LF that follows the one
// before it (a line may hold line breaks of its own; its bounds are kept apart). Reading a line
// decodes it. A lone UTF-16 surrogate has no UTF-8 form and reads back as U+FFFD.
class TPackedLines {
public:
    qsizetype Count() const { return qsizetype(FStarts.size()); }
    bool IsEmpty() const { return FStarts.empty(); }

    void Append(QStringView ALine);
    QString Line(qsizetype AIndex) const;
    QStringList ToList() const;
    // The text of the lines from AFrom on, joined by LF, as UTF-8; empty when AFrom is Count.
    QByteArrayView Utf8From(qsizetype AFrom) const;
    // Forgets every line and gives back the memory.
    void Clear();

private:
    void Reserve(qsizetype ASize);
    // Asks for the pages of the next stretch after the text to be mapped in at once: a batch's log
    // grows by many megabytes, and taking each new page by a fault of its own costs far more.
    void MapInAhead();

    struct TFree {
        void operator()(char* AText) const { std::free(AText); }
    };
    // Grown with realloc, which moves a large block by remapping it rather than copying it.
    std::unique_ptr<char, TFree> FText;
    qsizetype FSize = 0;
    qsizetype FCapacity = 0;
    qsizetype FMapped = 0;          // bytes of FText known to be mapped in
    std::vector<qsizetype> FStarts; // where each line begins in FText
};

} // namespace Wrenfold
