// Rulers on the page: which lines show at which zoom, their colours, and their labels.
#include "design_paint_fixture.h"

#include <cmath>

namespace designtest {
namespace {

class RulerPaint : public DesignPaintTest {
protected:
    RulerPaint()
    {
        // Margins off the ruler lines of both units, so that they hide none of them.
        setMargins(120, 120, 120, 120);
    }
};

TEST_F(RulerPaint, LinesAndLabelsFollowTheUnitAndTheZoom)
{
    const TDesignPalette palette = TDesignPalette::highColour();
    const QColor white(Qt::white);
    const struct {
        TRpUnit units;
        int zoom;
        double linesPerInch;
        int minorPerMajor;
        bool minorShown;
        bool labelled;
    } cases[] = {
        {TRpUnit::MM, 50, 5.08, 2, false, false},
        {TRpUnit::MM, 59, 5.08, 2, false, false},
        {TRpUnit::MM, 60, 5.08, 2, true, true},
        {TRpUnit::MM, 100, 5.08, 2, true, true},
        {TRpUnit::Inches, 40, 4, 4, false, true},
        {TRpUnit::Inches, 50, 4, 4, true, true},
        {TRpUnit::Inches, 100, 4, 4, true, true},
    };
    for (const auto& c : cases) {
        report->setUnits(c.units);
        report->setZoom(c.zoom);
        const QImage image = paint(palette);
        const double step = kPixelsPerInch / c.linesPerInch * c.zoom / 100.0;
        const int minorX = int(std::lround(step));
        const int majorX = int(std::lround(c.minorPerMajor * step));
        // A row between two horizontal lines, inside the page and below the top labels.
        const int row = int(std::lround(10.5 * step));
        const std::string where = "units " + std::to_string(int(c.units)) + " zoom " + std::to_string(c.zoom);

        EXPECT_EQ(image.pixelColor(majorX, row), palette.majorRulerLine.color) << where;
        EXPECT_EQ(image.pixelColor(minorX, row), c.minorShown ? palette.minorRulerLine.color : white) << where;
        EXPECT_EQ(image.pixelColor(minorX - 1, row), white) << where;
        EXPECT_EQ(image.pixelColor(majorX + 1, row), white) << where;

        const QRect topLabel(majorX + 2, 0, 12, 10);
        const QRect leftLabel(0, majorX + 2, 12, 10);
        EXPECT_EQ(countInk(image, topLabel) > 0, c.labelled) << where;
        EXPECT_EQ(countInk(image, leftLabel) > 0, c.labelled) << where;
        // Nothing is written left of the first major line's label.
        EXPECT_EQ(countInk(image, QRect(minorX + 2, 0, majorX - minorX - 2, 10)), 0) << where;
    }
}

TEST_F(RulerPaint, RulersOffOrInPixelsDrawNoLines)
{
    report->page()->setRuler(false);
    QImage image = paint();
    const QRect page(QPoint(0, 0), report->bounds().size());
    const QRect insideMargins = page.adjusted(60, 60, -60, -60);
    EXPECT_EQ(countColor(image, insideMargins, Qt::white), insideMargins.width() * insideMargins.height());

    report->page()->setRuler(true);
    report->setUnits(TRpUnit::Pixels);
    image = paint();
    EXPECT_EQ(countColor(image, insideMargins, Qt::white), insideMargins.width() * insideMargins.height());
}

TEST_F(RulerPaint, CharacterRulersAreDottedEveryTenCharactersAcrossAndEveryLineDown)
{
    report->setUnits(TRpUnit::Characters);
    const TDesignPalette palette = TDesignPalette::highColour();
    const QImage image = paint(palette);
    const TRpPage& page = *report->page();
    const int across = int(std::lround(page.fromUnit(10, TRpUnit::Characters, true) * kPixelsPerInch / 254.0));
    const int down = int(std::lround(page.fromUnit(1, TRpUnit::Characters, false) * kPixelsPerInch / 254.0));
    ASSERT_GT(across, 10);
    ASSERT_GT(down, 5);

    // Dotted: the line holds ruler pixels with gaps between them.
    const QRect column(across, 300, 1, 100);
    const int dots = countColor(image, column, palette.majorRulerLine.color);
    EXPECT_GT(dots, 20);
    EXPECT_LT(dots, 100);
    EXPECT_EQ(countColor(image, QRect(across + 1, 20 * down + 1, 1, down - 1), palette.majorRulerLine.color), 0);
    EXPECT_GT(countColor(image, QRect(300, 20 * down, 100, 1), palette.majorRulerLine.color), 20);
    // Labelled "10" beside the first vertical line, and "1" below the first horizontal.
    EXPECT_GT(countInk(image, QRect(across + 2, 0, 14, 10)), 0);
    EXPECT_GT(countInk(image, QRect(0, down + 2, 8, std::min(down - 2, 10))), 0);
}

} // namespace
} // namespace designtest
