#include "engine/pdf/rp_pdf_bytes.h"

#include <cmath>

namespace {

constexpr int64_t kPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
constexpr char kHexDigits[] = "0123456789ABCDEF";

// Writes the digits of a non-negative value backwards from `end`; returns the first digit.
char* writeDigits(char* end, uint64_t value)
{
    do {
        *--end = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    return end;
}

} // namespace

void TRpPdfBytes::appendInt(int64_t value)
{
    char buffer[24];
    char* end = buffer + sizeof(buffer);
    const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    char* start = writeDigits(end, magnitude);
    if (value < 0)
        *--start = '-';
    m_data.append(start, static_cast<size_t>(end - start));
}

void TRpPdfBytes::appendReal(double value, int decimals)
{
    if (!std::isfinite(value) || std::fabs(value) > 1e12) {
        // PDF readers reject huge or non-numeric values; such a coordinate draws nothing
        // sensible anyway.
        m_data.push_back('0');
        return;
    }
    decimals = decimals < 0 ? 0 : (decimals > 6 ? 6 : decimals);
    const int64_t scale = kPowersOfTen[decimals];
    const double product = value * static_cast<double>(scale);
    const auto scaled = static_cast<int64_t>(product < 0 ? product - 0.5 : product + 0.5);
    if (scaled == 0) {
        m_data.push_back('0');
        return;
    }
    uint64_t magnitude = scaled < 0 ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
    uint64_t fraction = magnitude % static_cast<uint64_t>(scale);
    const uint64_t whole = magnitude / static_cast<uint64_t>(scale);

    char buffer[40];
    char* end = buffer + sizeof(buffer);
    char* start = end;
    if (fraction != 0) {
        int places = decimals;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --places;
        }
        for (int i = 0; i < places; ++i) {
            *--start = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        *--start = '.';
    }
    start = writeDigits(start, whole);
    if (scaled < 0)
        *--start = '-';
    m_data.append(start, static_cast<size_t>(end - start));
}

void TRpPdfBytes::appendHex4(uint32_t value)
{
    const char digits[4] = {kHexDigits[(value >> 12) & 0xF], kHexDigits[(value >> 8) & 0xF],
                            kHexDigits[(value >> 4) & 0xF], kHexDigits[value & 0xF]};
    m_data.append(digits, 4);
}

void TRpPdfBytes::appendTextString(const QString& text)
{
    m_data.append("<FEFF");
    for (const QChar c : text)
        appendHex4(c.unicode());
    m_data.push_back('>');
}

void TRpPdfBytes::appendName(std::string_view name)
{
    m_data.push_back('/');
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = byte > 32 && byte < 127 && c != '#' && c != '/' && c != '(' && c != ')' && c != '<'
                           && c != '>' && c != '[' && c != ']' && c != '{' && c != '}' && c != '%';
        if (plain) {
            m_data.push_back(c);
        } else {
            m_data.push_back('#');
            m_data.push_back(kHexDigits[byte >> 4]);
            m_data.push_back(kHexDigits[byte & 0xF]);
        }
    }
}
