// Text of the PDF engine: glyph runs as text objects of the embedded fonts, or as filled
// outlines for faces that cannot be embedded.
#include "engine/pdf/rp_pdf_content.h"
#include "engine/pdf/rp_pdf_document.h"
#include "engine/pdf/rp_pdf_engine.h"
#include "engine/pdf/rp_pdf_font.h"
#include "engine/pdf/rp_pdf_resources.h"

#include <QTextItem>
#include <QVarLengthArray>

#include <cmath>
#include <cstdlib>

namespace {

// Baseline offsets smaller than this (device pixels) keep glyphs in one text segment.
constexpr double kBaselineTolerance = 1e-3;
// Laid-out advances are rounded to 1/64 pixel; drifts below this many thousandths of the
// font size are invisible and are left to build up to it before a correction is written.
constexpr int kSmallestAdjustment = 2;

// Writes the glyphs [first, last) of the run as one string, with TJ adjustments where
// the laid-out positions differ from the font's own advances.
void emitGlyphString(TRpPdfBytes& out, TRpPdfFont& font, double size, const TRpGlyphRun& run, qsizetype first,
                     qsizetype last)
{
    QVarLengthArray<int, 64> adjustments(last - first);
    bool adjusted = false;
    double pen = run.positions[first].x();
    for (qsizetype i = first; i < last; ++i) {
        const double gap = run.positions[i].x() - pen;
        // Thousandths of the font size, subtracted from the pen position by the reader.
        int adjustment = static_cast<int>(std::lround(-gap * 1000.0 / size));
        if (std::abs(adjustment) < kSmallestAdjustment)
            adjustment = 0;
        adjustments[i - first] = adjustment;
        adjusted |= adjustment != 0;
        const quint32 glyph = run.glyphs[i];
        font.use(glyph, i < run.characters.size() ? run.characters[i] : 0);
        pen += (font.width(glyph) - adjustment) * size / 1000.0;
    }
    if (!adjusted) {
        out << '<';
        for (qsizetype i = first; i < last; ++i)
            out.appendHex4(run.glyphs[i]);
        out << ">Tj";
        return;
    }
    out << '[';
    bool open = false;
    for (qsizetype i = first; i < last; ++i) {
        const int adjustment = adjustments[i - first];
        if (adjustment != 0) {
            if (open)
                out << '>';
            out.appendInt(adjustment);
            open = false;
        }
        if (!open)
            out << '<';
        open = true;
        out.appendHex4(run.glyphs[i]);
    }
    out << ">]TJ";
}

} // namespace

// The resolution the item's font was resolved at. It is the page's, except for text that
// comes with a font of its own resolution, such as a page picture recorded on screen and
// played here under a scaling transform; its metrics tell which.
int TRpPdfEngine::textResolution(const QTextItem& textItem) const
{
    const int resolution = m_document.resolution();
    const double pageAscent = rpRawFont(textItem.font(), resolution).ascent();
    if (pageAscent <= 0 || textItem.ascent() <= 0)
        return resolution;
    const int itemResolution = qRound(resolution * textItem.ascent() / pageAscent);
    return std::abs(itemResolution - resolution) * 50 < resolution ? resolution : qMax(1, itemResolution);
}

int TRpPdfEngine::glyphResolution() const
{
    return m_document.resolution();
}

void TRpPdfEngine::drawTextItem(const QPointF& position, const QTextItem& textItem)
{
    if (!ready() || m_pen.style() == Qt::NoPen)
        return;
    const Qt::LayoutDirection direction =
        (textItem.renderFlags() & QTextItem::RightToLeft) ? Qt::RightToLeft : Qt::LeftToRight;
    const TRpGlyphLine line = rpLayoutGlyphLine(textItem.font(), textResolution(textItem), textItem.text(), direction);
    const QGradient* gradient = m_pen.brush().gradient();
    const QColor colour = gradient != nullptr && !gradient->stops().isEmpty() ? gradient->stops().constFirst().second
                                                                              : m_pen.color();
    drawGlyphLine(position, line, colour);
}

void TRpPdfEngine::drawGlyphLine(const QPointF& baselineStart, const TRpGlyphLine& line, const QColor& color)
{
    if (!ready())
        return;
    // QPainter hands a new transform to the engine only with its next drawing; glyph
    // lines come here directly, so they read it from the painter's state.
    if (state != nullptr)
        setWorld(state->transform());
    const double alpha = m_opacity * color.alphaF();
    if (alpha <= 0)
        return;
    syncFrame();
    content().setFill(color.rgb());
    content().setAlphaState(resources().alphaState(alpha, 1));
    for (const TRpGlyphRun& run : line.runs)
        drawGlyphRun(baselineStart, run, color);
}

void TRpPdfEngine::drawGlyphRun(const QPointF& start, const TRpGlyphRun& run, const QColor&)
{
    const qsizetype count = std::min(run.glyphs.size(), run.positions.size());
    if (count == 0)
        return;
    TRpPdfFont* font = resources().font(run.font);
    if (font == nullptr) {
        drawRunOutlines(start, run);
        return;
    }
    const double size = run.font.pixelSize();
    if (!(size > 0))
        return;
    TRpPdfContent& page = content();
    TRpPdfBytes& out = page.bytes();
    qsizetype first = 0;
    while (first < count) {
        const double baseline = run.positions[first].y();
        qsizetype last = first + 1;
        while (last < count && std::fabs(run.positions[last].y() - baseline) < kBaselineTolerance)
            ++last;
        out << "BT ";
        page.setFont(font, size);
        page.point(start.x() + run.positions[first].x(), start.y() + baseline);
        out << "Td ";
        emitGlyphString(out, *font, size, run, first, last);
        out << " ET\n";
        first = last;
    }
}

void TRpPdfEngine::drawRunOutlines(const QPointF& start, const TRpGlyphRun& run)
{
    QPainterPath outlines;
    const qsizetype count = std::min(run.glyphs.size(), run.positions.size());
    for (qsizetype i = 0; i < count; ++i) {
        QPainterPath glyph = run.font.pathForGlyph(run.glyphs[i]);
        glyph.translate(start + run.positions[i]);
        outlines.addPath(glyph);
    }
    if (outlines.isEmpty())
        return;
    outlines.setFillRule(Qt::WindingFill);
    emitPath(outlines);
    content().op("f");
}
