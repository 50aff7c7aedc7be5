#include "core/pen_brush.h"

TPen::TPen(QObject* parent) : TPersistent(parent) {}

void TPen::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    changed();
}

void TPen::setMode(TPenMode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    changed();
}

void TPen::setStyle(TPenStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    changed();
}

void TPen::setWidth(int width)
{
    if (width == m_width)
        return;
    m_width = width;
    changed();
}

Qt::PenStyle toQtPenStyle(TPenStyle style)
{
    switch (style) {
    case TPenStyle::psSolid:
    case TPenStyle::psInsideFrame:
        return Qt::SolidLine;
    case TPenStyle::psDash:
        return Qt::DashLine;
    case TPenStyle::psDot:
        return Qt::DotLine;
    case TPenStyle::psDashDot:
        return Qt::DashDotLine;
    case TPenStyle::psDashDotDot:
        return Qt::DashDotDotLine;
    case TPenStyle::psClear:
        return Qt::NoPen;
    }
    return Qt::SolidLine;
}

QPen TPen::toQPen(double widthScale) const
{
    QPen pen(m_color.toQColor());
    pen.setStyle(toQtPenStyle(m_style));
    pen.setWidthF(qMax(1, m_width) * widthScale);
    return pen;
}

TBrush::TBrush(QObject* parent) : TPersistent(parent) {}

void TBrush::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    changed();
}

void TBrush::setStyle(TBrushStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    changed();
}

QBrush TBrush::toQBrush() const
{
    static const Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush,       Qt::HorPattern,
                                            Qt::VerPattern,   Qt::FDiagPattern,  Qt::BDiagPattern,
                                            Qt::CrossPattern, Qt::DiagCrossPattern};
    return QBrush(m_color.toQColor(), styles[int(m_style)]);
}
