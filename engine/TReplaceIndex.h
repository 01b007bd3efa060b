// The replace list split once into names and values, for the many lookups of a template expansion.
#pragma once

#include <QStringList>
#include <QStringView>
#include <cstddef>
#include <vector>

namespace Wrenfold {

class TReplaceIndex {
public:
    explicit TReplaceIndex(const QStringList& AReplaceList);
    // The value of the first line whose name (the text before its first "=") equals AName without
    // regard to case; empty when no line matches. Nothing is trimmed. The view stays valid as long
    // as the index.
    QStringView Value(QStringView AName) const;
    // The same lookup straight on the list, for a single one.
    static QString ValueIn(const QStringList& AReplaceList, QStringView AName);

private:
    struct TEntry {
        QStringView Name;
        QStringView Value;
        std::size_t Hash;
    };
    QStringList FLines;           // keeps the views valid
    std::vector<TEntry> FEntries; // the first line of each name only
    // Open addressing over FEntries: entry index + 1, 0 for a free slot. A power of two in size.
    std::vector<int> FSlots;
};

} // namespace Wrenfold
