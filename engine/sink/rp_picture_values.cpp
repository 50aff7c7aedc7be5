#include "engine/sink/rp_picture_values.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>

#include <limits>

namespace rppicture {

namespace {

constexpr quint32 kNullLength = 0xffffffff;  // a null string or byte array
constexpr qint32 kRegionRectangles = 10;     // the one region form Qt writes
constexpr qsizetype kPointSize = 16;
constexpr qsizetype kColorSize = 11;
constexpr qsizetype kPathElementSize = 20;
constexpr qsizetype kRegionRectSize = 16;
constexpr int kLastColorSpec = 5;            // QColor::ExtendedRgb
constexpr int kMaxFontWeight = 1000;
constexpr int kMaxFontStretch = 4000;
constexpr int kMaxFontFamilies = 64;

[[noreturn]] void fault(const QString& reason)
{
    throw TRpPictureFault(reason);
}

void requireRange(qint64 value, qint64 low, qint64 high, const char* what)
{
    if (value < low || value > high)
        fault(QStringLiteral("its %1 %2 is out of range").arg(QLatin1String(what)).arg(value));
}

double realInRange(TRpPictureCursor& cursor, double low, double high, const char* what)
{
    const double value = cursor.real();
    if (value < low || value > high)
        fault(QStringLiteral("its %1 %2 is out of range").arg(QLatin1String(what)).arg(value));
    return value;
}

// Qt tries every family of a font in turn when it looks the font up.
void checkFontFamilies(TRpPictureCursor& cursor)
{
    const quint32 count = cursor.u32();
    cursor.requireRoom(count, 4, "font families");
    requireRange(count, 0, kMaxFontFamilies, "number of font families");
    for (quint32 i = 0; i < count; ++i)
        checkString(cursor);
}

void checkPngHeader(TRpPictureCursor& cursor)
{
    static constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
    if (cursor.bytes(8) != QByteArrayView(kSignature, 8))
        fault(QStringLiteral("its image is not a PNG image"));
    if (cursor.u32() != 13 || cursor.bytes(4) != "IHDR")
        fault(QStringLiteral("its image does not start with a PNG header"));
    const quint32 width = cursor.u32();
    const quint32 height = cursor.u32();
    const quint8 bitDepth = cursor.u8();
    // Qt decodes 16-bit images to 64-bit pixels, all others to at most 32-bit ones.
    const quint64 decodedBytes = quint64(width) * height * (bitDepth == 16 ? 8 : 4);
    if (width > kMaxImageSide || height > kMaxImageSide || decodedBytes > kMaxImageBytes)
        fault(QStringLiteral("its image of %1 x %2 pixels is larger than a page holds").arg(width).arg(height));
    cursor.bytes(4 + 4); // colour type, compression, filter, interlace; CRC
}

void checkPngChunks(TRpPictureCursor& cursor)
{
    for (;;) {
        const quint32 length = cursor.u32();
        const QByteArrayView type = cursor.bytes(4);
        cursor.requireRoom(length, 1, "image bytes");
        cursor.bytes(length);
        cursor.bytes(4); // CRC
        if (type == "IEND")
            return;
    }
}

// Qt reads a record's values one after another without going back to the record's
// length, so when its decoder gives up inside a PNG, the rest of the image's bytes would
// be read as further values and records. The image is decoded here as play() decodes
// it, from its first byte with the rest of the record after it, and must come out whole
// having read exactly its own bytes.
void checkPngDecodes(QByteArrayView fromImage, qsizetype imageSize)
{
    QByteArray bytes = QByteArray::fromRawData(fromImage.data(), fromImage.size());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    if (reader.read().isNull() || buffer.pos() != imageSize)
        fault(QStringLiteral("its image cannot be decoded"));
}

void checkPng(TRpPictureCursor& cursor)
{
    const qsizetype start = cursor.position();
    checkPngHeader(cursor);
    checkPngChunks(cursor);
    checkPngDecodes(cursor.bytesFrom(start), cursor.position() - start);
}

void checkGradientStops(TRpPictureCursor& cursor)
{
    const quint32 count = cursor.u32();
    cursor.requireRoom(count, 8 + kColorSize, "gradient stops");
    for (quint32 i = 0; i < count; ++i) {
        realInRange(cursor, 0, 1, "gradient stop");
        checkColor(cursor);
    }
}

void checkGradient(TRpPictureCursor& cursor)
{
    const qint32 type = cursor.i32();
    requireRange(type, QGradient::LinearGradient, QGradient::ConicalGradient, "gradient type");
    requireRange(cursor.i32(), QGradient::PadSpread, QGradient::RepeatSpread, "gradient spread");
    requireRange(cursor.i32(), QGradient::LogicalMode, QGradient::ObjectMode, "gradient coordinate mode");
    requireRange(cursor.i32(), QGradient::ColorInterpolation, QGradient::ComponentInterpolation,
                 "gradient interpolation");
    checkGradientStops(cursor);
    checkPoint(cursor);
    if (type == QGradient::LinearGradient) {
        checkPoint(cursor);
    } else if (type == QGradient::RadialGradient) {
        checkPoint(cursor);
        realInRange(cursor, 0, kMaxCoordinate, "gradient radius");
        realInRange(cursor, 0, kMaxCoordinate, "gradient focal radius");
    } else {
        cursor.real(); // the angle
    }
}

void checkPathElements(TRpPictureCursor& cursor, qint32 count)
{
    int curveDataDue = 0;
    for (qint32 i = 0; i < count; ++i) {
        const qint32 type = cursor.i32();
        checkPoint(cursor);
        // A curve is its end point followed by two control points; the painter reads
        // them without checking they are there.
        requireRange(type, QPainterPath::MoveToElement, QPainterPath::CurveToDataElement, "path element type");
        const bool isCurveData = type == QPainterPath::CurveToDataElement;
        if (isCurveData != (curveDataDue > 0) || (i == 0 && type != QPainterPath::MoveToElement))
            fault(QStringLiteral("its path element %1 is out of order").arg(i));
        curveDataDue = type == QPainterPath::CurveToElement ? 2 : qMax(0, curveDataDue - 1);
    }
    if (curveDataDue > 0)
        fault(QStringLiteral("its path ends inside a curve"));
}

} // namespace

void checkPoint(TRpPictureCursor& cursor)
{
    cursor.real();
    cursor.real();
}

void checkRect(TRpPictureCursor& cursor)
{
    checkPoint(cursor);
    checkPoint(cursor);
}

void checkTransform(TRpPictureCursor& cursor)
{
    for (int i = 0; i < 9; ++i)
        cursor.real();
}

void checkColor(TRpPictureCursor& cursor)
{
    requireRange(static_cast<qint8>(cursor.u8()), 0, kLastColorSpec, "colour model");
    cursor.bytes(5 * 2); // alpha, three components, padding
}

void checkString(TRpPictureCursor& cursor)
{
    const quint32 length = cursor.u32();
    if (length == kNullLength)
        return;
    if (length % 2 != 0)
        fault(QStringLiteral("its text has an odd length of %1 bytes").arg(length));
    cursor.requireRoom(length, 1, "bytes of text");
    cursor.bytes(length);
}

void checkPolygon(TRpPictureCursor& cursor)
{
    const quint32 count = cursor.u32();
    cursor.requireRoom(count, kPointSize, "points");
    for (quint32 i = 0; i < count; ++i)
        checkPoint(cursor);
}

void checkPath(TRpPictureCursor& cursor)
{
    const qint32 count = cursor.i32();
    if (count == 0)
        return; // an empty path is its count alone
    requireRange(count, 1, std::numeric_limits<qint32>::max(), "path element count");
    cursor.requireRoom(static_cast<quint32>(count), kPathElementSize, "path elements");
    checkPathElements(cursor, count);
    requireRange(cursor.i32(), 0, count - 1, "subpath start");
    requireRange(cursor.i32(), Qt::OddEvenFill, Qt::WindingFill, "fill rule");
}

void checkRegion(TRpPictureCursor& cursor)
{
    const quint32 length = cursor.u32();
    if (length == 0 || length == kNullLength)
        return;
    cursor.requireRoom(length, 1, "region bytes");
    TRpPictureCursor region = cursor.take(length);
    if (region.i32() != kRegionRectangles)
        fault(QStringLiteral("its region is not a list of rectangles"));
    const quint32 count = region.u32();
    if (count != region.remaining() / kRegionRectSize || region.remaining() % kRegionRectSize != 0)
        fault(QStringLiteral("its region claims %1 rectangles in %2 bytes").arg(count).arg(region.remaining()));
    for (qsizetype i = 0; i < 4 * qsizetype(count); ++i)
        requireRange(region.i32(), -kMaxCoordinate, kMaxCoordinate, "region coordinate");
}

void checkClipOperation(TRpPictureCursor& cursor)
{
    requireRange(cursor.u8(), Qt::NoClip, Qt::IntersectClip, "clip operation");
}

void checkImage(TRpPictureCursor& cursor)
{
    const qint32 present = cursor.i32();
    requireRange(present, 0, 1, "image marker");
    if (present)
        checkPng(cursor);
}

void checkBrush(TRpPictureCursor& cursor)
{
    const quint8 style = cursor.u8();
    checkColor(cursor);
    if (style == Qt::TexturePattern)
        checkImage(cursor);
    else if (style >= Qt::LinearGradientPattern && style <= Qt::ConicalGradientPattern)
        checkGradient(cursor);
    else
        requireRange(style, Qt::NoBrush, Qt::DiagCrossPattern, "brush style");
    checkTransform(cursor);
}

void checkPen(TRpPictureCursor& cursor)
{
    const quint16 style = cursor.u16();
    requireRange(style & Qt::MPenStyle, Qt::NoPen, Qt::CustomDashLine, "line style");
    const int cap = style & Qt::MPenCapStyle;
    const int join = style & Qt::MPenJoinStyle;
    constexpr int kKnownBits = int(Qt::MPenStyle) | int(Qt::MPenCapStyle) | int(Qt::MPenJoinStyle);
    if ((style & ~kKnownBits) != 0 || cap == Qt::MPenCapStyle
        || (join != Qt::MiterJoin && join != Qt::BevelJoin && join != Qt::RoundJoin && join != Qt::SvgMiterJoin))
        fault(QStringLiteral("its pen style %1 is out of range").arg(style));
    cursor.u8(); // cosmetic
    realInRange(cursor, 0, kMaxCoordinate, "pen width");
    checkBrush(cursor);
    cursor.real(); // miter limit
    const quint32 dashes = cursor.u32();
    cursor.requireRoom(dashes, 8, "dashes");
    for (quint32 i = 0; i < dashes; ++i)
        realInRange(cursor, 0, kMaxCoordinate, "dash");
    cursor.real(); // dash offset
    cursor.u8();   // default width
}

void checkFont(TRpPictureCursor& cursor)
{
    checkString(cursor); // family
    checkString(cursor); // style name
    const double pointSize = cursor.real();
    const qint32 pixelSize = cursor.i32();
    if ((pointSize != -1 && (pointSize <= 0 || pointSize > kMaxFontSize))
        || (pixelSize != -1 && (pixelSize <= 0 || pixelSize > kMaxFontSize)))
        fault(QStringLiteral("its font size %1 pt, %2 px is out of range").arg(pointSize).arg(pixelSize));
    cursor.u8();  // style hint
    cursor.u16(); // style strategy
    requireRange(cursor.u16(), 0, kMaxFontWeight, "font weight");
    cursor.u8();  // italic, underline, ... bits
    requireRange(cursor.u16(), 0, kMaxFontStretch, "font stretch");
    cursor.u8();  // extended bits
    cursor.i32(); // letter spacing
    cursor.i32(); // word spacing
    cursor.u8();  // hinting preference
    cursor.u8();  // capitalisation
    checkFontFamilies(cursor);
}

} // namespace rppicture
