// Drawings rendered back from the PDF by pdftoppm match the same drawing rasterised by
// QPainter on an image, pixel for pixel give or take one pixel of edge placement.
#include "pdf_test_support.h"

#include "engine/pdf/rp_pdf_device.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ostream>

namespace {

constexpr int kResolution = 96;
const QSizeF kPageMillimetres(80, 60);

using TDrawing = void (*)(QPainter&);

struct TDrawingCase {
    const char* name;
    TDrawing draw;
};

void PrintTo(const TDrawingCase& drawing, std::ostream* out)
{
    *out << drawing.name;
}

QImage alphaImage()
{
    QImage image(40, 30, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(255, x * 6, 0, x < 20 ? 255 : 100));
    }
    return image;
}

// Opaque, with edges inside the tile: poppler softens the edges of soft masks, which a
// pixel comparison of tiles would count against the tiling.
QImage checkerImage()
{
    QImage image(24, 18, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, (x < 12) == (y < 9) ? qRgb(20, 40, 160) : qRgb(240, 200, 0));
    }
    return image;
}

const TDrawingCase kCases[] = {
    {"Rectangles",
     [](QPainter& p) {
         p.setPen(QPen(Qt::darkBlue, 4));
         p.setBrush(QColor(255, 200, 0));
         p.drawRect(QRectF(20, 20, 120, 60));
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::darkGreen);
         p.drawRects(QList<QRectF>{QRectF(160, 30, 40, 40), QRectF(210, 30, 40, 100)});
         p.setPen(QPen(Qt::red, 1));
         p.setBrush(Qt::NoBrush);
         p.drawRect(QRect(30, 120, 100, 60));
     }},
    {"LinesWithWidths",
     [](QPainter& p) {
         const int widths[] = {0, 1, 3, 8, 15};
         for (int i = 0; i < 5; ++i) {
             p.setPen(QPen(QColor::fromHsv(i * 60, 255, 200), widths[i], Qt::SolidLine, Qt::FlatCap));
             p.drawLine(QPointF(20, 20 + i * 35), QPointF(280, 40 + i * 30));
         }
         p.setPen(QPen(Qt::black, 6, Qt::SolidLine, Qt::RoundCap));
         p.drawLine(QPointF(40, 200), QPointF(40, 140));
     }},
    {"DashedLines",
     [](QPainter& p) {
         p.setPen(QPen(Qt::black, 4, Qt::DashLine, Qt::FlatCap));
         p.drawLine(QPointF(20, 40), QPointF(280, 40));
         QPen custom(Qt::blue, 3, Qt::CustomDashLine, Qt::FlatCap);
         custom.setDashPattern({5, 2, 1, 2});
         p.setPen(custom);
         p.drawLine(QPointF(20, 100), QPointF(280, 100));
     }},
    {"Ellipse",
     [](QPainter& p) {
         p.setPen(QPen(Qt::black, 3));
         p.setBrush(QColor(120, 180, 255));
         p.drawEllipse(QRectF(30, 30, 200, 140));
     }},
    {"PolygonOddEven",
     [](QPainter& p) {
         QPolygonF star;
         for (int i = 0; i < 5; ++i) {
             const double angle = M_PI / 2 + i * 4 * M_PI / 5;
             star << QPointF(150 + 100 * std::cos(angle), 115 - 100 * std::sin(angle));
         }
         p.setPen(QPen(Qt::darkRed, 2));
         p.setBrush(QColor(250, 120, 120));
         p.drawPolygon(star, Qt::OddEvenFill);
         p.setBrush(Qt::NoBrush);
         p.drawPolyline(QPolygonF{QPointF(10, 10), QPointF(60, 200), QPointF(100, 10)});
     }},
    {"PathWinding",
     [](QPainter& p) {
         QPainterPath path;
         path.addEllipse(QRectF(40, 40, 150, 150));
         path.addRect(QRectF(80, 80, 150, 100));
         path.setFillRule(Qt::WindingFill);
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::darkMagenta);
         p.drawPath(path);
     }},
    {"HatchBrushes",
     [](QPainter& p) {
         p.setPen(Qt::NoPen);
         p.setBrush(QBrush(Qt::blue, Qt::DiagCrossPattern));
         p.drawRect(QRect(16, 16, 120, 96));
         p.setBrush(QBrush(Qt::darkGreen, Qt::Dense3Pattern));
         p.drawRect(QRect(160, 16, 120, 96));
         p.setBackgroundMode(Qt::OpaqueMode);
         p.setBackground(QColor(255, 230, 150));
         p.setBrush(QBrush(Qt::red, Qt::HorPattern));
         p.drawRect(QRect(16, 128, 264, 80));
     }},
    {"ClippedShape",
     [](QPainter& p) {
         p.setClipRect(QRectF(50, 40, 120, 100));
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::darkCyan);
         p.drawEllipse(QRectF(20, 20, 200, 180));
         p.setClipRect(QRectF(100, 0, 200, 80), Qt::IntersectClip);
         p.setBrush(Qt::red);
         p.drawRect(QRectF(0, 0, 300, 200));
         p.setClipping(false);
         p.setBrush(Qt::black);
         p.drawRect(QRectF(250, 150, 30, 30));
     }},
    {"TransformedShapes",
     [](QPainter& p) {
         p.translate(150, 110);
         p.rotate(30);
         p.scale(1.5, 0.75);
         p.setPen(QPen(Qt::black, 2));
         p.setBrush(QColor(100, 200, 100));
         p.drawRect(QRectF(-60, -40, 120, 80));
         p.resetTransform();
         p.setBrush(Qt::blue);
         p.drawRect(QRectF(10, 10, 30, 30));
     }},
    {"ImageWithAlpha",
     [](QPainter& p) {
         p.setPen(Qt::NoPen);
         p.setBrush(QColor(0, 0, 200));
         p.drawRect(QRectF(20, 20, 260, 60));
         p.drawImage(QRectF(40, 10, 160, 120), alphaImage());
         p.setOpacity(0.5);
         p.drawImage(QRectF(200, 110, 80, 60), alphaImage());
     }},
    {"TiledPixmap",
     [](QPainter& p) {
         p.drawTiledPixmap(QRectF(20, 20, 250, 170), QPixmap::fromImage(checkerImage()), QPointF(7, 3));
     }},
};

