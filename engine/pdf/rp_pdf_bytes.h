// A growing byte buffer with the short number forms PDF content uses.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

class TRpPdfBytes {
public:
    void reserve(size_t size) { m_data.reserve(size); }
    void clear() { m_data.clear(); }
    size_t size() const { return m_data.size(); }
    bool empty() const { return m_data.empty(); }
    const char* data() const { return m_data.data(); }
    std::string_view view() const { return m_data; }

    TRpPdfBytes& operator<<(std::string_view text)
    {
        m_data.append(text);
        return *this;
    }
    TRpPdfBytes& operator<<(const char* text)
    {
        m_data.append(text);
        return *this;
    }
    TRpPdfBytes& operator<<(char c)
    {
        m_data.push_back(c);
        return *this;
    }
    TRpPdfBytes& operator<<(const QByteArray& bytes)
    {
        m_data.append(bytes.constData(), static_cast<size_t>(bytes.size()));
        return *this;
    }

    // A whole number.
    void appendInt(int64_t value);
    // A real number rounded to `decimals` places (0 to 6), without trailing zeros or a
    // trailing point; "-0" comes out as "0".
    void appendReal(double value, int decimals);
    // Four hexadecimal digits of a 16-bit value.
    void appendHex4(uint32_t value);
    // A text string as UTF-16BE hexadecimal with its byte-order mark.
    void appendTextString(const QString& text);
    // A name object ("/Name"), escaping what a name may not hold.
    void appendName(std::string_view name);

private:
    std::string m_data;
};
