#include "core/stream/byte_buffer.h"

#include "core/stream/stream_error.h"

namespace {
const QString kReadError = QStringLiteral("Stream read error: unexpected end of data");
}

void TByteReader::require(qint64 count) const
{
    if (count < 0 || count > remaining())
        throw EStreamError(kReadError);
}

void TByteReader::seek(qsizetype position)
{
    if (position < 0 || position > m_data.size())
        throw EStreamError(kReadError);
    m_position = position;
}

quint8 TByteReader::peekByte() const
{
    require(1);
    return static_cast<quint8>(m_data.at(m_position));
}

quint8 TByteReader::readByte()
{
    const quint8 value = peekByte();
    ++m_position;
    return value;
}

qint16 TByteReader::readInt16()
{
    require(2);
    quint16 value = 0;
    for (int i = 0; i < 2; ++i)
        value |= quint16(static_cast<quint8>(m_data.at(m_position + i))) << (8 * i);
    m_position += 2;
    return static_cast<qint16>(value);
}

qint32 TByteReader::readInt32()
{
    require(4);
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value |= quint32(static_cast<quint8>(m_data.at(m_position + i))) << (8 * i);
    m_position += 4;
    return static_cast<qint32>(value);
}

qint64 TByteReader::readInt64()
{
    require(8);
    quint64 value = 0;
    for (int i = 0; i < 8; ++i)
        value |= quint64(static_cast<quint8>(m_data.at(m_position + i))) << (8 * i);
    m_position += 8;
    return static_cast<qint64>(value);
}

QByteArray TByteReader::readBytes(qint64 count)
{
    require(count);
    QByteArray bytes = m_data.mid(m_position, qsizetype(count));
    m_position += qsizetype(count);
    return bytes;
}

QString TByteReader::readShortString()
{
    const quint8 length = readByte();
    return QString::fromLatin1(readBytes(length));
}

void TByteWriter::writeLittleEndian(quint64 value, int size)
{
    for (int i = 0; i < size; ++i)
        m_data.append(char((value >> (8 * i)) & 0xFF));
}

void TByteWriter::writeInt16(qint16 value)
{
    writeLittleEndian(quint16(value), 2);
}

void TByteWriter::writeInt32(qint32 value)
{
    writeLittleEndian(quint32(value), 4);
}

void TByteWriter::writeInt64(qint64 value)
{
    writeLittleEndian(quint64(value), 8);
}

void TByteWriter::writeShortString(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    if (bytes.size() > 255)
        throw EStreamError(QStringLiteral("Name too long for the stream: %1").arg(text.left(40)));
    writeByte(quint8(bytes.size()));
    m_data.append(bytes);
}