QImage referenceImage(TDrawing draw, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    draw(painter);
    return image;
}

bool near(QRgb a, QRgb b)
{
    constexpr int kTolerance = 40;
    return std::abs(qRed(a) - qRed(b)) <= kTolerance && std::abs(qGreen(a) - qGreen(b)) <= kTolerance
           && std::abs(qBlue(a) - qBlue(b)) <= kTolerance;
}

// Pixels of `a` that no pixel of `b` within one pixel matches, and that are no blend of
// those neighbours either (renderers resample image edges).
int unmatchedPixels(const QImage& a, const QImage& b)
{
    int unmatched = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb pixel = a.pixel(x, y);
            bool matched = false;
            int low[3] = {255, 255, 255}, high[3] = {0, 0, 0};
            for (int dy = -1; dy <= 1 && !matched; ++dy) {
                for (int dx = -1; dx <= 1 && !matched; ++dx) {
                    if (!b.valid(x + dx, y + dy))
                        continue;
                    const QRgb other = b.pixel(x + dx, y + dy);
                    matched = near(pixel, other);
                    const int channels[3] = {qRed(other), qGreen(other), qBlue(other)};
                    for (int c = 0; c < 3; ++c) {
                        low[c] = std::min(low[c], channels[c]);
                        high[c] = std::max(high[c], channels[c]);
                    }
                }
            }
            const int channels[3] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
            bool blend = true;
            for (int c = 0; c < 3; ++c)
                blend &= channels[c] >= low[c] - 8 && channels[c] <= high[c] + 8;
            unmatched += matched || blend ? 0 : 1;
        }
    }
    return unmatched;
}

int inkPixels(const QImage& image)
{
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ink += near(image.pixel(x, y), qRgb(255, 255, 255)) ? 0 : 1;
    }
    return ink;
}

class PdfRenderTest : public ::testing::TestWithParam<TDrawingCase> {};

TEST_P(PdfRenderTest, RendersLikeQPainterOnAnImage)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("drawing.pdf"));
    ASSERT_TRUE(pdftest::writePdf(file, {[](QPainter& painter, TRpPdfDevice&) { GetParam().draw(painter); }},
                                  kPageMillimetres, kResolution));
    const QImage rendered = pdftest::renderPage(file, kResolution);
    ASSERT_FALSE(rendered.isNull());
    const QImage reference = referenceImage(GetParam().draw, rendered.size());

    const int ink = inkPixels(reference);
    ASSERT_GT(ink, 500) << "the drawing must show something to compare";
    const int missing = unmatchedPixels(reference, rendered);
    const int extra = unmatchedPixels(rendered, reference);
    EXPECT_LT(missing, ink / 100 + 10) << "pixels of the drawing the PDF lacks";
    EXPECT_LT(extra, ink / 100 + 10) << "pixels the PDF has that the drawing lacks";
    if (HasFailure()) {
        rendered.save(QStringLiteral("/tmp/pdf_render_%1_pdf.png").arg(QLatin1String(GetParam().name)));
        reference.save(QStringLiteral("/tmp/pdf_render_%1_qt.png").arg(QLatin1String(GetParam().name)));
    }
}

INSTANTIATE_TEST_SUITE_P(Drawings, PdfRenderTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PdfImageTest, TheSameImageDrawnTwiceIsEmbeddedOnce)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("images.pdf"));
    const QImage first = alphaImage();
    QImage second(10, 10, QImage::Format_RGB32);
    second.fill(Qt::green);
    const QPixmap pixmap = QPixmap::fromImage(second);
    const auto draw = [&](QPainter& painter, TRpPdfDevice&) {
        painter.drawImage(QRectF(10, 10, 40, 30), first);
        painter.drawImage(QRectF(100, 10, 80, 60), first);
        painter.drawPixmap(QRectF(10, 100, 20, 20), pixmap, QRectF(pixmap.rect()));
        painter.drawPixmap(QRectF(50, 100, 20, 20), pixmap, QRectF(pixmap.rect()));
    };
    ASSERT_TRUE(pdftest::writePdf(file, {draw, draw}));
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    // The alpha image is a colour stream and its soft mask; the opaque one has no mask.
    EXPECT_EQ(bytes.count("/Subtype/Image"), 3);
    EXPECT_EQ(bytes.count("/SMask"), 1);
    const QByteArray content = pdftest::uncompressedContent(file);
    EXPECT_EQ(content.count(" Do\n"), 8);
}

} // namespace
