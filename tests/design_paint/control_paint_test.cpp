// Printable controls: the white box, corner marks, frame strips, transparency, and the
// captions of text controls at the zoom.
#include "design_paint_fixture.h"

#include "core/font.h"
#include "engine/design/design_context.h"
#include "engine/design/design_text.h"

#include <QPainter>

namespace designtest {
namespace {

class ControlPaint : public DesignPaintTest {
protected:
    ControlPaint()
    {
        report->page()->setRuler(false);
        band = addBand(TRpBandType::rbDetail, 600);
        band->setColor(clAqua);
    }

    // A control's rectangle in report pixels.
    QRect areaOf(const TControl& control) const { return control.bounds().translated(band->bounds().topLeft()); }

    TRpBand* band;
};

TEST_F(ControlPaint, EveryControlShowsAWhiteBoxWithBlackCornerMarks)
{
    const QList<TRpPrintable*> controls{addControl<TRpLabel>(band, 10, 10, 40, 30),
                                        addControl<TRpDBImage>(band, 60, 10, 40, 30),
                                        addControl<TRpRichText>(band, 110, 10, 40, 30)};
    const QImage image = paint();
    const QColor black(Qt::black), white(Qt::white);
    for (TRpPrintable* control : controls) {
        const QRect area = areaOf(*control);
        const char* name = control->metaObject()->className();
        // Each corner: five pixels along each edge, nothing beyond.
        const QPoint corners[] = {area.topLeft(), area.topRight(), area.bottomLeft(), area.bottomRight()};
        for (const QPoint& corner : corners) {
            const int dx = corner.x() == area.left() ? 1 : -1;
            const int dy = corner.y() == area.top() ? 1 : -1;
            for (int i = 0; i < 5; ++i) {
                EXPECT_EQ(image.pixelColor(corner.x() + dx * i, corner.y()), black) << name;
                EXPECT_EQ(image.pixelColor(corner.x(), corner.y() + dy * i), black) << name;
            }
            EXPECT_EQ(image.pixelColor(corner.x() + dx * 5, corner.y()), white) << name;
            EXPECT_EQ(image.pixelColor(corner.x(), corner.y() + dy * 5), white) << name;
        }
        EXPECT_EQ(countColor(image, area.adjusted(1, 1, -1, -1), white), (area.width() - 2) * (area.height() - 2))
            << name;
    }
}

TEST_F(ControlPaint, TransparentControlIsNotFilled)
{
    auto* label = addControl<TRpLabel>(band, 10, 10, 60, 30);
    const QPoint inside = areaOf(*label).center();
    EXPECT_EQ(paint().pixelColor(inside), QColor(Qt::white));
    label->setTransparent(true);
    const QImage image = paint();
    EXPECT_EQ(image.pixelColor(inside), QColor(Qt::cyan));
    // The corner marks stay, so that the control can still be seen.
    EXPECT_EQ(image.pixelColor(areaOf(*label).topLeft()), QColor(Qt::black));
}

TEST_F(ControlPaint, FrameStripThicknessFollowsThePointWidthAndTheZoom)
{
    const struct {
        int width; // points
        int zoom;
        int pixels;
    } cases[] = {
        {0, 100, 0}, {-2, 100, 0}, {1, 100, 1}, {-1, 100, 1}, {1, 25, 1},
        {3, 100, 4}, {3, 200, 8},  {6, 50, 4},  {2, 100, 3},
    };
    auto* label = addControl<TRpLabel>(band, 10, 10, 60, 40);
    TRpFrame& frame = *label->frame();
    frame.setColor(clRed);
    frame.setDrawLeft(true);
    frame.setDrawTop(true);
    frame.setDrawRight(true);
    frame.setDrawBottom(true);
    for (const auto& c : cases) {
        frame.setWidth(c.width);
        report->setZoom(c.zoom);
        const QImage image = paint();
        const QRect area = areaOf(*label);
        const int middleRow = area.center().y();
        int strip = 0;
        while (strip < area.width() && image.pixelColor(area.left() + strip, middleRow) == QColor(Qt::red))
            ++strip;
        EXPECT_EQ(strip, c.pixels) << c.width << " points at " << c.zoom;
        const int right = countColor(image, QRect(area.left(), middleRow, area.width(), 1), Qt::red) - strip;
        EXPECT_EQ(right, c.pixels) << c.width << " points at " << c.zoom;
    }
}

TEST_F(ControlPaint, CaptionIsWrittenInTheFontScaledToTheZoom)
{
    auto* label = addControl<TRpLabel>(band, 10, 10, 300, 60);
    label->setCaption(QStringLiteral("WWWW"));
    label->setAutoSize(false);
    report->setZoom(100);
    const int atFull = inkWidth(paint(), areaOf(*label).adjusted(1, 1, -1, -1));
    report->setZoom(200);
    const int atDouble = inkWidth(paint(), areaOf(*label).adjusted(1, 1, -1, -1));
    ASSERT_GT(atFull, 20);
    EXPECT_NEAR(double(atDouble) / atFull, 2.0, 0.15);
}

TEST_F(ControlPaint, CaptionsFollowAlignmentAndWrapping)
{
    auto* label = addControl<TRpLabel>(band, 10, 10, 200, 60);
    label->setAutoSize(false);
    label->setCaption(QStringLiteral("Total"));
    const QRect area = areaOf(*label).adjusted(1, 1, -1, -1);
    const QRect leftHalf(area.left(), area.top(), area.width() / 2, area.height());
    const QRect rightHalf(area.center().x() + 1, area.top(), area.width() / 2, area.height());

    label->setAlignment(TAlignment::taLeftJustify);
    QImage image = paint();
    EXPECT_GT(countInk(image, leftHalf), 0);
    EXPECT_EQ(countInk(image, rightHalf), 0);

    label->setAlignment(TAlignment::taRightJustify);
    image = paint();
    EXPECT_EQ(countInk(image, leftHalf), 0);
    EXPECT_GT(countInk(image, rightHalf), 0);

    // Three words in a box two words wide: two lines with word wrap, one without.
    label->setAlignment(TAlignment::taLeftJustify);
    label->setCaption(QStringLiteral("Alpha Beta Gamma"));
    label->setWidth(80);
    const QRect narrow = areaOf(*label).adjusted(1, 1, -1, -1);
    const int lineHeight = 16; // Arial 10 points at 96 pixels per inch
    const QRect secondLine(narrow.left(), narrow.top() + lineHeight + 1, narrow.width(), lineHeight - 2);
    EXPECT_GT(countInk(paint(), secondLine), 0);
    label->setWordWrap(false);
    EXPECT_EQ(countInk(paint(), secondLine), 0);
}

TEST_F(ControlPaint, DesignCaptionsOfTheTextControls)
{
    auto* expression = new TRpExpr(&document);
    auto* field = new TRpDBText(&document);
    field->setDataField(QStringLiteral("AMOUNT"));
    auto* memo = new TRpMemo(&document);
    memo->lines()->setLines({QStringLiteral("one"), QStringLiteral("two")});
    auto* system = new TRpSysData(&document);
    system->setText(QStringLiteral("Page "));
    system->setData(TRpSysDataType::rpsPageNumber);
    auto* label = new TRpLabel(&document);
    label->setCaption(QStringLiteral("Title"));

    EXPECT_EQ(rpdesign::designCaption(*expression), QStringLiteral("(none)"));
    EXPECT_EQ(rpdesign::designCaption(*field), QStringLiteral("AMOUNT"));
    EXPECT_EQ(rpdesign::designCaption(*memo), QStringLiteral("one\ntwo"));
    EXPECT_EQ(rpdesign::designCaption(*system), QStringLiteral("Page (Page#)"));
    EXPECT_EQ(rpdesign::designCaption(*label), QStringLiteral("Title"));
}

TEST_F(ControlPaint, ShapesDrawTheirOutlineInsideTheBox)
{
    auto* shape = addControl<TRpShape>(band, 10, 10, 65, 65);
    shape->pen()->setColor(clRed);
    shape->brush()->setColor(clYellow);
    const QRect area = areaOf(*shape);
    const QImage image = paint();
    EXPECT_EQ(image.pixelColor(area.center()), QColor(Qt::yellow));
    EXPECT_EQ(image.pixelColor(area.left() + 10, area.top()), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(area.right(), area.top() + 10), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(area.left() + 10, area.bottom()), QColor(Qt::red));
}

TEST_F(ControlPaint, OneBandOrControlPaintsAsInTheWholeReport)
{
    auto* label = addControl<TRpLabel>(band, 30, 20, 120, 40);
    label->setCaption(QStringLiteral("Alone"));
    label->frame()->setDrawLeft(true);
    const QImage whole = paint();
    const QRect page(QPoint(0, 0), report->bounds().size());

    QImage alone(page.size(), QImage::Format_RGB32);
    alone.fill(kUnpainted);
    {
        QPainter painter(&alone);
        rpdesign::paintControl(painter, *label, page, kPixelsPerInch, TDesignPalette::highColour());
    }
    const QRect area = areaOf(*label);
    EXPECT_EQ(alone.copy(area), whole.copy(area));
    EXPECT_EQ(countColor(alone, page, kUnpainted), page.width() * page.height() - area.width() * area.height());

    alone.fill(kUnpainted);
    {
        QPainter painter(&alone);
        rpdesign::paintBand(painter, *band, page, kPixelsPerInch, TDesignPalette::highColour());
    }
    EXPECT_EQ(alone.copy(band->bounds()), whole.copy(band->bounds()));
}

TEST_F(ControlPaint, RegisteredContentPainterDrawsForItsClassAndDescendants)
{
    auto* image = addControl<TRpDBImage>(band, 10, 10, 40, 40);
    rpdesign::registerContentPainter(TRpDBImage::staticMetaObject,
                                     [](TDesignPaintContext&, const TRpPrintable&, const QRect&) {});
    int calls = 0;
    rpdesign::registerContentPainter(
        TRpDBImage::staticMetaObject,
        [&calls](TDesignPaintContext& context, const TRpPrintable&, const QRect& area) {
            ++calls;
            context.painter().fillRect(area.adjusted(10, 10, -10, -10), Qt::green);
        });
    const QImage painted = paint();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(painted.pixelColor(areaOf(*image).center()), QColor(Qt::green));
    rpdesign::registerContentPainter(TRpDBImage::staticMetaObject, {});
}

} // namespace
} // namespace designtest
