#include "workspace/panel_state.h"

#include "workspace/managed_panel.h"
#include "workspace/panel_manager.h"

TPanelState panelState(const TMPanel& panel)
{
    TPanelState state;
    state.floating = panel.isFloating();
    if (state.floating && panel.floatingWindow()) {
        const QPoint position = panel.floatingWindow()->pos();
        state.left = position.x();
        state.top = position.y();
        state.visible = true;
    } else {
        state.left = panel.x();
        state.top = panel.y();
        state.visible = !panel.isCollapsed();
    }
    if (const TPanelManager* manager = panel.manager())
        state.row = qMax(0, panel.y()) / manager->rowHeight() + 1;
    return state;
}

void restorePanelState(TMPanel& panel, const TPanelState& state)
{
    TPanelManager* manager = panel.manager();
    if (!manager)
        return;
    if (panel.isFloating()) {
        if (state.floating) {
            panel.floatingWindow()->move(state.left, state.top);
            return;
        }
        if (!manager->dockPanel(&panel))
            return;
    }
    panel.move(state.left, state.top);
    panel.setVisible(state.visible);
    if (state.floating)
        manager->floatPanel(&panel, QPoint(state.left, state.top));
}
