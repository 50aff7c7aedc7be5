// The place and state of a panel, in the form the main window keeps in the settings store
// between runs.
#pragma once

class TMPanel;

struct TPanelState {
    int top = 0;            // docked: the panel's top in the manager; floating: the window's screen top
    int left = 0;           // docked: the panel's left in the manager; floating: the window's screen left
    int row = 1;            // docked: the panel's first row, counted from 1 (follows from top)
    bool visible = true;    // false: collapsed into a tab
    bool floating = false;
    bool operator==(const TPanelState&) const = default;
};

// The state of a panel docked in or floated from a manager.
TPanelState panelState(const TMPanel& panel);

// Puts the panel back: docked at top and left (the manager arranges the rows), collapsed
// when not visible, or floating with its window at the stored screen position. A floating
// panel that should be docked is docked first (OnPanelAction is asked). A panel without a
// manager is left alone.
void restorePanelState(TMPanel& panel, const TPanelState& state);
