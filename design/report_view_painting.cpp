#include "design/report_view_painting.h"

#include "engine/rp_bands.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"

#include <QPainter>

namespace reportview {

namespace {

void paintChildren(QPainter& painter, const TControl& parent, QPoint origin, const QRect& exposed)
{
    for (const TControl* child : parent.controls()) {
        if (!child->visible())
            continue;
        const QRect rect = child->bounds().translated(origin);
        if (!rect.intersects(exposed))
            continue;
        if (qobject_cast<const TRpCustomBand*>(child)) {
            painter.fillRect(rect, child->color().toQColor());
            painter.setPen(QColor(96, 96, 96));
            painter.drawRect(rect.adjusted(0, 0, -1, -1));
            paintChildren(painter, *child, rect.topLeft(), exposed);
        } else if (qobject_cast<const TRpPrintable*>(child)) {
            painter.fillRect(rect, Qt::white);
            painter.setPen(Qt::black);
            painter.drawRect(rect.adjusted(0, 0, -1, -1));
        }
    }
}

} // namespace

void paint(QPainter& painter, const TReport& report, const QRect& exposed, int pixelsPerInch)
{
    (void)pixelsPerInch;
    const QRect area(QPoint(), report.bounds().size());
    painter.fillRect(area.intersected(exposed), report.color().toQColor());
    paintChildren(painter, report, QPoint(), exposed);
}

} // namespace reportview
