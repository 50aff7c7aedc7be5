// A bounded reader over the bytes of a page picture: big-endian values as Qt's data
// stream writes them, each read checked against what is left, so a damaged picture is
// refused with a reason instead of being read past its end.
#pragma once

#include <QByteArrayView>
#include <QString>

// Why a page picture is refused.
class TRpPictureFault {
public:
    explicit TRpPictureFault(QString reason) : m_reason(std::move(reason)) {}
    const QString& reason() const { return m_reason; }

private:
    QString m_reason;
};

class TRpPictureCursor {
public:
    explicit TRpPictureCursor(QByteArrayView bytes) : m_bytes(bytes) {}

    qsizetype position() const { return m_position; }
    qsizetype remaining() const { return m_bytes.size() - m_position; }
    bool atEnd() const { return remaining() == 0; }

    quint8 u8();
    quint16 u16();
    quint32 u32();
    qint32 i32();
    // A double that must be finite: nothing the engine draws has an infinite or NaN value.
    double real();
    QByteArrayView bytes(qsizetype count);
    // Everything from an earlier position to the end, read or not.
    QByteArrayView bytesFrom(qsizetype start) const { return m_bytes.sliced(start); }
    // The next count bytes as a cursor of their own; this one moves past them.
    TRpPictureCursor take(qsizetype count);

    // Refuses a count of elements of elementSize bytes each that the bytes left cannot hold,
    // before anything trusts the count.
    void requireRoom(quint32 count, qsizetype elementSize, const char* what) const;

private:
    void need(qsizetype count) const;

    QByteArrayView m_bytes;
    qsizetype m_position = 0;
};
