// Shapes and pictures on a page, checked on the page played onto an image.
#include "print_fixture.h"

#include "core/font.h"

#include <QBuffer>

namespace printtest {
namespace {

class GraphicsPrint : public PrintTest {
protected:
    QImage printed(TRpPrintable* control) { return renderPage(printOnce(control), sink.devicePageSize()); }
    // The colour at a native position.
    static QColor at(const QImage& image, double x, double y, double f)
    {
        return image.pixelColor(int(std::lround(x * f)), int(std::lround(y * f)));
    }

    // A picture of w x h pixels, red on its left half and blue on its right half.
    static QImage twoColourPicture(int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        for (int x = 0; x < w; ++x)
            for (int y = 0; y < h; ++y)
                image.setPixelColor(x, y, x < w / 2 ? QColor(Qt::red) : QColor(Qt::blue));
        return image;
    }
    static QByteArray pngBytes(const QImage& image)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }
};

struct ShapeCase {
    TRpShapeType shape;
    // Native points relative to the control's top-left (control 400 x 400) that the
    // shape draws in pen colour, and points it leaves untouched.
    std::vector<QPointF> drawn;
    std::vector<QPointF> empty;
};

class ShapePrint : public GraphicsPrint, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(ShapePrint, DrawsItsOutlineInsideTheControl)
{
    auto* shape = add<TRpShape>(200, 100, 400, 400);
    shape->setShape(GetParam().shape);
    shape->pen()->setColor(clRed);
    shape->pen()->setWidth(3);
    shape->brush()->setStyle(TBrushStyle::bsClear);
    const QImage image = printed(shape);
    for (const QPointF& p : GetParam().drawn)
        EXPECT_EQ(at(image, 200 + p.x(), 100 + p.y(), factor()), QColor(Qt::red)) << p.x() << "," << p.y();
    for (const QPointF& p : GetParam().empty)
        EXPECT_EQ(at(image, 200 + p.x(), 100 + p.y(), factor()), QColor(Qt::white)) << p.x() << "," << p.y();
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ShapePrint,
    ::testing::Values(
        ShapeCase{TRpShapeType::rpsRectangle, {{0, 200}, {400, 200}, {200, 0}, {200, 400}}, {{200, 200}}},
        ShapeCase{TRpShapeType::rpsCircle, {{0, 200}, {200, 0}, {400, 200}}, {{200, 200}, {15, 15}}},
        ShapeCase{TRpShapeType::rpsVertLine, {{200, 50}, {200, 350}}, {{0, 200}, {200 + 40, 200}}},
        ShapeCase{TRpShapeType::rpsHorLine, {{50, 200}, {350, 200}}, {{200, 0}, {200, 240}}},
        ShapeCase{TRpShapeType::rpsTopAndBottom, {{200, 0}, {200, 400}}, {{0, 200}, {200, 200}}},
        ShapeCase{TRpShapeType::rpsRightAndLeft, {{0, 200}, {400, 200}}, {{200, 0}, {200, 200}}}));

TEST_F(GraphicsPrint, TheShapeBrushFillsTheInside)
{
    auto* shape = add<TRpShape>(200, 100, 400, 400);
    shape->brush()->setColor(clLime);
    EXPECT_EQ(at(printed(shape), 400, 300, factor()), QColor(Qt::green));
}

TEST_F(GraphicsPrint, AStretchedPictureFillsTheControl)
{
    auto* image = add<TRpImage>(200, 100, 800, 400);
    ASSERT_TRUE(image->picture()->loadFromData(pngBytes(twoColourPicture(10, 10))));
    image->setStretch(true);
    const QImage page = printed(image);
    EXPECT_EQ(at(page, 220, 120, factor()), QColor(Qt::red));
    EXPECT_EQ(at(page, 980, 480, factor()), QColor(Qt::blue));
    EXPECT_EQ(at(page, 590, 300, factor()), QColor(Qt::red));
    EXPECT_EQ(at(page, 610, 300, factor()), QColor(Qt::blue));
}

TEST_F(GraphicsPrint, APictureAtNaturalSizeIsCentredAndClipped)
{
    // 100 screen pixels are 264.6 native units wide at 96 pixels per inch.
    const double natural = 100 * 254.0 / screen::pixelsPerInch();
    auto* image = add<TRpImage>(200, 100, 800, 150);
    ASSERT_TRUE(image->picture()->loadFromData(pngBytes(twoColourPicture(100, 100))));
    image->setCenter(true);
    const QImage page = printed(image);
    const double left = 200 + (800 - natural) / 2;
    EXPECT_EQ(at(page, left - 10, 175, factor()), QColor(Qt::white));
    EXPECT_EQ(at(page, left + 10, 175, factor()), QColor(Qt::red));
    EXPECT_EQ(at(page, left + natural - 10, 175, factor()), QColor(Qt::blue));
    EXPECT_EQ(at(page, left + natural + 10, 175, factor()), QColor(Qt::white));
    // Taller than the control: cut at the control's top and bottom.
    EXPECT_EQ(at(page, left + 10, 95, factor()), QColor(Qt::white));
    EXPECT_EQ(at(page, left + 10, 255, factor()), QColor(Qt::white));
}

TEST_F(GraphicsPrint, APictureWithoutCentreStartsAtTheTopLeft)
{
    auto* image = add<TRpImage>(200, 100, 800, 400);
    ASSERT_TRUE(image->picture()->loadFromData(pngBytes(twoColourPicture(100, 100))));
    const QImage page = printed(image);
    EXPECT_EQ(at(page, 210, 110, factor()), QColor(Qt::red));
    EXPECT_EQ(at(page, 190, 110, factor()), QColor(Qt::white));
    EXPECT_EQ(at(page, 600, 300, factor()), QColor(Qt::white));
}

TEST_F(GraphicsPrint, DatabasePicturesComeFromTheirField)
{
    MemoryDataSet records(QStringLiteral("Items"));
    records.add("Photo", TRpEvFieldType::Other, pngBytes(twoColourPicture(10, 10)));
    records.add("Empty", TRpEvFieldType::Other, QByteArray("not a picture"));
    auto* dataSet = new TDataSet(&document);
    context.byDataSet.insert(dataSet, &records);

    auto* image = add<TRpDBImage>(200, 100, 800, 400);
    image->setDataSet(dataSet);
    image->setDataField(QStringLiteral("Photo"));
    image->setStretch(true);
    EXPECT_EQ(at(printed(image), 220, 120, factor()), QColor(Qt::red));
    image->setDataField(QStringLiteral("Empty"));
    EXPECT_EQ(at(printed(image), 220, 120, factor()), QColor(Qt::white));
}

} // namespace
} // namespace printtest
