// The area below the main window's menus that holds the speed bars, the component
// palette and the control editors. Until the panel manager is part of the program it is
// a plain strip showing the control editors' empty state.
#pragma once

class QWidget;

QWidget* createPanelArea(QWidget* parent);
