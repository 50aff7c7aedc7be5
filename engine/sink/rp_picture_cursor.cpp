#include "engine/sink/rp_picture_cursor.h"

#include <QtEndian>

#include <cmath>
#include <cstring>

void TRpPictureCursor::need(qsizetype count) const
{
    if (count > remaining())
        throw TRpPictureFault(QStringLiteral("its contents run past its end"));
}

void TRpPictureCursor::requireRoom(quint32 count, qsizetype elementSize, const char* what) const
{
    if (count > remaining() / elementSize)
        throw TRpPictureFault(QStringLiteral("it claims %1 %2 in %3 bytes").arg(count).arg(QLatin1String(what)).arg(remaining()));
}

QByteArrayView TRpPictureCursor::bytes(qsizetype count)
{
    need(count);
    const QByteArrayView taken = m_bytes.sliced(m_position, count);
    m_position += count;
    return taken;
}

TRpPictureCursor TRpPictureCursor::take(qsizetype count)
{
    return TRpPictureCursor(bytes(count));
}

quint8 TRpPictureCursor::u8()
{
    return static_cast<quint8>(bytes(1)[0]);
}

quint16 TRpPictureCursor::u16()
{
    return qFromBigEndian<quint16>(bytes(2).data());
}

quint32 TRpPictureCursor::u32()
{
    return qFromBigEndian<quint32>(bytes(4).data());
}

qint32 TRpPictureCursor::i32()
{
    return qFromBigEndian<qint32>(bytes(4).data());
}

double TRpPictureCursor::real()
{
    const quint64 bits = qFromBigEndian<quint64>(bytes(8).data());
    double value;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value))
        throw TRpPictureFault(QStringLiteral("it holds a number that is not finite"));
    return value;
}
