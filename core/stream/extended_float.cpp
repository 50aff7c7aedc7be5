#include "core/stream/extended_float.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace extended {

namespace {
constexpr int kBias = 16383;
constexpr int kMaxExponent = 0x7FFF;
}

QByteArray toBytes(long double value)
{
    const bool negative = std::signbit(value);
    std::uint64_t mantissa = 0;
    int exponent = 0;
    if (std::isnan(value)) {
        exponent = kMaxExponent;
        mantissa = 0xC000000000000000ULL;
    } else if (std::isinf(value)) {
        exponent = kMaxExponent;
        mantissa = 0x8000000000000000ULL;
    } else if (value != 0) {
        int binaryExponent = 0;
        const long double fraction = std::frexp(std::fabs(value), &binaryExponent); // [0.5, 1)
        exponent = binaryExponent - 1 + kBias;
        int shift = 64;
        if (exponent <= 0) { // below the normal range: denormal with exponent field 0
            shift += exponent - 1;
            exponent = 0;
        }
        if (exponent >= kMaxExponent) {
            exponent = kMaxExponent;
            mantissa = 0x8000000000000000ULL;
        } else if (shift > 0) {
            mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, shift));
        }
    }
    QByteArray bytes(10, '\0');
    for (int i = 0; i < 8; ++i)
        bytes[i] = char((mantissa >> (8 * i)) & 0xFF);
    const int top = exponent | (negative ? 0x8000 : 0);
    bytes[8] = char(top & 0xFF);
    bytes[9] = char((top >> 8) & 0xFF);
    return bytes;
}

long double fromBytes(const char* bytes)
{
    std::uint64_t mantissa = 0;
    for (int i = 0; i < 8; ++i)
        mantissa |= std::uint64_t(static_cast<unsigned char>(bytes[i])) << (8 * i);
    const int top = static_cast<unsigned char>(bytes[8]) | (static_cast<unsigned char>(bytes[9]) << 8);
    const bool negative = (top & 0x8000) != 0;
    const int exponent = top & kMaxExponent;
    long double value = 0;
    if (exponent == kMaxExponent) {
        value = (mantissa << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                     : std::numeric_limits<long double>::quiet_NaN();
    } else {
        // Exponent 0 holds denormals, whose scale is that of exponent 1.
        const int scale = (exponent == 0 ? 1 : exponent) - kBias - 63;
        value = std::ldexp(static_cast<long double>(mantissa), scale);
    }
    return negative ? -value : value;
}

} // namespace extended
