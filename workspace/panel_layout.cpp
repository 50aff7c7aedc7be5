#include "workspace/panel_layout.h"

#include <algorithm>

namespace {

// Bounds far outside any screen are pulled in, so row arithmetic cannot overflow and a
// panel with an absurd height cannot make the row walk take forever.
constexpr int kCoordinateLimit = 100000;
constexpr int kSizeLimit = 100000;

int limitCoordinate(int value) { return std::clamp(value, -kCoordinateLimit, kCoordinateLimit); }
int limitSize(int value) { return std::clamp(value, 0, kSizeLimit); }

bool sameArrangement(const QList<PanelSlot>& a, const QList<PanelSlot>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const PanelSlot& x, const PanelSlot& y) {
        return x.childIndex == y.childIndex && x.left == y.left && x.firstRow == y.firstRow && x.lastRow == y.lastRow;
    });
}

bool overlapHorizontally(const PanelSlot& a, const PanelSlot& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width;
}

} // namespace

void PanelLayout::clear()
{
    m_slots.clear();
    m_items.clear();
}

int PanelLayout::firstRowOf(int top) const
{
    return (rowHeight() / 2 + top) / rowHeight() + 1;
}

int PanelLayout::rowCountOf(int height) const
{
    return qMax(1, (rowHeight() / 2 + height) / rowHeight());
}

void PanelLayout::collect(const QList<PanelLayoutItem>& panels)
{
    m_items = panels;
    m_slots.clear();
    for (const PanelLayoutItem& item : panels) {
        if (!item.visible)
            continue;
        PanelSlot slot;
        slot.childIndex = item.childIndex;
        slot.top = limitCoordinate(item.bounds.top());
        slot.left = limitCoordinate(item.bounds.left()) - m_metrics.tabWidth;
        slot.width = item.maximize ? limitSize(item.minWidth) : limitSize(item.bounds.width()) + m_metrics.tabWidth;
        slot.height = limitSize(item.bounds.height());
        slot.maximize = item.maximize;
        slot.firstRow = firstRowOf(slot.top);
        slot.lastRow = slot.firstRow + rowCountOf(slot.height) - 1;
        m_slots.append(slot);
    }
}

bool PanelLayout::moveSlot(int childIndex, int top, int left)
{
    for (PanelSlot& slot : m_slots) {
        if (slot.childIndex != childIndex)
            continue;
        const int span = slot.rowSpan();
        slot.top = limitCoordinate(top);
        slot.left = limitCoordinate(left);
        slot.firstRow = firstRowOf(slot.top);
        slot.lastRow = slot.firstRow + span - 1;
        return true;
    }
    return false;
}

// Two passes settle the usual cases. With many panels a slot that wrapped to the next
// row can still overlap one that was pushed there before it, so further passes run until
// nothing moves any more (a settled layout is left as it is by a pass).
void PanelLayout::resolve()
{
    resolvePass();
    resolvePass();
    const int extraPasses = int(m_slots.size());
    for (int pass = 0; pass < extraPasses; ++pass) {
        const QList<PanelSlot> before = m_slots;
        resolvePass();
        if (sameArrangement(before, m_slots))
            break;
    }
}

void PanelLayout::sortSlots()
{
    if (isNetScape()) {
        std::stable_sort(m_slots.begin(), m_slots.end(),
                         [](const PanelSlot& a, const PanelSlot& b) { return a.top < b.top; });
        return;
    }
    std::stable_sort(m_slots.begin(), m_slots.end(), [](const PanelSlot& a, const PanelSlot& b) {
        return a.firstRow != b.firstRow ? a.firstRow < b.firstRow : a.left < b.left;
    });
}

void PanelLayout::resolvePass()
{
    sortSlots();
    for (PanelSlot& slot : m_slots)
        slot.left = qMax(0, slot.left);

    int nextRow = 1;
    for (int i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i].firstRow < nextRow)
            moveRowsDown(i, nextRow - m_slots[i].firstRow);
        if (isNetScape())
            stackAsBand(i, nextRow);
        else
            pushApartInRow(i);
    }
}

void PanelLayout::stackAsBand(int index, int& nextRow)
{
    PanelSlot& slot = m_slots[index];
    const int span = slot.rowSpan();
    slot.firstRow = nextRow;
    slot.lastRow = nextRow + span - 1;
    slot.left = 0;
    slot.width = m_metrics.managerWidth;
    nextRow += qMax(1, (slot.height + rowHeight() / 2) / rowHeight());
}

bool PanelLayout::passesRightEdge(const PanelSlot& slot) const
{
    return slot.left + slot.width > m_metrics.managerWidth;
}

