#include "design/selection_list.h"

#include "design/design_geometry.h"
#include "engine/rp_bands.h"
#include "engine/rp_report.h"

void TGrabHandles::place(int count, int pixelsPerInch)
{
    m_handles.clear();
    m_shown = true;
    if (!m_control)
        return;
    if (qobject_cast<TReport*>(m_control.data()))
        return;
    const QRect rect = designgeometry::rectInReport(m_control);
    const int s = TGrabHandle::halfSide(pixelsPerInch);
    const bool locked = designgeometry::isLocked(m_control, designgeometry::TLockBit::CannotMove);
    auto handleAt = [&](int index, bool multiple) {
        const QPoint point = TGrabHandle::pointOn(rect, index, multiple, s);
        return TGrabHandle(index, point, s, !multiple, locked);
    };
    if (count > 1) {
        for (int index = 0; index < 4; ++index)
            m_handles.append(handleAt(index, true));
    } else if (qobject_cast<TRpCustomBand*>(m_control.data())) {
        m_handles.append(handleAt(7, false));
        m_handles.append(handleAt(4, false));
    } else {
        for (int index = 0; index < 8; ++index)
            m_handles.append(handleAt(index, false));
    }
}

void TGrabHandles::clear()
{
    m_handles.clear();
    m_shown = false;
}

TControl* TVelSelList::control(int index) const
{
    return index >= 0 && index < count() ? m_entries[size_t(index)]->control() : nullptr;
}

QList<TControl*> TVelSelList::controls() const
{
    QList<TControl*> list;
    list.reserve(count());
    for (const auto& entry : m_entries) {
        if (entry->control())
            list.append(entry->control());
    }
    return list;
}

int TVelSelList::indexOf(const TControl* control) const
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i]->control() == control)
            return int(i);
    }
    return -1;
}

bool TVelSelList::holdsBandOrReport() const
{
    return count() == 1 && designgeometry::isBandOrReport(control(0));
}

void TVelSelList::add(TControl* control, bool placeHandles)
{
    if (!control || contains(control))
        return;
    if (designgeometry::isBandOrReport(control))
        clear();
    else if (holdsBandOrReport())
        return;
    m_entries.push_back(std::make_unique<TGrabHandles>(control));
    if (m_visible && placeHandles)
        replaceAll();
}

void TVelSelList::remove(TControl* control)
{
    const int index = indexOf(control);
    if (index < 0)
        return;
    m_entries.erase(m_entries.begin() + index);
    if (m_visible)
        replaceAll();
}

void TVelSelList::clear()
{
    m_entries.clear();
}

void TVelSelList::prune()
{
    std::erase_if(m_entries, [](const auto& entry) { return entry->control() == nullptr; });
}

void TVelSelList::show()
{
    m_visible = true;
    replaceAll();
}

void TVelSelList::hide()
{
    m_visible = false;
    for (auto& entry : m_entries)
        entry->clear();
}

void TVelSelList::replaceAll()
{
    prune();
    if (!m_visible)
        return;
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it)
        (*it)->place(count(), m_pixelsPerInch);
}
