// velmor-run [--pdf OUT] [--png DIR] [--rpp OUT] [--export FORMAT OUT] [--print [PRINTER]]
// FILE: runs a report (VRP, VTX, RPE, DFM) with its datasets and parameters, or takes
// the pages of a prepared report (RPP), and writes every output asked for.
#include "cli/command.h"

#include "cli/render_options.h"
#include "cli/render_pages.h"
#include "cli/render_report.h"
#include "core/error.h"
#include "core/output_file.h"
#include "data/dataset.h"
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

#include <QDir>
#include <QFileInfo>

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
    if (!options.params.isEmpty()) {
        printError(QStringLiteral("velmor-run: a prepared report takes no parameters; \"%1\" is one").arg(options.input));
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

// The files a report reads besides itself: the database files and folders its datasets
// name, and its datamodules' files.
QStringList dataFiles(const TRpRunSession& session, const QList<TComponent*>& dataModules)
{
    QStringList files;
    for (TDataSet* dataSet : session.dataSets()) {
        for (const char* property : {"DatabaseName", "FileName"}) {
            const QString name = dataSet->property(property).toString();
            if (!name.isEmpty() && QFileInfo::exists(name))
                files.append(name);
        }
    }
    for (TComponent* dataModule : dataModules) {
        if (auto* module = qobject_cast<TVelDataModule*>(dataModule); module && !module->fileName().isEmpty())
            files.append(module->fileName());
    }
    return files;
}

bool isTableFile(const QString& fileName)
{
    static const QStringList tableExtensions{QStringLiteral("db"), QStringLiteral("dbf"), QStringLiteral("csv")};
    return tableExtensions.contains(QFileInfo(fileName).suffix().toLower());
}

// An output that would replace a file the report reads from: that file itself, or a
// table file in a database folder.
QString outputOverDataFile(const RenderOptions& options, const QStringList& dataFiles)
{
    for (const QString& output : options.outputFiles()) {
        if (output == QLatin1String("-"))
            continue;
        const QFileInfo out(output);
        for (const QString& data : dataFiles) {
            const QFileInfo in(data);
            if (velSameFile(output, data) || out.absoluteFilePath() == in.absoluteFilePath())
                return output;
            if (in.isDir() && isTableFile(output)
                && QDir::cleanPath(out.absolutePath()) == QDir::cleanPath(in.absoluteFilePath()))
                return output;
        }
    }
    return {};
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
    const QString clash = outputOverDataFile(options, dataFiles(session, dataModules));
    if (!clash.isEmpty()) {
        printError(QStringLiteral("velmor-run: the output \"%1\" is a file the report reads its data from").arg(clash));
        return Failure;
    }
    const QStringList unknown = session.setParameters(options.params);
    if (!unknown.isEmpty()) {
        printError(QStringLiteral("velmor-run: the report has no parameter %1").arg(unknown.join(QStringLiteral(", "))));
        return Failure;
    }
    session.openDataSets();
    renderReport(*report, session, options);
    return failed ? Failure : Success;
}

} // namespace

int runRender(const RenderOptions& options)
{
    try {
        if (filekind::of(options.input) == TVelFileKind::Rpp)
            return renderPrepared(options);
        return renderDocument(options);
    } catch (const std::exception& failure) {
        printError(QStringLiteral("velmor-run: %1").arg(QString::fromUtf8(failure.what())));
        return Failure;
    }
}

} // namespace cli
