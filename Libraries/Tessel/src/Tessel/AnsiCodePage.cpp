#include "Tessel/AnsiCodePage.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace Tessel {

namespace {

// Bytes 0x80..0x9F; the undefined ones (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to themselves.
constexpr std::array<char16_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char EncodeChar(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < HighControlRange.size(); ++i)
        if (HighControlRange[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

// Eight bytes at a time: most templates are plain ASCII and need no mending at all.
bool HasHighBytes(const char* AData, qsizetype ALength) {
    constexpr std::uint64_t HighBits = 0x8080808080808080ull;
    qsizetype i = 0;
    for (; i + 8 <= ALength; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, AData + i, 8);
        if (word & HighBits) return true;
    }
    for (; i < ALength; ++i)
        if (static_cast<unsigned char>(AData[i]) >= 0x80) return true;
    return false;
}

bool HasNonAscii(const QChar* AData, qsizetype ALength) {
    constexpr std::uint64_t HighBits = 0xFF80FF80FF80FF80ull;
    qsizetype i = 0;
    for (; i + 4 <= ALength; i += 4) {
        std::uint64_t word;
        std::memcpy(&word, AData + i, 8);
        if (word & HighBits) return true;
    }
    for (; i < ALength; ++i)
        if (AData[i].unicode() >= 0x80) return true;
    return false;
}

} // namespace

QString DecodeAnsi(const char* AData, qsizetype ALength) {
    // Latin-1 agrees with the code page except in 0x80..0x9F: convert in bulk, then mend those.
    QString result = QString::fromLatin1(AData, ALength);
    if (!HasHighBytes(AData, ALength)) return result;
    QChar* out = result.data();
    for (qsizetype i = 0; i < ALength; ++i) {
        const auto b = static_cast<unsigned char>(AData[i]);
        if (b >= 0x80 && b < 0xA0) out[i] = QChar(HighControlRange[b - 0x80]);
    }
    return result;
}

QString DecodeAnsi(const QByteArray& ABytes) { return DecodeAnsi(ABytes.constData(), ABytes.size()); }

QByteArray EncodeAnsi(const QString& AText) {
    // Latin-1 agrees with the code page except in 0x80..0x9F and above 0xFF: mend those.
    QByteArray result = AText.toLatin1();
    const QChar* in = AText.constData();
    if (!HasNonAscii(in, AText.size())) return result;
    char* out = result.data();
    for (qsizetype i = 0; i < AText.size(); ++i) {
        const char16_t c = in[i].unicode();
        if (c >= 0x80 && (c < 0xA0 || c > 0xFF)) out[i] = EncodeChar(c);
    }
    return result;
}

} // namespace Tessel
