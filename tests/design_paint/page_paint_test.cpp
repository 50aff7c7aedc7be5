// The page: its colour, the margin rectangle, the column lines, the report frame, and
// painting only the exposed part.
#include "design_paint_fixture.h"

#include "core/font.h"

#include <cmath>

namespace designtest {
namespace {

int pixels(double native)
{
    return int(std::lround(native * kPixelsPerInch / 254.0));
}

class PagePaint : public DesignPaintTest {
protected:
    PagePaint()
    {
        report->page()->setRuler(false);
        setMargins(200, 150, 100, 120);
    }

    int pageWidth() const { return report->width(); }
    int pageHeight() const { return report->height(); }
};

TEST_F(PagePaint, MarginRectangleIsDrawnInThePaletteMarginColourAtTheMargins)
{
    const int left = pixels(200), top = pixels(150);
    const int right = pageWidth() - pixels(100) - 1, bottom = pageHeight() - pixels(120) - 1;
    for (const TDesignPalette& palette : {TDesignPalette::highColour(), TDesignPalette::lowColour()}) {
        const QImage image = paint(palette);
        const QColor margin = palette.marginLine.color;
        const int height = bottom - top;
        const int width = right - left;
        // Broken lines: a good share of each edge is drawn, and only on the edge.
        for (int x : {left, right}) {
            EXPECT_GT(countColor(image, QRect(x, top, 1, height), margin), height / 4) << x;
            EXPECT_EQ(countColor(image, QRect(x - 1, top + 1, 1, height - 2), margin), 0) << x;
            EXPECT_EQ(countColor(image, QRect(x + 1, top + 1, 1, height - 2), margin), 0) << x;
        }
        for (int y : {top, bottom}) {
            EXPECT_GT(countColor(image, QRect(left, y, width, 1), margin), width / 4) << y;
            EXPECT_EQ(countColor(image, QRect(left + 1, y - 1, width - 2, 1), margin), 0) << y;
            EXPECT_EQ(countColor(image, QRect(left + 1, y + 1, width - 2, 1), margin), 0) << y;
        }
        EXPECT_EQ(image.pixelColor(pageWidth() / 2, pageHeight() / 2), QColor(Qt::white));
    }
}

TEST_F(PagePaint, TwoColumnsMarkWhereTheFirstEndsAndTheSecondBeginsAboveTheTopMargin)
{
    report->page()->setColumns(2);
    report->page()->setNativeValue(TRpPage::ColumnSpaceValue, 100);
    const QImage image = paint();
    const QColor margin = TDesignPalette::highColour().marginLine.color;
    const int left = pixels(200), top = pixels(150), space = pixels(100);
    const int width = int(std::lround((pageWidth() - left - pixels(100) - space) / 2.0));
    const int firstEnds = left + width, secondBegins = left + width + space;

    for (int x : {firstEnds, secondBegins}) {
        EXPECT_GT(countColor(image, QRect(x, 0, 1, top), margin), top / 4) << x;
        EXPECT_EQ(countColor(image, QRect(x, top + 2, 1, 200), margin), 0) << x;
    }
    // Nothing between the two lines, nor anywhere else above the top margin.
    EXPECT_EQ(countColor(image, QRect(firstEnds + 1, 0, space - 1, top), margin), 0);
    EXPECT_EQ(countColor(image, QRect(left + 1, 0, width - 2, top), margin), 0);
    EXPECT_EQ(countColor(image, QRect(secondBegins + 1, 0, pageWidth() - secondBegins - 2, top - 1), margin), 0);
}

TEST_F(PagePaint, OneColumnDrawsNoColumnLines)
{
    const QImage image = paint();
    const QColor margin = TDesignPalette::highColour().marginLine.color;
    EXPECT_EQ(countColor(image, QRect(0, 0, pageWidth(), pixels(150)), margin), 0);
}

TEST_F(PagePaint, ReportFrameSidesFollowTheMarginRectangleInTheFrameColour)
{
    TRpFrame& frame = *report->frame();
    frame.setColor(clRed);
    frame.setDrawLeft(true);
    frame.setDrawBottom(true);
    const QImage image = paint();
    const int left = pixels(200), top = pixels(150);
    const int right = pageWidth() - pixels(100) - 1, bottom = pageHeight() - pixels(120) - 1;
    const QColor red(Qt::red);
    EXPECT_EQ(countColor(image, QRect(left, top, 1, bottom - top + 1), red), bottom - top + 1);
    EXPECT_EQ(countColor(image, QRect(left, bottom, right - left + 1, 1), red), right - left + 1);
    EXPECT_EQ(countColor(image, QRect(right, top, 1, bottom - top), red), 0);
    EXPECT_EQ(countColor(image, QRect(left + 1, top, right - left, 1), red), 0);
}

TEST_F(PagePaint, DisabledReportIsGreyWhateverItsColour)
{
    report->setColor(clYellow);
    EXPECT_EQ(paint().pixelColor(pageWidth() / 2, pageHeight() / 2), QColor(Qt::yellow));
    report->setEnabled(false);
    EXPECT_EQ(paint().pixelColor(pageWidth() / 2, pageHeight() / 2), QColor(192, 192, 192));
}

TEST_F(PagePaint, OnlyTheExposedPartIsPainted)
{
    report->page()->setRuler(true);
    TRpBand* band = addBand(TRpBandType::rbDetail, 300);
    addControl<TRpLabel>(band, 300, 10, 100, 30)->setCaption(QStringLiteral("Far away"));
    const QRect exposed(0, 0, 120, 120);
    const QImage image = paint(exposed);

    EXPECT_EQ(countColor(image, exposed, kUnpainted), 0);
    const QRect farPart(200, 200, pageWidth() - 200, pageHeight() - 200);
    EXPECT_EQ(countColor(image, farPart, kUnpainted), farPart.width() * farPart.height());
    const QRect label = band->controls().first()->bounds().translated(band->bounds().topLeft());
    EXPECT_EQ(countColor(image, label, kUnpainted), label.width() * label.height());
}

} // namespace
} // namespace designtest
