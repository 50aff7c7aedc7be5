#include "engine/design/design_text.h"

#include "core/font.h"
#include "engine/design/design_context.h"
#include "engine/design/design_frame.h"
#include "engine/rp_printable.h"
#include "engine/text/text_formatter.h"

#include <QPainter>

#include <algorithm>

namespace rpdesign {

namespace {

// Lines that end this close below the control's bottom still count as fitting.
constexpr double kFitTolerance = 1e-6;

QString joinedLines(const TStrings* lines)
{
    return lines ? lines->lines().join(QLatin1Char('\n')) : QString();
}

// Where the text goes inside the control: the area less the frame sides drawn.
QRectF textArea(const TDesignPaintContext& context, const TRpCustomLabel& control, const QRect& area)
{
    const TRpFrame& frame = *control.frame();
    const double inset = frameStripThickness(frame.width(), context.pixelsPerInch(), context.zoom());
    const double left = frame.drawLeft() ? inset : 0;
    const double right = frame.drawRight() ? inset : 0;
    const double top = frame.drawTop() ? inset : 0;
    return QRectF(area.left() + left, area.top() + top, std::max(0.0, area.width() - left - right),
                  std::max(0.0, area.height() - top));
}

double lineLeft(TAlignment alignment, const QRectF& text, double lineWidth)
{
    switch (alignment) {
    case TAlignment::taRightJustify:
        return text.right() - lineWidth;
    case TAlignment::taCenter:
        return text.left() + (text.width() - lineWidth) / 2;
    default:
        return text.left();
    }
}

} // namespace

QString designCaption(const TRpCustomLabel& control)
{
    if (auto* expression = qobject_cast<const TRpExpr*>(&control))
        return expression->designCaption();
    if (auto* system = qobject_cast<const TRpSysData*>(&control))
        return system->designCaption();
    if (auto* memo = qobject_cast<const TRpMemo*>(&control))
        return joinedLines(memo->lines());
    if (auto* memo = qobject_cast<const TRpExprMemo*>(&control))
        return joinedLines(memo->lines());
    if (auto* field = qobject_cast<const TRpDBText*>(&control))
        return field->dataField();
    if (auto* label = qobject_cast<const TRpLabel*>(&control))
        return label->caption();
    return control.property("Caption").toString();
}

void drawControlText(TDesignPaintContext& context, const TRpCustomLabel& control, const QRect& area,
                     const QString& text)
{
    if (text.isEmpty() || area.isEmpty())
        return;
    const QFont font = context.deviceFont(*control.font(), context.zoom() / 100.0);
    const QFontMetricsF metrics = context.metrics(font);
    const QRectF inside = textArea(context, control, area);
    const TRpTextLayoutOptions options{inside.width(), control.wordWrap(), control.autoSize()};
    const QStringList lines =
        rpFormatText(text, options, [&metrics](const QString& piece) { return metrics.horizontalAdvance(piece); });

    QPainter& painter = context.painter();
    const QColor color = control.font()->color().toQColor();
    const bool rightToLeft = control.biDiMode() != TBiDiMode::bdLeftToRight;
    painter.setFont(font);
    painter.setPen(color.isValid() ? color : QColor(Qt::black));
    bool clipped = false;
    double top = inside.top();
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const double bottom = top + metrics.height();
        const bool fits = bottom <= area.bottom() + 1 + kFitTolerance;
        if (!fits && !(index == 0 && control.autoSize()))
            break;
        const QString& line = lines.at(index);
        const double width = metrics.horizontalAdvance(line);
        const double left = lineLeft(control.alignment(), inside, width);
        if (!clipped && (!fits || left < inside.left() || left + width > inside.right())) {
            painter.save();
            painter.setClipRect(area, Qt::IntersectClip);
            clipped = true;
        }
        if (rightToLeft)
            painter.setLayoutDirection(Qt::RightToLeft);
        painter.drawText(QPointF(left, top + metrics.ascent()), line);
        if (rightToLeft)
            painter.setLayoutDirection(Qt::LeftToRight);
        top = bottom;
    }
    if (clipped)
        painter.restore();
}

} // namespace rpdesign
