// Bands: their colour, outline, frame, type caption and name tag.
#include "design_paint_fixture.h"

#include "core/font.h"

namespace designtest {
namespace {

QColor farthestFrom(const QImage& image, const QRect& rect, const QColor& from)
{
    QColor farthest = from;
    int distance = 0;
    countPixels(image, rect, [&](QColor pixel) {
        const int d = std::abs(pixel.red() - from.red()) + std::abs(pixel.green() - from.green())
            + std::abs(pixel.blue() - from.blue());
        if (d > distance) {
            distance = d;
            farthest = pixel;
        }
        return false;
    });
    return farthest;
}

class BandPaint : public DesignPaintTest {
protected:
    BandPaint()
    {
        report->page()->setRuler(false);
        band = addBand(TRpBandType::rbDetail, 400);
    }

    // A point well inside the band, away from its outline, caption and tag.
    QPoint middle() const { return band->bounds().center(); }

    // The caption's place: the bottom-left corner of the band.
    QRect captionArea() const
    {
        const QRect area = band->bounds();
        return QRect(area.left() + 2, area.bottom() - 16, 80, 14);
    }

    TRpBand* band;
};

TEST_F(BandPaint, DisabledBandIsGreyWhateverItsColour)
{
    for (TColor color : {clWhite, clRed, clBlue, clBlack, clYellow}) {
        band->setColor(color);
        band->setEnabled(true);
        EXPECT_EQ(paint().pixelColor(middle()), color.toQColor()) << color.toText().toStdString();
        band->setEnabled(false);
        EXPECT_EQ(paint().pixelColor(middle()), QColor(192, 192, 192)) << color.toText().toStdString();
    }
}

TEST_F(BandPaint, OutlineRunsAlongTheFourEdgesInThePaletteOutlineColour)
{
    for (const TDesignPalette& palette : {TDesignPalette::highColour(), TDesignPalette::lowColour()}) {
        const QImage image = paint(palette);
        const QRect area = band->bounds();
        const QColor outline = palette.bandOutline.color;
        EXPECT_GT(countColor(image, QRect(area.left(), area.top(), area.width(), 1), outline), area.width() / 4);
        EXPECT_GT(countColor(image, QRect(area.left(), area.bottom(), area.width(), 1), outline), area.width() / 4);
        EXPECT_GT(countColor(image, QRect(area.left(), area.top(), 1, area.height()), outline), area.height() / 4);
        EXPECT_GT(countColor(image, QRect(area.right(), area.top(), 1, area.height()), outline), area.height() / 4);
        EXPECT_EQ(countColor(image, area.adjusted(1, 1, -1, -1), outline), 0);
    }
}

TEST_F(BandPaint, CaptionNamesTheBandTypeAtTheBottomLeft)
{
    const QImage detail = paint();
    EXPECT_GT(countInk(detail, captionArea()), 10);
    // Nothing is written higher up on the left.
    EXPECT_EQ(countInk(detail, captionArea().translated(0, -30)), 0);

    band->setBandType(TRpBandType::rbSummary);
    const QImage summary = paint();
    EXPECT_GT(countInk(summary, captionArea()), 10);
    EXPECT_NE(detail.copy(captionArea()), summary.copy(captionArea()));
}

TEST_F(BandPaint, FrameStripsAreDrawnInsideTheBand)
{
    TRpFrame& frame = *band->frame();
    frame.setColor(clRed);
    frame.setDrawTop(true);
    frame.setDrawRight(true);
    const QRect area = band->bounds();
    const QColor red(Qt::red);

    frame.setWidth(0);
    EXPECT_EQ(countColor(paint(), area, red), 0);

    frame.setWidth(3); // 3 points are 4 pixels at 96 pixels per inch
    const QImage image = paint();
    EXPECT_EQ(countColor(image, QRect(area.left(), area.top(), area.width(), 4), red), area.width() * 4);
    EXPECT_EQ(countColor(image, QRect(area.right() - 3, area.top(), 4, area.height()), red), area.height() * 4);
    EXPECT_EQ(countColor(image, QRect(area.left(), area.top() + 4, area.width() - 4, area.height() - 4), red), 0);
}

TEST_F(BandPaint, NameTagShowsTheBandNameInAColourThatStandsOut)
{
    auto* tag = new TRpName(band);
    tag->setParentControl(band);
    tag->setBounds(4, 4, 0, 0);
    tag->font()->setName(QStringLiteral("Arial"));
    tag->font()->setSize(10);
    const QRect tagArea = QRect(4, 4, 60, 14).translated(band->bounds().topLeft());

    const struct {
        TColor band;
        bool enabled;
        QColor text;
    } cases[] = {
        {clWhite, true, Qt::black},
        {clBlue, true, QColor(192, 192, 192)},
        {clBlack, true, Qt::white},
        {clBlack, false, Qt::black}, // a disabled band is grey under the tag
    };
    for (const auto& c : cases) {
        band->setColor(c.band);
        band->setEnabled(c.enabled);
        const QImage image = paint();
        // Smoothed edges blend towards the band; the strongest pixel is the text colour.
        EXPECT_EQ(farthestFrom(image, tagArea, rpdesign::bandFillColor(*band)), c.text)
            << c.band.toText().toStdString() << " " << c.enabled;
        EXPECT_GT(countColor(image, tagArea, c.text), 2) << c.band.toText().toStdString() << " " << c.enabled;
    }

    band->setColor(clWhite);
    band->setEnabled(true);
    tag->setVisible(false);
    EXPECT_EQ(countInk(paint(), tagArea), 0);
}

TEST_F(BandPaint, TagColourRule)
{
    const struct {
        QColor band;
        QColor tag;
    } cases[] = {
        {Qt::white, Qt::black},
        {QColor(0, 0, 255), QColor(192, 192, 192)},
        {Qt::black, Qt::white},
        {QColor(150, 0, 0), QColor(192, 192, 192)},
        {QColor(149, 149, 149), Qt::white},
        {QColor(0, 150, 150), Qt::black},
        {QColor(192, 192, 192), Qt::black},
        {QColor(), Qt::black}, // no colour counts as white
    };
    for (const auto& c : cases)
        EXPECT_EQ(rpdesign::bandNameTagColor(c.band), c.tag) << c.band.name().toStdString();
}

TEST_F(BandPaint, ControlsAreClippedToTheirBand)
{
    report->setColor(clYellow);
    band->setColor(clWhite);
    addControl<TRpLabel>(band, 50, band->height() - 10, 80, 40);
    const QImage image = paint();
    const QRect area = band->bounds();
    // The part below the band stays as the page shows it.
    const QRect below(area.left() + 50, area.bottom() + 1, 80, 30);
    EXPECT_EQ(countColor(image, below, Qt::yellow), below.width() * below.height());
    EXPECT_EQ(countInk(image, below), 0);
}

} // namespace
} // namespace designtest
