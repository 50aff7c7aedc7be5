#include "engine/sink/rp_prepared_header.h"

#include <QtEndian>

#include <cmath>
#include <cstring>

namespace {

constexpr int kMagicOffset = 0;
constexpr int kVersionOffset = 2;
constexpr int kPageCountOffset = 8;
constexpr int kCreatedOffset = 16;
constexpr int kCompressedOffset = 25;
constexpr int kDpiXOffset = 32;
constexpr int kDpiYOffset = 36;
constexpr int kPageWidthOffset = 40;
constexpr int kPageLengthOffset = 44;
constexpr qint64 kMillisecondsPerDay = 86400000;

QDate dayZero() { return QDate(1899, 12, 30); }

} // namespace

QByteArray TRpPreparedHeader::toBytes() const
{
    QByteArray bytes(kSize, '\0');
    char* data = bytes.data();
    qToLittleEndian<quint16>(kMagic, data + kMagicOffset);
    qToLittleEndian<quint16>(kVersion, data + kVersionOffset);
    qToLittleEndian<qint32>(pageCount, data + kPageCountOffset);
    quint64 createdBits = 0;
    std::memcpy(&createdBits, &created, sizeof created);
    qToLittleEndian<quint64>(createdBits, data + kCreatedOffset);
    data[kCompressedOffset] = compressed ? 1 : 0;
    qToLittleEndian<qint32>(dpiX, data + kDpiXOffset);
    qToLittleEndian<qint32>(dpiY, data + kDpiYOffset);
    qToLittleEndian<qint32>(pageWidth, data + kPageWidthOffset);
    qToLittleEndian<qint32>(pageLength, data + kPageLengthOffset);
    return bytes;
}

std::optional<TRpPreparedHeader> TRpPreparedHeader::fromBytes(const QByteArray& bytes)
{
    if (bytes.size() < kSize)
        return std::nullopt;
    const char* data = bytes.constData();
    if (qFromLittleEndian<quint16>(data + kMagicOffset) != kMagic
        || qFromLittleEndian<quint16>(data + kVersionOffset) != kVersion)
        return std::nullopt;
    const auto compressedByte = static_cast<unsigned char>(data[kCompressedOffset]);
    if (compressedByte > 1)
        return std::nullopt;
    TRpPreparedHeader header;
    header.pageCount = qFromLittleEndian<qint32>(data + kPageCountOffset);
    const quint64 createdBits = qFromLittleEndian<quint64>(data + kCreatedOffset);
    std::memcpy(&header.created, &createdBits, sizeof header.created);
    header.compressed = compressedByte == 1;
    header.dpiX = qFromLittleEndian<qint32>(data + kDpiXOffset);
    header.dpiY = qFromLittleEndian<qint32>(data + kDpiYOffset);
    header.pageWidth = qFromLittleEndian<qint32>(data + kPageWidthOffset);
    header.pageLength = qFromLittleEndian<qint32>(data + kPageLengthOffset);
    return header;
}

double rpDateTimeToDays(const QDateTime& moment)
{
    const QDateTime local = moment.toLocalTime();
    return static_cast<double>(dayZero().daysTo(local.date()))
           + static_cast<double>(local.time().msecsSinceStartOfDay()) / kMillisecondsPerDay;
}

QDateTime rpDaysToDateTime(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3e6)
        return {};
    const double wholeDays = std::floor(days);
    const auto milliseconds = static_cast<qint64>(std::llround((days - wholeDays) * kMillisecondsPerDay));
    const QDateTime midnight(dayZero().addDays(static_cast<qint64>(wholeDays)), QTime(0, 0));
    return midnight.addMSecs(milliseconds);
}
