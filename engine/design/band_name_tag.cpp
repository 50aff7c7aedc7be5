#include "engine/design/band_name_tag.h"

#include "core/font.h"
#include "engine/design/design_context.h"
#include "engine/rp_bands.h"
#include "engine/rp_printable.h"

#include <QPainter>

namespace rpdesign {

namespace {

constexpr int kStrongComponent = 150;
const QPoint kTagPosition(4, 4);

} // namespace

QColor bandNameTagColor(const QColor& bandColour)
{
    const QColor colour = bandColour.isValid() ? bandColour : QColor(Qt::white);
    const int strong = int(colour.red() >= kStrongComponent) + int(colour.green() >= kStrongComponent)
        + int(colour.blue() >= kStrongComponent);
    if (strong == 1)
        return QColor(192, 192, 192);
    return strong >= 2 ? QColor(Qt::black) : QColor(Qt::white);
}

void drawBandNameTag(TDesignPaintContext& context, const TRpName& tag, const QPoint& bandOrigin,
                     const QColor& bandColour)
{
    const auto* band = qobject_cast<const TRpCustomBand*>(tag.parentControl());
    const QString text = band ? band->name() : tag.caption();
    if (text.isEmpty())
        return;
    const QFont font = context.deviceFont(*tag.font(), 1.0);
    const QFontMetricsF metrics = context.metrics(font);
    const QPointF topLeft = bandOrigin + kTagPosition;
    const QRectF box(topLeft, QSizeF(metrics.horizontalAdvance(text), metrics.height()));
    if (!box.intersects(context.exposed()))
        return;
    QPainter& painter = context.painter();
    painter.setFont(font);
    painter.setPen(bandNameTagColor(bandColour));
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
}

} // namespace rpdesign
