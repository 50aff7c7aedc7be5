// Frames and corner marks on the design surface.
#pragma once

#include <QRect>

class QPainter;
class TRpFrame;

namespace rpdesign {

// The thickness in screen pixels of a frame side `widthPoints` wide at the zoom: at
// least one pixel for a positive width or -1 (the thinnest line); none otherwise.
int frameStripThickness(int widthPoints, int pixelsPerInch, int zoom);

// Each side the frame draws as a solid strip inside `area`, `thickness` pixels thick:
// top and bottom across the full width, left and right down the full height. The frame's
// pen style does not change the strips.
void drawFrameStrips(QPainter& painter, const TRpFrame& frame, const QRect& area, int thickness);

// Each side the frame draws as a one-pixel line in its colour and pen style along the
// edges of `area` (the last pixel row and column inside it for the right and bottom).
void drawFrameLines(QPainter& painter, const TRpFrame& frame, const QRect& area);

// Black marks in the four corners of `area`, each a horizontal and a vertical line five
// pixels long, so that an empty control stays visible.
void drawCornerMarks(QPainter& painter, const QRect& area);

} // namespace rpdesign
