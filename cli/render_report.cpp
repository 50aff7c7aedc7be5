#include "cli/render_report.h"

#include "cli/command.h"
#include "cli/render_options.h"
#include "cli/render_pages.h"
#include "core/error.h"
#include "engine/export/rp_export_filter.h"
#include "engine/export/rp_export_filter_library.h"
#include "engine/generation/rp_pass.h"
#include "engine/generation/rp_run_session.h"
#include "engine/rp_report.h"
#include "engine/sink/rp_page_target.h"
#include "engine/sink/rp_printer.h"

#include <QElapsedTimer>
#include <QFileInfo>

namespace cli {

namespace {

// Progress lines on standard error, once a run has taken longer than a second.
class ProgressLine {
public:
    ProgressLine(const RenderOptions& options, QString what) : m_quiet(options.quiet), m_what(std::move(what))
    {
        m_timer.start();
    }

    void operator()(int percent)
    {
        if (m_quiet || m_timer.elapsed() < 1000 || percent < m_next)
            return;
        printError(QStringLiteral("velmor-run: %1: %2%").arg(m_what).arg(percent));
        m_next = percent - percent % 10 + 10;
    }

private:
    bool m_quiet;
    QString m_what;
    QElapsedTimer m_timer;
    int m_next = 0;
};

void runPass(TReport& report, TRpRunSession& session, TRpPassOptions options, const RenderOptions& render,
             const QString& what)
{
    session.fillPassOptions(options);
    auto progress = std::make_shared<ProgressLine>(render, what);
    options.progress = [progress](int percent) { (*progress)(percent); };
    TRpPass pass(report, std::move(options));
    switch (pass.run()) {
    case TRpPassOutcome::Finished:
        return;
    case TRpPassOutcome::Busy:
        throw EVelError(QStringLiteral("The report is already running"));
    case TRpPassOutcome::Refused:
        throw EVelError(QStringLiteral("The report refused to run (BeforePrint)"));
    case TRpPassOutcome::Cancelled:
        throw EVelError(QStringLiteral("The run was cancelled"));
    }
}

void renderRecorded(TReport& report, TRpRunSession& session, const RenderOptions& options)
{
    TRpPrinter sink;
    TRpPassOptions pass;
    pass.sink = &sink;
    runPass(report, session, pass, options, QStringLiteral("pages"));
    if (!options.rpp.isEmpty())
        sink.saveToFile(options.rpp);
    if (!options.pngDir.isEmpty())
        writePngPages(sink, options.pngDir, options.dpi);
}

// A report that produced no pages leaves the device untouched (no PDF is written, an
// older one stays as it was): that is a failure, not a success.
void renderOnDevice(TReport& report, TRpRunSession& session, const RenderOptions& options, TRpPrinter& sink,
                    const QString& what, const QString& nothingWritten)
{
    TRpPassOptions pass;
    pass.sink = &sink;
    runPass(report, session, pass, options, what);
    if (sink.pagesAvailable() < 1)
        throw EVelError(QStringLiteral("The report has no pages; %1").arg(nothingWritten));
}

int exportFilterIndex(const QString& format)
{
    const QString extension = format == QLatin1String("html") ? QStringLiteral("HTM") : format.toUpper();
    const auto& entries = rpExportFilters().entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].extension.compare(extension, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    throw EVelError(QStringLiteral("No export filter writes %1").arg(format));
}

void renderExport(TReport& report, TRpRunSession& session, const RenderOptions& options)
{
    std::unique_ptr<TRpExportFilter> filter =
        rpExportFilters().create(exportFilterIndex(options.exportFormat), options.exportFile, &report);
    TRpPassOptions pass;
    pass.exportFilter = filter.get();
    runPass(report, session, pass, options, QFileInfo(options.exportFile).fileName());
}

} // namespace

void renderReport(TReport& report, TRpRunSession& session, const RenderOptions& options)
{
    if (options.compress)
        report.setOptions(report.options() | TReportOption::Compression);
    if (!options.rpp.isEmpty() || !options.pngDir.isEmpty())
        renderRecorded(report, session, options);
    if (!options.pdf.isEmpty()) {
        TRpPrinter sink;
        sink.setDestination(TRpDestination::Pdf);
        sink.setPdfFile(options.pdf);
        renderOnDevice(report, session, options, sink, QFileInfo(options.pdf).fileName(),
                       QStringLiteral("no PDF was written to \"%1\"").arg(options.pdf));
    }
    if (options.print) {
        TRpPrinter sink;
        sink.setDestination(TRpDestination::Printer);
        sink.setTarget(printerTarget(options.printer));
        renderOnDevice(report, session, options, sink, QStringLiteral("printing"), QStringLiteral("nothing was printed"));
    }
    if (!options.exportFile.isEmpty())
        renderExport(report, session, options);
}

} // namespace cli
