#include "Tessel/Rtl/AnsiCodePageTable.h"

#include <algorithm>
#include <windows.h>

namespace Tessel {

namespace {

TAnsiCodePageTable MakeTable() {
    const UINT number = ::GetACP();
    CPINFO info{};
    // Code pages of several bytes a character cannot give every byte sequence back unchanged.
    if (number == 1252 || !::GetCPInfo(number, &info) || info.MaxCharSize != 1) return TAnsiCodePageTable();
    TAnsiCodePageTable table;
    table.Number = int(number);
    for (int b = 0x80; b <= 0xFF; ++b) {
        const char byte = char(b);
        wchar_t c = 0;
        const bool defined = ::MultiByteToWideChar(number, MB_ERR_INVALID_CHARS, &byte, 1, &c, 1) == 1;
        table.High[std::size_t(b - 0x80)] = defined ? char16_t(c) : char16_t(b);
        table.LatinUpperHalf = table.LatinUpperHalf && (b < 0xA0 || table.High[std::size_t(b - 0x80)] == b);
    }
    // Two bytes for one character would lose one of them: such a table is not used.
    std::array<char16_t, 128> sorted = table.High;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i)
        if (sorted[i] < 0x80 || (i > 0 && sorted[i] == sorted[i - 1])) return TAnsiCodePageTable();
    return table;
}

} // namespace

const TAnsiCodePageTable& SystemAnsiCodePage() {
    static const TAnsiCodePageTable table = MakeTable();
    return table;
}

} // namespace Tessel
