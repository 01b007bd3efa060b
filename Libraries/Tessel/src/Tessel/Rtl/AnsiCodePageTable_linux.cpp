#include "Tessel/Rtl/AnsiCodePageTable.h"

namespace Tessel {

const TAnsiCodePageTable& SystemAnsiCodePage() {
    static const TAnsiCodePageTable table;
    return table;
}

} // namespace Tessel
