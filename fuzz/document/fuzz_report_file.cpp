// Fuzzes the report file reader: headers of every version, the datamodule entries, both
// stream forms and form resources, read into a report document. The first input byte
// picks the file kind; datamodules named by headers are never loaded from disk.
#include "core/error.h"
#include "document/class_registration.h"
#include "document/document_messages.h"
#include "document/report_file.h"
#include "document/vel_application.h"
#include "document/vel_design.h"

#include <QGuiApplication>

#include <cstdint>

namespace {

void setUp()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_report_file";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
    classregistration::registerStorableClasses();
    docmessages::setHandler([](const QString&) {});
    reportfile::setDataModuleLoader([](const QString&, const QString&) { return nullptr; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    setUp();
    if (size == 0)
        return 0;
    static const char* const names[] = {"fuzz.VRP", "fuzz.VTX", "fuzz.RPE", "fuzz.DFM"};
    const QString fileName = QLatin1String(names[data[0] % 4]);
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    TfrmVelDesign document;
    try {
        reportfile::loadReportBytes(document, bytes, fileName);
        document.completeAfterLoad();
        document.documentReady();
    } catch (const std::exception&) {
    }
    TVelApplication::instance().closeAll();
    return 0;
}
