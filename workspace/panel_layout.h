// PanelLayout: arranges the panels of the panel manager in rows. It works on plain numbers
// (no widgets) in three steps: collect the visible panels into slots, resolve overlaps and
// rows that run past the right edge, and apply the slots as panel bounds, the tabs of
// collapsed panels and the manager's height.
#pragma once

#include "workspace/panel_kind.h"

#include <QList>
#include <QRect>

struct PanelLayoutMetrics {
    TPanelKind kind = TPanelKind::pkNetScape;
    int rowHeight = 1;      // the height of one row (the manager's ButtonHeight as rows use it)
    int tabWidth = 10;      // grip or tab left of every panel
    int tabHeight = 10;     // height of one row of collapsed-panel tabs
    int managerWidth = 0;
};

// One child panel of the manager as the layout sees it.
struct PanelLayoutItem {
    int childIndex = 0;
    QRect bounds;           // the panel itself, without its tab
    bool visible = true;    // false: collapsed (gets a hidden tab where the style has them)
    bool maximize = false;
    int minWidth = 100;
    int captionWidth = 0;   // width a collapsed tab needs for its caption; 0 without caption
};

// A visible panel during layout. left and width include the tab.
struct PanelSlot {
    int top = 0;
    int left = 0;
    int height = 0;
    int width = 0;
    int childIndex = 0;
    int firstRow = 1;
    int lastRow = 1;
    bool maximize = false;

    int rowSpan() const { return lastRow - firstRow + 1; }
    bool coversRow(int row) const { return row >= firstRow && row <= lastRow; }
    bool sharesRowWith(const PanelSlot& other) const
    {
        return firstRow <= other.lastRow && other.firstRow <= lastRow;
    }
};

// The tab of a collapsed panel, below the rows.
struct HiddenTab {
    int top = 0;
    int left = 0;
    int width = 0;
    int childIndex = 0;
};

struct PanelPlacement {
    int childIndex = 0;
    QRect bounds;           // the panel itself, without its tab
};

struct PanelArrangement {
    QList<PanelPlacement> panels;   // in slot order
    QList<HiddenTab> hiddenTabs;
    int lowestBottom = 0;           // bottom of the lowest panel
    int tabRowCount = 0;
    int managerHeight = 0;
};

class PanelLayout {
public:
    PanelLayout() = default;
    explicit PanelLayout(const PanelLayoutMetrics& metrics) : m_metrics(metrics) {}

    const PanelLayoutMetrics& metrics() const { return m_metrics; }
    void setMetrics(const PanelLayoutMetrics& metrics) { m_metrics = metrics; }

    // Makes one slot per visible panel, in the order given; remembers the panels for the
    // hidden tabs of apply().
    void collect(const QList<PanelLayoutItem>& panels);
    // Sorts the slots and pushes them apart. The pass runs at least twice, because a slot
    // moved down a row is not compared again with the slots it passed, and then again
    // while it still moves something.
    void resolve();
    // Gives a dropped panel's slot its new top and left (tab included) and recomputes its
    // rows from the top, keeping their number. False when the panel has no slot.
    bool moveSlot(int childIndex, int top, int left);
    // Closes row gaps and computes every panel's bounds, the hidden tabs and the height.
    PanelArrangement apply();

    const QList<PanelSlot>& slotList() const { return m_slots; }
    void clear();

    // collect, resolve and apply in one go.
    static PanelArrangement arrange(const PanelLayoutMetrics& metrics, const QList<PanelLayoutItem>& panels);

private:
    bool isNetScape() const { return m_metrics.kind == TPanelKind::pkNetScape; }
    int rowHeight() const { return qMax(1, m_metrics.rowHeight); }
    int firstRowOf(int top) const;
    int rowCountOf(int height) const;

    void resolvePass();
    void sortSlots();
    void stackAsBand(int index, int& nextRow);
    void pushApartInRow(int index);
    void moveRowsDown(int from, int rows);
    bool passesRightEdge(const PanelSlot& slot) const;

    QList<PanelPlacement> placeSlots(int& lowestBottom);
    void widenMaximised(QList<PanelPlacement>& placements) const;
    QList<HiddenTab> flowHiddenTabs(int top, int& rowCount) const;

    PanelLayoutMetrics m_metrics;
    QList<PanelSlot> m_slots;
    QList<PanelLayoutItem> m_items;
};
