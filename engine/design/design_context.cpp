#include "engine/design/design_context.h"

#include "core/font.h"
#include "engine/rp_report.h"
#include "engine/text/glyph_layout.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kNativePerInch = 254.0;

int deviceDpiOf(const QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    const int dpi = device ? device->logicalDpiY() : 0;
    return dpi > 0 ? dpi : 96;
}

// A font whose size is given in points on a screen of `pixelsPerInch`, resized so that
// the painter's device draws it with the same pixel height.
QFont fontForDevice(QFont font, double points, int pixelsPerInch, int deviceDpi)
{
    font.setPointSizeF(std::max(0.5, points * pixelsPerInch / deviceDpi));
    return font;
}

} // namespace

TDesignPaintContext::TDesignPaintContext(QPainter& painter, const TReport& report, const QRect& exposed,
                                         int pixelsPerInch, const TDesignPalette& palette)
    : m_painter(painter), m_report(report), m_exposed(exposed), m_pixelsPerInch(pixelsPerInch > 0 ? pixelsPerInch : 96),
      m_zoom(report.zoom()), m_palette(palette),
      m_nativeToPixels(m_pixelsPerInch / kNativePerInch * m_zoom / 100.0), m_deviceDpi(deviceDpiOf(painter)),
      m_rulerFont(fontForDevice(QFont(palette.rulerFontFamily), palette.rulerFontPoints, m_pixelsPerInch, m_deviceDpi)),
      m_rulerMetrics(rpFontMetrics(m_rulerFont, m_deviceDpi))
{
}

int TDesignPaintContext::toPixels(double native) const
{
    return int(std::lround(toPixelsF(native)));
}

QFont TDesignPaintContext::deviceFont(const TFont& font, double scale) const
{
    const QFont base = font.toQFont();
    return fontForDevice(base, std::abs(font.size()) * scale, m_pixelsPerInch, m_deviceDpi);
}

QFontMetricsF TDesignPaintContext::metrics(const QFont& deviceFont) const
{
    return rpFontMetrics(deviceFont, m_deviceDpi);
}
