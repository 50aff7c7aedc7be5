#include "engine/rp_printable_drawing.h"

#include "core/font.h"
#include "engine/rp_print_context.h"
#include "engine/sink/rp_printer.h"

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

} // namespace rpdraw
