// Printing of text controls: laying out the text, filling the background, printing the
// lines that fit, stretching the band for the rest, and handing lines to export filters.
#include "engine/rp_printable.h"

#include "engine/export/rp_export_filter.h"
#include "engine/rp_bands.h"
#include "engine/rp_print_context.h"
#include "engine/rp_printable_drawing.h"
#include "engine/sink/rp_printer.h"
#include "engine/text/text_formatter.h"
#include "engine/text/text_measure.h"

#include <QPainter>

#include <algorithm>

namespace {

// Lines that end this close below the control's bottom still count as fitting.
constexpr double kFitTolerance = 1e-6;

Qt::Alignment toQtAlignment(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::taRightJustify:
        return Qt::AlignRight;
    case TAlignment::taCenter:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

bool rightToLeft(TBiDiMode mode)
{
    return mode != TBiDiMode::bdLeftToRight;
}

// Devices that draw glyph lines themselves get lines laid out once, for both their width
// and their drawing; decorated and right-to-left text is left to the painter.
TRpTextMeasure measureFor(const QFont& font, TRpPrintContext& context, const QPaintDevice* device,
                          bool rightToLeftText)
{
    IRpGlyphPainter* glyphs = device && context.sink() ? context.sink()->glyphPainter() : nullptr;
    if (glyphs && !rightToLeftText && !font.underline() && !font.strikeOut())
        return TRpTextMeasure(font, *glyphs);
    return TRpTextMeasure(font, device);
}

} // namespace

// Prints the formatted lines of one label from its next line on, within one band print.
class TRpCustomLabel::LinePrinter {
public:
    LinePrinter(TRpCustomLabel& label, TRpPrintContext& context, double x, double y)
        : m_label(label), m_context(context), m_painter(rpdraw::painter(context)), m_font(label.font()->toQFont()),
          m_color(label.font()->color().toQColor()), m_placement(label.m_placement)
    {
        const TRpPrintableSize& size = *label.size();
        m_area = QRectF(x + m_placement.left, y + size.nativeValue(TRpPrintableSize::TopValue), m_placement.width,
                        m_placement.height);
        m_bottom = m_area.bottom();
    }

    // Gives the area covered, stretched by the expansion obtained.
    QRectF run()
    {
        fill(m_area);
        const int first = m_label.m_nextLine;
        double lineTop = m_area.top() + m_placement.insetTop;
        while (m_label.m_nextLine < m_label.m_printLines.size()) {
            const double lineBottom = lineTop + m_placement.lineHeight;
            if (lineBottom > m_bottom + kFitTolerance && !stretchTo(lineBottom))
                break;
            printLine(m_label.m_nextLine, lineTop);
            lineTop = lineBottom;
            ++m_label.m_nextLine;
        }
        m_madeProgress = m_label.m_nextLine > first;
        return QRectF(m_area.left(), m_area.top(), m_area.width(), m_bottom - m_area.top());
    }

    bool madeProgress() const { return m_madeProgress; }

private:
    // Asks the band for the height the next line needs; the new strip takes the colour.
    bool stretchTo(double lineBottom)
    {
        TRpCustomBand* band = m_label.band();
        if (!m_label.autoStretch() || !band)
            return false;
        const double extra = lineBottom - m_bottom;
        if (!m_context.requestExpansion(band, extra))
            return false;
        fill(QRectF(m_area.left(), m_bottom, m_area.width(), extra));
        m_bottom += extra;
        return true;
    }

    void fill(const QRectF& area) const
    {
        const QColor color = m_label.color().toQColor();
        if (m_painter && !m_label.transparent() && color.isValid())
            m_painter->fillRect(m_context.sink()->toDevice(area), color);
    }

    double textLeft() const { return m_area.left() + m_placement.insetLeft; }
    double textWidth() const { return m_area.width() - m_placement.insetLeft - m_placement.insetRight; }

    void printLine(int index, double top)
    {
        const QString& line = m_label.m_printLines.at(index);
        const double left = lineLeft(m_label.m_lineWidths.value(index));
        if (m_painter)
            drawLine(index, left, top);
        if (TRpExportFilter* filter = m_context.exportFilter())
            exportLine(*filter, line, m_label.alignment() == TAlignment::taRightJustify ? textLeft() + textWidth() : left, top);
    }

    double lineLeft(double lineWidth) const
    {
        switch (m_label.alignment()) {
        case TAlignment::taRightJustify:
            return textLeft() + textWidth() - lineWidth;
        case TAlignment::taCenter:
            return textLeft() + (textWidth() - lineWidth) / 2;
        default:
            return textLeft();
        }
    }

    void drawLine(int index, double left, double top) const
    {
        TRpPrinter& sink = *m_context.sink();
        const QPointF baseline(sink.toDeviceX(left), sink.toDeviceY(top + m_placement.ascent));
        const QColor color = m_color.isValid() ? m_color : QColor(Qt::black);
        if (IRpGlyphPainter* glyphs = sink.glyphPainter(); glyphs && index < m_label.m_lineGlyphs.size()) {
            glyphs->drawGlyphLine(baseline, m_label.m_lineGlyphs.at(index), color);
            return;
        }
        const QString& line = m_label.m_printLines.at(index);
        m_painter->setFont(m_font);
        m_painter->setPen(color);
        m_painter->setLayoutDirection(rightToLeft(m_label.biDiMode()) ? Qt::RightToLeft : Qt::LeftToRight);
        m_painter->drawText(baseline, line);
        m_painter->setLayoutDirection(Qt::LeftToRight);
    }

