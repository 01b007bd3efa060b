// Variant conversions as the runtime makes them: a value as text or as a number, and its kind.
#pragma once

#include "Tessel/Rtl/Exception.h"

#include <QString>
#include <QVariant>

namespace Tessel {

// A variant that cannot become the type asked for.
class EVariantTypeCastError : public Exception {
public:
    using Exception::Exception;
};

// Integers and Booleans.
bool VarIsOrdinal(const QVariant& AValue);
// Single- and double-precision values.
bool VarIsFloat(const QVariant& AValue);
// Integers, Booleans and floating point.
bool VarIsNumeric(const QVariant& AValue);
// Texts (UTF-16 or 8-bit) and characters.
bool VarIsText(const QVariant& AValue);
// The variant's type as its error messages name it: "Empty", "Null", "Boolean", "Integer", "Double"...
QString VarTypeName(const QVariant& AValue);

// The value as text under the user's settings: empty and null give "", Booleans "True" and "False",
// floating point the general form with 15 significant digits.
QString VarToStr(const QVariant& AValue);
// The value as a double: numbers as they are, Booleans as 1 and 0, texts read as plain decimal
// numbers under the user's settings. Anything else raises EVariantTypeCastError
// "Could not convert variant of type (%s) into type (Double)".
double VarToDouble(const QVariant& AValue);

} // namespace Tessel
