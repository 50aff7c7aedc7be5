#include "app/ui_labels.h"

#include "core/strings/ui_strings.h"

#include <QAction>
#include <QMenu>
#include <QMetaProperty>
#include <QStackedWidget>
#include <QTabWidget>
#include <QWidget>

namespace {

QTabWidget* tabWidgetOfPage(const QWidget* page)
{
    const auto* stack = qobject_cast<const QStackedWidget*>(page->parentWidget());
    return stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

bool setCaptionProperty(QObject* control, const char* property, const QString& text)
{
    const QMetaObject* meta = control->metaObject();
    const int index = meta->indexOfProperty(property);
    return index >= 0 && meta->property(index).isWritable() && control->setProperty(property, text);
}

QAction* actionOfMenuItem(QObject* menuItem)
{
    if (auto* menu = qobject_cast<QMenu*>(menuItem))
        return menu->menuAction();
    return qobject_cast<QAction*>(menuItem);
}

} // namespace

void setControlCaptionText(QObject* control, const QString& text)
{
    if (!control)
        return;
    if (auto* menu = qobject_cast<QMenu*>(control)) {
        menu->setTitle(text);
        return;
    }
    if (auto* widget = qobject_cast<QWidget*>(control)) {
        if (QTabWidget* tabs = tabWidgetOfPage(widget)) {
            tabs->setTabText(tabs->indexOf(widget), text);
            return;
        }
        if (widget->isWindow()) {
            widget->setWindowTitle(text);
            return;
        }
    }
    if (setCaptionProperty(control, "title", text) || setCaptionProperty(control, "text", text))
        return;
    setCaptionProperty(control, "windowTitle", text);
}

void setControlHintText(QObject* control, const QString& text)
{
    if (QAction* action = actionOfMenuItem(control)) {
        action->setToolTip(text);
        action->setStatusTip(text);
        return;
    }
    if (auto* widget = qobject_cast<QWidget*>(control)) {
        widget->setToolTip(text);
        widget->setStatusTip(text);
    }
}

QString menuItemHint(const QObject* menuItem)
{
    if (const auto* menu = qobject_cast<const QMenu*>(menuItem))
        return menu->menuAction()->statusTip();
    if (const auto* action = qobject_cast<const QAction*>(menuItem))
        return action->statusTip();
    return {};
}

void SetControlCaption(QObject* control, int id)
{
    setControlCaptionText(control, LoadUiString(id));
}

void SetControlHint(QObject* control, int id)
{
    setControlHintText(control, LoadUiString(id));
}

void SetControlCaptionAndHint(QObject* control, int id)
{
    SetControlCaption(control, id);
    SetControlHint(control, id + 1);
}

void SetMenuCaptionAndHint(QObject* menuItem, int id)
{
    SetControlCaption(menuItem, id);
    SetControlHint(menuItem, id + 1);
}
