// Times what a user does with four large, repetitive inputs: opening a report of 1,500
// bands that all carry one name, a report whose header names 40,000 datamodules that
// cannot be found, a report of 100,000 labels on one band, and a CSV table whose heading
// has 400,000 columns. Each is timed at half and at full size; a ratio near 2 means the
// time grows linearly, near 4 quadratically. Run with QT_QPA_PLATFORM=offscreen; an
// argument runs only the cases whose description contains it.
#include "core/stream/component_stream.h"
#include "data/table.h"
#include "document/class_registration.h"
#include "document/document_messages.h"
#include "document/report_file.h"
#include "document/vel_application.h"
#include "document/vel_design.h"
#include "engine/rp_bands.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

QByteArray bandsWithOneName(int count)
{
    TfrmVelDesign document;
    for (int i = 0; i < count; ++i) {
        auto* band = new TRpBand(&document);
        band->setNameUnchecked(QStringLiteral("Detail"));
        band->setParentControl(document.report());
    }
    return reportfile::encodeReport(document, true);
}

QByteArray siblingLabels(int count)
{
    TfrmVelDesign document;
    auto* band = new TRpBand(&document);
    band->setNameUnchecked(QStringLiteral("Detail"));
    band->setParentControl(document.report());
    for (int i = 0; i < count; ++i) {
        auto* label = new TRpLabel(&document);
        label->setNameUnchecked(QStringLiteral("Label%1").arg(i + 1));
        label->setParentControl(band);
    }
    return reportfile::encodeReport(document, false);
}

void appendShortText(QByteArray& bytes, const QByteArray& text)
{
    bytes.append(char(text.size() & 0xFF)).append(char(text.size() >> 8)).append(text);
}

// A binary report file whose header lists datamodules that exist nowhere.
QByteArray missingDataModules(int count)
{
    TfrmVelDesign document;
    const QByteArray plain = reportfile::encodeReport(document, false);
    QByteArray bytes = plain.left(reportfile::kHeaderSize + 2); // magic and empty title
    for (int i = 0; i < count; ++i) {
        appendShortText(bytes, "Missing" + QByteArray::number(i));
        appendShortText(bytes, "/no/such/folder/missing" + QByteArray::number(i) + ".vdm");
    }
    bytes += plain.mid(reportfile::kHeaderSize + 2);
    return bytes;
}

QByteArray wideCsv(int columns)
{
    QByteArray heading, values;
    for (int i = 0; i < columns; ++i) {
        heading += (i ? "," : "") + ("C" + QByteArray::number(i));
        values += i ? ",1" : "1";
    }
    return heading + '\n' + values + '\n';
}

double secondsOf(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

double openReport(const QString& path)
{
    return secondsOf([&] {
        TfrmVelDesign document;
        if (!document.loadFromFile(path))
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(document.lastError()));
    });
}

double openCsv(const QString& folder, const QString& name)
{
    return secondsOf([&] {
        TTable table;
        table.setDatabaseName(folder);
        table.setTableName(name);
        table.open();
        if (table.fields().isEmpty())
            std::fprintf(stderr, "%s: no fields\n", qPrintable(name));
    });
}

void report(const char* what, int size, double half, double full)
{
    std::printf("%-44s %8d  half %8.3f s  full %8.3f s  ratio %5.2f\n", what, size, half, full, full / half);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    classregistration::registerStorableClasses();
    docmessages::setHandler([](const QString&) {});
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const auto wanted = [&](const char* what) { return QString::fromLatin1(what).contains(only); };
    QTemporaryDir folder;
    const auto path = [&](const QString& name) { return folder.filePath(name); };

    struct Case {
        const char* what;
        int size;
        std::function<QByteArray(int)> make;
        const char* extension;
    };
    const Case reports[] = {
        {"report of bands with one name", 1500, bandsWithOneName, "VTX"},
        {"report header of missing datamodules", 40000, missingDataModules, "VRP"},
        {"report of sibling labels", 100000, siblingLabels, "VRP"},
    };
    for (const Case& c : reports) {
        if (!wanted(c.what))
            continue;
        double times[2];
        for (int step = 0; step < 2; ++step) {
            const int size = step == 0 ? c.size / 2 : c.size;
            const QString file = path(QStringLiteral("case%1.%2").arg(size).arg(QLatin1String(c.extension)));
            if (!writeFile(file, c.make(size)))
                return 1;
            times[step] = openReport(file);
            TVelApplication::instance().closeAll();
        }
        report(c.what, c.size, times[0], times[1]);
    }

    const int columns = 400000;
    if (!wanted("CSV table of a wide heading"))
        return 0;
    double times[2];
    for (int step = 0; step < 2; ++step) {
        const int size = step == 0 ? columns / 2 : columns;
        const QString name = QStringLiteral("wide%1.csv").arg(size);
        if (!writeFile(path(name), wideCsv(size)))
            return 1;
        times[step] = openCsv(folder.path(), name);
    }
    report("CSV table of a wide heading", columns, times[0], times[1]);
    return 0;
}
