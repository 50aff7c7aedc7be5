// The check every page picture passes before it is played: the pages the sink records
// pass it, whatever they draw, and crafted pictures that would make Qt read past their
// records or reserve memory for counts they do not hold are refused with their reason,
// through the prepared report reader naming the page.
#include "engine/sink/rp_errors.h"
#include "engine/sink/rp_page_list.h"
#include "engine/sink/rp_picture_check.h"
#include "engine/sink/rp_printer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>
#include <QtEndian>

#include <functional>
#include <set>
#include <vector>

namespace {

// One record of a picture, located by walking the records' lengths.
struct PictureRecord {
    int opCode;
    qsizetype start;    // the op-code byte
    qsizetype contents; // the first byte after the length
    qsizetype length;
};

constexpr qsizetype kFirstRecord = 32; // header and frame record

std::vector<PictureRecord> recordsOf(const QByteArray& picture)
{
    std::vector<PictureRecord> records;
    qsizetype at = kFirstRecord;
    while (at + 2 <= picture.size()) {
        const int opCode = quint8(picture[at]);
        const int shortLength = quint8(picture[at + 1]);
        const bool isLong = shortLength == 255;
        const qsizetype length = isLong ? qFromBigEndian<quint32>(picture.constData() + at + 2) : shortLength;
        const qsizetype contents = at + (isLong ? 6 : 2);
        records.push_back({opCode, at, contents, length});
        at = contents + length;
    }
    return records;
}

std::set<int> opCodesOf(const QByteArray& picture)
{
    std::set<int> codes;
    for (const PictureRecord& record : recordsOf(picture))
        codes.insert(record.opCode);
    return codes;
}

const PictureRecord& firstRecord(const std::vector<PictureRecord>& records, int opCode)
{
    for (const PictureRecord& record : records)
        if (record.opCode == opCode)
            return record;
    throw std::runtime_error("the page lacks a record it was drawn with");
}

void putUInt32(QByteArray& bytes, qsizetype offset, quint32 value) { qToBigEndian<quint32>(value, bytes.data() + offset); }

// Qt's own check of a picture is its checksum; a crafted picture carries a right one.
void fixChecksum(QByteArray& picture)
{
    qToBigEndian<quint16>(qChecksum(QByteArrayView(picture).sliced(6)), picture.data() + 4);
}

QImage testImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(QColor(20, 120, 200, 180));
    return image;
}

QPainterPath curvedPath()
{
    QPainterPath path;
    path.moveTo(10, 10);
    path.cubicTo(40, 0, 60, 80, 90, 40);
    path.lineTo(30, 90);
    path.closeSubpath();
    path.addEllipse(QRectF(50, 50, 20, 10));
    return path;
}

using Drawing = std::function<void(QPainter&)>;

struct DrawingCase {
    const char* name;
    Drawing draw;
    int opCode; // the record the drawing must produce
};

// Op-codes of the records Qt's picture painter writes.
enum : int {
    kEllipse = 7, kPolyline = 12, kPolygon = 13, kPixmap = 17, kImage = 18, kText = 21, kTiledPixmap = 24,
    kPath = 25, kBrushOrigin = 43, kFont = 45, kPen = 46, kBrush = 47, kTransform = 55, kClipRegion = 61,
    kClipPath = 62, kRenderHints = 63, kComposition = 64, kClipping = 65, kOpacity = 66
};

