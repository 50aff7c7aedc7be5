// TGrabHandle: one of the eight small squares around a selected control. A single
// selection's handles sit on the control's corners and edge midpoints and resize it;
// in a multiple selection four red squares sit inside each control's corners and do
// not react to the mouse.
#pragma once

#include <QColor>
#include <QRect>

#include <Qt>

class TControl;

class TGrabHandle {
public:
    // Index: 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right, 4 bottom middle,
    // 5 right middle, 6 left middle, 7 top middle.
    TGrabHandle(int index, QPoint point, int halfSide, bool active, bool locked);

    int index() const { return m_index; }
    // The square in report coordinates.
    QRect rect() const { return m_rect; }
    // The point of the control the handle stands for.
    QPoint centre() const { return m_point; }
    // Whether the handle resizes its control (single selection only).
    bool isActive() const { return m_active; }
    QColor fillColor() const;
    QColor outlineColor() const;
    Qt::CursorShape cursorShape() const;

    // Half the side of a handle: screen pixels per inch / 32.
    static int halfSide(int pixelsPerInch);
    // The handle's point on a control's rectangle (report coordinates), for a single
    // selection (on the edges) or a multiple one (inside the corners).
    static QPoint pointOn(const QRect& control, int index, bool multiple, int halfSide);
    // The rectangle a handle being dragged to `point` gives the control: the edges it
    // does not move stay, and a rectangle turned inside out is normalised.
    static QRect resizedRect(const QRect& original, int index, QPoint point);

private:
    int m_index;
    QPoint m_point;
    QRect m_rect;
    bool m_active;
    bool m_locked;
};