// A slot that overlaps an earlier slot on its first row moves to that slot's right; when
// that passes the right edge it starts the next row instead. The nearest earlier slots
// are compared first, and a slot that moved is compared with the same earlier slot again.
void PanelLayout::pushApartInRow(int index)
{
    PanelSlot& slot = m_slots[index];
    if (slot.left > 0 && passesRightEdge(slot)) {
        slot.left = 0;
        moveRowsDown(index, 1);
    }
    int earlier = index - 1;
    while (earlier >= 0) {
        const PanelSlot& other = m_slots[earlier];
        if (!other.coversRow(slot.firstRow) || !overlapHorizontally(slot, other)) {
            --earlier;
            continue;
        }
        slot.left = other.left + other.width;
        if (passesRightEdge(slot)) {
            slot.left = 0;
            moveRowsDown(index, 1);
        }
    }
}

void PanelLayout::moveRowsDown(int from, int rows)
{
    for (int i = from; i < m_slots.size(); ++i) {
        m_slots[i].firstRow += rows;
        m_slots[i].lastRow += rows;
    }
}

PanelArrangement PanelLayout::apply()
{
    PanelArrangement arrangement;
    arrangement.panels = placeSlots(arrangement.lowestBottom);
    widenMaximised(arrangement.panels);
    if (m_metrics.kind != TPanelKind::pkMicroSoft)
        arrangement.hiddenTabs = flowHiddenTabs(arrangement.lowestBottom, arrangement.tabRowCount);
    arrangement.managerHeight = arrangement.lowestBottom + arrangement.tabRowCount * m_metrics.tabHeight;
    return arrangement;
}

QList<PanelPlacement> PanelLayout::placeSlots(int& lowestBottom)
{
    QList<PanelPlacement> placements;
    placements.reserve(m_slots.size());
    lowestBottom = 0;
    int nextRow = 1;
    for (int i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i].firstRow > nextRow)
            moveRowsDown(i, nextRow - m_slots[i].firstRow);
        const PanelSlot& slot = m_slots[i];
        PanelPlacement placement;
        placement.childIndex = slot.childIndex;
        const int top = (slot.firstRow - 1) * rowHeight();
        const int height = slot.rowSpan() * rowHeight();
        const int width = slot.maximize ? 0 : qMax(0, slot.width - m_metrics.tabWidth);
        placement.bounds = QRect(slot.left + m_metrics.tabWidth, top, width, height);
        placements.append(placement);
        nextRow = qMax(nextRow, slot.lastRow + 1);
        lowestBottom = qMax(lowestBottom, top + height);
    }
    return placements;
}

// A maximised panel reaches to the manager's right edge, or to the tab of the nearest
// panel right of it on any of its rows.
void PanelLayout::widenMaximised(QList<PanelPlacement>& placements) const
{
    for (int i = 0; i < m_slots.size(); ++i) {
        const PanelSlot& slot = m_slots[i];
        if (!slot.maximize)
            continue;
        int limit = m_metrics.managerWidth;
        for (int j = 0; j < m_slots.size(); ++j) {
            const PanelSlot& other = m_slots[j];
            if (j != i && other.sharesRowWith(slot) && other.left > slot.left)
                limit = qMin(limit, other.left);
        }
        QRect& bounds = placements[i].bounds;
        bounds.setWidth(qMax(0, limit - bounds.left()));
    }
}

// Tabs of collapsed panels run left to right below the lowest panel and wrap into new
// rows of tabHeight when they would pass the right edge.
QList<HiddenTab> PanelLayout::flowHiddenTabs(int top, int& rowCount) const
{
    QList<HiddenTab> tabs;
    rowCount = 0;
    int x = 0;
    for (const PanelLayoutItem& item : m_items) {
        if (item.visible)
            continue;
        const int width = qMax(limitSize(item.captionWidth), limitSize(item.bounds.height()));
        if (rowCount == 0) {
            rowCount = 1;
        } else if (x > 0 && x + width > m_metrics.managerWidth) {
            ++rowCount;
            x = 0;
        }
        HiddenTab tab;
        tab.top = top + (rowCount - 1) * m_metrics.tabHeight;
        tab.left = x;
        tab.width = width;
        tab.childIndex = item.childIndex;
        tabs.append(tab);
        x += width;
    }
    return tabs;
}

PanelArrangement PanelLayout::arrange(const PanelLayoutMetrics& metrics, const QList<PanelLayoutItem>& panels)
{
    PanelLayout layout(metrics);
    layout.collect(panels);
    layout.resolve();
    return layout.apply();
}
