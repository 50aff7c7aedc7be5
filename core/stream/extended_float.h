// The 80-bit extended precision float of the binary stream (sign, 15-bit exponent,
// 64-bit mantissa with explicit integer bit), converted without loss to and from long
// double wherever the long double can hold the value.
#pragma once

#include <QByteArray>

namespace extended {

QByteArray toBytes(long double value);
// `bytes` must hold at least ten bytes.
long double fromBytes(const char* bytes);

} // namespace extended
