// What printable controls share when they draw: the painter of a drawing pass and the
// sizes of points and screen pixels in native units.
#pragma once

#include "engine/rp_types.h"

class QPainter;
class QRectF;
class TRpPrintContext;

namespace rpdraw {

inline constexpr double kNativePerInch = 254.0;
inline constexpr double kNativePerPoint = kNativePerInch / 72.0;

// The painter of the page being drawn; null in a counting pass or outside a page.
QPainter* painter(TRpPrintContext& context);

// Device pixels per screen pixel on the sink of the pass (1 without a sink).
double screenPixelScale(TRpPrintContext& context);

// The lines or figure of a shape inside the rectangle, with the painter's pen and brush.
void drawShape(QPainter& painter, TRpShapeType shape, const QRectF& rect);

} // namespace rpdraw
