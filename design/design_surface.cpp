#include "design/design_surface.h"

#include "design/design_window.h"
#include "design/designer.h"
#include "design/selection_list.h"
#include "engine/design/design_paint.h"
#include "engine/rp_report.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

TDesignSurface::TDesignSurface(TVelDesignWindow* window) : QWidget(nullptr), m_window(window)
{
    setObjectName(QStringLiteral("DesignSurface"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("PositionHint"));
    m_hint->setMaximumWidth(200);
    // Drawn like a hint window whatever the widget style's tool tip colours are.
    m_hint->setStyleSheet(QStringLiteral("QLabel { background: #ffffe1; color: black; border: 1px solid #767676;"
                                         " padding: 1px 3px; }"));
    m_hint->hide();
}

int TDesignSurface::pixelsPerInch() const
{
    return m_window->selection().pixelsPerInch();
}

void TDesignSurface::invalidate()
{
    m_pictureValid = false;
    if (TReport* report = m_window->report()) {
        if (size() != report->bounds().size())
            resize(report->bounds().size());
    }
    update();
}

void TDesignSurface::updateOverlay()
{
    update();
}

void TDesignSurface::setOutlines(const QList<QRect>& outlines)
{
    QRegion dirty;
    for (const QRect& r : std::as_const(m_outlines))
        dirty += r.adjusted(-2, -2, 2, 2);
    m_outlines = outlines;
    for (const QRect& r : std::as_const(m_outlines))
        dirty += r.adjusted(-2, -2, 2, 2);
    update(dirty);
}

void TDesignSurface::setPositionHint(const QString& text, QPoint at)
{
    if (text.isEmpty()) {
        m_hint->hide();
        return;
    }
    if (m_hint->text() != text) {
        m_hint->setText(text);
        m_hint->adjustSize();
    }
    m_hint->move(at);
    m_hint->show();
    m_hint->raise();
}

QString TDesignSurface::positionHint() const
{
    return m_hint->isVisible() ? m_hint->text() : QString();
}

void TDesignSurface::renderReport()
{
    TReport* report = m_window->report();
    const QSize size = report ? report->bounds().size() : QSize();
    if (m_picture.size() != size)
        m_picture = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    m_picture.fill(palette().color(QPalette::Dark));
    if (report) {
        QPainter painter(&m_picture);
        rpdesign::paintReport(painter, *report, QRect(QPoint(), size), pixelsPerInch());
    }
    m_pictureValid = true;
}

void TDesignSurface::paintEvent(QPaintEvent* event)
{
    if (!m_pictureValid)
        renderReport();
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.drawImage(exposed.topLeft(), m_picture, exposed);
    for (const QRect& outside : QRegion(exposed).subtracted(QRegion(m_picture.rect())))
        painter.fillRect(outside, palette().color(QPalette::Dark));
    paintHandles(painter, exposed);
    paintOutlines(painter);
}

void TDesignSurface::paintHandles(QPainter& painter, const QRect& exposed)
{
    const TVelSelList& selection = m_window->selection();
    if (!selection.isVisible())
        return;
    for (const auto& entry : selection.entries()) {
        for (const TGrabHandle& handle : entry->handles()) {
            if (!handle.rect().intersects(exposed))
                continue;
            painter.fillRect(handle.rect(), handle.fillColor());
            painter.setPen(handle.outlineColor());
            painter.drawRect(handle.rect().adjusted(0, 0, -1, -1));
        }
    }
}

void TDesignSurface::paintOutlines(QPainter& painter)
{
    if (m_outlines.isEmpty())
        return;
    // A two-pixel dotted frame, black on white so it shows on every band colour.
    QPen white(Qt::white, 1);
    QPen dotted(Qt::black, 1, Qt::DotLine);
    painter.setBrush(Qt::NoBrush);
    for (const QRect& r : std::as_const(m_outlines)) {
        for (const QRect& frame : {r.adjusted(0, 0, -1, -1), r.adjusted(1, 1, -2, -2)}) {
            painter.setPen(white);
            painter.drawRect(frame);
            painter.setPen(dotted);
            painter.drawRect(frame);
        }
    }
}

void TDesignSurface::updateCursor(QPoint point)
{
    const TGrabHandle* handle = TVelDesigner::instance().handleAt(m_window, point);
    setCursor(handle ? handle->cursorShape() : Qt::ArrowCursor);
}

void TDesignSurface::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    TVelDesigner::instance().mousePress(m_window, event->position().toPoint(), event->button(), event->modifiers(),
                                        event->globalPosition().toPoint());
}

void TDesignSurface::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->buttons() == Qt::NoButton)
        updateCursor(point);
    TVelDesigner::instance().mouseMove(m_window, point, event->buttons());
}

void TDesignSurface::mouseReleaseEvent(QMouseEvent* event)
{
    TVelDesigner::instance().mouseRelease(m_window, event->position().toPoint(), event->button());
    updateCursor(event->position().toPoint());
}

void TDesignSurface::keyPressEvent(QKeyEvent* event)
{
    if (!m_window->handleKey(event))
        QWidget::keyPressEvent(event);
}

void TDesignSurface::contextMenuEvent(QContextMenuEvent* event)
{
    // The designer opens the control menu on the right button press.
    event->accept();
}
