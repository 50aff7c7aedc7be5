// The name tag a band shows at its top-left corner on the design surface.
#pragma once

#include <QColor>
#include <QPoint>

class TDesignPaintContext;
class TRpName;

namespace rpdesign {

// The tag's text colour over a band of `bandColour`: counting the red, green and blue
// components of 150 or more, one gives light grey (192, 192, 192), two or three black,
// none white. An invalid colour counts as white.
QColor bandNameTagColor(const QColor& bandColour);

// Writes the tag at (4, 4) on its band, whose top-left is `bandOrigin` in report pixels:
// the band's name (the tag's caption when it is not on a band), in the tag's font at the
// screen resolution, in the colour that stands out against `bandColour`.
void drawBandNameTag(TDesignPaintContext& context, const TRpName& tag, const QPoint& bandOrigin,
                     const QColor& bandColour);

} // namespace rpdesign
