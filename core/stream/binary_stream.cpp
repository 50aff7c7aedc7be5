#include "core/stream/binary_stream.h"

#include "core/stream/extended_float.h"
#include "core/stream/stream_error.h"
#include "core/stream/stored_text.h"

#include <cstring>

namespace binarystream {

namespace {

using Type = TStreamValue::Type;

class DepthGuard {
public:
    explicit DepthGuard(int& depth) : m_depth(depth)
    {
        if (++m_depth > kMaxDepth)
            throw EStreamError(QStringLiteral("Stream read error: nesting too deep"));
    }
    ~DepthGuard() { --m_depth; }

private:
    int& m_depth;
};

thread_local int t_depth = 0;

QString readEightBit(TByteReader& reader, qint64 length)
{
    return storedtext::decode(reader.readBytes(length));
}

QString readWide(TByteReader& reader)
{
    const qint32 count = reader.readInt32();
    if (count < 0 || qint64(count) * 2 > reader.remaining())
        throw EStreamError(QStringLiteral("Stream read error: unexpected end of data"));
    const QByteArray bytes = reader.readBytes(qint64(count) * 2);
    QString text(count, Qt::Uninitialized);
    for (qint32 i = 0; i < count; ++i)
        text[i] = QChar(ushort(quint8(bytes[2 * i]) | (quint8(bytes[2 * i + 1]) << 8)));
    return text;
}

TStreamValue readSet(TByteReader& reader)
{
    QStringList names;
    for (;;) {
        const QString name = reader.readShortString();
        if (name.isEmpty())
            return TStreamValue::set(names);
        names.append(name);
    }
}

TStreamValue readList(TByteReader& reader)
{
    QList<TStreamValue> items;
    while (reader.peekByte() != quint8(Type::EndOfList))
        items.append(readValue(reader));
    reader.readByte();
    return TStreamValue::list(std::move(items));
}

QList<std::pair<QString, TStreamValue>> readProperties(TByteReader& reader)
{
    QList<std::pair<QString, TStreamValue>> properties;
    while (reader.peekByte() != 0) {
        QString path = reader.readShortString();
        TStreamValue value = readValue(reader);
        properties.append({std::move(path), std::move(value)});
    }
    reader.readByte();
    return properties;
}

bool isIntegerType(quint8 type)
{
    return type == quint8(Type::Int8) || type == quint8(Type::Int16) || type == quint8(Type::Int32)
        || type == quint8(Type::Int64);
}

TStreamValue readCollection(TByteReader& reader)
{
    QList<TStreamValue::CollectionItem> items;
    while (reader.peekByte() != quint8(Type::EndOfList)) {
        TStreamValue::CollectionItem item;
        if (isIntegerType(reader.peekByte()))
            item.order = readValue(reader).toInteger();
        if (reader.readByte() != quint8(Type::List))
            throw EStreamError(QStringLiteral("Stream read error: collection item expected"));
        item.properties = readProperties(reader);
        items.append(std::move(item));
    }
    reader.readByte();
    return TStreamValue::collection(std::move(items));
}

TStreamValue readExtended(TByteReader& reader)
{
    const QByteArray bytes = reader.readBytes(10);
    TStreamValue value = TStreamValue::extended(extended::fromBytes(bytes.constData()));
    // Bytes that the conversion would not give back (other NaN payloads, unnormalised
    // numbers) are kept so that they are written back unchanged.
    if (extended::toBytes(value.toFloat()) != bytes)
        value.setRawExtended(bytes);
    return value;
}

template <class T>
T readRaw(TByteReader& reader)
{
    const QByteArray bytes = reader.readBytes(sizeof(T));
    T value;
    std::memcpy(&value, bytes.constData(), sizeof(T));
    return value;
}

} // namespace

bool hasSignature(const QByteArray& data, qsizetype position)
{
    return position >= 0 && data.size() - position >= 4 && std::memcmp(data.constData() + position, kSignature, 4) == 0;
}

TStreamValue readValue(TByteReader& reader)
{
    DepthGuard guard(t_depth);
    const quint8 type = reader.readByte();
    switch (Type(type)) {
    case Type::List:
        return readList(reader);
    case Type::Int8:
        return TStreamValue::integer(static_cast<qint8>(reader.readByte()));
    case Type::Int16:
        return TStreamValue::integer(reader.readInt16());
    case Type::Int32:
        return TStreamValue::integer(reader.readInt32());
    case Type::Int64:
        return TStreamValue::integer(reader.readInt64());
    case Type::Extended:
        return readExtended(reader);
    case Type::String:
        return TStreamValue::string(readEightBit(reader, reader.readByte()));
    case Type::Ident:
        return TStreamValue::identifier(QString::fromLatin1(reader.readBytes(reader.readByte())));
    case Type::False:
        return TStreamValue::boolean(false);
    case Type::True:
        return TStreamValue::boolean(true);
    case Type::Binary: {
        const qint32 length = reader.readInt32();
        return TStreamValue::binary(reader.readBytes(length));
    }
    case Type::Set:
        return readSet(reader);
    case Type::LString:
        return TStreamValue::string(readEightBit(reader, reader.readInt32()));
    case Type::Nil:
        return TStreamValue::nil();
    case Type::Collection:
        return readCollection(reader);
    case Type::Single:
        return TStreamValue::single(readRaw<float>(reader));
    case Type::Currency:
        return TStreamValue::currency(reader.readInt64());
    case Type::Date:
        return TStreamValue::date(readRaw<double>(reader));
    case Type::WString:
        return TStreamValue::string(readWide(reader));
    case Type::EndOfList:
        break;
    }
    throw EStreamError(QStringLiteral("Stream read error: invalid value type %1").arg(type));
}

TStreamObject readObject(TByteReader& reader)
{
    DepthGuard guard(t_depth);
    TStreamObject object;
    if ((reader.peekByte() & 0xF0) == 0xF0) {
        object.flags = reader.readByte() & 0x0F;
        if (object.hasFlag(TStreamObject::ChildPosition)) {
            const TStreamValue position = readValue(reader);
            if (!position.isInteger())
                throw EStreamError(QStringLiteral("Stream read error: child position expected"));
            object.position = position.toInteger();
        }
    }
    object.className = reader.readShortString();
    if (object.className.isEmpty())
        throw EStreamError(QStringLiteral("Stream read error: class name expected"));
    object.name = reader.readShortString();
    object.properties = readProperties(reader);
    while (reader.peekByte() != 0)
        object.children.push_back(readObject(reader));
    reader.readByte();
    return object;
}

TStreamObject read(const QByteArray& data, qsizetype position, qsizetype* end)
{
    if (!hasSignature(data, position))
        throw EStreamError(QStringLiteral("Invalid stream format"));
    TByteReader reader(data, position + 4);
    TStreamObject root = readObject(reader);
    if (end)
        *end = reader.position();
    return root;
}

namespace {

void writeWide(TByteWriter& writer, const QString& text)
{
    writer.writeByte(quint8(Type::WString));
    writer.writeInt32(qint32(text.size()));
    for (QChar c : text)
        writer.writeInt16(qint16(c.unicode()));
}

// A text in the 8-bit form when the code page carries all of it (short up to 255
// bytes, long beyond), otherwise as wide string, so that no character is lost.
void writeText(TByteWriter& writer, const QString& text)
{
    if (!storedtext::fitsEightBit(text)) {
        writeWide(writer, text);
        return;
    }
    const QByteArray bytes = storedtext::encode(text);
    if (bytes.size() <= 255) {
        writer.writeByte(quint8(Type::String));
        writer.writeByte(quint8(bytes.size()));
    } else {
        writer.writeByte(quint8(Type::LString));
        writer.writeInt32(qint32(bytes.size()));
    }
    writer.writeBytes(bytes);
}

void writeProperties(TByteWriter& writer, const QList<std::pair<QString, TStreamValue>>& properties)
{
    for (const auto& [path, value] : properties) {
        writer.writeShortString(path);
        writeValue(writer, value);
    }
    writer.writeByte(0);
}

template <class T>
void writeRaw(TByteWriter& writer, T value)
{
    QByteArray bytes(sizeof(T), '\0');
    std::memcpy(bytes.data(), &value, sizeof(T));
    writer.writeBytes(bytes);
}

} // namespace

void writeValue(TByteWriter& writer, const TStreamValue& value)
{
    const Type type = value.type();
    if (type == Type::String || type == Type::LString || type == Type::WString) {
        writeText(writer, value.text());
        return;
    }
    writer.writeByte(quint8(type));
    switch (type) {
    case Type::List:
        for (const TStreamValue& item : value.items())
            writeValue(writer, item);
        writer.writeByte(quint8(Type::EndOfList));
        break;
    case Type::Int8:
        writer.writeByte(quint8(qint8(value.toInteger())));
        break;
    case Type::Int16:
        writer.writeInt16(qint16(value.toInteger()));
        break;
    case Type::Int32:
        writer.writeInt32(qint32(value.toInteger()));
        break;
    case Type::Int64:
        writer.writeInt64(value.toInteger());
        break;
    case Type::Extended:
        writer.writeBytes(value.bytes().size() == 10 ? value.bytes() : extended::toBytes(value.toFloat()));
        break;
    case Type::Ident:
        writer.writeShortString(value.text());
        break;
    case Type::String:
    case Type::LString:
    case Type::WString:
        break;
    case Type::False:
    case Type::True:
    case Type::Nil:
    case Type::EndOfList:
        break;
    case Type::Binary:
        writer.writeInt32(qint32(value.bytes().size()));
        writer.writeBytes(value.bytes());
        break;
    case Type::Set:
        for (const QString& name : value.names())
            writer.writeShortString(name);
        writer.writeShortString(QString());
        break;
    case Type::Collection:
        for (const TStreamValue::CollectionItem& item : value.collectionItems()) {
            if (item.order)
                writeValue(writer, TStreamValue::integer(*item.order));
            writer.writeByte(quint8(Type::List));
            writeProperties(writer, item.properties);
        }
        writer.writeByte(quint8(Type::EndOfList));
        break;
    case Type::Single:
        writeRaw<float>(writer, float(value.toFloat()));
        break;
    case Type::Currency:
        writer.writeInt64(value.toInteger());
        break;
    case Type::Date:
        writeRaw<double>(writer, double(value.toFloat()));
        break;
    }
}

void writeObject(TByteWriter& writer, const TStreamObject& object)
{
    if (object.flags != 0) {
        writer.writeByte(quint8(0xF0 | (object.flags & 0x0F)));
        if (object.hasFlag(TStreamObject::ChildPosition))
            writeValue(writer, TStreamValue::integer(object.position));
    }
    writer.writeShortString(object.className);
    writer.writeShortString(object.name);
    writeProperties(writer, object.properties);
    for (const TStreamObject& child : object.children)
        writeObject(writer, child);
    writer.writeByte(0);
}

QByteArray write(const TStreamObject& root)
{
    TByteWriter writer;
    writer.writeBytes(QByteArray(kSignature, 4));
    writeObject(writer, root);
    return writer.take();
}

} // namespace binarystream
