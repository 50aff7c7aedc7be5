// Built-in library: FormatNumber, FormatCurrency, FormatPercent, FormatDateTime.
// Numbers use the en-US conventions: '.' for decimals, ',' between thousands.
#include "scripting/vbscript/builtins.h"

#include "scripting/vbscript/conversion.h"
#include "scripting/vbscript/datetime.h"
#include "scripting/vbscript/errors.h"

#include <cmath>

namespace vbs {

namespace {

constexpr int useDefault = -2;

struct NumberStyle {
    int decimals = 2;
    bool leadingDigit = true;
    bool parentheses = false;
    bool grouping = true;
};

int tristate(const Variant* a, int n, int index)
{
    if (index >= n || a[index].isEmpty())
        return useDefault;
    return toLong(a[index]);
}

NumberStyle styleOf(const Variant* a, int n, bool parenthesesByDefault)
{
    NumberStyle style;
    style.parentheses = parenthesesByDefault;
    if (n > 1 && !a[1].isEmpty()) {
        const qint32 decimals = toLong(a[1]);
        if (decimals < -1 || decimals > 99)
            raise(ErrInvalidCall);
        if (decimals >= 0)
            style.decimals = decimals;
    }
    if (const int t = tristate(a, n, 2); t != useDefault)
        style.leadingDigit = t != 0;
    if (const int t = tristate(a, n, 3); t != useDefault)
        style.parentheses = t != 0;
    if (const int t = tristate(a, n, 4); t != useDefault)
        style.grouping = t != 0;
    return style;
}

QString groupThousands(const QString& digits)
{
    QString grouped;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            grouped += QLatin1Char(',');
        grouped += digits.at(i);
    }
    return grouped;
}

QString formatted(double value, const NumberStyle& style, const QString& prefix, const QString& suffix)
{
    const double scale = std::pow(10.0, style.decimals);
    double rounded = std::round(std::fabs(value) * scale) / scale; // away from zero, like the display functions
    if (!std::isfinite(rounded))
        raise(ErrOverflow);
    QString text = QString::number(rounded, 'f', style.decimals);
    QString whole = text.section(QLatin1Char('.'), 0, 0);
    const QString fraction = style.decimals > 0 ? text.section(QLatin1Char('.'), 1, 1) : QString();
    if (whole == QLatin1String("0") && !style.leadingDigit && style.decimals > 0)
        whole.clear();
    if (style.grouping)
        whole = groupThousands(whole);
    QString body = prefix + whole + (style.decimals > 0 ? QLatin1Char('.') + fraction : QString()) + suffix;
    const bool negative = value < 0 && rounded != 0;
    if (!negative)
        return body;
    return style.parentheses ? QLatin1Char('(') + body + QLatin1Char(')') : QLatin1Char('-') + body;
}

Variant formatNumber(Interpreter&, const Variant* a, int n)
{
    const Variant v = plainValue(a[0]);
    if (v.isNull())
        raise(ErrTypeMismatch);
    return Variant::fromString(formatted(toDouble(v), styleOf(a, n, false), QString(), QString()));
}

Variant formatCurrency(Interpreter&, const Variant* a, int n)
{
    const Variant v = plainValue(a[0]);
    if (v.isNull())
        raise(ErrTypeMismatch);
    return Variant::fromString(formatted(toDouble(v), styleOf(a, n, false), QStringLiteral("$"), QString()));
}

Variant formatPercent(Interpreter&, const Variant* a, int n)
{
    const Variant v = plainValue(a[0]);
    if (v.isNull())
        raise(ErrTypeMismatch);
    return Variant::fromString(formatted(toDouble(v) * 100.0, styleOf(a, n, false), QString(), QStringLiteral("%")));
}

Variant formatDateTime(Interpreter&, const Variant* a, int n)
{
    const Variant v = plainValue(a[0]);
    if (v.isNull())
        raise(ErrTypeMismatch);
    const double serial = toDate(v);
    const qint32 style = n > 1 ? toLong(a[1]) : 0;
    DateParts parts;
    if (!splitSerial(serial, parts))
        raise(ErrInvalidCall);
    switch (style) {
    case 0: return Variant::fromString(formatDate(serial));
    case 1: {
        const int weekday = static_cast<int>(((static_cast<long long>(std::floor(serial)) + 6) % 7 + 7) % 7) + 1;
        return Variant::fromString(QStringLiteral("%1, %2 %3, %4")
                                       .arg(weekdayName(weekday, false), monthName(parts.month, false))
                                       .arg(parts.day)
                                       .arg(parts.year));
    }
    case 2: return Variant::fromString(formatDatePart(parts));
    case 3: return Variant::fromString(formatTimePart(parts));
    case 4:
        return Variant::fromString(QStringLiteral("%1:%2").arg(parts.hour, 2, 10, QLatin1Char('0')).arg(parts.minute, 2, 10, QLatin1Char('0')));
    default: raise(ErrInvalidCall);
    }
}

const Builtin library[] = {
    {"FormatNumber", formatNumber, 1, 5},
    {"FormatCurrency", formatCurrency, 1, 5},
    {"FormatPercent", formatPercent, 1, 5},
    {"FormatDateTime", formatDateTime, 1, 2},
};

} // namespace

std::span<const Builtin> formatLibrary() { return library; }

} // namespace vbs
