#include "engine/text/text_measure.h"

#include <QPaintDevice>
#include <QPicture>

namespace {

// The screen resolution as the page recorder sees it; it does not change during a run.
int screenDpi()
{
    static const int dpi = QPicture().logicalDpiX();
    return dpi;
}

} // namespace

TRpTextMeasure::TRpTextMeasure(const QFont& font, const QPaintDevice* device)
    : m_font(font), m_dpi(device ? device->logicalDpiX() : screenDpi()), m_glyphs(false),
      m_metrics(rpFontMetrics(font, m_dpi)), m_nativePerPixel(kNativePerInch / m_dpi)
{
}

TRpTextMeasure::TRpTextMeasure(const QFont& font, const IRpGlyphPainter& glyphPainter)
    : m_font(font), m_dpi(glyphPainter.glyphResolution()), m_glyphs(true), m_metrics(rpFontMetrics(font, m_dpi)),
      m_nativePerPixel(kNativePerInch / m_dpi)
{
}

double TRpTextMeasure::width(const QString& text) const
{
    if (m_glyphs)
        return laidOut(text).advance * m_nativePerPixel;
    return m_metrics.horizontalAdvance(text) * m_nativePerPixel;
}

TRpGlyphLine TRpTextMeasure::glyphLine(const QString& text) const
{
    return m_glyphs ? laidOut(text) : TRpGlyphLine();
}

const TRpGlyphLine& TRpTextMeasure::laidOut(const QString& text) const
{
    if (text != m_lastText || m_lastLine.runs.isEmpty()) {
        m_lastLine = rpLayoutGlyphLine(m_font, m_dpi, text);
        m_lastText = text;
    }
    return m_lastLine;
}
