// Designer benchmark, offscreen: a report of 1,000 labels on 20 bands. Prints the
// median processor and wall time of opening and first painting it, of one mouse-move
// step of a 100-control selection with its repaint, of select-all plus align-left, and
// checks that 100 undo/redo round trips leave the saved file byte-identical.
#include "design/design_geometry.h"
#include "design/design_surface.h"
#include "design/design_window.h"
#include "design/selection_list.h"
#include "document/class_registration.h"
#include "document/vel_design.h"
#include "engine/rp_new_band.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr int kBands = 20;
constexpr int kPerBand = 50;
constexpr int kRuns = 5;

struct Sample {
    double cpuMs;
    double wallMs;
};

double cpuNow()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

Sample measure(const std::function<void()>& run)
{
    QElapsedTimer wall;
    const double cpu = cpuNow();
    wall.start();
    run();
    return {cpuNow() - cpu, wall.nsecsElapsed() / 1e6};
}

void report(const char* what, std::vector<Sample> samples, double targetMs)
{
    auto median = [&](auto field) {
        std::vector<double> values;
        for (const Sample& s : samples)
            values.push_back(s.*field);
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    std::printf("%-44s cpu %8.2f ms  wall %8.2f ms  (target %.0f ms, median of %zu)\n", what,
                median(&Sample::cpuMs), median(&Sample::wallMs), targetMs, samples.size());
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void buildReport(const QString& path)
{
    TVelDesignWindow window;
    TReport* report = window.report();
    report->page()->setPaperSize(TRpPaperSize::Custom);
    report->page()->setNativeValue(TRpPage::WidthValue, 2100);
    report->page()->setNativeValue(TRpPage::LengthValue, kBands * 560 + 400);
    for (int b = 0; b < kBands; ++b) {
        TRpBand* band = rpNewBand(window.document(), report, QStringLiteral("Band%1").arg(b + 1),
                                  TRpBandType::rbDetail, 560);
        for (int i = 0; i < kPerBand; ++i) {
            auto* label = new TRpLabel(window.document());
            label->setNameUnchecked(QStringLiteral("L%1_%2").arg(b + 1).arg(i + 1));
            label->setCaption(QStringLiteral("Field %1").arg(i + 1));
            label->setParentControl(band);
            label->setBounds(10 + (i % 10) * 70, 8 + (i / 10) * 40, 64, 18);
        }
    }
    window.saveToFile(path);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    QApplication app(argc, argv);
    classregistration::registerStorableClasses();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bench.vrp"));
    buildReport(path);

    std::vector<Sample> open;
    for (int run = 0; run < kRuns; ++run) {
        open.push_back(measure([&] {
            TVelDesignWindow window;
            window.loadFromFile(path);
            window.show();
            window.surface()->grab(QRect(QPoint(), window.surface()->size()));
        }));
    }
    report("open and first paint, 1,000 controls", open, 300);

    TVelDesignWindow window;
    window.loadFromFile(path);
    window.show();
    QTest::qWait(10);
    QList<TControl*> controls = designgeometry::printableControls(window.report());

    std::vector<Sample> align;
    for (int run = 0; run < kRuns; ++run) {
        align.push_back(measure([&] {
            window.selectAll();
            window.align(0);
        }));
        window.undoStack()->undo();
    }
    report("select all + align left, 1,000 controls", align, 100);

    // A selection of 100 controls dragged by the mouse, one repaint per step.
    window.selectControls(controls.mid(0, 100));
    QWidget* surface = window.surface();
    const QPoint start = designgeometry::offsetInReport(controls.first()) + QPoint(3, 3);
    QTest::mousePress(surface, Qt::LeftButton, {}, start);
    QTest::mouseMove(surface, start + QPoint(4, 0));
    surface->repaint();
    std::vector<Sample> steps;
    for (int step = 1; step <= 30; ++step) {
        steps.push_back(measure([&] {
            QTest::mouseMove(surface, start + QPoint(4 + step, step % 7));
            surface->repaint();
        }));
    }
    QTest::mouseRelease(surface, Qt::LeftButton, {}, start + QPoint(34, 2));
    report("one mouse-move step of 100 controls + repaint", steps, 16);

    window.saveToFile(path);
    const QByteArray saved = readAll(path);
    window.selectAll();
    window.align(5);
    window.moveSelectionBy(3, 0);
    // Round trips between the saved state and the newest edit, ending at the saved state.
    QUndoStack* stack = window.undoStack();
    const int savedIndex = stack->cleanIndex();
    for (int round = 0; round < 100; ++round) {
        stack->setIndex(savedIndex);
        stack->setIndex(stack->count());
    }
    stack->setIndex(savedIndex);
    const QString again = folder.filePath(QStringLiteral("again.vrp"));
    window.saveToFile(again);
    const bool identical = readAll(again) == saved;
    std::printf("100 undo/redo round trips, saved file byte-identical: %s\n", identical ? "yes" : "NO");
    return identical ? 0 : 1;
}
