// Printf-like formatting of a text with an argument list, with the specifiers of the Pascal Format.
#pragma once

#include "Tessel/Rtl/FormatSettings.h"

#include <QString>
#include <QVariant>

namespace Tessel {

// Each specifier is "%" [index ":"] ["-"] [width] ["." precision] type, where index, width and
// precision are decimal numbers or "*" (taken from the next argument, an integer); "%%" is a "%".
// An index selects the argument and the following ones continue from it; "-" pads on the right.
// Types (either case):
//   d  integer; precision = minimum digits          u  integer as unsigned (32 or 64 bits)
//   x  integer in upper-case hexadecimal            p  pointer as hexadecimal
//   s  text (other values are converted); precision = maximum characters
//   e  scientific, precision = significant digits (default 15), at least three exponent digits
//   f  fixed, precision = decimals (default 2)      n  fixed with thousands separators (default 2)
//   g  general, precision = significant digits (default 15)
//   m  currency, precision = decimals (default CurrencyDecimals)
// The arguments are variants: the integer types serve d, u, x and the float types; the float
// types also take doubles. Raises EConvertError "Format '%s' invalid or incompatible with
// argument" for a bad specifier or argument and "No argument for format '%s'" for a missing one.
QString Format(const QString& AFormat, const QVariantList& AArgs, const TFormatSettings& ASettings);
// The same with the user's settings.
QString Format(const QString& AFormat, const QVariantList& AArgs);

} // namespace Tessel
