// The PDF writer against QPdfWriter on a list report's pages: 100,000 rows on 1,888 A4
// pages, each text item over its own white background rectangle.
//
// Passes: the glyph layout alone (the floor the writer adds to), our device with glyph
// lines drawn directly, our device through QPainter::drawText, and QPdfWriter through
// QPainter::drawText. Prints seconds, file size and peak memory of each.
// Options: --no-qt skips QPdfWriter; --keep leaves the files.
#include "engine/pdf/rp_pdf_device.h"
#include "engine/text/glyph_layout.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <functional>

namespace {

constexpr int kRows = 100000;
constexpr int kResolution = 1200;
constexpr int kColumns = 5;
// 53 rows and ten header and footer items a page: 1,888 pages, about 520,000 items.
constexpr int kRowsPerPage = 53;
constexpr int kPageItems = 10;

struct TItem {
    QRectF box;
    QString text;
};

// Calls `item` for every text item of the report and `page` between pages.
void forEachItem(const std::function<void(const TItem&)>& item, const std::function<void()>& page)
{
    const double mm = kResolution / 25.4;
    const double columnX[kColumns] = {10 * mm, 30 * mm, 90 * mm, 125 * mm, 160 * mm};
    const double columnWidth[kColumns] = {18 * mm, 58 * mm, 33 * mm, 33 * mm, 38 * mm};
    const int pages = (kRows + kRowsPerPage - 1) / kRowsPerPage;
    int row = 0;
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            page();
        for (int h = 0; h < kPageItems; ++h) {
            const double y = (h < 5 ? 8 : 285) * mm;
            item({QRectF(columnX[h % 5], y, columnWidth[h % 5], 4.5 * mm),
                  h == 9 ? QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages) : QStringLiteral("Heading %1").arg(h)});
        }
        for (int r = 0; r < kRowsPerPage && row < kRows; ++r, ++row) {
            const double y = (20 + r * 5) * mm;
            const QString texts[kColumns] = {QString::number(row + 1), QStringLiteral("Customer number %1").arg(row * 7 % 9973),
                                             QStringLiteral("2024-%1-%2").arg(row % 12 + 1, 2, 10, QLatin1Char('0')).arg(row % 28 + 1, 2, 10, QLatin1Char('0')),
                                             QStringLiteral("%L1").arg((row % 100000) * 1.37, 0, 'f', 2),
                                             QStringLiteral("Ciudad Señor %1 €").arg(row % 50)};
            for (int c = 0; c < kColumns; ++c)
                item({QRectF(columnX[c], y, columnWidth[c], 4.5 * mm), texts[c]});
        }
    }
}

// Processor time of this process: on a shared machine it moves less than the wall clock.
double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

// Wall-clock and processor seconds of one pass.
struct TTimes {
    double wall = 0;
    double cpu = 0;
};

template <typename Pass>
TTimes timed(const Pass& pass)
{
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = cpuSeconds();
    pass();
    return {timer.nsecsElapsed() / 1e9, cpuSeconds() - cpuStart};
}

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void report(const char* name, TTimes times, const QString& file, int items)
{
    std::printf("%-42s %7.3f s (cpu %6.3f s) %9.1f KB  items %d  peak RSS %ld MB\n", name, times.wall, times.cpu,
                file.isEmpty() ? 0.0 : QFileInfo(file).size() / 1024.0, items, peakMegabytes());
}

const QFont& reportFont()
{
    static const QFont font(QStringLiteral("Liberation Sans"), 9);
    return font;
}

void layoutOnly(int* items)
{
    double sink = 0;
    forEachItem([&](const TItem& item) {
        sink += rpLayoutGlyphLine(reportFont(), kResolution, item.text).advance;
        ++*items;
    }, [] {});
    if (sink < 0)
        std::printf("?");
}

void ourDevice(const QString& file, bool glyphLines, int* items)
{
    TRpPdfDevice device;
    if (!device.begin(file, QSizeF(210, 297), kResolution, QStringLiteral("Bench"), QStringLiteral("velmor_pdf_bench"))) {
        std::printf("%s\n", qPrintable(device.errorString()));
        return;
    }
    QPainter painter(&device);
    painter.setFont(reportFont());
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    const double ascent = rpFontMetrics(reportFont(), kResolution).ascent();
    forEachItem(
        [&](const TItem& item) {
            painter.drawRect(item.box);
            const QPointF baseline(item.box.x(), item.box.y() + ascent);
            if (glyphLines) {
                device.drawGlyphLine(baseline, rpLayoutGlyphLine(reportFont(), kResolution, item.text), Qt::black);
            } else {
                painter.setPen(Qt::black);
                painter.drawText(baseline, item.text);
                painter.setPen(Qt::NoPen);
            }
            ++*items;
        },
        [&] { device.newPage(); });
    painter.end();
    if (!device.end())
        std::printf("%s\n", qPrintable(device.errorString()));
}

void qtWriter(const QString& file, int* items)
{
    QPdfWriter writer(file);
    writer.setResolution(kResolution);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    painter.setFont(reportFont());
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    const double ascent = QFontMetricsF(painter.font()).ascent();
    forEachItem(
        [&](const TItem& item) {
            painter.drawRect(item.box);
            painter.setPen(Qt::black);
            painter.drawText(QPointF(item.box.x(), item.box.y() + ascent), item.text);
            painter.setPen(Qt::NoPen);
            ++*items;
        },
        [&] { writer.newPage(); });
    painter.end();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const bool withQt = !app.arguments().contains(QStringLiteral("--no-qt"));
    // --keep leaves the files for checking with qpdf or pdftotext.
    dir.setAutoRemove(!app.arguments().contains(QStringLiteral("--keep")));
    if (!dir.autoRemove())
        std::printf("files in %s\n", qPrintable(dir.path()));

    int items = 0;
    const TTimes layout = timed([&] { layoutOnly(&items); });
    report("glyph layout alone", layout, {}, items);

    items = 0;
    const QString lines = dir.filePath(QStringLiteral("lines.pdf"));
    const TTimes direct = timed([&] { ourDevice(lines, true, &items); });
    report("TRpPdfDevice, glyph lines + rectangles", direct, lines, items);
    report("  of which the writer (minus the layout)", {direct.wall - layout.wall, direct.cpu - layout.cpu}, {}, items);

    items = 0;
    const QString text = dir.filePath(QStringLiteral("text.pdf"));
    const TTimes painted = timed([&] { ourDevice(text, false, &items); });
    report("TRpPdfDevice, QPainter::drawText + rects", painted, text, items);

    if (withQt) {
        items = 0;
        const QString qt = dir.filePath(QStringLiteral("qt.pdf"));
        const TTimes reference = timed([&] { qtWriter(qt, &items); });
        report("QPdfWriter, QPainter::drawText + rects", reference, qt, items);
        std::printf("ratio QPdfWriter / TRpPdfDevice with glyph lines: %.1f (cpu %.1f)\n", reference.wall / direct.wall,
                    reference.cpu / direct.cpu);
    }
    return 0;
}
