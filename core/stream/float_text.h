// Decimal text of the stream's float values, independent of the process locale: the
// shortest general form of 15 or more significant digits that reads back to the same
// stored value, and the parsing back.
#pragma once

#include <QByteArray>

#include <optional>

namespace floattext {

QByteArray extendedText(long double value);
QByteArray singleText(float value);
QByteArray dateText(double value);
// A currency value held as an integer scaled by 10000, written exactly.
QByteArray currencyText(qint64 scaledBy10000);

std::optional<long double> parse(const QByteArray& text);
// The scaled currency value of a decimal text, rounded to four decimals.
std::optional<qint64> parseCurrency(const QByteArray& text);

} // namespace floattext
