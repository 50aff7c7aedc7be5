// Painting the report tree on the design surface. The design window calls these from its
// paint event with a painter whose origin is the report's top-left corner; everything is
// drawn in report pixels at the report's zoom, and only what crosses `exposed` is drawn,
// so that repainting a small part of a large report stays cheap.
//
// `pixelsPerInch` is the screen's logical resolution, the one the report's pixel bounds
// were computed at. The palette defaults to the one chosen for the primary screen.
#pragma once

#include "engine/design/band_name_tag.h"
#include "engine/design/design_controls.h"
#include "engine/design/design_palette.h"

#include <QColor>
#include <QRect>

class QPainter;
class TReport;
class TRpCustomBand;
class TRpPrintable;

namespace rpdesign {

// The whole tree: the page (report colour, grey (192, 192, 192) when disabled), its
// rulers with labels, the margin rectangle, the column lines, the report frame; then the
// report's children in stacking order: each band with its rulers, outline, frame, type
// caption, controls and name tag; controls placed on the report itself.
void paintReport(QPainter& painter, const TReport& report, const QRect& exposed, int pixelsPerInch,
                 const TDesignPalette& palette = TDesignPalette::current());

// One band and the controls on it, where the band lies on its report.
void paintBand(QPainter& painter, const TRpCustomBand& band, const QRect& exposed, int pixelsPerInch,
               const TDesignPalette& palette = TDesignPalette::current());

// One control, where it lies on its band (or on the report).
void paintControl(QPainter& painter, const TRpPrintable& control, const QRect& exposed, int pixelsPerInch,
                  const TDesignPalette& palette = TDesignPalette::current());

// The colour a band is filled with: its own, or grey (192, 192, 192) when disabled.
QColor bandFillColor(const TRpCustomBand& band);

} // namespace rpdesign
