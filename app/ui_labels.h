// Labelling widgets and menu items from the string table. A window's language handler
// calls these for every labelled control; running them again relabels in place.
#pragma once

class QObject;
class QString;

// The caption: a tab page's tab text, a menu's title, a window's title, a group box's
// title, otherwise the control's text (buttons, labels, edit fields, actions).
void SetControlCaption(QObject* control, int id);
// The hint, shown as tool tip and status tip.
void SetControlHint(QObject* control, int id);
// Caption from id, hint from id + 1.
void SetControlCaptionAndHint(QObject* control, int id);
// A menu item (an action or a sub-menu): caption from id, hint from id + 1. The language
// menu reads a menu item's hint back with menuItemHint().
void SetMenuCaptionAndHint(QObject* menuItem, int id);

void setControlCaptionText(QObject* control, const QString& text);
void setControlHintText(QObject* control, const QString& text);
QString menuItemHint(const QObject* menuItem);
