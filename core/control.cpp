#include "core/control.h"

#include "core/font.h"

#include <QMetaProperty>

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
    takeInherited();
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

void TControl::setColor(TColor color)
{
    m_color = color;
    m_parentColor = false;
    for (TControl* child : m_controls) {
        if (child->m_parentColor)
            child->takeInherited();
    }
}

void TControl::setParentColor(bool parentColor)
{
    m_parentColor = parentColor;
    takeInherited();
}

TFont* TControl::font() const
{
    if (!m_font) {
        m_font = new TFont(const_cast<TControl*>(this));
        m_font->setOnChange([this] { const_cast<TControl*>(this)->ownFontChanged(); });
    }
    return m_font;
}

void TControl::setFont(TFont* font)
{
    if (font && font != this->font())
        m_font->assign(*font);
}

void TControl::setParentFont(bool parentFont)
{
    m_parentFont = parentFont;
    takeInherited();
}

void TControl::ownFontChanged()
{
    if (!m_takingParentFont)
        m_parentFont = false;
    for (TControl* child : m_controls) {
        if (child->m_parentFont)
            child->takeInherited();
    }
    fontChanged();
}

void TControl::takeInherited()
{
    if (!m_parent)
        return;
    if (m_parentFont) {
        m_takingParentFont = true;
        font()->assign(*m_parent->font());
        m_takingParentFont = false;
    }
    if (m_parentColor)
        m_color = m_parent->m_color;
}

bool TControl::isPropertyStored(const QMetaProperty& property) const
{
    const QLatin1String name(property.name());
    if (name == QLatin1String("Font"))
        return !m_parentFont;
    if (name == QLatin1String("Color"))
        return !m_parentColor;
    return TComponent::isPropertyStored(property);
}
