#include "engine/design/design_frame.h"

#include "core/pen_brush.h"
#include "engine/rp_frame.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace rpdesign {

namespace {

constexpr int kCornerMarkLength = 5;
constexpr double kPointsPerInch = 72.0;

} // namespace

int frameStripThickness(int widthPoints, int pixelsPerInch, int zoom)
{
    if (widthPoints <= 0 && widthPoints != -1)
        return 0;
    // Points to native units (254 / 72 each) to pixels (resolution / 254 each) at the zoom.
    const double pixels = widthPoints * pixelsPerInch / kPointsPerInch * zoom / 100.0;
    return std::max(1, int(std::lround(pixels)));
}

void drawFrameStrips(QPainter& painter, const TRpFrame& frame, const QRect& area, int thickness)
{
    const QColor color = frame.color().toQColor();
    if (thickness <= 0 || !frame.drawsAnything() || !color.isValid() || area.isEmpty())
        return;
    const int across = std::min(thickness, area.height());
    const int down = std::min(thickness, area.width());
    if (frame.drawTop())
        painter.fillRect(QRect(area.left(), area.top(), area.width(), across), color);
    if (frame.drawBottom())
        painter.fillRect(QRect(area.left(), area.bottom() + 1 - across, area.width(), across), color);
    if (frame.drawLeft())
        painter.fillRect(QRect(area.left(), area.top(), down, area.height()), color);
    if (frame.drawRight())
        painter.fillRect(QRect(area.right() + 1 - down, area.top(), down, area.height()), color);
}

void drawFrameLines(QPainter& painter, const TRpFrame& frame, const QRect& area)
{
    const QColor color = frame.color().toQColor();
    const Qt::PenStyle style = toQtPenStyle(frame.style());
    if (!frame.drawsAnything() || !color.isValid() || style == Qt::NoPen)
        return;
    QPen pen(color, 0, style);
    painter.setPen(pen);
    if (frame.drawTop())
        painter.drawLine(area.topLeft(), area.topRight());
    if (frame.drawBottom())
        painter.drawLine(area.bottomLeft(), area.bottomRight());
    if (frame.drawLeft())
        painter.drawLine(area.topLeft(), area.bottomLeft());
    if (frame.drawRight())
        painter.drawLine(area.topRight(), area.bottomRight());
}

void drawCornerMarks(QPainter& painter, const QRect& area)
{
    if (area.isEmpty())
        return;
    const int across = std::min(kCornerMarkLength, area.width());
    const int down = std::min(kCornerMarkLength, area.height());
    const int left = area.left(), top = area.top(), right = area.right(), bottom = area.bottom();
    const QColor black(Qt::black);
    for (int x : {left, right + 1 - across}) {
        painter.fillRect(QRect(x, top, across, 1), black);
        painter.fillRect(QRect(x, bottom, across, 1), black);
    }
    for (int y : {top, bottom + 1 - down}) {
        painter.fillRect(QRect(left, y, 1, down), black);
        painter.fillRect(QRect(right, y, 1, down), black);
    }
}

} // namespace rpdesign
