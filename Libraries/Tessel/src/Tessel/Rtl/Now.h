// The current local date-time as a date-time value (days since 30 December 1899).
#pragma once

class QDateTime;

namespace Tessel {

// The date-time value of a local date and time.
double DateTimeFromQDateTime(const QDateTime& ADateTime);
// The local wall-clock date and time now, to the millisecond.
double Now();

} // namespace Tessel
