#include "Tessel/Rtl/FormatDateTime.h"

#include <QDate>

#include <cmath>
#include <cstdint>

namespace Tessel {

bool DecodeDateTimeParts(double ADateTime, TDateTimeParts& AParts) {
    constexpr int64_t MSecsPerDay = 86400000;
    const double msecs = std::nearbyint(ADateTime * double(MSecsPerDay));
    if (!std::isfinite(msecs) || std::fabs(msecs) > 9.0e15) return false;
    const auto total = int64_t(msecs);
    const int64_t days = total / MSecsPerDay; // towards zero: the time part counts forward
    const int64_t time = (total < 0 ? -total : total) % MSecsPerDay;
    const QDate date = QDate(1899, 12, 30).addDays(days);
    if (!date.isValid()) return false;
    AParts.Year = date.year();
    AParts.Month = date.month();
    AParts.Day = date.day();
    AParts.DayOfWeek = date.dayOfWeek() % 7 + 1;
    AParts.Hour = int(time / 3600000);
    AParts.Minute = int(time / 60000 % 60);
    AParts.Second = int(time / 1000 % 60);
    AParts.MilliSecond = int(time % 1000);
    return true;
}

namespace {

class TDateTimeWriter {
public:
    TDateTimeWriter(double ADateTime, const TFormatSettings& ASettings) : FSettings(ASettings) {
        DecodeDateTimeParts(ADateTime, FParts);
    }

    QString Result;

    // Nested formats (c, ddddd, t ...) are expanded one level deep only.
    void Append(const QString& AFormat) {
        if (FLevel >= 2) return;
        ++FLevel;
        QChar lastToken = u' ';
        bool use12HourClock = false;
        const qsizetype n = AFormat.size();
        qsizetype i = 0;
        auto count = [&](QChar AStarter) {
            qsizetype start = i;
            while (i < n && AFormat[i] == AStarter)
                ++i;
            return int(i - start + 1);
        };
        while (i < n) {
            const QChar starter = AFormat[i++];
            char16_t token = starter.unicode();
            if (token >= u'a' && token <= u'z') token -= 32;
            if (token >= u'A' && token <= u'Z') {
                if (token == u'M' && lastToken == u'H') token = u'N';
                lastToken = QChar(token);
            }
            switch (token) {
            case u'Y': {
                const int c = count(starter);
                Number(c <= 2 ? FParts.Year % 100 : FParts.Year, c <= 2 ? 2 : 4);
                break;
            }
            case u'M': {
                const int c = count(starter);
                if (c <= 2)
                    Number(FParts.Month, c);
                else
                    Result += (c == 3 ? FSettings.ShortMonthNames
                                      : FSettings.LongMonthNames)[Index(FParts.Month, 12)];
                break;
            }
            case u'D': {
                const int c = count(starter);
                if (c <= 2)
                    Number(FParts.Day, c);
                else if (c == 3)
                    Result += FSettings.ShortDayNames[Index(FParts.DayOfWeek, 7)];
                else if (c == 4)
                    Result += FSettings.LongDayNames[Index(FParts.DayOfWeek, 7)];
                else
                    Append(c == 5 ? FSettings.ShortDateFormat : FSettings.LongDateFormat);
                break;
            }
            case u'H': {
                const int c = count(starter);
                if (!use12HourClock) use12HourClock = AmPmFollows(AFormat, i);
                int hour = FParts.Hour;
                if (use12HourClock) {
                    if (hour == 0)
                        hour = 12;
                    else if (hour > 12)
                        hour -= 12;
                }
                Number(hour, c > 2 ? 2 : c);
                break;
            }
            case u'N': {
                const int c = count(starter);
                Number(FParts.Minute, c > 2 ? 2 : c);
                break;
            }
            case u'S': {
                const int c = count(starter);
                Number(FParts.Second, c > 2 ? 2 : c);
                break;
            }
            case u'Z': {
                const int c = count(starter);
                Number(FParts.MilliSecond, c > 3 ? 3 : c);
                break;
            }
            case u'T': {
                const int c = count(starter);
                Append(c == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat);
                break;
            }
            case u'A': {
                const qsizetype at = i - 1;
                const bool pm = FParts.Hour >= 12;
                if (Matches(AFormat, at, u"AM/PM")) {
                    Result += AFormat.mid(pm ? at + 3 : at, 2);
                    i = at + 5;
                    use12HourClock = true;
                } else if (Matches(AFormat, at, u"A/P")) {
                    Result += AFormat.mid(pm ? at + 2 : at, 1);
                    i = at + 3;
                    use12HourClock = true;
                } else if (Matches(AFormat, at, u"AMPM")) {
                    Result += pm ? FSettings.TimePMString : FSettings.TimeAMString;
                    i = at + 4;
                    use12HourClock = true;
                } else {
                    Result += starter;
                }
                break;
            }
            case u'C': {
                count(starter);
                Append(FSettings.ShortDateFormat);
                if (FParts.Hour != 0 || FParts.Minute != 0 || FParts.Second != 0 || FParts.MilliSecond != 0) {
                    Result += u' ';
                    Append(FSettings.LongTimeFormat);
                }
                break;
            }
            case u'/':
                if (!FSettings.DateSeparator.isNull()) Result += FSettings.DateSeparator;
                break;
            case u':':
                if (!FSettings.TimeSeparator.isNull()) Result += FSettings.TimeSeparator;
                break;
            case u'\'':
            case u'"': {
                const qsizetype start = i;
                while (i < n && AFormat[i] != starter)
                    ++i;
                Result += AFormat.mid(start, i - start);
                if (i < n) ++i;
                break;
            }
            default:
                Result += starter;
            }
        }
        --FLevel;
    }

private:
    const TFormatSettings& FSettings;
    TDateTimeParts FParts;
    int FLevel = 0;

    static qsizetype Index(int AValue, int ACount) {
        return qsizetype(AValue >= 1 && AValue <= ACount ? AValue - 1 : 0);
    }

    static bool Matches(const QString& AFormat, qsizetype AAt, QStringView AText) {
        return AFormat.mid(AAt, AText.size()).compare(AText, Qt::CaseInsensitive) == 0;
    }

    // Whether an am/pm token follows before the next hour token, outside quotes.
    static bool AmPmFollows(const QString& AFormat, qsizetype AFrom) {
        bool quoted = false;
        for (qsizetype p = AFrom; p < AFormat.size(); ++p) {
            const QChar c = AFormat[p];
            if (c == u'\'' || c == u'"') {
                quoted = !quoted;
            } else if (!quoted && (c == u'a' || c == u'A')) {
                return Matches(AFormat, p, u"AM/PM") || Matches(AFormat, p, u"A/P") ||
                       Matches(AFormat, p, u"AMPM");
            } else if (!quoted && (c == u'h' || c == u'H')) {
                return false;
            }
        }
        return false;
    }

    void Number(int AValue, int ADigits) {
        Result += QStringLiteral("%1").arg(AValue, ADigits, 10, QChar(u'0'));
    }
};

} // namespace

QString FormatDateTime(const QString& AFormat, double ADateTime, const TFormatSettings& ASettings) {
    TDateTimeWriter writer(ADateTime, ASettings);
    writer.Append(AFormat.isEmpty() ? QStringLiteral("C") : AFormat);
    return writer.Result;
}

QString FormatDateTime(const QString& AFormat, double ADateTime) {
    return FormatDateTime(AFormat, ADateTime, UserFormatSettings());
}

} // namespace Tessel
