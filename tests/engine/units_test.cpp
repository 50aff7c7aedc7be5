#include "engine/rp_printable.h"
#include "report_fixture.h"

namespace {

struct UnitCase {
    TRpUnit unit;
    int zoom;
    bool horizontal;
    double native;
    double display;
};

class UnitConversion : public ::testing::TestWithParam<UnitCase> {};

TEST_P(UnitConversion, BothWays)
{
    const UnitCase& c = GetParam();
    TRpPrintableSize size;
    size.setResolution(96);
    size.setZoom(c.zoom);
    size.setFontSizeSource([] { return -10; }); // the absolute size counts
    EXPECT_NEAR(size.toUnit(c.native, c.unit, c.horizontal), c.display, 1e-9);
    EXPECT_NEAR(size.fromUnit(c.display, c.unit, c.horizontal), c.native, 1e-9);
}

// A character of a 10-point font is 6 points wide and 12 points high.
constexpr double kCharWidth = 6 * 254.0 / 72;
constexpr double kCharHeight = 12 * 254.0 / 72;

INSTANTIATE_TEST_SUITE_P(
    Units, UnitConversion,
    ::testing::Values(UnitCase{TRpUnit::MM, 100, true, 100, 10}, UnitCase{TRpUnit::MM, 250, false, 2970, 297},
                      UnitCase{TRpUnit::Inches, 100, true, 254, 1}, UnitCase{TRpUnit::Inches, 100, false, 127, 0.5},
                      UnitCase{TRpUnit::Pixels, 100, true, 254, 96}, UnitCase{TRpUnit::Pixels, 200, true, 254, 192},
                      UnitCase{TRpUnit::Pixels, 50, false, 508, 96},
                      UnitCase{TRpUnit::Characters, 100, true, 3 * kCharWidth, 3},
                      UnitCase{TRpUnit::Characters, 100, false, 2 * kCharHeight, 2},
                      UnitCase{TRpUnit::Native, 300, true, 123.5, 123.5}));

TEST_F(MetricReport, ChangingUnitsKeepsNativeValues)
{
    auto* band = addBand(QStringLiteral("DetailBand1"));
    auto* label = new TRpLabel(&document);
    label->setParentControl(band);
    label->size()->setWidth(25); // millimetres
    EXPECT_DOUBLE_EQ(label->size()->nativeValue(TRpPrintableSize::WidthValue), 250);
    report->setUnits(TRpUnit::Inches);
    EXPECT_NEAR(label->size()->width(), 250 / 254.0, 1e-12);
    EXPECT_NEAR(report->page()->width(), 2100 / 254.0, 1e-12);
    EXPECT_NEAR(band->size()->height(), band->size()->nativeValue(TRpBandSize::HeightValue) / 254.0, 1e-12);
    report->setUnits(TRpUnit::MM);
    EXPECT_DOUBLE_EQ(label->size()->width(), 25);
}

struct PaperCase {
    TRpPaperSize paper;
    TPrinterOrientation orientation;
    double width;
    double length;
};

class PaperSizes : public MetricReport, public ::testing::WithParamInterface<PaperCase> {};

TEST_P(PaperSizes, SetWidthAndLengthWithOrientation)
{
    const PaperCase& c = GetParam();
    report->page()->setOrientation(c.orientation);
    report->page()->setPaperSize(c.paper);
    EXPECT_DOUBLE_EQ(report->page()->width(), c.width);
    EXPECT_DOUBLE_EQ(report->page()->length(), c.length);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PaperSizes,
    ::testing::Values(PaperCase{TRpPaperSize::A4, TPrinterOrientation::poPortrait, 210, 297},
                      PaperCase{TRpPaperSize::A4, TPrinterOrientation::poLandscape, 297, 210},
                      PaperCase{TRpPaperSize::Letter, TPrinterOrientation::poPortrait, 215.9, 279.4},
                      PaperCase{TRpPaperSize::Ledger, TPrinterOrientation::poPortrait, 431.8, 279.4},
                      PaperCase{TRpPaperSize::Legal, TPrinterOrientation::poLandscape, 355.6, 215.9},
                      PaperCase{TRpPaperSize::Env9, TPrinterOrientation::poPortrait, 98.43, 225.4},
                      PaperCase{TRpPaperSize::ESheet, TPrinterOrientation::poPortrait, 100, 100},
                      PaperCase{TRpPaperSize::A5, TPrinterOrientation::poLandscape, 210, 148}));

TEST_F(MetricReport, OrientationReappliesThePaper)
{
    TRpPage* page = report->page();
    page->setPaperSize(TRpPaperSize::A4);
    page->setOrientation(TPrinterOrientation::poLandscape);
    EXPECT_DOUBLE_EQ(page->width(), 297);
    EXPECT_DOUBLE_EQ(page->length(), 210);
    page->setOrientation(TPrinterOrientation::poPortrait);
    EXPECT_DOUBLE_EQ(page->width(), 210);
    EXPECT_DOUBLE_EQ(page->length(), 297);
}

TEST_F(MetricReport, WidthAndLengthOnlyForCustomPaper)
{
    TRpPage* page = report->page();
    page->setPaperSize(TRpPaperSize::A4);
    page->setWidth(100);
    page->setLength(100);
    EXPECT_DOUBLE_EQ(page->width(), 210);
    EXPECT_DOUBLE_EQ(page->length(), 297);
    page->setPaperSize(TRpPaperSize::Custom);
    EXPECT_DOUBLE_EQ(page->width(), 210); // choosing Custom keeps the size
    page->setWidth(100);
    page->setLength(150);
    EXPECT_DOUBLE_EQ(page->width(), 100);
    EXPECT_DOUBLE_EQ(page->length(), 150);
    page->setPaperSize(TRpPaperSize::Default);
    EXPECT_DOUBLE_EQ(page->width(), 100);
}

TEST_F(MetricReport, ZoomLimits)
{
    auto* band = addBand(QStringLiteral("DetailBand1"));
    const int height = band->height();
    for (int refused : {0, -5, 301, 1000}) {
        report->setZoom(refused);
        EXPECT_EQ(report->zoom(), 100) << refused;
    }
    report->setZoom(200);
    EXPECT_EQ(report->zoom(), 200);
    EXPECT_NEAR(band->height(), 2 * height, 1);
    EXPECT_EQ(report->width(), report->pixels(2100));
    report->setZoom(1);
    EXPECT_EQ(report->zoom(), 1);
    report->setZoom(300);
    EXPECT_EQ(report->zoom(), 300);
}

TEST_F(MetricReport, PixelBoundsWriteBackToNativeSize)
{
    auto* band = addBand(QStringLiteral("DetailBand1"));
    auto* label = new TRpLabel(&document);
    label->setParentControl(band);
    label->setBounds(96, 48, 192, 24);
    EXPECT_NEAR(label->size()->left(), 25.4, 1e-9);
    EXPECT_NEAR(label->size()->top(), 12.7, 1e-9);
    EXPECT_NEAR(label->size()->width(), 50.8, 1e-9);
    report->setZoom(50);
    EXPECT_EQ(label->left(), 48);
    EXPECT_EQ(label->width(), 96);
    EXPECT_NEAR(label->size()->width(), 50.8, 1e-9);
}

} // namespace
