#include "engine/design/design_rulers.h"

#include "engine/design/design_context.h"
#include "engine/rp_report.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace rpdesign {

namespace {

constexpr double kHalfCentimetresPerInch = 5.08;
constexpr double kQuartersPerInch = 4.0;
constexpr int kMillimetreDetailZoom = 60;
constexpr int kInchDetailZoom = 50;
constexpr int kCharactersPerVerticalLine = 10;
constexpr int kLabelGap = 2;
constexpr int kLabelEdge = 1;

// One direction of a ruler: lines every `step` pixels; every `majorEvery`-th line is
// major and carries the label `labelFactor` × its number of major steps.
struct RulerAxis {
    double step = 0;
    int majorEvery = 1;
    int labelFactor = 1;
};

struct RulerScale {
    RulerAxis across; // vertical lines, spaced along x
    RulerAxis down;   // horizontal lines, spaced along y
    bool minorLines = true;
    bool labels = true;
    bool dotted = false;
};

bool rulerFor(const TDesignPaintContext& context, RulerScale& scale)
{
    const double pixelsPerInch = context.pixelsPerInch() * context.zoom() / 100.0;
    switch (context.report().units()) {
    case TRpUnit::MM: {
        const RulerAxis axis{pixelsPerInch / kHalfCentimetresPerInch, 2, 1};
        const bool detail = context.zoom() >= kMillimetreDetailZoom;
        scale = {axis, axis, detail, detail, false};
        return true;
    }
    case TRpUnit::Inches: {
        const RulerAxis axis{pixelsPerInch / kQuartersPerInch, 4, 1};
        scale = {axis, axis, context.zoom() >= kInchDetailZoom, true, false};
        return true;
    }
    case TRpUnit::Characters: {
        const TRpPage& page = *context.report().page();
        const double width = context.toPixelsF(page.fromUnit(kCharactersPerVerticalLine, TRpUnit::Characters, true));
        const double height = context.toPixelsF(page.fromUnit(1, TRpUnit::Characters, false));
        scale = {{width, 1, kCharactersPerVerticalLine}, {height, 1, 1}, true, true, true};
        return true;
    }
    default:
        return false;
    }
}

// The pen of a ruler line and the length after which its dash pattern repeats (0 for a
// solid pen), so that lines drawn in pieces keep their dots in step.
struct LinePen {
    QPen pen;
    int period = 0;
};

LinePen linePen(const TDesignLine& line, bool dotted)
{
    LinePen result{QPen(line.color, 0, dotted ? Qt::DotLine : line.style), 0};
    if (result.pen.style() != Qt::SolidLine) {
        double period = 0;
        for (double dash : result.pen.dashPattern())
            period += dash;
        result.period = std::max(1, int(std::lround(period)));
    }
    return result;
}

// The first coordinate from which a line starting at `origin` is drawn to cover `from`.
int patternStart(int origin, int from, int period)
{
    if (period <= 0 || from <= origin)
        return std::max(origin, from);
    return origin + (from - origin) / period * period;
}

class RulerPainter {
public:
    RulerPainter(TDesignPaintContext& context, const RulerScale& scale, const QRect& area, const QRect& visible,
                 bool labelled)
        : m_context(context), m_painter(context.painter()), m_scale(scale), m_area(area),
          m_visible(visible.intersected(area)), m_labelled(labelled && scale.labels),
          m_minor(linePen(context.palette().minorRulerLine, scale.dotted)),
          m_major(linePen(context.palette().majorRulerLine, scale.dotted))
    {
    }

    void paint()
    {
        if (m_visible.isEmpty())
            return;
        paintAxis(m_scale.across, true);
        paintAxis(m_scale.down, false);
    }

private:
    void paintAxis(const RulerAxis& axis, bool vertical)
    {
        if (axis.step < 1)
            return;
        const int origin = vertical ? m_area.left() : m_area.top();
        const int first = vertical ? m_visible.left() : m_visible.top();
        const int last = vertical ? m_visible.right() : m_visible.bottom();
        // Labels sit to the right of or below their line, so a line just before the
        // visible part may still show its label.
        const int reach = m_labelled ? int(std::ceil(labelReach(vertical))) : 0;
        int index = std::max(1, int(std::floor((first - reach - origin) / axis.step)));
        for (;; ++index) {
            const int at = origin + int(std::lround(index * axis.step));
            if (at > last || at >= origin + (vertical ? m_area.width() : m_area.height()))
                break;
            const bool major = index % axis.majorEvery == 0;
            if (!major && !m_scale.minorLines)
                continue;
            if (at >= first)
                drawLine(at, vertical, major ? m_major : m_minor);
            if (major && m_labelled)
                drawLabel(at, vertical, index / axis.majorEvery * axis.labelFactor);
        }
    }

    double labelReach(bool vertical) const
    {
        const QFontMetricsF& metrics = m_context.rulerMetrics();
        return kLabelGap + (vertical ? metrics.horizontalAdvance(QStringLiteral("0000")) : metrics.height());
    }

    void drawLine(int at, bool vertical, const LinePen& pen)
    {
        m_painter.setPen(pen.pen);
        if (vertical) {
            const int top = patternStart(m_area.top(), m_visible.top(), pen.period);
            m_painter.drawLine(at, top, at, m_visible.bottom());
        } else {
            const int left = patternStart(m_area.left(), m_visible.left(), pen.period);
            m_painter.drawLine(left, at, m_visible.right(), at);
        }
    }

    void drawLabel(int at, bool vertical, int value)
    {
        const QString text = QString::number(value);
        const QFontMetricsF& metrics = m_context.rulerMetrics();
        const QPointF topLeft = vertical ? QPointF(at + kLabelGap, m_area.top() + kLabelEdge)
                                         : QPointF(m_area.left() + kLabelEdge, at + kLabelGap);
        const QRectF box(topLeft, QSizeF(metrics.horizontalAdvance(text), metrics.height()));
        if (!box.intersects(m_visible))
            return;
        m_painter.setFont(m_context.rulerFont());
        m_painter.setPen(m_context.palette().rulerTextColor);
        m_painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
    }

    TDesignPaintContext& m_context;
    QPainter& m_painter;
    const RulerScale& m_scale;
    QRect m_area;
    QRect m_visible;
    bool m_labelled;
    LinePen m_minor;
    LinePen m_major;
};

} // namespace

void drawRulers(TDesignPaintContext& context, const QRect& area, const QRect& visible, bool labelled)
{
    RulerScale scale;
    if (rulerFor(context, scale))
        RulerPainter(context, scale, area, visible, labelled).paint();
}

} // namespace rpdesign
