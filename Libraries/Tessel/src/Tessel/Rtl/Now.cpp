#include "Tessel/Rtl/Now.h"

#include <QDate>
#include <QDateTime>

namespace Tessel {

double DateTimeFromQDateTime(const QDateTime& ADateTime) {
    return double(ADateTime.date().toJulianDay() - QDate(1899, 12, 30).toJulianDay()) +
           ADateTime.time().msecsSinceStartOfDay() / 86400000.0;
}

double Now() {
    return DateTimeFromQDateTime(QDateTime::currentDateTime());
}

} // namespace Tessel
