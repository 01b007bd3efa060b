// The failure of a conversion between text and values: a bad number text or a bad format text.
#pragma once

#include "Tessel/Rtl/Exception.h"

namespace Tessel {

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

} // namespace Tessel
