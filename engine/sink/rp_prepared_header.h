// The 128-byte header of a prepared report file (".RPP"), little-endian:
// offset 0 16-bit 3, offset 2 16-bit 305, offset 8 32-bit page count, offset 16 64-bit
// float creation time (local days since 30 December 1899), offset 25 byte 1 when the
// pages are compressed. The other bytes are reserved, written as zeros and ignored.
#pragma once

#include <QByteArray>
#include <QDateTime>

#include <optional>

struct TRpPreparedHeader {
    static constexpr int kSize = 128;
    static constexpr quint16 kMagic = 3;
    static constexpr quint16 kVersion = 305;

    qint32 pageCount = 0;
    double created = 0;
    bool compressed = false;

    QByteArray toBytes() const;
    // Nothing when the bytes are not the header of a prepared report.
    static std::optional<TRpPreparedHeader> fromBytes(const QByteArray& bytes);
};

// Local date and time as days since 30 December 1899, the time being the fraction.
double rpDateTimeToDays(const QDateTime& moment);
QDateTime rpDaysToDateTime(double days);
