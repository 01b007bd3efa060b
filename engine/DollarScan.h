// Finding "$" statements and markers in a line: the lines of a template or replace list hold many
// "$(" macros, so candidates are found eight characters at a time where the processor allows.
#pragma once

#include <QString>
#include <QStringView>

#include <algorithm>
#include <bit>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Wrenfold {

// Position (0-based) of the first "$" at or after AFrom for which AIsMatchAt(position) holds, or -1.
template <typename TPredicate>
qsizetype IndexOfDollarWhere(QStringView AText, qsizetype AFrom, TPredicate AIsMatchAt) {
    const char16_t* data = AText.utf16();
    const qsizetype size = AText.size();
    qsizetype p = AFrom;
#if defined(__SSE2__)
    if (size - p >= 8) {
        const __m128i dollar = _mm_set1_epi16(short(u'$'));
        // Tests the eight units at ABase, skipping the first ASkip of them.
        const auto searchEight = [&](qsizetype ABase, int ASkip) -> qsizetype {
            const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + ABase));
            // Two mask bits per unit, lowest first.
            unsigned mask =
                unsigned(_mm_movemask_epi8(_mm_cmpeq_epi16(units, dollar))) & (~0u << (2 * ASkip));
            while (mask != 0) {
                const int unit = std::countr_zero(mask) / 2;
                if (AIsMatchAt(ABase + unit)) return ABase + unit;
                mask &= ~(3u << (2 * unit));
            }
            return -1;
        };
        for (; p + 8 <= size; p += 8)
            if (const qsizetype found = searchEight(p, 0); found >= 0) return found;
        // The last eight again for the rest, without the units already searched.
        return p < size ? searchEight(size - 8, int(p - (size - 8))) : -1;
    }
#endif
    for (; p < size; ++p)
        if (data[p] == u'$' && AIsMatchAt(p)) return p;
    return -1;
}

// Position (0-based) of the first "$" + ALetterCode + "(" at or after AFrom, or -1.
inline qsizetype IndexOfMarker(QStringView ALine, QChar ALetterCode, qsizetype AFrom) {
    return IndexOfDollarWhere(ALine, AFrom, [&](qsizetype AAt) {
        return AAt + 2 < ALine.size() && ALine[AAt + 1] == ALetterCode && ALine[AAt + 2] == u'(';
    });
}

// The 1-based position of the ")" that closes the bracket opened just before AStart (1-based), or 0
// when the text ends first; brackets in between nest.
inline int FindClosingBracket(const QString& AText, int AStart) {
    int depth = 0;
    const QChar* data = AText.constData();
    for (qsizetype i = std::max(AStart, 1) - 1; i < AText.size(); ++i) {
        if (data[i] == u'(') {
            ++depth;
        } else if (data[i] == u')') {
            if (depth == 0) return int(i + 1);
            --depth;
        }
    }
    return 0;
}

} // namespace Wrenfold
