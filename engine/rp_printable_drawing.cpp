#include "engine/rp_printable_drawing.h"

#include "core/font.h"
#include "engine/rp_print_context.h"
#include "engine/sink/rp_printer.h"

#include <QPainter>

namespace rpdraw {

QPainter* painter(TRpPrintContext& context)
{
    TRpPrinter* sink = context.sink();
    return context.finalPass() && sink ? sink->painter() : nullptr;
}

double screenPixelScale(TRpPrintContext& context)
{
    TRpPrinter* sink = context.sink();
    return sink ? sink->factorX() * kNativePerInch / screen::pixelsPerInch() : 1.0;
}

void drawShape(QPainter& painter, TRpShapeType shape, const QRectF& r)
{
    switch (shape) {
    case TRpShapeType::rpsRectangle:
        painter.drawRect(r);
        break;
    case TRpShapeType::rpsCircle:
        painter.drawEllipse(r);
        break;
    case TRpShapeType::rpsVertLine:
        painter.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
        break;
    case TRpShapeType::rpsHorLine:
        painter.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
        break;
    case TRpShapeType::rpsTopAndBottom:
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        break;
    case TRpShapeType::rpsRightAndLeft:
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.drawLine(r.topRight(), r.bottomRight());
        break;
    }
}

} // namespace rpdraw
