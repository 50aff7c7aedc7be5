// Feeds arbitrary bytes to the page picture check as one page's picture, with its checksum
// made right first so that mutations reach the records: a picture the check refuses is
// never played, and one it passes must play without crashing or allocating without bound.
// Run it with an allocation limit, e.g. -malloc_limit_mb=512 -rss_limit_mb=2048.
#include "engine/sink/rp_picture_check.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QtEndian>

#include <cstddef>
#include <cstdint>

namespace {

void ignoreMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

constexpr qsizetype kChecksumAt = 4;
constexpr qsizetype kChecksumStart = 6;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(ignoreMessages);
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray picture(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (picture.size() > kChecksumStart)
        qToBigEndian<quint16>(qChecksum(QByteArrayView(picture).sliced(kChecksumStart)), picture.data() + kChecksumAt);
    if (!rpPagePictureFault(picture).isEmpty())
        return 0;
    QPicture page;
    page.setData(picture.constData(), static_cast<uint>(picture.size()));
    QImage canvas(96, 96, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.scale(0.2, 0.2);
    painter.drawPicture(0, 0, page);
    return 0;
}