    // Export filters take the left edge of a line, or its right edge when right-aligned.
    void exportLine(TRpExportFilter& filter, const QString& line, double x, double top) const
    {
        const QColor background = m_label.transparent() ? QColor() : m_label.color().toQColor();
        filter.textOut({m_font, m_color.isValid() ? m_color : QColor(Qt::black)}, background, line,
                       toQtAlignment(m_label.alignment()), top, x);
    }

    TRpCustomLabel& m_label;
    TRpPrintContext& m_context;
    QPainter* m_painter;
    QFont m_font;
    QColor m_color;
    const TextPlacement& m_placement;
    QRectF m_area;
    double m_bottom = 0;
    bool m_madeProgress = false;
};

void TRpCustomLabel::prepare(TRpPrintContext& context)
{
    TRpPrintable::prepare(context);
    m_printLines.clear();
    m_lineWidths.clear();
    m_lineGlyphs.clear();
    m_nextLine = 0;
}

void TRpCustomLabel::unprepare()
{
    TRpPrintable::unprepare();
    m_printLines.clear();
    m_lineWidths.clear();
    m_lineGlyphs.clear();
    m_nextLine = 0;
}

QString TRpCustomLabel::printText(TRpPrintContext&)
{
    return {};
}

void TRpCustomLabel::print(TRpPrintContext& context, double x, double y)
{
    if (!enabled())
        return;
    const bool continuing = !finished();
    QPainter* painter = rpdraw::painter(context);
    if (!continuing)
        startText(context, painter ? painter->device() : nullptr);
    LinePrinter printer(*this, context, x, y);
    const QRectF covered = printer.run();
    const bool allPrinted = m_nextLine >= m_printLines.size();
    // A continuation that cannot place a single line on a fresh column never will.
    setFinished(allPrinted || !autoStretch() || (continuing && !printer.madeProgress()));
    drawFrame(context, covered);
    if (finished())
        printCompleted();
}

// Takes the text for this print, lays it out and works out where it goes.
void TRpCustomLabel::startText(TRpPrintContext& context, const QPaintDevice* device)
{
    QString text = printText(context);
    if (m_printHandler)
        m_printHandler(*this, text);
    const TRpTextMeasure measure = measureFor(font()->toQFont(), context, device, rightToLeft(biDiMode()));
    const TRpFrame& frame = *this->frame();
    TextPlacement placement;
    placement.left = size()->nativeValue(TRpPrintableSize::LeftValue);
    placement.width = size()->nativeValue(TRpPrintableSize::WidthValue);
    placement.height = size()->nativeValue(TRpPrintableSize::HeightValue);
    placement.lineHeight = measure.lineHeight();
    placement.insetLeft = frame.drawLeft() ? frameLineWidth() : 0;
    placement.insetRight = frame.drawRight() ? frameLineWidth() : 0;
    placement.insetTop = frame.drawTop() ? frameLineWidth() : 0;

    const TRpTextLayoutOptions options{placement.width - placement.insetLeft - placement.insetRight, wordWrap(),
                                       autoSize()};
    m_printLines = rpFormatText(text, options, [&measure](const QString& piece) { return measure.width(piece); });
    m_nextLine = 0;
    m_lineWidths.clear();
    m_lineGlyphs.clear();
    for (const QString& line : std::as_const(m_printLines)) {
        if (measure.laysOutGlyphs()) {
            m_lineGlyphs.append(measure.glyphLine(line));
            m_lineWidths.append(m_lineGlyphs.last().advance * measure.pixel());
        } else {
            m_lineWidths.append(measure.width(line));
        }
    }
    placement.ascent = measure.ascent();

    if (autoSize()) {
        const double widest = m_lineWidths.isEmpty() ? 0 : *std::max_element(m_lineWidths.cbegin(), m_lineWidths.cend());
        const double width = widest + placement.insetLeft + placement.insetRight;
        if (alignment() == TAlignment::taRightJustify)
            placement.left += placement.width - width;
        else if (alignment() == TAlignment::taCenter)
            placement.left += (placement.width - width) / 2;
        placement.width = width;
        // The top and bottom frame lines take room of their own.
        const double frameHeight = placement.insetTop + (frame.drawBottom() ? frameLineWidth() : 0);
        placement.height = std::max(placement.height, measure.lineHeight() + measure.pixel() + frameHeight);
    }
    if (TRpCustomBand* owner = band(); owner && alignToBand()) {
        const double bandWidth = owner->size()->nativeValue(TRpBandSize::WidthValue);
        if (alignment() == TAlignment::taLeftJustify)
            placement.left = 0;
        else if (alignment() == TAlignment::taRightJustify)
            placement.left = bandWidth - placement.width;
        else
            placement.left = (bandWidth - placement.width) / 2;
    }
    m_placement = placement;
}
