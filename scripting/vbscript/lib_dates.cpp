// Built-in library: date and time functions.
#include "scripting/vbscript/builtins.h"

#include "scripting/vbscript/conversion.h"
#include "scripting/vbscript/datetime.h"
#include "scripting/vbscript/errors.h"

#include <QDate>
#include <QDateTime>

#include <cmath>

namespace vbs {

namespace {

DateParts partsOf(const Variant& value)
{
    DateParts parts;
    if (!splitSerial(toDate(value), parts))
        raise(ErrInvalidCall);
    return parts;
}

double nowSerial()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate today = now.date();
    const QTime time = now.time();
    return combineDateAndTime(serialFromDate(today.year(), today.month(), today.day()),
                              serialFromTime(time.hour(), time.minute(), time.second()));
}

Variant checkedDate(double serial)
{
    if (!std::isfinite(serial) || !isValidSerial(serial))
        raise(ErrInvalidCall);
    return Variant::fromDate(serial);
}

int expandYear(int year)
{
    if (year >= 0 && year < 30)
        return 2000 + year;
    if (year >= 30 && year < 100)
        return 1900 + year;
    return year;
}

// 1 = the first day of the week given by firstDay (1 = Sunday ... 7 = Saturday).
int weekdayOf(double serial, int firstDay)
{
    const long long days = static_cast<long long>(std::floor(serial));
    const int sundayBased = static_cast<int>(((days + 6) % 7 + 7) % 7) + 1; // 30 Dec 1899 was a Saturday
    return (sundayBased - firstDay + 7) % 7 + 1;
}

int firstDayArg(const Variant* a, int n, int index)
{
    if (index >= n || a[index].isEmpty())
        return 1;
    const qint32 day = toLong(a[index]);
    if (day < 0 || day > 7)
        raise(ErrInvalidCall);
    return day == 0 ? 1 : day;
}

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Interval intervalOf(const Variant& value)
{
    const QString name = toString(value).toLower();
    if (name == QLatin1String("yyyy")) return Interval::Year;
    if (name == QLatin1String("q")) return Interval::Quarter;
    if (name == QLatin1String("m")) return Interval::Month;
    if (name == QLatin1String("y")) return Interval::DayOfYear;
    if (name == QLatin1String("d")) return Interval::Day;
    if (name == QLatin1String("w")) return Interval::Weekday;
    if (name == QLatin1String("ww")) return Interval::Week;
    if (name == QLatin1String("h")) return Interval::Hour;
    if (name == QLatin1String("n")) return Interval::Minute;
    if (name == QLatin1String("s")) return Interval::Second;
    raise(ErrInvalidCall);
}

double timeOfDay(double serial) { return std::fabs(serial - std::trunc(serial)); }

Variant dateAdd(Interpreter&, const Variant* a, int)
{
    const Interval interval = intervalOf(a[0]);
    const double amount = std::trunc(toDouble(a[1]));
    const double serial = toDate(a[2]);
    if (std::fabs(amount) > 1e7)
        raise(ErrInvalidCall);
    const int count = static_cast<int>(amount);
    switch (interval) {
    case Interval::Year:
    case Interval::Quarter:
    case Interval::Month: {
        const DateParts p = partsOf(a[2]);
        const int months = count * (interval == Interval::Year ? 12 : interval == Interval::Quarter ? 3 : 1);
        const long long total = static_cast<long long>(p.year) * 12 + (p.month - 1) + months;
        const int year = static_cast<int>(total / 12);
        const int month = static_cast<int>(total % 12) + 1;
        if (year < 100 || year > 9999)
            raise(ErrInvalidCall);
        const int day = std::min(p.day, QDate(year, month, 1).daysInMonth());
        return checkedDate(combineDateAndTime(serialFromDate(year, month, day), timeOfDay(serial)));
    }
    case Interval::DayOfYear:
    case Interval::Day:
    case Interval::Weekday: return checkedDate(serial + count);
    case Interval::Week: return checkedDate(serial + 7.0 * count);
    case Interval::Hour: return checkedDate(serial + count / 24.0);
    case Interval::Minute: return checkedDate(serial + count / 1440.0);
    case Interval::Second: return checkedDate(serial + count / 86400.0);
    }
    return Variant();
}

long long wholeSeconds(double serial)
{
    const double days = std::trunc(serial);
    const double fraction = std::fabs(serial - days);
    return static_cast<long long>(days) * 86400 + std::llround(fraction * 86400.0) * (serial < 0 ? -1 : 1);
}

Variant dateDiff(Interpreter&, const Variant* a, int n)
{
    const Interval interval = intervalOf(a[0]);
    const double first = toDate(a[1]);
    const double second = toDate(a[2]);
    const DateParts p1 = partsOf(a[1]);
    const DateParts p2 = partsOf(a[2]);
    const long long day1 = static_cast<long long>(std::floor(first));
    const long long day2 = static_cast<long long>(std::floor(second));
    switch (interval) {
    case Interval::Year: return Variant::fromLong(p2.year - p1.year);
    case Interval::Quarter: return Variant::fromLong((p2.year * 4 + (p2.month - 1) / 3) - (p1.year * 4 + (p1.month - 1) / 3));
    case Interval::Month: return Variant::fromLong((p2.year * 12 + p2.month) - (p1.year * 12 + p1.month));
    case Interval::DayOfYear:
    case Interval::Day: return Variant::fromLong(static_cast<qint32>(day2 - day1));
    case Interval::Weekday: return Variant::fromLong(static_cast<qint32>((day2 - day1) / 7));
    case Interval::Week: {
        const int firstDay = firstDayArg(a, n, 3);
        const long long start1 = day1 - (weekdayOf(first, firstDay) - 1);
        const long long start2 = day2 - (weekdayOf(second, firstDay) - 1);
        return Variant::fromLong(static_cast<qint32>((start2 - start1) / 7));
    }
    case Interval::Hour: return Variant::fromWholeNumber(static_cast<double>(wholeSeconds(second) / 3600 - wholeSeconds(first) / 3600));
    case Interval::Minute: return Variant::fromWholeNumber(static_cast<double>(wholeSeconds(second) / 60 - wholeSeconds(first) / 60));
    case Interval::Second: return Variant::fromWholeNumber(static_cast<double>(wholeSeconds(second) - wholeSeconds(first)));
    }
    return Variant();
}

Variant datePart(Interpreter&, const Variant* a, int n)
{
    const Interval interval = intervalOf(a[0]);
    const double serial = toDate(a[1]);
    const DateParts p = partsOf(a[1]);
    const int firstDay = firstDayArg(a, n, 2);
    switch (interval) {
    case Interval::Year: return Variant::fromInteger(static_cast<qint16>(p.year));
    case Interval::Quarter: return Variant::fromInteger(static_cast<qint16>((p.month - 1) / 3 + 1));
    case Interval::Month: return Variant::fromInteger(static_cast<qint16>(p.month));
    case Interval::DayOfYear: return Variant::fromInteger(static_cast<qint16>(QDate(p.year, p.month, p.day).dayOfYear()));
    case Interval::Day: return Variant::fromInteger(static_cast<qint16>(p.day));
    case Interval::Weekday: return Variant::fromInteger(static_cast<qint16>(weekdayOf(serial, firstDay)));
    case Interval::Week: {
        const double janFirst = serialFromDate(p.year, 1, 1);
        const long long offset = static_cast<long long>(std::floor(serial) - janFirst) + (weekdayOf(janFirst, firstDay) - 1);
        return Variant::fromInteger(static_cast<qint16>(offset / 7 + 1));
    }
    case Interval::Hour: return Variant::fromInteger(static_cast<qint16>(p.hour));
    case Interval::Minute: return Variant::fromInteger(static_cast<qint16>(p.minute));
    case Interval::Second: return Variant::fromInteger(static_cast<qint16>(p.second));
    }
    return Variant();
}

Variant dateSerial(Interpreter&, const Variant* a, int)
{
    const qint32 year = toLong(a[0]), month = toLong(a[1]), day = toLong(a[2]);
    if (std::abs(year) > 20000 || std::abs(month) > 240000 || std::abs(day) > 8000000)
        raise(ErrInvalidCall);
    return checkedDate(serialFromDate(expandYear(year), month, day));
}

Variant timeSerial(Interpreter&, const Variant* a, int)
{
    const qint32 hour = toLong(a[0]), minute = toLong(a[1]), second = toLong(a[2]);
    const double total = hour * 3600.0 + minute * 60.0 + second;
    const double days = std::floor(total / 86400.0);
    const double fraction = (total - days * 86400.0) / 86400.0;
    return checkedDate(days == 0 ? fraction : combineDateAndTime(days, fraction));
}

Variant dateValue(Interpreter&, const Variant* a, int)
{
    return Variant::fromDate(std::trunc(toDate(a[0])));
}

Variant timeValue(Interpreter&, const Variant* a, int)
{
    return Variant::fromDate(timeOfDay(toDate(a[0])));
}

template <int DateParts::*Field>
Variant component(Interpreter&, const Variant* a, int)
{
    if (a[0].isNull())
        return Variant::null();
    return Variant::fromInteger(static_cast<qint16>(partsOf(a[0]).*Field));
}

Variant weekday(Interpreter&, const Variant* a, int n)
{
    if (a[0].isNull())
        return Variant::null();
    return Variant::fromInteger(static_cast<qint16>(weekdayOf(toDate(a[0]), firstDayArg(a, n, 1))));
}

Variant monthNameOf(Interpreter&, const Variant* a, int n)
{
    const qint32 month = toLong(a[0]);
    if (month < 1 || month > 12)
        raise(ErrInvalidCall);
    return Variant::fromString(monthName(month, n > 1 && toBool(a[1])));
}

Variant weekdayNameOf(Interpreter&, const Variant* a, int n)
{
    const qint32 day = toLong(a[0]);
    if (day < 1 || day > 7)
        raise(ErrInvalidCall);
    const int firstDay = firstDayArg(a, n, 2);
    const int sundayBased = (day - 1 + firstDay - 1) % 7 + 1;
    return Variant::fromString(weekdayName(sundayBased, n > 1 && !a[1].isEmpty() && toBool(a[1])));
}

Variant dateNow(Interpreter&, const Variant*, int) { return Variant::fromDate(nowSerial()); }
Variant dateToday(Interpreter&, const Variant*, int) { return Variant::fromDate(std::trunc(nowSerial())); }
Variant timeNow(Interpreter&, const Variant*, int) { return Variant::fromDate(timeOfDay(nowSerial())); }

Variant timer(Interpreter&, const Variant*, int)
{
    const QTime time = QTime::currentTime();
    return Variant::fromSingle(static_cast<float>(time.msecsSinceStartOfDay() / 1000.0));
}

const Builtin library[] = {
    {"Date", dateToday, 0, 0},
    {"Time", timeNow, 0, 0},
    {"Now", dateNow, 0, 0},
    {"Timer", timer, 0, 0},
    {"DateAdd", dateAdd, 3, 3},
    {"DateDiff", dateDiff, 3, 5},
    {"DatePart", datePart, 2, 4},
    {"DateSerial", dateSerial, 3, 3},
    {"DateValue", dateValue, 1, 1},
    {"TimeSerial", timeSerial, 3, 3},
    {"TimeValue", timeValue, 1, 1},
    {"Year", component<&DateParts::year>, 1, 1},
    {"Month", component<&DateParts::month>, 1, 1},
    {"Day", component<&DateParts::day>, 1, 1},
    {"Hour", component<&DateParts::hour>, 1, 1},
    {"Minute", component<&DateParts::minute>, 1, 1},
    {"Second", component<&DateParts::second>, 1, 1},
    {"Weekday", weekday, 1, 2},
    {"MonthName", monthNameOf, 1, 2},
    {"WeekdayName", weekdayNameOf, 1, 3},
};

} // namespace

std::span<const Builtin> dateLibrary() { return library; }

} // namespace vbs
