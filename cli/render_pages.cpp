#include "cli/render_pages.h"

#include "core/error.h"
#include "engine/sink/rp_page_target.h"
#include "engine/sink/rp_printer.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>

namespace cli {

namespace {

constexpr double kNativePerInch = 254.0;
constexpr double kDotsPerMetrePerDpi = 1000.0 / 25.4;

QImage renderPage(const TRpPrinter& sink, const QPicture& page, int dpi)
{
    const QSize native = sink.pageSize();
    QImage image(int(std::lround(native.width() * dpi / kNativePerInch)),
                 int(std::lround(native.height() * dpi / kNativePerInch)), QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(dpi * kDotsPerMetrePerDpi)));
    image.setDotsPerMeterY(int(std::lround(dpi * kDotsPerMetrePerDpi)));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // A picture plays back scaled from the resolution it reports to the image's; pages
    // recorded at another resolution (loaded files) need the difference on top.
    const double recorded = sink.factorX() * kNativePerInch;
    painter.scale(page.logicalDpiX() / recorded, page.logicalDpiY() / (sink.factorY() * kNativePerInch));
    painter.drawPicture(0, 0, page);
    painter.end();
    return image;
}

} // namespace

int writePngPages(const TRpPrinter& sink, const QString& dir, int dpi)
{
    if (!QDir().mkpath(dir))
        throw EVelError(QStringLiteral("Cannot create the folder \"%1\"").arg(dir));
    int written = 0;
    for (int number = 1; number <= sink.pagesAvailable(); ++number) {
        const std::optional<QPicture> page = sink.page(number);
        if (!page)
            break;
        const QString fileName = QDir(dir).filePath(QStringLiteral("page-%1.png").arg(number, 3, 10, QLatin1Char('0')));
        if (!renderPage(sink, *page, dpi).save(fileName, "PNG"))
            throw EVelError(QStringLiteral("Cannot write \"%1\"").arg(fileName));
        ++written;
    }
    return written;
}

void writePdfPages(const TRpPrinter& sink, const QString& fileName)
{
    TRpPdfTarget target(fileName);
    sink.printPages(target, sink.settings());
}

std::unique_ptr<TRpPageTarget> printerTarget(const QString& printerName)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!printerName.isEmpty()) {
        if (QPrinterInfo::printerInfo(printerName).isNull())
            throw EVelError(QStringLiteral("There is no printer \"%1\"").arg(printerName));
        printer->setPrinterName(printerName);
    } else if (QPrinterInfo::defaultPrinter().isNull()) {
        throw EVelError(QStringLiteral("There is no default printer"));
    }
    return std::make_unique<TRpPrinterTarget>(std::move(printer));
}

void printPages(const TRpPrinter& sink, const QString& printerName)
{
    std::unique_ptr<TRpPageTarget> target = printerTarget(printerName);
    sink.printPages(*target, sink.settings());
}

} // namespace cli
