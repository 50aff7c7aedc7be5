// The design surface benchmark: a report of 20 bands holding 1,000 controls (labels,
// expressions, field texts, memos and shapes, some framed) painted offscreen at 96
// pixels per inch. Shows the median of several first paints (fresh image, whole report
// exposed), of repaints of a 200 × 200 pixel corner, and of whole paints at 200 percent.
//
// velmor_design_paint_bench [runs] [--save FILE]   (--save writes the 100 % paint as an image)
#include "core/font.h"
#include "engine/design/design_paint.h"
#include "engine/rp_bands.h"
#include "engine/rp_new_band.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kBands = 20;
constexpr int kControlsPerBand = 50;
constexpr int kPixelsPerInch = 96;

class BenchReport {
public:
    BenchReport()
    {
        m_report = new TReport(&m_root);
        m_report->setNameUnchecked(QStringLiteral("Report"));
        m_report->page()->setPaperSize(TRpPaperSize::A3);
        m_report->setUnits(TRpUnit::MM);
        for (int b = 0; b < kBands; ++b) {
            auto* band = rpNewBand<TRpBand>(&m_root, m_report, QStringLiteral("Band%1").arg(b + 1),
                                            b == 0 ? TRpBandType::rbTitle : TRpBandType::rbDetail, 180);
            band->setColor(b % 3 == 0 ? clWhite : (b % 3 == 1 ? clCream : clMoneyGreen));
            auto* tag = new TRpName(band);
            tag->setParentControl(band);
            tag->setBounds(4, 4, 0, 0);
            tag->font()->setName(QStringLiteral("Arial"));
            tag->font()->setSize(10);
            for (int c = 0; c < kControlsPerBand; ++c)
                addControl(band, b, c);
        }
    }

    TReport& report() { return *m_report; }

private:
    // Ten columns of five rows of controls, of every common kind.
    void addControl(TRpBand* band, int b, int c)
    {
        const double left = 20 + (c % 10) * 270;
        const double top = 5 + (c / 10) * 34;
        TRpPrintable* control = nullptr;
        switch (c % 5) {
        case 0: {
            auto* label = new TRpLabel(&m_root);
            label->setCaption(QStringLiteral("Label %1.%2 caption").arg(b).arg(c));
            control = label;
            break;
        }
        case 1: {
            auto* expression = new TRpExpr(&m_root);
            expression->setExpression(QStringLiteral("SUM(ORDERS.AMOUNT)"));
            control = expression;
            break;
        }
        case 2: {
            auto* field = new TRpDBText(&m_root);
            field->setDataField(QStringLiteral("CUSTOMER"));
            field->setTransparent(true);
            control = field;
            break;
        }
        case 3: {
            auto* memo = new TRpMemo(&m_root);
            memo->lines()->setLines({QStringLiteral("First line of a memo that wraps"), QStringLiteral("Second")});
            memo->setAutoSize(false);
            control = memo;
            break;
        }
        default:
            control = new TRpShape(&m_root);
            break;
        }
        control->setNameUnchecked(QStringLiteral("C%1_%2").arg(b).arg(c));
        control->setParentControl(band);
        TRpPrintableSize& size = *control->size();
        size.setNativeValue(TRpPrintableSize::LeftValue, left);
        size.setNativeValue(TRpPrintableSize::TopValue, top);
        size.setNativeValue(TRpPrintableSize::WidthValue, 250);
        size.setNativeValue(TRpPrintableSize::HeightValue, 30);
        if (c % 4 == 0) {
            control->frame()->setDrawTop(true);
            control->frame()->setDrawBottom(true);
        }
    }

    TComponent m_root;
    TReport* m_report;
};

double paintMilliseconds(TReport& report, const QRect& exposed)
{
    QImage image(report.bounds().size(), QImage::Format_RGB32);
    QElapsedTimer timer;
    timer.start();
    QPainter painter(&image);
    rpdesign::paintReport(painter, report, exposed, kPixelsPerInch);
    painter.end();
    return timer.nsecsElapsed() / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void measure(const char* what, TReport& report, const QRect& exposed, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(paintMilliseconds(report, exposed));
    std::printf("%-34s median %8.2f ms   min %8.2f ms   max %8.2f ms   (%d runs)\n", what, median(times),
                *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()), runs);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    const int runs = arguments.size() > 1 ? std::max(1, arguments.at(1).toInt()) : 7;
    const qsizetype save = arguments.indexOf(QStringLiteral("--save"));
    screen::setPixelsPerInch(kPixelsPerInch);
    BenchReport bench;
    TReport& report = bench.report();
    std::printf("report %d x %d pixels, %d bands, %d controls\n", report.width(), report.height(), kBands,
                kBands * kControlsPerBand);

    QElapsedTimer first;
    first.start();
    paintMilliseconds(report, report.bounds());
    std::printf("%-34s          %8.2f ms   (fonts resolved for the first time)\n", "very first paint",
                first.nsecsElapsed() / 1e6);
    measure("whole report, 100 %", report, report.bounds(), runs);
    measure("200 x 200 corner, 100 %", report, QRect(0, 0, 200, 200), runs);
    if (save > 0 && save + 1 < arguments.size()) {
        QImage image(report.bounds().size(), QImage::Format_RGB32);
        QPainter painter(&image);
        rpdesign::paintReport(painter, report, report.bounds(), kPixelsPerInch);
        painter.end();
        image.save(arguments.at(save + 1));
    }
    report.setZoom(200);
    measure("whole report, 200 %", report, report.bounds(), runs);
    return 0;
}
