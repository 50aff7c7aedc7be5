#include "document/form_resource.h"

#include "core/stream/byte_buffer.h"
#include "core/stream/stream_error.h"

namespace formresource {

QByteArray write(const QString& resourceName, const QByteArray& stream)
{
    TByteWriter writer;
    writer.writeByte(0xFF);
    writer.writeInt16(10);
    writer.writeBytes(resourceName.toUpper().toLatin1());
    writer.writeByte(0);
    writer.writeInt16(qint16(kFlags));
    writer.writeInt32(qint32(stream.size()));
    writer.writeBytes(stream);
    return writer.take();
}

bool looksLikeResource(const QByteArray& data)
{
    return data.size() >= 3 && quint8(data.at(0)) == 0xFF && data.at(1) == 0x0A && data.at(2) == 0x00;
}

qsizetype streamStart(const QByteArray& data)
{
    if (!looksLikeResource(data))
        throw EStreamError(QStringLiteral("Invalid stream format"));
    TByteReader reader(data, 3);
    if (reader.peekByte() == 0xFF) { // an ordinal name
        reader.readByte();
        reader.readInt16();
    } else {
        while (reader.readByte() != 0) {
        }
    }
    reader.readInt16(); // flags
    const qint32 size = reader.readInt32();
    if (size < 0 || size > reader.remaining())
        throw EStreamError(QStringLiteral("Invalid stream format"));
    return reader.position();
}

} // namespace formresource
