// The area below the main window's menus that holds the speed bars, the component
// palette and the control editors: the panel manager, starting with the control editor
// panel in its empty state.
#pragma once

#include <functional>

class QWidget;

// `heightChanged` is told whenever the area's height changes, so the window can follow.
QWidget* createPanelArea(QWidget* parent, std::function<void()> heightChanged);

// The height the area asks for.
int panelAreaHeight(const QWidget* area);
