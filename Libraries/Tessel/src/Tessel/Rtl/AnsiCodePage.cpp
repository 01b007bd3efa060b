#include "Tessel/Rtl/AnsiCodePage.h"

#include "Tessel/Rtl/AnsiCodePageTable.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace Tessel {

namespace {

char EncodeChar(char16_t c) {
    if (c < 0x80) return static_cast<char>(c);
    const TAnsiCodePageTable& page = SystemAnsiCodePage();
    if (page.LatinUpperHalf && c >= 0xA0 && c <= 0xFF) return static_cast<char>(c);
    for (std::size_t i = 0; i < page.High.size(); ++i)
        if (page.High[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

// True when a unit is 0x80 or above; eight bytes at a time: most templates are plain ASCII and
// need no mending at all.
template <typename TUnit> bool HasHighUnits(const TUnit* AData, qsizetype ALength) {
    constexpr std::uint64_t HighBits = sizeof(TUnit) == 1 ? 0x8080808080808080ull : 0xFF80FF80FF80FF80ull;
    constexpr qsizetype PerWord = 8 / sizeof(TUnit);
    qsizetype i = 0;
    for (; i + PerWord <= ALength; i += PerWord) {
        std::uint64_t word;
        std::memcpy(&word, AData + i, 8);
        if (word & HighBits) return true;
    }
    for (; i < ALength; ++i)
        if (static_cast<std::make_unsigned_t<TUnit>>(AData[i]) >= 0x80) return true;
    return false;
}

// Copies the low byte of each unit to AOut; false when a unit is 0x80 or above, whose byte then
// still needs mending. Sixteen or eight units a step where the processor allows.
Q_ALWAYS_INLINE bool NarrowAscii(const QChar* AData, qsizetype ALength, char* AOut) {
    qsizetype i = 0;
    char16_t seen = 0;
#if defined(__SSE2__)
    if (ALength >= 8) {
        const __m128i highBits = _mm_set1_epi16(short(0xFF80));
        __m128i high = _mm_setzero_si128();
        const auto load = [&](qsizetype AAt) {
            const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(AData + AAt));
            high = _mm_or_si128(high, _mm_and_si128(units, highBits));
            return units;
        };
        const auto narrowEight = [&](qsizetype AAt) {
            const __m128i a = load(AAt);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(AOut + AAt), _mm_packus_epi16(a, a));
        };
        for (; i + 16 <= ALength; i += 16) {
            const __m128i a = load(i), b = load(i + 8);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(AOut + i), _mm_packus_epi16(a, b));
        }
        if (i + 8 <= ALength) {
            narrowEight(i);
            i += 8;
        }
        // The last eight again, overlapping: their bytes come out the same.
        if (i < ALength) narrowEight(ALength - 8);
        i = ALength;
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(high, _mm_setzero_si128())) != 0xFFFF) seen = 0x80;
    }
#endif
    for (; i < ALength; ++i) {
        const char16_t c = AData[i].unicode();
        seen |= c;
        AOut[i] = static_cast<char>(c);
    }
    return seen < 0x80;
}

} // namespace

QString DecodeAnsi(const char* AData, qsizetype ALength) {
    // Latin-1 agrees with the code page below 0x80 (and for Windows-1252 from 0xA0 on): convert in
    // bulk, then mend the others.
    QString result = QString::fromLatin1(AData, ALength);
    if (!HasHighUnits(AData, ALength)) return result;
    const TAnsiCodePageTable& page = SystemAnsiCodePage();
    const unsigned mendBelow = page.LatinUpperHalf ? 0xA0 : 0x100;
    QChar* out = result.data();
    for (qsizetype i = 0; i < ALength; ++i) {
        const auto b = static_cast<unsigned char>(AData[i]);
        if (b >= 0x80 && b < mendBelow) out[i] = QChar(page.High[b - 0x80]);
    }
    return result;
}

QString DecodeAnsi(const QByteArray& ABytes) {
    return DecodeAnsi(ABytes.constData(), ABytes.size());
}

namespace {

// Writes the ALength bytes of the code-page form of AText to AOut.
void EncodeAnsiTo(const QChar* AText, qsizetype ALength, char* AOut) {
    if (NarrowAscii(AText, ALength, AOut)) return;
    for (qsizetype i = 0; i < ALength; ++i) {
        const char16_t c = AText[i].unicode();
        if (c >= 0x80) AOut[i] = EncodeChar(c);
    }
}

} // namespace

QByteArray EncodeAnsi(const QString& AText) {
    QByteArray result(AText.size(), Qt::Uninitialized);
    EncodeAnsiTo(AText.constData(), AText.size(), result.data());
    return result;
}

bool IsAscii(QStringView AText) {
    return !HasHighUnits(AText.utf16(), AText.size());
}

qsizetype IndexOfUnencodableAnsi(QStringView AText) {
    for (qsizetype i = 0; i < AText.size(); ++i) {
        const char16_t c = AText[i].unicode();
        if (c >= 0x80 && EncodeChar(c) == '?') return i;
    }
    return -1;
}

QByteArray EncodeAnsiLines(const QStringList& ALines, QStringView ABreak) {
    const QByteArray lineBreak = EncodeAnsi(ABreak.toString());
    qsizetype total = ALines.isEmpty() ? 0 : (ALines.size() - 1) * lineBreak.size();
    for (const QString& line : ALines)
        total += line.size();
    QByteArray result(total, Qt::Uninitialized);
    // Plain ASCII, the usual case, needs one pass; anything else is mended in a second one.
    const auto encodeAll = [&](auto AEncode) {
        char* out = result.data();
        for (qsizetype i = 0; i < ALines.size(); ++i) {
            if (i > 0)
                for (char c : lineBreak)
                    *out++ = c;
            const QString& line = ALines.at(i);
            AEncode(line.constData(), line.size(), out);
            out += line.size();
        }
    };
    bool ascii = true;
    encodeAll([&](const QChar* AText, qsizetype ALength, char* AOut) {
        ascii &= NarrowAscii(AText, ALength, AOut);
    });
    if (!ascii) encodeAll(EncodeAnsiTo);
    return result;
}

} // namespace Tessel
