#include "core/control.h"

#include <algorithm>

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl()
{
    while (!m_controls.isEmpty()) {
        TControl* child = m_controls.takeLast();
        child->m_parent = nullptr;
        delete child;
    }
    detachFromParent();
}

void TControl::detachFromParent()
{
    if (!m_parent)
        return;
    TControl* parent = m_parent;
    parent->m_controls.removeOne(this);
    m_parent = nullptr;
    if (!parent->isDestroying())
        parent->controlsChanged();
}

void TControl::setParentControl(TControl* parent)
{
    if (parent == m_parent || parent == this)
        return;
    detachFromParent();
    if (parent) {
        m_parent = parent;
        parent->m_controls.append(this);
        parent->controlsChanged();
    }
    parentChanged();
}

void TControl::bringToFront()
{
    if (m_parent)
        setStackIndex(int(m_parent->m_controls.size()) - 1);
}

void TControl::sendToBack()
{
    setStackIndex(0);
}

void TControl::setStackIndex(int index)
{
    if (!m_parent)
        return;
    QList<TControl*>& siblings = m_parent->m_controls;
    const qsizetype from = siblings.indexOf(this);
    const qsizetype to = std::clamp<qsizetype>(index, 0, siblings.size() - 1);
    if (from < 0 || from == to)
        return;
    siblings.move(from, to);
    m_parent->controlsChanged();
}

void TControl::setBounds(int left, int top, int width, int height)
{
    const QRect bounds(left, top, width, height);
    if (bounds == m_bounds)
        return;
    m_bounds = bounds;
    boundsChanged();
}
