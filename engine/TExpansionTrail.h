// Remembers which expansion produced which stretch of a line, so a value that leads back to its own
// marker or statement is caught instead of expanding for ever.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace Wrenfold {

class TExpansionTrail {
public:
    // True when the ALength characters at APosition (0-based) all came, directly or through others,
    // from AKey. A marker or statement that the line's own text finishes was not made by AKey alone:
    // expanding it uses up text of the line, so it cannot lead back for ever.
    bool Produced(qsizetype APosition, qsizetype ALength, QStringView AKey,
                  Qt::CaseSensitivity ACase = Qt::CaseSensitive) const;
    // The chain of keys that produced all the ALength characters at APosition, outermost first.
    QStringList ChainAt(qsizetype APosition, qsizetype ALength = 1) const;
    // Records that ARemoved characters at APosition were replaced by AInserted characters, the
    // expansion of AKey. The new text inherits the keys of every stretch that held all the removed
    // text.
    void Replace(qsizetype APosition, qsizetype ARemoved, qsizetype AInserted, const QString& AKey);
    // Forgets stretches that end before APosition (the caller searches no further left).
    void ForgetBefore(qsizetype APosition);

private:
    // Nested stretches share their outer ones' keys until they add their own.
    using TKeys = QStringList;
    struct TStretch {
        qsizetype Start;
        qsizetype End; // exclusive
        TKeys Keys;
    };
    std::vector<TStretch> FStretches;
};

} // namespace Wrenfold
