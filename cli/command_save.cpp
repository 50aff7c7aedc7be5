// velmor-run --save OUT FILE: loads a report or datamodule file and writes it in the
// form OUT's extension selects (VRP, VTX, VDM, DFM).
#include "cli/command.h"

#include "document/class_registration.h"
#include "document/document_messages.h"
#include "document/file_kind.h"
#include "document/report_file.h"
#include "document/vel_application.h"
#include "document/vel_data_module.h"
#include "document/vel_design.h"

namespace cli {

namespace {

bool isReportOutput(TVelFileKind kind)
{
    return kind == TVelFileKind::Vrp || kind == TVelFileKind::Vtx || kind == TVelFileKind::Dfm;
}

int saveDataModule(const QString& in, const QString& out)
{
    if (filekind::of(out) != TVelFileKind::Vdm) {
        printError(QStringLiteral("velmor-run: a datamodule is written as VDM, not as \"%1\"").arg(out));
        return Failure;
    }
    TVelDataModule* dataModule = TVelApplication::instance().createDataModule();
    if (!reportfile::loadDataModule(*dataModule, in))
        return Failure;
    reportfile::saveDataModule(*dataModule, out);
    return Success;
}

int saveReport(const QString& in, const QString& out)
{
    if (!isReportOutput(filekind::of(out))) {
        printError(QStringLiteral("velmor-run: \"%1\": a report is written as VRP, VTX or DFM").arg(out));
        return Failure;
    }
    TfrmVelDesign document;
    if (!document.loadFromFile(in))
        return Failure;
    return document.saveToFile(out) ? Success : Failure;
}

} // namespace

int runSave(const QString& out, const QString& in)
{
    classregistration::registerStorableClasses();
    // Every message of the document layer is an error of this run (a datamodule that
    // cannot be read, a backup that cannot be made): the file may be written, but the run
    // does not end as a success.
    bool reported = false;
    docmessages::setHandler([&reported](const QString& text) {
        reported = true;
        printError(QStringLiteral("velmor-run: %1").arg(text));
    });
    try {
        const int status = filekind::of(in) == TVelFileKind::Vdm ? saveDataModule(in, out) : saveReport(in, out);
        return reported ? Failure : status;
    } catch (const std::exception& error) {
        printError(QStringLiteral("velmor-run: %1").arg(QString::fromUtf8(error.what())));
        return Failure;
    }
}

} // namespace cli
