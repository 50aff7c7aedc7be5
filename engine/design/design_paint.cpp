#include "engine/design/design_paint.h"

#include "engine/design/design_context.h"
#include "engine/design/design_frame.h"
#include "engine/design/design_rulers.h"
#include "engine/rp_bands.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"

#include <QPainter>

#include <cmath>

namespace rpdesign {

namespace {

const QColor kDisabledColor(192, 192, 192);
constexpr int kCaptionLeft = 2;
constexpr int kCaptionBottomGap = 4;

// The margins of the page in pixels at the zoom.
struct PageMargins {
    int left, top, right, bottom, columnSpace;
};

PageMargins pageMargins(const TDesignPaintContext& context)
{
    const TRpPage& page = *context.report().page();
    return {context.toPixels(page.nativeValue(TRpPage::LeftMarginValue)),
            context.toPixels(page.nativeValue(TRpPage::TopMarginValue)),
            context.toPixels(page.nativeValue(TRpPage::RightMarginValue)),
            context.toPixels(page.nativeValue(TRpPage::BottomMarginValue)),
            context.toPixels(page.nativeValue(TRpPage::ColumnSpaceValue))};
}

QPen linePen(const TDesignLine& line)
{
    return QPen(line.color, 0, line.style);
}

// A straight line, unless it lies wholly outside the exposed area.
void drawExposedLine(TDesignPaintContext& context, const QPoint& from, const QPoint& to)
{
    if (QRect(from, to).normalized().intersects(context.exposed()))
        context.painter().drawLine(from, to);
}

// The rectangle inside the margins, its right and bottom edges the last pixels inside.
QRect marginRect(const QRect& page, const PageMargins& margins)
{
    return QRect(QPoint(page.left() + margins.left, page.top() + margins.top),
                 QPoint(page.left() + page.width() - margins.right - 1, page.top() + page.height() - margins.bottom - 1));
}

void drawMargins(TDesignPaintContext& context, const QRect& inside)
{
    context.painter().setPen(linePen(context.palette().marginLine));
    drawExposedLine(context, inside.topLeft(), inside.topRight());
    drawExposedLine(context, inside.bottomLeft(), inside.bottomRight());
    drawExposedLine(context, inside.topLeft(), inside.bottomLeft());
    drawExposedLine(context, inside.topRight(), inside.bottomRight());
}

// Two lines at each boundary between columns, from the top of the page down to the top
// margin: one where a column ends and one where the next begins.
void drawColumnLines(TDesignPaintContext& context, const QRect& page, const PageMargins& margins)
{
    const int columns = context.report().page()->columns();
    if (columns < 2)
        return;
    const int space = margins.columnSpace;
    const int width = int(
        std::lround(double(page.width() - margins.left - margins.right - space * (columns - 1)) / columns));
    context.painter().setPen(linePen(context.palette().marginLine));
    for (int k = 1; k < columns; ++k) {
        for (int x : {margins.left + width * k + space * (k - 1), margins.left + (space + width) * k}) {
            drawExposedLine(context, QPoint(page.left() + x, page.top()),
                            QPoint(page.left() + x, page.top() + margins.top));
        }
    }
}

void drawPage(TDesignPaintContext& context)
{
    const TReport& report = context.report();
    const QRect page(QPoint(0, 0), report.bounds().size());
    const QRect visible = page.intersected(context.exposed());
    if (visible.isEmpty())
        return;
    QPainter& painter = context.painter();
    const QColor color = report.enabled() ? report.color().toQColor() : kDisabledColor;
    if (color.isValid())
        painter.fillRect(visible, color);
    if (report.page()->ruler())
        drawRulers(context, page, visible, true);
    const PageMargins margins = pageMargins(context);
    const QRect inside = marginRect(page, margins);
    drawMargins(context, inside);
    drawColumnLines(context, page, margins);
    drawFrameLines(painter, *report.frame(), inside);
}

void drawBandOutline(TDesignPaintContext& context, const QRect& area)
{
    context.painter().setPen(linePen(context.palette().bandOutline));
    drawExposedLine(context, area.topLeft(), area.topRight());
    drawExposedLine(context, area.bottomLeft(), area.bottomRight());
    drawExposedLine(context, area.topLeft(), area.bottomLeft());
    drawExposedLine(context, area.topRight(), area.bottomRight());
}

// The band's type in the caption font at the bottom-left of the band.
void drawBandCaption(TDesignPaintContext& context, const TRpCustomBand& band, const QRect& area)
{
    const QFontMetricsF& metrics = context.rulerMetrics();
    const QString text = band.displayName();
    const QPointF topLeft(area.left() + kCaptionLeft, area.top() + area.height() - metrics.height() - kCaptionBottomGap);
    if (!QRectF(topLeft, QSizeF(metrics.horizontalAdvance(text), metrics.height())).intersects(context.exposed()))
        return;
    QPainter& painter = context.painter();
    painter.setFont(context.rulerFont());
    painter.setPen(context.palette().rulerTextColor);
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
}

// The band's controls and name tag, clipped to the band as child windows are.
void drawBandChildren(TDesignPaintContext& context, const TRpCustomBand& band, const QRect& area,
                      const QRect& visible, const QColor& fill)
{
    QPainter& painter = context.painter();
    painter.save();
    painter.setClipRect(visible, Qt::IntersectClip);
    for (const TControl* child : band.controls()) {
        if (auto* control = qobject_cast<const TRpPrintable*>(child))
            drawControl(context, *control, area.topLeft());
        else if (auto* tag = qobject_cast<const TRpName*>(child); tag && tag->visible())
            drawBandNameTag(context, *tag, area.topLeft(), fill);
    }
    painter.restore();
}

void drawBand(TDesignPaintContext& context, const TRpCustomBand& band)
{
    const QRect area = band.bounds();
    const QRect visible = area.intersected(context.exposed());
    if (!band.visible() || visible.isEmpty())
        return;
    QPainter& painter = context.painter();
    const QColor fill = bandFillColor(band);
    if (fill.isValid())
        painter.fillRect(visible, fill);
    if (context.report().page()->ruler())
        drawRulers(context, area, visible, false);
    drawBandOutline(context, area);
    drawFrameStrips(painter, *band.frame(), area,
                    frameStripThickness(band.frame()->width(), context.pixelsPerInch(), context.zoom()));
    drawBandCaption(context, band, area);
    drawBandChildren(context, band, area, visible, fill);
}

// Where a control's parent lies in report pixels.
QPoint parentOrigin(const TRpPrintable& control, const TReport& report)
{
    QPoint origin;
    for (const TControl* parent = control.parentControl(); parent && parent != &report; parent = parent->parentControl())
        origin += parent->bounds().topLeft();
    return origin;
}

// Keeps the caller's painter settings; lines are drawn without smoothing so that one
// pixel stays one pixel.
class PainterState {
public:
    explicit PainterState(QPainter& painter) : m_painter(painter)
    {
        m_painter.save();
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.setBrush(Qt::NoBrush);
    }
    ~PainterState() { m_painter.restore(); }

private:
    QPainter& m_painter;
};

} // namespace

QColor bandFillColor(const TRpCustomBand& band)
{
    return band.enabled() ? band.color().toQColor() : kDisabledColor;
}

void paintReport(QPainter& painter, const TReport& report, const QRect& exposed, int pixelsPerInch,
                 const TDesignPalette& palette)
{
    PainterState state(painter);
    TDesignPaintContext context(painter, report, exposed, pixelsPerInch, palette);
    drawPage(context);
    for (const TControl* child : report.controls()) {
        if (auto* band = qobject_cast<const TRpCustomBand*>(child))
            drawBand(context, *band);
        else if (auto* control = qobject_cast<const TRpPrintable*>(child))
            drawControl(context, *control, QPoint(0, 0));
    }
}

void paintBand(QPainter& painter, const TRpCustomBand& band, const QRect& exposed, int pixelsPerInch,
               const TDesignPalette& palette)
{
    const TReport* report = band.report();
    if (!report)
        return;
    PainterState state(painter);
    TDesignPaintContext context(painter, *report, exposed, pixelsPerInch, palette);
    drawBand(context, band);
}

void paintControl(QPainter& painter, const TRpPrintable& control, const QRect& exposed, int pixelsPerInch,
                  const TDesignPalette& palette)
{
    const TReport* report = control.report();
    if (!report)
        return;
    PainterState state(painter);
    TDesignPaintContext context(painter, *report, exposed, pixelsPerInch, palette);
    drawControl(context, control, parentOrigin(control, *report));
}

} // namespace rpdesign
