// TVelSelList: the selection of one design window, in the order the objects were
// selected, with the grab handles of each entry (TGrabHandles). The selection holds
// either exactly one band or the report, or any number of printable controls.
#pragma once

#include "design/grab_handle.h"

#include <QList>
#include <QPointer>

#include <memory>

#include "core/control.h"

class TGrabHandles {
public:
    explicit TGrabHandles(TControl* control) : m_control(control) {}

    TControl* control() const { return m_control; }
    bool isShown() const { return m_shown; }
    const QList<TGrabHandle>& handles() const { return m_handles; }
    // Creates or re-places the handles for a selection of `count` entries.
    void place(int count, int pixelsPerInch);
    void clear();

private:
    QPointer<TControl> m_control;
    QList<TGrabHandle> m_handles;
    bool m_shown = false;
};

class TVelSelList {
public:
    explicit TVelSelList(int pixelsPerInch = 96) : m_pixelsPerInch(pixelsPerInch) {}

    int count() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    TControl* control(int index) const;
    QList<TControl*> controls() const;
    int indexOf(const TControl* control) const;
    bool contains(const TControl* control) const { return indexOf(control) >= 0; }
    // Whether the selection is a band or the report (which is always alone).
    bool holdsBandOrReport() const;

    // Adds a control. A band or the report clears the selection first; nothing is added
    // while a band or the report is selected. Adding many at once, pass false and
    // re-place the handles once at the end.
    void add(TControl* control, bool placeHandles = true);
    void remove(TControl* control);
    void clear();
    // Drops entries whose control was destroyed.
    void prune();

    bool isVisible() const { return m_visible; }
    void show();
    void hide();
    // Re-places every entry's handles (after controls moved or the zoom changed).
    void replaceAll();
    // Every handle that is shown, with the entry it belongs to.
    const std::vector<std::unique_ptr<TGrabHandles>>& entries() const { return m_entries; }

    int pixelsPerInch() const { return m_pixelsPerInch; }
    void setPixelsPerInch(int ppi) { m_pixelsPerInch = ppi; }

private:
    std::vector<std::unique_ptr<TGrabHandles>> m_entries;
    bool m_visible = true;
    int m_pixelsPerInch;
};
