#include "sink_test_pages.h"

#include <QPainter>

namespace sinktest {

void drawPage(TRpPrinter& sink, int pageNumber)
{
    QPainter& painter = *sink.painter();
    const QSize paper = sink.pageSize();
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(sink.toDevice(QRectF(100, 100, paper.width() - 200, paper.height() - 200)));
    painter.fillRect(sink.toDevice(QRectF(100, 300, paper.width() - 200, 100)), QColor(200, 220, 255));
    painter.drawLine(sink.toDevice(QPointF(100, 500)), sink.toDevice(QPointF(1000, 500 + pageNumber * 10)));
    QFont font(QStringLiteral("Liberation Sans"), 12);
    painter.setFont(font);
    painter.drawText(sink.toDevice(QPointF(150, 700)), QStringLiteral("Page %1 of the report").arg(pageNumber));
}

void generate(TRpPrinter& sink, int pageCount)
{
    sink.beginDocument();
    for (int page = 1; page <= pageCount; ++page) {
        sink.newPage();
        drawPage(sink, page);
    }
    sink.endDocument();
}

QImage render(const QPicture& picture)
{
    const QRect frame = picture.boundingRect();
    QImage image(frame.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawPicture(0, 0, picture);
    painter.end();
    return image;
}

} // namespace sinktest
