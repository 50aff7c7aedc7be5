#include "workspace/drag_frame.h"

#include <QPainter>
#include <QPen>
#include <QRegion>

TDragFrame::TDragFrame(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
}

QRect TDragFrame::frameArea() const
{
    QRect area = rect();
    if (m_wouldFloat)
        area.setTop(kCaptionBandHeight);
    return area;
}

void TDragFrame::showFrame(const QRect& screenRect, bool wouldFloat)
{
    m_wouldFloat = wouldFloat;
    QRect windowRect = screenRect;
    if (wouldFloat)
        windowRect.setTop(screenRect.top() - kCaptionBandHeight);
    setGeometry(windowRect.normalized());

    const QRect area = frameArea();
    QRegion outline(area);
    const int inset = frameCount();
    if (area.width() > 2 * inset && area.height() > 2 * inset)
        outline -= QRegion(area.adjusted(inset, inset, -inset, -inset));
    if (wouldFloat)
        outline += QRegion(0, 0, width(), kCaptionBandHeight);
    setMask(outline);
    show();
    raise();
    update();
}

// Dotted lines, dark on light, so the frame shows on any background.
void TDragFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = frameArea();
    painter.fillRect(rect(), palette().color(QPalette::Base));
    QPen dots(palette().color(QPalette::Text), 1, Qt::DotLine);
    painter.setPen(dots);
    for (int i = 0; i < frameCount(); ++i)
        painter.drawRect(area.adjusted(i, i, -i - 1, -i - 1));
    if (m_wouldFloat)
        painter.fillRect(QRect(0, 0, width(), kCaptionBandHeight), palette().color(QPalette::Highlight));
}
