// The two records that select a number formatting style, its digits and its units.
#pragma once

#include <QChar>
#include <QString>

#include <cstdint>

namespace Tessel {

struct TFloatToStringFormat {
    int32_t DecimalPlaces = 0;
    int32_t MaxChars = 0;
    QChar MultiplierChar; // style or multiplier letter; NUL when unset
    QString UnitsStr;
};

struct TFloatToStringFormat2 {
    QString FormatStr;
    QChar MultiplierChar;
    QString UnitsStr;
};

} // namespace Tessel
