// Feeds arbitrary bytes to the prepared report reader as a file: loading must either
// succeed or fail with ERpPreparedFileError, and every page must either be refused with
// ERpPreparedFileError or pass the page picture check and play.
// Run it with TMPDIR on a memory file system (/dev/shm): each input is written to a file.
#include "engine/sink/rp_errors.h"
#include "engine/sink/rp_printer.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QFile>

#include <cstddef>
#include <cstdint>

namespace {

QTemporaryDir* workFolder = nullptr;

void ignoreMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(ignoreMessages); // damaged pictures make Qt warn on every input
    static QGuiApplication application(*argc, *argv);
    workFolder = new QTemporaryDir();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString fileName = workFolder->filePath(QStringLiteral("input.rpp"));
    {
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    TRpPrinter sink;
    try {
        sink.loadFromFile(fileName);
    } catch (const ERpPreparedFileError&) {
        return 0;
    }
    QImage canvas(64, 64, QImage::Format_RGB32);
    for (int page = 1; page <= sink.pagesAvailable() && page <= 4; ++page) {
        try {
            const std::optional<QPicture> picture = sink.page(page);
            if (!picture)
                __builtin_trap(); // every counted page must be there
            canvas.fill(Qt::white);
            QPainter painter(&canvas);
            painter.scale(0.05, 0.05);
            painter.drawPicture(0, 0, *picture);
        } catch (const ERpPreparedFileError&) {
            // a damaged or unsafe page; the pages after it still play
        }
    }
    if (sink.page(sink.pagesAvailable() + 1))
        __builtin_trap();
    return 0;
}
