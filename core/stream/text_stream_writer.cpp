// Writing the text form from an object record.
#include "core/stream/float_text.h"
#include "core/stream/stored_text.h"
#include "core/stream/text_stream.h"

#include <optional>

namespace textstream {

namespace {

using Type = TStreamValue::Type;

constexpr int kPieceLength = 64;

// A whole number gets a decimal point, so that it reads back as a float, not an integer.
QByteArray extendedText(long double value)
{
    QByteArray text = floattext::extendedText(value);
    bool plain = true;
    for (char c : text)
        plain = plain && ((c >= '0' && c <= '9') || c == '-');
    return plain ? text + ".0" : text;
}
constexpr int kBytesPerLine = 32;

class TextWriter {
public:
    QByteArray take() { return std::move(m_out); }

    void writeObject(const TStreamObject& object, int level)
    {
        indent(level);
        if (object.hasFlag(TStreamObject::Inherited))
            m_out += "inherited ";
        else if (object.hasFlag(TStreamObject::Inline))
            m_out += "inline ";
        else
            m_out += "object ";
        if (!object.name.isEmpty())
            m_out += object.name.toLatin1() + ": ";
        m_out += object.className.toLatin1();
        if (object.hasFlag(TStreamObject::ChildPosition))
            m_out += " [" + QByteArray::number(object.position) + "]";
        m_out += "\r\n";
        for (const auto& [path, value] : object.properties) {
            writeProperty(path, value, level + 1);
            m_out += "\r\n";
        }
        for (const TStreamObject& child : object.children)
            writeObject(child, level + 1);
        indent(level);
        m_out += "end\r\n";
    }

private:
    void indent(int level) { m_out += QByteArray(level * 2, ' '); }

    void newLine(int level)
    {
        m_out += "\r\n";
        indent(level);
    }

    void writeProperty(const QString& path, const TStreamValue& value, int level)
    {
        indent(level);
        m_out += path.toLatin1() + " = ";
        writeValue(value, level);
    }

    void writeValue(const TStreamValue& value, int level)
    {
        switch (value.type()) {
        case Type::List:
            m_out += '(';
            for (const TStreamValue& item : value.items()) {
                newLine(level + 1);
                writeValue(item, level + 1);
            }
            m_out += ')';
            break;
        case Type::Int8:
        case Type::Int16:
        case Type::Int32:
        case Type::Int64:
            m_out += QByteArray::number(value.toInteger());
            break;
        case Type::Extended:
            m_out += extendedText(value.toFloat());
            break;
        case Type::Single:
            m_out += floattext::singleText(float(value.toFloat())) + 's';
            break;
        case Type::Currency:
            m_out += floattext::currencyText(value.toInteger()) + 'c';
            break;
        case Type::Date:
            m_out += floattext::dateText(double(value.toFloat())) + 'd';
            break;
        case Type::String:
        case Type::LString:
        case Type::WString:
            writeString(value.text(), level);
            break;
        case Type::Ident:
            m_out += value.text().toLatin1();
            break;
        case Type::False:
            m_out += "False";
            break;
        case Type::True:
            m_out += "True";
            break;
        case Type::Nil:
            m_out += "nil";
            break;
        case Type::EndOfList:
            break;
        case Type::Set:
            m_out += '[' + value.names().join(QLatin1String(", ")).toLatin1() + ']';
            break;
        case Type::Collection:
            writeCollection(value, level);
            break;
        case Type::Binary:
            writeBinary(value.bytes(), level);
            break;
        }
    }

    void writeCollection(const TStreamValue& value, int level)
    {
        m_out += '<';
        for (const TStreamValue::CollectionItem& item : value.collectionItems()) {
            newLine(level + 1);
            m_out += "item";
            if (item.order)
                m_out += " [" + QByteArray::number(*item.order) + "]";
            for (const auto& [path, itemValue] : item.properties) {
                m_out += "\r\n";
                writeProperty(path, itemValue, level + 2);
            }
            newLine(level + 1);
            m_out += "end";
        }
        m_out += '>';
    }

    void writeBinary(const QByteArray& bytes, int level)
    {
        m_out += '{';
        const bool ownLines = bytes.size() >= kBytesPerLine;
        for (qsizetype start = 0; start < bytes.size(); start += kBytesPerLine) {
            if (ownLines)
                newLine(level + 1);
            m_out += bytes.mid(start, kBytesPerLine).toHex().toUpper();
        }
        m_out += '}';
    }

    // Control characters, the quote and whatever the 8-bit form cannot carry are
    // written as character codes; everything else as its 8-bit byte between quotes.
    static std::optional<quint8> quotedByte(QChar c)
    {
        if (c.unicode() < 32 || c == u'\'')
            return std::nullopt;
        return storedtext::byteOf(c);
    }

    void writeString(const QString& text, int level)
    {
        if (text.isEmpty()) {
            m_out += "''";
            return;
        }
        if (text.size() > kPieceLength)
            newLine(level + 1);
        bool quoted = false;
        int onLine = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (const std::optional<quint8> byte = quotedByte(c)) {
                if (!quoted)
                    m_out += '\'';
                quoted = true;
                m_out += char(*byte);
            } else {
                if (quoted)
                    m_out += '\'';
                quoted = false;
                m_out += '#' + QByteArray::number(c.unicode());
            }
            ++onLine;
            const bool splitsPair = c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
            if (onLine >= kPieceLength && i + 1 < text.size() && !splitsPair) {
                if (quoted)
                    m_out += '\'';
                quoted = false;
                m_out += " +";
                newLine(level + 1);
                onLine = 0;
            }
        }
        if (quoted)
            m_out += '\'';
    }

    QByteArray m_out;
};

} // namespace

QByteArray write(const TStreamObject& root)
{
    TextWriter writer;
    writer.writeObject(root, 0);
    return writer.take();
}

} // namespace textstream
