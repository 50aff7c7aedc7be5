#include "engine/sink/rp_picture_check.h"

#include "engine/sink/rp_errors.h"
#include "engine/sink/rp_picture_values.h"

#include <QDataStream>
#include <QPainter>

#include <algorithm>
#include <iterator>

namespace {

using namespace rppicture;

// The records are read in the layout of this stream version; a Qt that writes a newer
// one may have changed a value's layout, so its pictures need this check reviewed first.
constexpr quint16 kPictureVersion = QDataStream::Qt_6_0;
static_assert(QDataStream::Qt_DefaultCompiledVersion == kPictureVersion,
              "page pictures of this Qt use a stream version the picture check does not know");

constexpr char kPictureTag[] = "QPIC";
constexpr qsizetype kChecksumStart = 6; // the checksum covers everything after itself
constexpr quint8 kFrameOpCode = 30;
constexpr quint8 kEndOpCode = 31;
constexpr quint8 kLongLength = 255;     // a 32-bit length follows
// Tag, checksum, version, and the frame record with its rectangle and record count.
constexpr qsizetype kHeaderSize = 4 + 2 + 2 + 2 + 2 + 4 * 4 + 4;

void checkFlags(TRpPictureCursor& cursor) { cursor.u32(); }
void checkSwitch(TRpPictureCursor& cursor) { cursor.u8(); }
void checkNothing(TRpPictureCursor&) {}

void checkPolygonRecord(TRpPictureCursor& cursor)
{
    checkPolygon(cursor);
    cursor.u8(); // fill rule
}

void checkPixmapRecord(TRpPictureCursor& cursor)
{
    checkRect(cursor);
    checkImage(cursor);
    checkRect(cursor); // source
}

void checkImageRecord(TRpPictureCursor& cursor)
{
    checkPixmapRecord(cursor);
    cursor.u32(); // conversion flags
}

void checkTiledPixmapRecord(TRpPictureCursor& cursor)
{
    checkRect(cursor);
    checkImage(cursor);
    checkPoint(cursor); // tile offset
}

void checkTextRecord(TRpPictureCursor& cursor)
{
    checkPoint(cursor);
    checkString(cursor);
    checkFont(cursor);
    cursor.i32(); // render flags
    const double dpiScale = cursor.real();
    if (dpiScale <= 0 || dpiScale > 100)
        throw TRpPictureFault(QStringLiteral("its font resolution scale %1 is out of range").arg(dpiScale));
    cursor.real(); // justification width
}

void checkTransformRecord(TRpPictureCursor& cursor)
{
    checkTransform(cursor);
    cursor.u8(); // combine
}

void checkClipRegionRecord(TRpPictureCursor& cursor)
{
    checkRegion(cursor);
    checkClipOperation(cursor);
}

void checkClipPathRecord(TRpPictureCursor& cursor)
{
    checkPath(cursor);
    checkClipOperation(cursor);
}

void checkCompositionRecord(TRpPictureCursor& cursor)
{
    const qint32 mode = cursor.i32();
    if (mode < QPainter::CompositionMode_SourceOver || mode > QPainter::RasterOp_NotDestination)
        throw TRpPictureFault(QStringLiteral("its composition mode %1 is out of range").arg(mode));
}

void checkOpacityRecord(TRpPictureCursor& cursor) { cursor.real(); }

struct TRpRecordKind {
    quint8 opCode;
    const char* name;
    void (*check)(TRpPictureCursor&);
};

// Every record Qt's picture painter writes; play() knows older ones too, which no page
// of this engine holds and which are refused.
constexpr TRpRecordKind kRecordKinds[] = {
    {7, "ellipse", checkRect},
    {12, "polyline", checkPolygon},
    {13, "polygon", checkPolygonRecord},
    {17, "pixmap", checkPixmapRecord},
    {18, "image", checkImageRecord},
    {21, "text", checkTextRecord},
    {24, "tiled pixmap", checkTiledPixmapRecord},
    {25, "path", checkPath},
    {kEndOpCode, "end", checkNothing},
    {43, "brush origin", checkPoint},
    {45, "font", checkFont},
    {46, "pen", checkPen},
    {47, "brush", checkBrush},
    {55, "transformation", checkTransformRecord},
    {61, "clip region", checkClipRegionRecord},
    {62, "clip path", checkClipPathRecord},
    {63, "render hints", checkFlags},
    {64, "composition mode", checkCompositionRecord},
    {65, "clipping", checkSwitch},
    {66, "opacity", checkOpacityRecord},
};

const TRpRecordKind* recordKind(quint8 opCode)
{
    const auto found = std::find_if(std::begin(kRecordKinds), std::end(kRecordKinds),
                                    [opCode](const TRpRecordKind& kind) { return kind.opCode == opCode; });
    return found == std::end(kRecordKinds) ? nullptr : found;
}

[[noreturn]] void fault(const QString& reason)
{
    throw TRpPictureFault(reason);
}

void checkHeader(TRpPictureCursor& cursor, QByteArrayView picture)
{
    if (cursor.bytes(4) != QByteArrayView(kPictureTag, 4))
        fault(QStringLiteral("it does not start with \"QPIC\""));
    if (cursor.u16() != qChecksum(picture.sliced(kChecksumStart)))
        fault(QStringLiteral("its checksum does not match its contents"));
    const quint16 version = cursor.u16();
    cursor.u16(); // minor version
    if (version != kPictureVersion)
        fault(QStringLiteral("it has picture format %1, not %2").arg(version).arg(kPictureVersion));
}

// The frame record: the bounding rectangle and the number of records that follow. Its
// length byte says 4 although it holds 20 bytes.
quint32 checkFrame(TRpPictureCursor& cursor)
{
    if (cursor.u8() != kFrameOpCode || cursor.u8() != 4)
        fault(QStringLiteral("it does not open with its frame"));
    const qint32 left = cursor.i32();
    const qint32 top = cursor.i32();
    const qint32 width = cursor.i32();
    const qint32 height = cursor.i32();
    const auto inRange = [](qint32 value, qint32 low) { return value >= low && value <= kMaxCoordinate; };
    if (!inRange(left, -kMaxCoordinate) || !inRange(top, -kMaxCoordinate) || !inRange(width, 0) || !inRange(height, 0))
        fault(QStringLiteral("its frame %1, %2, %3 x %4 is not a page").arg(left).arg(top).arg(width).arg(height));
    return cursor.u32();
}

qsizetype recordLength(TRpPictureCursor& cursor)
{
    const quint8 shortLength = cursor.u8();
    return shortLength == kLongLength ? cursor.u32() : shortLength;
}

// Checks one record; true when it was the end record.
bool checkRecord(TRpPictureCursor& cursor, quint32 index)
{
    const QString where = QStringLiteral("record %1").arg(index);
    quint8 opCode = 0;
    qsizetype length = 0;
    try {
        opCode = cursor.u8();
        length = recordLength(cursor);
    } catch (const TRpPictureFault&) {
        fault(where + QStringLiteral(" is cut short"));
    }
    const TRpRecordKind* kind = recordKind(opCode);
    if (!kind)
        fault(QStringLiteral("%1 has op-code %2, which no page holds").arg(where).arg(opCode));
    const QString named = QStringLiteral("%1 (%2)").arg(where, QLatin1String(kind->name));
    if (length > cursor.remaining())
        fault(QStringLiteral("%1 is %2 bytes long, past the end of the picture").arg(named).arg(length));
    TRpPictureCursor contents = cursor.take(length);
    try {
        kind->check(contents);
    } catch (const TRpPictureFault& inner) {
        fault(QStringLiteral("%1: %2").arg(named, inner.reason()));
    }
    if (!contents.atEnd())
        fault(QStringLiteral("%1 has %2 bytes past its contents").arg(named).arg(contents.remaining()));
    return opCode == kEndOpCode;
}

void checkPicture(QByteArrayView picture)
{
    if (picture.size() < kHeaderSize)
        fault(QStringLiteral("it is shorter than its header"));
    TRpPictureCursor cursor(picture);
    checkHeader(cursor, picture);
    const quint32 declared = checkFrame(cursor);
    quint32 count = 0;
    bool ended = false;
    while (!ended) {
        if (cursor.atEnd())
            fault(QStringLiteral("it stops after %1 records without its end").arg(count));
        ended = checkRecord(cursor, ++count);
    }
    if (!cursor.atEnd())
        fault(QStringLiteral("it goes on for %1 bytes after its end").arg(cursor.remaining()));
    if (count != declared)
        fault(QStringLiteral("it declares %1 records but holds %2").arg(declared).arg(count));
}

} // namespace

QString rpPagePictureFault(QByteArrayView picture)
{
    try {
        checkPicture(picture);
        return {};
    } catch (const TRpPictureFault& fault) {
        return fault.reason();
    }
}

void rpCheckPagePicture(QByteArrayView picture, int pageNumber)
{
    const QString fault = rpPagePictureFault(picture);
    if (!fault.isEmpty())
        throw ERpPreparedFileError(
            QStringLiteral("The prepared report file is damaged: the picture of page %1 is unsafe to show: %2")
                .arg(pageNumber)
                .arg(fault));
}
