// The replace list split once into names and values, for the many lookups of a template expansion.
#pragma once

#include <QStringList>
#include <QStringView>
#include <vector>

namespace Wrenfold {

class TReplaceIndex {
public:
    explicit TReplaceIndex(const QStringList& AReplaceList);
    // The value of the first line whose name (the text before its first "=") equals AName without
    // regard to case; empty when no line matches. Nothing is trimmed.
    QString Value(QStringView AName) const;

private:
    struct TEntry {
        QString FoldedName;
        QStringView Value;
    };
    QStringList FLines; // keeps the views valid
    std::vector<TEntry> FEntries;
};

} // namespace Wrenfold
