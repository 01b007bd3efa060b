// Writing a date-time (days since 30 December 1899) by a pattern of the Pascal FormatDateTime.
#pragma once

#include "Tessel/Rtl/FormatSettings.h"

#include <QString>

namespace Tessel {

// Pattern letters (either case; a repeated letter counts as one token):
//   c       ShortDateFormat, then a blank and LongTimeFormat unless the time is exactly midnight
//   d dd    day (dd zero-padded); ddd, dddd short and long day name; ddddd ShortDateFormat;
//           dddddd LongDateFormat
//   m mm    month; mmm, mmmm short and long month name; right after an h token: minutes
//   yy      two-digit year; yyy and more: four-digit year
//   h hh    hour (12-hour clock when an am/pm token follows); n nn minutes; s ss seconds;
//   z zzz   milliseconds
//   t tt    ShortTimeFormat, LongTimeFormat
//   am/pm a/p  the letters as written, chosen by the time of day; ampm TimeAMString/TimePMString
//   /  :    DateSeparator, TimeSeparator;  '...' "..."  quoted text
// Any other character is copied. An empty pattern means "c".
QString FormatDateTime(const QString& AFormat, double ADateTime, const TFormatSettings& ASettings);
// The same with the user's settings.
QString FormatDateTime(const QString& AFormat, double ADateTime);

// The date-time split into its calendar parts; the time part of a negative value counts forward
// from midnight of its day, as in -1.25 = 29 December 1899 06:00. Returns false when out of range.
struct TDateTimeParts {
    int Year = 0, Month = 0, Day = 0, DayOfWeek = 0; // DayOfWeek 1 = Sunday ... 7 = Saturday
    int Hour = 0, Minute = 0, Second = 0, MilliSecond = 0;
};
bool DecodeDateTimeParts(double ADateTime, TDateTimeParts& AParts);

} // namespace Tessel
