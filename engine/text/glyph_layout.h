// Glyphs of one line of text, laid out once so that the width used to place the line and
// the glyphs drawn are the same. Plain left-to-right text in scripts without shaping
// (Latin, Greek, Cyrillic, punctuation, currency signs) maps characters to glyphs
// straight through the font's character map; anything else goes through Qt's shaper.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QString>

struct TRpGlyphRun {
    QRawFont font;              // the face, at the device pixel size
    QList<quint32> glyphs;      // glyph indexes into the face
    QList<QPointF> positions;   // pen offsets of each glyph from the line start, device pixels, y down
    QList<char32_t> characters; // the character each glyph stands for (0 when not one-to-one)
};

struct TRpGlyphLine {
    QList<TRpGlyphRun> runs;
    double advance = 0; // the width of the whole line, device pixels
};

// Lays out one line of text in a font as a device of the given resolution shows it.
TRpGlyphLine rpLayoutGlyphLine(const QFont& font, int dpi, const QString& text,
                               Qt::LayoutDirection direction = Qt::LeftToRight);

// The face a font resolves to on a device of the given resolution (cached per thread).
QRawFont rpRawFont(const QFont& font, int dpi);

// The font resolved for a device of the given resolution, as QFont(font, device) gives it.
QFont rpDeviceFont(const QFont& font, int dpi);

// Font metrics at the given resolution (cached per thread with the face).
QFontMetricsF rpFontMetrics(const QFont& font, int dpi);

// A device that draws laid-out glyph lines itself, without shaping them again.
class IRpGlyphPainter {
public:
    virtual ~IRpGlyphPainter() = default;
    // The resolution glyph lines for this device are laid out at.
    virtual int glyphResolution() const = 0;
    // Draws a line with its pen position at baselineStart, in device coordinates.
    virtual void drawGlyphLine(const QPointF& baselineStart, const TRpGlyphLine& line, const QColor& color) = 0;
};
