#include "engine/text/glyph_layout.h"

#include <QPaintDevice>
#include <QTextLayout>
#include <QTextOption>

#include <vector>

namespace {

// A stand-in device that only answers its resolution, so fonts resolve as on the real one.
class ResolutionDevice final : public QPaintDevice {
public:
    explicit ResolutionDevice(int dpi) : m_dpi(dpi) {}
    QPaintEngine* paintEngine() const override { return nullptr; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_dpi;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        case PdmDepth:
            return 32;
        default:
            return 1000;
        }
    }

private:
    int m_dpi;
};

struct CachedFace {
    QFont font;
    int dpi;
    QFont deviceFont;
    QRawFont raw;
    QFontMetricsF metrics;
};

// Reports use a handful of fonts; the last one asked for is usually asked for again.
CachedFace& cachedFace(const QFont& font, int dpi)
{
    thread_local std::vector<CachedFace> faces;
    thread_local size_t last = 0;
    if (last < faces.size() && faces[last].dpi == dpi && faces[last].font == font)
        return faces[last];
    for (size_t i = 0; i < faces.size(); ++i) {
        if (faces[i].dpi == dpi && faces[i].font == font) {
            last = i;
            return faces[i];
        }
    }
    constexpr size_t kMaxFaces = 64;
    if (faces.size() >= kMaxFaces)
        faces.erase(faces.begin());
    const ResolutionDevice device(dpi);
    QFont deviceFont(font, &device);
    QRawFont raw = QRawFont::fromFont(deviceFont);
    faces.push_back({font, dpi, deviceFont, raw, QFontMetricsF(deviceFont)});
    last = faces.size() - 1;
    return faces.back();
}

// Characters whose glyphs sit side by side without shaping, reordering or combining.
bool needsNoShaping(char32_t c)
{
    if (c >= 0x20 && c < 0x7F)
        return true;
    if (c >= 0xA0 && c < 0x300)
        return c != 0xAD; // a soft hyphen is invisible unless the line breaks there
    return (c >= 0x370 && c < 0x483) || (c >= 0x48A && c < 0x530) || (c >= 0x2010 && c < 0x2028)
        || (c >= 0x2030 && c < 0x205F) || (c >= 0x20A0 && c < 0x20C0) || (c >= 0x2100 && c < 0x2150);
}

bool isPlainText(const QString& text)
{
    for (const QChar c : text) {
        if (c.isSurrogate() || !needsNoShaping(c.unicode()))
            return false;
    }
    return true;
}

// Character map and advances straight from the face; false when a glyph is missing.
bool layOutPlain(const QRawFont& raw, bool kerning, const QString& text, TRpGlyphLine& line)
{
    TRpGlyphRun run;
    run.font = raw;
    run.glyphs = raw.glyphIndexesForString(text);
    if (run.glyphs.size() != text.size() || run.glyphs.contains(0u))
        return false;
    // Design metrics: the widths a PDF viewer or printer places the glyphs by.
    QRawFont::LayoutFlags flags = QRawFont::UseDesignMetrics;
    if (kerning)
        flags |= QRawFont::KernedAdvances;
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(run.glyphs, flags);
    run.positions.reserve(advances.size());
    run.characters.reserve(text.size());
    double x = 0;
    for (qsizetype i = 0; i < advances.size(); ++i) {
        run.positions.append(QPointF(x, 0));
        run.characters.append(text.at(i).unicode());
        x += advances.at(i).x();
    }
    line.advance = x;
    line.runs.append(std::move(run));
    return true;
}

void layOutShaped(const QFont& deviceFont, const QString& text, Qt::LayoutDirection direction, TRpGlyphLine& line)
{
    QTextLayout layout(text, deviceFont);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(direction);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine textLine = layout.createLine();
    layout.endLayout();
    if (!textLine.isValid())
        return;
    const double baseline = textLine.y() + textLine.ascent();
    line.advance = textLine.naturalTextWidth();
    for (const QGlyphRun& glyphRun : textLine.glyphRuns()) {
        TRpGlyphRun run;
        run.font = glyphRun.rawFont();
        run.glyphs = glyphRun.glyphIndexes();
        run.positions.reserve(run.glyphs.size());
        for (const QPointF& position : glyphRun.positions())
            run.positions.append(QPointF(position.x() - textLine.x(), position.y() - baseline));
        run.characters.fill(0, run.glyphs.size());
        line.runs.append(std::move(run));
    }
    // One glyph per character in reading order: each glyph still stands for its character,
    // which keeps such text searchable and copyable in the output.
    const bool oneToOne = line.runs.size() == 1 && line.runs.first().glyphs.size() == text.size()
        && direction == Qt::LeftToRight && !text.isRightToLeft();
    if (oneToOne) {
        for (qsizetype i = 0; i < text.size(); ++i)
            line.runs.first().characters[i] = text.at(i).isSurrogate() ? 0 : text.at(i).unicode();
    }
}

} // namespace

QRawFont rpRawFont(const QFont& font, int dpi)
{
    return cachedFace(font, dpi).raw;
}

QFontMetricsF rpFontMetrics(const QFont& font, int dpi)
{
    return cachedFace(font, dpi).metrics;
}

QFont rpDeviceFont(const QFont& font, int dpi)
{
    return cachedFace(font, dpi).deviceFont;
}

TRpGlyphLine rpLayoutGlyphLine(const QFont& font, int dpi, const QString& text, Qt::LayoutDirection direction)
{
    TRpGlyphLine line;
    if (text.isEmpty())
        return line;
    const CachedFace& face = cachedFace(font, dpi);
    const bool plain = direction == Qt::LeftToRight && face.raw.isValid() && font.letterSpacing() == 0
        && font.wordSpacing() == 0 && font.capitalization() == QFont::MixedCase && isPlainText(text);
    if (plain && layOutPlain(face.raw, font.kerning(), text, line))
        return line;
    line = {};
    layOutShaped(face.deviceFont, text, direction, line);
    return line;
}
