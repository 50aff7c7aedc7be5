// Builds a report from the input's bytes (see band_layout_builder.h) and runs it onto a
// page sink. Generation must end, normally or with an error naming the cause; it must
// not crash, recurse without bound or keep starting pages it cannot fill.
#include "fuzz/generation/band_layout_builder.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

namespace {

void ignoreMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    qInstallMessageHandler(ignoreMessages);
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    (void)bandlayout::run(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
