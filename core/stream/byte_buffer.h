// Little-endian reading and writing of the binary stream's bytes. The reader checks
// every access against the end of its data and raises EStreamError instead of reading
// past it.
#pragma once

#include <QByteArray>
#include <QString>

class TByteReader {
public:
    explicit TByteReader(const QByteArray& data, qsizetype position = 0) : m_data(data), m_position(position) {}

    qsizetype position() const { return m_position; }
    void seek(qsizetype position);
    qsizetype remaining() const { return m_data.size() - m_position; }
    bool atEnd() const { return m_position >= m_data.size(); }

    quint8 peekByte() const;
    quint8 readByte();
    qint16 readInt16();
    qint32 readInt32();
    qint64 readInt64();
    QByteArray readBytes(qint64 count);
    // One length byte, then that many bytes, as Latin-1 text.
    QString readShortString();

private:
    void require(qint64 count) const;

    const QByteArray& m_data;
    qsizetype m_position;
};

class TByteWriter {
public:
    const QByteArray& data() const { return m_data; }
    QByteArray take() { return std::move(m_data); }

    void writeByte(quint8 value) { m_data.append(char(value)); }
    void writeInt16(qint16 value);
    void writeInt32(qint32 value);
    void writeInt64(qint64 value);
    void writeBytes(const QByteArray& bytes) { m_data.append(bytes); }
    // Latin-1 text with one length byte; longer texts raise EStreamError.
    void writeShortString(const QString& text);

private:
    void writeLittleEndian(quint64 value, int size);

    QByteArray m_data;
};
