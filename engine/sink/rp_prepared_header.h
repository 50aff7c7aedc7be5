// The 128-byte header of a prepared report file (".RPP"), little-endian:
// offset 0 16-bit 3, offset 2 16-bit 305, offset 8 32-bit page count, offset 16 64-bit
// float creation time (local days since 30 December 1899), offset 25 byte 1 when the
// pages are compressed. Of the reserved bytes, this system uses offsets 32 and 36 for
// the resolution (pixels per inch) at which the page pictures were recorded and 40 and
// 44 for the page width and length in native units; 0 means unknown, and readers of
// files without them fall back to the page pictures. The rest are written as zeros.
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
    qint32 dpiX = 0;
    qint32 dpiY = 0;
    qint32 pageWidth = 0;
    qint32 pageLength = 0;

    QByteArray toBytes() const;
    // Nothing when the bytes are not the header of a prepared report.
    static std::optional<TRpPreparedHeader> fromBytes(const QByteArray& bytes);
};

// Local date and time as days since 30 December 1899, the time being the fraction.
double rpDateTimeToDays(const QDateTime& moment);
QDateTime rpDaysToDateTime(double days);
