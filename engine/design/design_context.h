// The state one paint of the design surface shares between its parts: the painter, the
// screen resolution and zoom, the palette, the exposed area and the fonts in use.
#pragma once

#include "engine/design/design_palette.h"

#include <QFont>
#include <QFontMetricsF>
#include <QRect>

class QPainter;
class TFont;
class TReport;

class TDesignPaintContext {
public:
    TDesignPaintContext(QPainter& painter, const TReport& report, const QRect& exposed, int pixelsPerInch,
                        const TDesignPalette& palette);

    QPainter& painter() const { return m_painter; }
    const TReport& report() const { return m_report; }
    // The area to repaint, in report pixels; nothing outside it needs drawing.
    const QRect& exposed() const { return m_exposed; }
    int pixelsPerInch() const { return m_pixelsPerInch; }
    int zoom() const { return m_zoom; }
    const TDesignPalette& palette() const { return m_palette; }

    // Native units (tenths of a millimetre) as screen pixels at the zoom.
    double toPixelsF(double native) const { return native * m_nativeToPixels; }
    int toPixels(double native) const;

    // The ruler and caption font as the painter's device draws it, and its metrics.
    const QFont& rulerFont() const { return m_rulerFont; }
    const QFontMetricsF& rulerMetrics() const { return m_rulerMetrics; }
    // A font of the report tree drawn at `scale` times its size at the screen resolution,
    // ready for the painter's device.
    QFont deviceFont(const TFont& font, double scale) const;
    // Metrics of a font made by deviceFont.
    QFontMetricsF metrics(const QFont& deviceFont) const;

private:
    QPainter& m_painter;
    const TReport& m_report;
    QRect m_exposed;
    int m_pixelsPerInch;
    int m_zoom;
    const TDesignPalette& m_palette;
    double m_nativeToPixels;
    int m_deviceDpi;
    QFont m_rulerFont;
    QFontMetricsF m_rulerMetrics;
};
