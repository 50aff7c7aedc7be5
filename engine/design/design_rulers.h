// The ruler lines of the design surface, in the report's units at the zoom.
#pragma once

#include <QRect>

class TDesignPaintContext;

namespace rpdesign {

// Draws the rulers of the report's units over `area` (whose top-left is the rulers'
// origin), only where they cross `visible`:
// - millimetres: a line every half centimetre, each whole centimetre major and labelled
//   in centimetres; below a zoom of 60 only the whole centimetres, and no labels;
// - inches: a line every quarter inch, each whole inch major and labelled in inches;
//   below a zoom of 50 only the whole inches;
// - characters: dotted lines every ten character widths across (labelled 10, 20 ...)
//   and every character height down (labelled 1, 2 ...);
// - other units: none.
// Labels sit 2 pixels right of a vertical line at the top and 2 pixels below a
// horizontal line at the left, and are drawn only when `labelled`.
void drawRulers(TDesignPaintContext& context, const QRect& area, const QRect& visible, bool labelled);

} // namespace rpdesign