const DrawingCase kDrawingCases[] = {
    {"text", [](QPainter& p) { p.drawText(QPointF(20, 40), QStringLiteral("Total: 1.234,50 €")); }, kText},
    {"wrapped_text",
     [](QPainter& p) {
         p.drawText(QRectF(10, 10, 120, 200), Qt::TextWordWrap | Qt::AlignJustify,
                    QStringLiteral("A memo line that wraps over several lines and is justified"));
     },
     kText},
    {"font",
     [](QPainter& p) {
         QFont font(QStringLiteral("DejaVu Serif"));
         font.setPixelSize(30);
         font.setBold(true);
         font.setItalic(true);
         font.setUnderline(true);
         font.setStrikeOut(true);
         font.setLetterSpacing(QFont::PercentageSpacing, 120);
         p.setFont(font);
         p.drawText(QPointF(10, 60), QStringLiteral("Heading"));
     },
     kFont},
    {"rotated_text",
     [](QPainter& p) {
         p.translate(100, 100);
         p.rotate(-90);
         p.drawText(QPointF(0, 0), QStringLiteral("Rotated label"));
     },
     kTransform},
    {"line", [](QPainter& p) { p.drawLine(QPointF(0, 0), QPointF(200, 150)); }, kPolyline},
    {"dashed_pen",
     [](QPainter& p) {
         p.setPen(QPen(Qt::darkGreen, 3, Qt::DashDotLine, Qt::RoundCap, Qt::RoundJoin));
         p.drawLine(QPointF(0, 10), QPointF(200, 10));
     },
     kPen},
    {"custom_dash_pen",
     [](QPainter& p) {
         QPen pen(Qt::red, 2);
         pen.setDashPattern({4.0, 2.0, 1.0, 2.0});
         pen.setDashOffset(1.5);
         p.setPen(pen);
         p.drawRect(QRectF(5, 5, 100, 50));
     },
     kPen},
    {"cosmetic_textured_pen",
     [](QPainter& p) {
         QPen pen(QBrush(testImage(4, 4)), 0);
         pen.setCosmetic(true);
         p.setPen(pen);
         p.drawLine(QPointF(0, 0), QPointF(50, 50));
     },
     kPen},
    {"rectangle", [](QPainter& p) { p.fillRect(QRectF(10, 10, 80, 40), QColor(200, 220, 255)); }, kPath},
    {"rounded_rectangle", [](QPainter& p) { p.drawRoundedRect(QRectF(10, 10, 80, 40), 5, 5); }, kPath},
    {"ellipse", [](QPainter& p) { p.drawEllipse(QRectF(10, 10, 80, 40)); }, kEllipse},
    {"polygon", [](QPainter& p) { p.drawPolygon(QPolygonF({{0, 0}, {50, 10}, {20, 60}}), Qt::WindingFill); }, kPolygon},
    {"polyline", [](QPainter& p) { p.drawPolyline(QPolygonF({{0, 0}, {50, 10}, {20, 60}, {90, 90}})); }, kPolyline},
    {"curved_path", [](QPainter& p) { p.drawPath(curvedPath()); }, kPath},
    {"hatched_brush",
     [](QPainter& p) {
         p.setBrush(QBrush(Qt::blue, Qt::DiagCrossPattern));
         p.drawRect(QRectF(0, 0, 60, 60));
     },
     kBrush},
    {"linear_gradient",
     [](QPainter& p) {
         QLinearGradient gradient(0, 0, 100, 0);
         gradient.setColorAt(0, Qt::white);
         gradient.setColorAt(0.4, Qt::yellow);
         gradient.setColorAt(1, Qt::black);
         gradient.setSpread(QGradient::ReflectSpread);
         p.setBrush(gradient);
         p.drawRect(QRectF(0, 0, 100, 40));
     },
     kBrush},
    {"radial_gradient",
     [](QPainter& p) {
         QRadialGradient gradient(QPointF(50, 50), 40, QPointF(40, 40), 5);
         gradient.setColorAt(0, Qt::red);
         gradient.setColorAt(1, Qt::transparent);
         p.setBrush(gradient);
         p.drawEllipse(QRectF(10, 10, 80, 80));
     },
     kBrush},
    {"conical_gradient",
     [](QPainter& p) {
         QConicalGradient gradient(QPointF(50, 50), 30);
         gradient.setColorAt(0.5, QColor::fromHsv(120, 200, 200));
         gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
         p.setBrush(gradient);
         p.drawEllipse(QRectF(10, 10, 80, 80));
     },
     kBrush},
    {"textured_brush",
     [](QPainter& p) {
         p.setBrushOrigin(QPointF(3, 4));
         p.setBrush(QBrush(testImage(5, 3)));
         p.drawRect(QRectF(0, 0, 60, 60));
     },
     kBrushOrigin},
    {"image", [](QPainter& p) { p.drawImage(QRectF(10, 10, 40, 30), testImage(40, 30)); }, kImage},
    {"pixmap", [](QPainter& p) { p.drawPixmap(QRectF(0, 0, 30, 30), QPixmap::fromImage(testImage(6, 6)), QRectF(1, 1, 4, 4)); },
     kPixmap},
    {"monochrome_pixmap",
     [](QPainter& p) {
         QImage mono(16, 8, QImage::Format_Mono);
         mono.fill(1);
         p.drawPixmap(QPointF(0, 0), QPixmap::fromImage(mono));
     },
     kPixmap},
    {"tiled_pixmap", [](QPainter& p) { p.drawTiledPixmap(QRectF(0, 0, 90, 90), QPixmap::fromImage(testImage(7, 5)), QPointF(2, 1)); },
     kTiledPixmap},
    {"clip_rectangle",
     [](QPainter& p) {
         p.setClipRect(QRect(10, 10, 50, 50));
         p.setClipRect(QRect(20, 20, 60, 60), Qt::IntersectClip);
         p.drawEllipse(QRectF(0, 0, 100, 100));
     },
     kClipRegion},
    {"clip_path",
     [](QPainter& p) {
         p.setClipPath(curvedPath());
         p.drawRect(QRectF(0, 0, 100, 100));
         p.setClipping(false);
         p.drawRect(QRectF(0, 0, 10, 10));
     },
     kClipPath},
    {"clip_off",
     [](QPainter& p) {
         p.setClipRect(QRectF(0.5, 0.5, 50, 50));
         p.setClipping(false);
         p.drawRect(QRectF(0, 0, 10, 10));
     },
     kClipping},
    {"render_hints",
     [](QPainter& p) {
         p.setRenderHint(QPainter::Antialiasing);
         p.drawEllipse(QRectF(0, 0, 10, 10));
     },
     kRenderHints},
    {"opacity",
     [](QPainter& p) {
         p.setOpacity(0.4);
         p.drawEllipse(QRectF(0, 0, 10, 10));
     },
     kOpacity},
    {"composition",
     [](QPainter& p) {
         p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
         p.drawEllipse(QRectF(0, 0, 10, 10));
     },
     kComposition},
    {"scaled_and_sheared",
     [](QPainter& p) {
         p.setTransform(QTransform(1.5, 0.2, 0.1, 0.8, 10, 20));
         p.drawText(QPointF(0, 0), QStringLiteral("Transformed"));
     },
     kTransform},
};

