#include "Tessel/AnsiCodePage.h"

#include <array>

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

} // namespace

QString DecodeAnsi(const char* AData, qsizetype ALength) {
    QString result(ALength, Qt::Uninitialized);
    QChar* out = result.data();
    for (qsizetype i = 0; i < ALength; ++i) {
        const auto b = static_cast<unsigned char>(AData[i]);
        out[i] = (b >= 0x80 && b < 0xA0) ? QChar(HighControlRange[b - 0x80]) : QChar(b);
    }
    return result;
}

QString DecodeAnsi(const QByteArray& ABytes) { return DecodeAnsi(ABytes.constData(), ABytes.size()); }

QByteArray EncodeAnsi(const QString& AText) {
    QByteArray result(AText.size(), Qt::Uninitialized);
    char* out = result.data();
    const QChar* in = AText.constData();
    for (qsizetype i = 0; i < AText.size(); ++i) out[i] = EncodeChar(in[i].unicode());
    return result;
}

} // namespace Tessel
