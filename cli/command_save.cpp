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

int runSave(const QStringList& args)
{
    const qsizetype at = args.indexOf(QStringLiteral("--save"));
    if (at < 0 || at + 2 >= args.size()) {
        printError(QStringLiteral("velmor-run: --save needs OUT and FILE"));
        return Usage;
    }
    const QString out = args.at(at + 1);
    const QString in = args.at(at + 2);
    classregistration::registerStorableClasses();
    docmessages::setHandler([](const QString& text) { printError(text); });
    try {
        if (filekind::of(in) == TVelFileKind::Vdm)
            return saveDataModule(in, out);
        return saveReport(in, out);
    } catch (const std::exception& error) {
        printError(QString::fromUtf8(error.what()));
        return Failure;
    }
}

const CommandRegistration registration{
    {QStringLiteral("--save"), QStringLiteral("--save OUT FILE    write a report or datamodule as VRP, VTX, VDM or DFM"),
     runSave}};

} // namespace

} // namespace cli
