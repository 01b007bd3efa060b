// The system's 8-bit code page as a table: the character of each byte from 0x80 on.
#pragma once

#include <array>

namespace Tessel {

// Windows-1252 from 0x80 on; its undefined bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// controls of the same number.
inline constexpr std::array<char16_t, 128> Windows1252High = [] {
    std::array<char16_t, 128> high{0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                   0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    for (int b = 0xA0; b <= 0xFF; ++b)
        high[std::size_t(b - 0x80)] = char16_t(b);
    return high;
}();

struct TAnsiCodePageTable {
    int Number = 1252;
    // The character of each byte 0x80..0xFF; every byte has its own, so that every byte sequence
    // decodes and encodes back unchanged (an undefined byte stands for the C1 control or Latin-1
    // character of its own number).
    std::array<char16_t, 128> High = Windows1252High;
    // Whether bytes 0xA0..0xFF are the characters of the same number, as in Latin-1.
    bool LatinUpperHalf = true;
};

// Linux: Windows-1252. Windows: the code page GetACP() names when it is one of single bytes
// (1250 to 1258 and the like), else Windows-1252. Made once.
const TAnsiCodePageTable& SystemAnsiCodePage();

} // namespace Tessel
