// Printing of shapes and pictures.
#include "engine/rp_printable.h"

#include "core/font.h"
#include "engine/expr/expr_dataset.h"
#include "engine/rp_print_context.h"
#include "engine/rp_printable_drawing.h"
#include "engine/sink/rp_printer.h"

#include <QPainter>

#include <exception>

namespace {


// Stretched pictures fill the area; others keep their natural size (their pixels taken
// as screen pixels), optionally centred, and are clipped to the area.
void drawImage(TRpPrintContext& context, const QRectF& area, const QImage& image, bool stretch, bool center)
{
    QPainter* painter = rpdraw::painter(context);
    if (!painter || image.isNull())
        return;
    const TRpPrinter& sink = *context.sink();
    const QRectF device = sink.toDevice(area);
    if (stretch) {
        painter->drawImage(device, image);
        return;
    }
    const double nativePerPixel = rpdraw::kNativePerInch / screen::pixelsPerInch();
    QRectF natural(area.topLeft(), QSizeF(image.width() * nativePerPixel, image.height() * nativePerPixel));
    if (center)
        natural.moveCenter(area.center());
    painter->save();
    painter->setClipRect(device, Qt::IntersectClip);
    painter->drawImage(sink.toDevice(natural), image);
    painter->restore();
}

} // namespace

void TRpShape::printContents(TRpPrintContext& context, const QRectF& area)
{
    QPainter* painter = rpdraw::painter(context);
    if (!painter)
        return;
    painter->save();
    painter->setPen(m_pen->toQPen(rpdraw::screenPixelScale(context)));
    painter->setBrush(m_brush->toQBrush());
    rpdraw::drawShape(*painter, m_shape, context.sink()->toDevice(area));
    painter->restore();
}

void TRpImage::printContents(TRpPrintContext& context, const QRectF& area)
{
    drawImage(context, area, m_picture->image(), m_stretch, m_center);
}

void TRpDBImage::prepare(TRpPrintContext& context)
{
    TRpPrintable::prepare(context);
    m_evDataSet = m_dataSet ? context.evaluatorDataSet(m_dataSet) : nullptr;
    m_fieldIndex = m_evDataSet ? m_evDataSet->fieldIndex(m_dataField) : -1;
}

void TRpDBImage::unprepare()
{
    TRpPrintable::unprepare();
    m_evDataSet = nullptr;
    m_fieldIndex = -1;
}

// A graphic field holds a picture file's bytes, or a picture in the stored form of
// report files (graphic class name, then its data).
QImage TRpDBImage::fieldImage() const
{
    if (!m_evDataSet || m_fieldIndex < 0)
        return {};
    try {
        const IRpEvField* field = m_evDataSet->field(m_fieldIndex);
        const QByteArray bytes = field ? field->value().toByteArray() : QByteArray();
        if (bytes.isEmpty())
            return {};
        QImage image = QImage::fromData(bytes);
        if (image.isNull()) {
            TPicture picture;
            if (picture.fromStoredData(bytes))
                image = picture.image();
        }
        return image;
    } catch (const std::exception&) {
        return {};
    }
}

void TRpDBImage::printContents(TRpPrintContext& context, const QRectF& area)
{
    if (rpdraw::painter(context))
        drawImage(context, area, fieldImage(), m_stretch, m_center);
}