void PrintTo(const DrawingCase& drawing, std::ostream* out) { *out << drawing.name; }

// Records a page of A5 through the sink the way report generation does.
QByteArray recordPage(const Drawing& draw)
{
    TRpPrinter sink;
    TRpPrinterSettings settings;
    settings.pageWidth = 1480;
    settings.pageLength = 2100;
    sink.setSettings(settings);
    sink.beginDocument();
    sink.newPage();
    QPainter& painter = *sink.painter();
    painter.setFont(QFont(QStringLiteral("Liberation Sans"), 10));
    draw(painter);
    sink.endDocument();
    return *sink.pageList()->page(1);
}

class PagesTheSinkRecords : public ::testing::TestWithParam<DrawingCase> {};

TEST_P(PagesTheSinkRecords, PassTheCheckAndPlay)
{
    const QByteArray page = recordPage(GetParam().draw);

    EXPECT_TRUE(opCodesOf(page).count(GetParam().opCode)) << "the drawing did not make the record it stands for";
    EXPECT_EQ(rpPagePictureFault(page), QString());
    QPicture picture;
    picture.setData(page.constData(), uint(page.size()));
    QImage canvas(200, 200, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    EXPECT_TRUE(picture.play(&painter));
}

INSTANTIATE_TEST_SUITE_P(Drawings, PagesTheSinkRecords, ::testing::ValuesIn(kDrawingCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PictureCheck, AcceptsAPageOfEveryDrawingTogether)
{
    const QByteArray page = recordPage([](QPainter& painter) {
        for (const DrawingCase& drawing : kDrawingCases) {
            painter.save();
            drawing.draw(painter);
            painter.restore();
        }
    });
    EXPECT_EQ(rpPagePictureFault(page), QString());
    EXPECT_GT(recordsOf(page).size(), std::size(kDrawingCases));
}

// --- crafted pictures ---

// A page holding one record of each kind the crafted cases damage.
const QByteArray& basePage()
{
    static const QByteArray page = recordPage([](QPainter& p) {
        QPen pen(Qt::black, 1);
        pen.setDashPattern({2.0, 2.0});
        p.setPen(pen);
        QLinearGradient gradient(0, 0, 10, 10);
        gradient.setColorAt(0, Qt::red);
        p.setBrush(gradient);
        p.drawPolygon(QPolygonF({{0, 0}, {50, 10}, {20, 60}}));
        p.drawPath(curvedPath());
        p.drawText(QPointF(5, 20), QStringLiteral("Text"));
        p.drawImage(QRectF(0, 0, 8, 8), testImage(8, 8));
    });
    return page;
}

// Offsets inside a record's contents that the crafted cases aim at.
constexpr qsizetype kPenDashCount = 2 + 1 + 8 + 84 + 8; // style, cosmetic, width, solid brush, miter limit
constexpr qsizetype kBrushStopCount = 1 + 11 + 4 * 4;   // style, colour, gradient type and modes
constexpr qsizetype kTextLength = 16;                   // after the position
constexpr qsizetype kImagePng = 32 + 4;                 // after the target rectangle and the marker
constexpr qsizetype kPngWidth = kImagePng + 8 + 8;      // after the signature, header length and type

using Damage = std::function<void(QByteArray&, const std::vector<PictureRecord>&)>;

struct CraftedCase {
    const char* name;
    Damage damage;
    bool keepChecksum; // when false the checksum is recomputed, as a crafted file would do
    const char* reason;
};

qsizetype at(const std::vector<PictureRecord>& records, int opCode, qsizetype offset)
{
    return firstRecord(records, opCode).contents + offset;
}

const CraftedCase kCraftedCases[] = {
    {"bad_checksum", [](QByteArray& b, const auto&) { b[b.size() - 40] = char(b[b.size() - 40] ^ 0x55); }, true,
     "its checksum does not match its contents"},
    {"short_header", [](QByteArray& b, const auto&) { b.truncate(20); }, true, "it is shorter than its header"},
    {"not_a_picture", [](QByteArray& b, const auto&) { b.replace(0, 4, "EMF+"); }, true, "it does not start with \"QPIC\""},
    {"other_version", [](QByteArray& b, const auto&) { b[7] = 21; }, false, "it has picture format 21, not 20"},
    {"huge_frame", [](QByteArray& b, const auto&) { putUInt32(b, 20, 0x7fffffff); }, false,
     "its frame 0, 0, 2147483647 x"},
    {"truncated_record", [](QByteArray& b, const auto& r) { b.truncate(at(r, kPath, 30)); }, false,
     "(path) is 392 bytes long, past the end of the picture"},
    {"cut_in_a_record_header", [](QByteArray& b, const auto& r) { b.truncate(firstRecord(r, kPath).start + 1); }, false,
     "is cut short"},
    {"length_past_the_end",
     [](QByteArray& b, const auto& r) {
         const PictureRecord& pen = firstRecord(r, kPen);
         b[pen.start + 1] = char(255);
         b.insert(pen.start + 2, QByteArray("\xff\xff\xff\x00", 4));
     },
     false, "(pen) is 4294967040 bytes long, past the end of the picture"},
    {"length_longer_than_contents",
     [](QByteArray& b, const auto& r) {
         const PictureRecord& polygon = firstRecord(r, kPolygon);
         b[polygon.start + 1] = char(polygon.length + 1);
         b.insert(polygon.contents + polygon.length, '\0');
     },
     false, "(polygon) has 1 bytes past its contents"},
    {"length_shorter_than_contents",
     [](QByteArray& b, const auto& r) {
         const PictureRecord& polygon = firstRecord(r, kPolygon);
         b[polygon.start + 1] = char(polygon.length - 1);
         b.remove(polygon.contents + polygon.length - 1, 1);
     },
     false, "(polygon): its contents run past its end"},
    {"huge_polygon", [](QByteArray& b, const auto& r) { putUInt32(b, at(r, kPolygon, 0), 0xffffffff); }, false,
     "(polygon): it claims 4294967295 points in 49 bytes"},
    {"huge_path", [](QByteArray& b, const auto& r) { putUInt32(b, at(r, kPath, 0), 0x10000000); }, false,
     "(path): it claims 268435456 path elements in"},
    {"negative_path", [](QByteArray& b, const auto& r) { putUInt32(b, at(r, kPath, 0), 0xffffffff); }, false,
     "(path): its path element count -1 is out of range"},
    {"curve_without_its_points",
     [](QByteArray& b, const auto& r) { putUInt32(b, at(r, kPath, 4 + 20 * 2), 0); }, false,
     "(path): its path element 2 is out of order"},
    {"huge_dash_count", [](QByteArray& b, const auto& r) { putUInt32(b, at(r, kPen, kPenDashCount), 0x40000000); },
     false, "(pen): it claims 1073741824 dashes in"},
    {"huge_gradient", [](QByteArray& b, const auto& r) { putUInt32(b, at(r, kBrush, kBrushStopCount), 0xfffffff0); },
     false, "(brush): it claims 4294967280 gradient stops in"},
    {"huge_string", [](QByteArray& b, const auto& r) { putUInt32(b, at(r, kText, kTextLength), 0x7ffffffe); }, false,
     "(text): it claims 2147483646 bytes of text in"},
    {"odd_string", [](QByteArray& b, const auto& r) { putUInt32(b, at(r, kText, kTextLength), 7); }, false,
     "(text): its text has an odd length of 7 bytes"},
    {"huge_image",
     [](QByteArray& b, const auto& r) {
         putUInt32(b, at(r, kImage, kPngWidth), 30000);
         putUInt32(b, at(r, kImage, kPngWidth + 4), 30000);
     },
     false, "(image): its image of 30000 x 30000 pixels is larger than a page holds"},
    {"image_of_too_many_pixels",
     [](QByteArray& b, const auto& r) {
         putUInt32(b, at(r, kImage, kPngWidth), 12000);
         putUInt32(b, at(r, kImage, kPngWidth + 4), 12000);
     },
     false, "(image): its image of 12000 x 12000 pixels is larger than a page holds"},
    {"undecodable_image", [](QByteArray& b, const auto& r) { b[at(r, kImage, kPngWidth + 13)] ^= 0x5a; }, false,
     "(image): its image cannot be decoded"},
    {"image_past_its_record", [](QByteArray& b, const auto& r) { putUInt32(b, at(r, kImage, kPngWidth + 17), 100000); },
     false, "(image): it claims 100000 image bytes in"},
    {"unknown_record", [](QByteArray& b, const auto& r) { b[firstRecord(r, kPolygon).start] = 5; }, false,
     "has op-code 5, which no page holds"},
    {"wrong_record_count", [](QByteArray& b, const auto&) { putUInt32(b, 28, 3); }, false, "it declares 3 records but holds"},
    {"bytes_after_the_end", [](QByteArray& b, const auto&) { b.append("junk"); }, false,
     "it goes on for 4 bytes after its end"},
    {"no_end_record", [](QByteArray& b, const auto&) { b.chop(2); }, false, "records without its end"},
};

void PrintTo(const CraftedCase& crafted, std::ostream* out) { *out << crafted.name; }

class CraftedPictures : public ::testing::TestWithParam<CraftedCase> {
protected:
    QByteArray crafted() const
    {
        QByteArray page = basePage();
        GetParam().damage(page, recordsOf(page));
        if (!GetParam().keepChecksum)
            fixChecksum(page);
        return page;
    }

    QTemporaryDir m_folder;
};

TEST_P(CraftedPictures, AreRefusedWithTheirReason)
{
    EXPECT_TRUE(rpPagePictureFault(crafted()).contains(QLatin1String(GetParam().reason))) << rpPagePictureFault(crafted()).toStdString();
}

// Through the reader of prepared report files: a sound first page, the crafted second.
TEST_P(CraftedPictures, RefuseTheirPageOfAPreparedFile)
{
    TRpPageList list(false);
    list.append(basePage());
    list.append(crafted());
    list.finish();
    const QString fileName = m_folder.filePath(QStringLiteral("crafted.rpp"));
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(list.copyTo(file));
    file.close();

    TRpPrinter sink;
    sink.loadFromFile(fileName);
    EXPECT_TRUE(sink.page(1));
    try {
        sink.page(2);
        ADD_FAILURE() << "the crafted page was accepted";
    } catch (const ERpPreparedFileError& error) {
        EXPECT_TRUE(error.message().startsWith(
            QLatin1String("The prepared report file is damaged: the picture of page 2 is unsafe to show: ")))
            << error.what();
        EXPECT_TRUE(error.message().contains(QLatin1String(GetParam().reason))) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Damages, CraftedPictures, ::testing::ValuesIn(kCraftedCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PictureCheck, RefusesACraftedFirstPageWhenTheFileLoads)
{
    QTemporaryDir folder;
    QByteArray page = basePage();
    putUInt32(page, firstRecord(recordsOf(page), kPolygon).contents, 0xffffffff);
    fixChecksum(page);
    TRpPageList list(true);
    list.append(page);
    list.finish();
    const QString fileName = folder.filePath(QStringLiteral("crafted.rpp"));
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(list.copyTo(file));
    file.close();

    TRpPrinter sink;
    EXPECT_THROW(sink.loadFromFile(fileName), ERpPreparedFileError);
    EXPECT_FALSE(sink.loadedFromFile());
}

} // namespace
