// Text metrics of a font in native units (tenths of a millimetre), measured at the
// resolution of the device the text is drawn on.
#pragma once

#include "engine/text/glyph_layout.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>

class QPaintDevice;

class TRpTextMeasure {
public:
    static constexpr double kNativePerInch = 254.0;

    // Without a device the screen resolution is used.
    explicit TRpTextMeasure(const QFont& font, const QPaintDevice* device = nullptr);
    // Measures by glyph layout at a glyph painter's resolution, so that the widths are
    // those of the glyph lines later drawn.
    TRpTextMeasure(const QFont& font, const IRpGlyphPainter& glyphPainter);

    double width(const QString& text) const;
    // The glyphs of a line, when measuring by glyph layout (empty otherwise).
    TRpGlyphLine glyphLine(const QString& text) const;
    bool laysOutGlyphs() const { return m_glyphs; }
    // The height of one printed line: the font's ascent plus descent.
    double lineHeight() const { return m_metrics.height() * m_nativePerPixel; }
    double ascent() const { return m_metrics.ascent() * m_nativePerPixel; }
    // The size of one device pixel.
    double pixel() const { return m_nativePerPixel; }

private:
    const TRpGlyphLine& laidOut(const QString& text) const;

    QFont m_font;
    int m_dpi;
    bool m_glyphs;
    // Wrapping measures a line before it is drawn; the last layout serves both.
    mutable QString m_lastText;
    mutable TRpGlyphLine m_lastLine;
    QFontMetricsF m_metrics;
    double m_nativePerPixel;
};
