// Gives a window font the desktop's title typeface and size, plain.
#pragma once

class QFont;

namespace Wrenfold {

// Takes the desktop's title font's family and size; bold, italic, underline and strike-out are
// cleared. Nothing else of the font changes.
void SetIconTitleFont(QFont& AFont);

} // namespace Wrenfold
