#include "design/grab_handle.h"

TGrabHandle::TGrabHandle(int index, QPoint point, int halfSide, bool active, bool locked)
    : m_index(index),
      m_point(point),
      m_rect(point.x() - halfSide, point.y() - halfSide, 2 * halfSide, 2 * halfSide),
      m_active(active),
      m_locked(locked)
{
}

QColor TGrabHandle::fillColor() const
{
    if (!m_active || m_locked)
        return QColor(255, 0, 0);
    return QColor(128, 128, 0);
}

QColor TGrabHandle::outlineColor() const
{
    if (!m_active || m_locked)
        return QColor(255, 0, 0);
    return QColor(0, 0, 255);
}

Qt::CursorShape TGrabHandle::cursorShape() const
{
    if (!m_active)
        return Qt::ArrowCursor;
    switch (m_index) {
    case 0:
    case 3:
        return Qt::SizeFDiagCursor;
    case 1:
    case 2:
        return Qt::SizeBDiagCursor;
    case 4:
    case 7:
        return Qt::SizeVerCursor;
    default:
        return Qt::SizeHorCursor;
    }
}

int TGrabHandle::halfSide(int pixelsPerInch)
{
    return qMax(1, pixelsPerInch / 32);
}

QPoint TGrabHandle::pointOn(const QRect& r, int index, bool multiple, int s)
{
    const int x = r.x(), y = r.y(), w = r.width(), h = r.height();
    if (multiple) {
        switch (index) {
        case 0: return {x + s, y + s};
        case 1: return {x + w - s, y + s};
        case 2: return {x + s, y + h - s};
        default: return {x + w - s, y + h - s};
        }
    }
    switch (index) {
    case 0: return {x, y};
    case 1: return {x + w, y};
    case 2: return {x, y + h};
    case 3: return {x + w, y + h};
    case 4: return {x + w / 2, y + h};
    case 5: return {x + w, y + h / 2};
    case 6: return {x, y + h / 2};
    default: return {x + w / 2, y};
    }
}

QRect TGrabHandle::resizedRect(const QRect& original, int index, QPoint p)
{
    int left = original.x(), top = original.y();
    int right = original.x() + original.width(), bottom = original.y() + original.height();
    switch (index) {
    case 0: left = p.x(); top = p.y(); break;
    case 1: right = p.x(); top = p.y(); break;
    case 2: left = p.x(); bottom = p.y(); break;
    case 3: right = p.x(); bottom = p.y(); break;
    case 4: bottom = p.y(); break;
    case 5: right = p.x(); break;
    case 6: left = p.x(); break;
    default: top = p.y(); break;
    }
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    return QRect(left, top, right - left, bottom - top);
}
