#include "design_paint_fixture.h"

#include <QPainter>

namespace designtest {

DesignPaintTest::DesignPaintTest()
{
    report = new TReport(&document);
    report->setNameUnchecked(QStringLiteral("Report"));
    report->page()->setPaperSize(TRpPaperSize::A4);
    report->setUnits(TRpUnit::MM);
}

void DesignPaintTest::setMargins(double left, double top, double right, double bottom)
{
    TRpPage& page = *report->page();
    page.setNativeValue(TRpPage::LeftMarginValue, left);
    page.setNativeValue(TRpPage::TopMarginValue, top);
    page.setNativeValue(TRpPage::RightMarginValue, right);
    page.setNativeValue(TRpPage::BottomMarginValue, bottom);
}

TRpBand* DesignPaintTest::addBand(TRpBandType type, double height, const QString& name)
{
    const QString bandName = name.isEmpty() ? QStringLiteral("Band%1").arg(report->bandList().size() + 1) : name;
    return rpNewBand<TRpBand>(&document, report, bandName, type, height);
}

QImage DesignPaintTest::paint(const TDesignPalette& palette)
{
    return paint(QRect(QPoint(0, 0), report->bounds().size()), palette);
}

QImage DesignPaintTest::paint(const QRect& exposed, const TDesignPalette& palette)
{
    QImage image(report->bounds().size(), QImage::Format_RGB32);
    image.fill(kUnpainted);
    QPainter painter(&image);
    rpdesign::paintReport(painter, *report, exposed, kPixelsPerInch, palette);
    return image;
}

int countPixels(const QImage& image, const QRect& rect, const std::function<bool(QColor)>& test)
{
    int count = 0;
    const QRect inside = rect.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += test(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

int countColor(const QImage& image, const QRect& rect, const QColor& color)
{
    return countPixels(image, rect, [&color](QColor pixel) { return pixel.rgb() == color.rgb(); });
}

int countInk(const QImage& image, const QRect& rect)
{
    return countPixels(image, rect, [](QColor pixel) { return pixel.value() < 200; });
}

int inkWidth(const QImage& image, const QRect& rect)
{
    int first = -1, last = -1;
    const QRect inside = rect.intersected(image.rect());
    for (int x = inside.left(); x <= inside.right(); ++x) {
        if (countInk(image, QRect(x, inside.top(), 1, inside.height())) > 0) {
            if (first < 0)
                first = x;
            last = x;
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

} // namespace designtest
