#include "core/stream/float_text.h"

#include "core/stream/extended_float.h"

#include <charconv>
#include <cmath>
#include <algorithm>
#include <limits>

namespace floattext {

namespace {

template <class T>
QByteArray format(T value, int precision)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    return QByteArray(buffer, int(result.ptr - buffer));
}

template <class T>
std::optional<T> parseAs(const QByteArray& text)
{
    T value{};
    const char* begin = text.constData();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    const auto result = std::from_chars(begin, end, value);
    if (result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value;
}

// The fewest digits from `least` to `most` whose text reads back as `same`.
template <class T, class Same>
QByteArray shortest(T value, int least, int most, Same same)
{
    if (!std::isfinite(value))
        return format(value, least);
    for (int precision = least; precision < most; ++precision) {
        const QByteArray text = format(value, precision);
        const auto back = parseAs<T>(text);
        if (back && same(*back))
            return text;
    }
    return format(value, most);
}

} // namespace

QByteArray extendedText(long double value)
{
    const QByteArray stored = extended::toBytes(value);
    return shortest(value, 15, 21, [&](long double back) { return extended::toBytes(back) == stored; });
}

QByteArray singleText(float value)
{
    return shortest(value, 7, 9, [&](float back) { return back == value; });
}

QByteArray dateText(double value)
{
    return shortest(value, 15, 17, [&](double back) { return back == value; });
}

QByteArray currencyText(qint64 scaledBy10000)
{
    const bool negative = scaledBy10000 < 0;
    const quint64 magnitude = negative ? 0 - quint64(scaledBy10000) : quint64(scaledBy10000);
    QByteArray text = QByteArray::number(magnitude / 10000);
    QByteArray fraction = QByteArray::number(magnitude % 10000).rightJustified(4, '0');
    while (fraction.endsWith('0'))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += '.' + fraction;
    return negative ? '-' + text : text;
}

std::optional<long double> parse(const QByteArray& text)
{
    return parseAs<long double>(text);
}

namespace {

// A plain decimal ("-12.34567") scaled by 10000 exactly, rounding the fifth decimal.
std::optional<qint64> exactCurrency(const QByteArray& text)
{
    qsizetype i = 0;
    const bool negative = i < text.size() && text.at(i) == '-';
    if (i < text.size() && (text.at(i) == '-' || text.at(i) == '+'))
        ++i;
    quint64 scaled = 0;
    int decimals = -1;
    bool roundUp = false;
    bool anyDigit = false;
    for (; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c == '.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < '0' || c > '9')
            return std::nullopt;
        anyDigit = true;
        if (decimals >= 4) {
            if (decimals++ == 4)
                roundUp = c >= '5';
            continue;
        }
        if (scaled > (quint64(1) << 62) / 10)
            return std::nullopt;
        scaled = scaled * 10 + quint64(c - '0');
        if (decimals >= 0)
            ++decimals;
    }
    if (!anyDigit)
        return std::nullopt;
    for (int d = decimals < 0 ? 0 : std::min(decimals, 4); d < 4; ++d) {
        if (scaled > (quint64(1) << 62) / 10)
            return std::nullopt;
        scaled *= 10;
    }
    if (roundUp)
        ++scaled;
    return negative ? -qint64(scaled) : qint64(scaled);
}

} // namespace

std::optional<qint64> parseCurrency(const QByteArray& text)
{
    if (auto exact = exactCurrency(text))
        return exact;
    const auto value = parse(text);
    if (!value)
        return std::nullopt;
    const long double scaled = std::round(*value * 10000.0L);
    if (!std::isfinite(scaled) || std::fabs(scaled) > 9.2e18L)
        return std::nullopt;
    return static_cast<qint64>(scaled);
}

} // namespace floattext
