// velmor-run [--pdf OUT] [--png DIR] [--rpp OUT] [--export FORMAT OUT] [--print [PRINTER]]
// FILE: runs a report (VRP, VTX, RPE, DFM) with its datasets and parameters, or takes
// the pages of a prepared report (RPP), and writes every output asked for.
#include "cli/command.h"

#include "cli/render_options.h"
#include "cli/render_pages.h"
#include "cli/render_report.h"
#include "core/error.h"
#include "document/class_registration.h"
#include "document/document_messages.h"
#include "document/file_kind.h"
#include "document/vel_data_module.h"
#include "document/vel_data_module_link.h"
#include "document/vel_design.h"
#include "engine/generation/rp_run_session.h"
#include "engine/sink/rp_page_list.h"
#include "engine/sink/rp_page_recoding.h"
#include "engine/sink/rp_printer.h"

namespace cli {

namespace {

// Saves the loaded pages; with --compress, plain pages are splay-coded on the way.
void savePrepared(const TRpPrinter& sink, const RenderOptions& options)
{
    const TRpPageList& pages = *sink.pageList();
    if (options.compress && !pages.compressed())
        rpWritePageList(*rpRecodedPages(pages, true), options.rpp);
    else
        sink.saveToFile(options.rpp);
}

int renderPrepared(const RenderOptions& options)
{
    if (!options.exportFile.isEmpty()) {
        printError(QStringLiteral("velmor-run: an export runs a report; \"%1\" is a prepared report").arg(options.input));
        return Failure;
    }
    TRpPrinter sink;
    sink.loadFromFile(options.input);
    if (!options.rpp.isEmpty())
        savePrepared(sink, options);
    if (!options.pngDir.isEmpty())
        writePngPages(sink, options.pngDir, options.dpi);
    if (!options.pdf.isEmpty())
        writePdfPages(sink, options.pdf);
    if (options.print)
        printPages(sink, options.printer);
    return Success;
}

int renderDocument(const RenderOptions& options)
{
    classregistration::registerStorableClasses();
    bool failed = false;
    docmessages::setHandler([&failed](const QString& text) {
        failed = true;
        printError(QStringLiteral("velmor-run: %1").arg(text));
    });
    TfrmVelDesign document;
    if (!document.loadFromFile(options.input) || failed)
        return Failure;
    TReport* report = document.report();
    if (!report) {
        printError(QStringLiteral("velmor-run: \"%1\" holds no report").arg(options.input));
        return Failure;
    }
    QList<TComponent*> dataModules;
    for (TVelDataModuleLink* link : document.dataModuleLinks()) {
        if (link->dataModule())
            dataModules.append(link->dataModule());
    }
    TRpRunSession session(*report, dataModules);
    const QStringList unknown = session.setParameters(options.params);
    if (!unknown.isEmpty()) {
        printError(QStringLiteral("velmor-run: the report has no parameter %1").arg(unknown.join(QStringLiteral(", "))));
        return Failure;
    }
    session.openDataSets();
    renderReport(*report, session, options);
    return Success;
}

int runRender(const QStringList& args)
{
    QString error;
    const std::optional<RenderOptions> options = parseRenderOptions(args, error);
    if (!options) {
        printError(QStringLiteral("velmor-run: %1; see --help").arg(error));
        return Usage;
    }
    try {
        if (filekind::of(options->input) == TVelFileKind::Rpp)
            return renderPrepared(*options);
        return renderDocument(*options);
    } catch (const std::exception& failure) {
        printError(QStringLiteral("velmor-run: %1").arg(QString::fromUtf8(failure.what())));
        return Failure;
    }
}

Command renderCommand(const char* option, const char* synopsis)
{
    return {QString::fromLatin1(option), QString::fromLatin1(synopsis), runRender};
}

const CommandRegistration registrations[] = {
    CommandRegistration{renderCommand("--pdf", "--pdf OUT          run the report (or take the RPP's pages) and write a PDF")},
    CommandRegistration{renderCommand("--png", "--png DIR          write DIR/page-001.png, page-002.png, ... (--dpi N, default 96)")},
    CommandRegistration{renderCommand("--rpp", "--rpp OUT          save the prepared report (--compress to use the splay coding)")},
    CommandRegistration{renderCommand("--export", "--export csv|html|txt OUT   run an export pass with that filter")},
    CommandRegistration{renderCommand("--print", "--print [PRINTER]  print on the named printer, or the default one")},
    CommandRegistration{renderCommand("--param", "--param NAME=VALUE set a query parameter (repeatable)")},
    CommandRegistration{renderCommand("--quiet", "--quiet            no progress lines on standard error")},
};

} // namespace

} // namespace cli
