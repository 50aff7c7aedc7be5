#include "design/commands/restack_command.h"

#include "core/control.h"

#include <algorithm>

namespace {

QStringList childOrder(const TControl* parent)
{
    QStringList names;
    for (const TControl* child : parent->controls()) {
        if (!child->name().isEmpty())
            names.append(child->name());
    }
    return names;
}

} // namespace

TRestackCommand::TRestackCommand(const QString& text, TComponent* root, const QList<TControl*>& objects,
                                 const std::function<void()>& change)
    : QUndoCommand(text), m_root(root)
{
    QList<ParentOrder> parents;
    for (TControl* object : objects) {
        TControl* parent = object->parentControl();
        if (!parent || parent->name().isEmpty())
            continue;
        const bool known = std::any_of(parents.begin(), parents.end(),
                                       [&](const ParentOrder& p) { return p.parent == parent->name(); });
        if (!known)
            parents.append({parent->name(), childOrder(parent), {}});
    }
    change();
    for (ParentOrder& order : parents) {
        if (auto* parent = qobject_cast<TControl*>(root->findComponent(order.parent)))
            order.after = childOrder(parent);
        if (order.after != order.before)
            m_parents.append(order);
    }
}

void TRestackCommand::redo()
{
    if (m_firstRedo) {
        m_firstRedo = false;
        return;
    }
    apply(true);
}

void TRestackCommand::apply(bool after)
{
    for (const ParentOrder& order : m_parents) {
        // Bringing each named child to the front in the recorded order rebuilds that order
        // (unnamed children, such as band name tags, end up below them).
        for (const QString& name : after ? order.after : order.before) {
            if (auto* child = qobject_cast<TControl*>(m_root->findComponent(name)))
                child->bringToFront();
        }
    }
    if (m_refresh)
        m_refresh();
}
