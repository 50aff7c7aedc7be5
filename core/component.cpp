#include "core/component.h"

#include "core/error.h"

TComponent::TComponent(TComponent* owner) : TPersistent(owner)
{
    if (owner) {
        m_owner = owner;
        owner->m_components.append(this);
        owner->notification(this, Operation::Insert);
    }
}

TComponent::~TComponent()
{
    m_destroying = true;
    // Owned components go first, last created first, while this object is still whole.
    while (!m_components.isEmpty())
        delete m_components.takeLast();
    detachFromOwner();
}

void TComponent::detachFromOwner()
{
    if (!m_owner)
        return;
    TComponent* owner = m_owner;
    owner->m_components.removeOne(this);
    m_owner = nullptr;
    if (!owner->m_destroying)
        owner->notification(this, Operation::Remove);
}

int TComponent::componentIndex() const
{
    return m_owner ? int(m_owner->m_components.indexOf(const_cast<TComponent*>(this))) : -1;
}

TComponent* TComponent::findComponent(QStringView name) const
{
    if (name.isEmpty())
        return nullptr;
    for (TComponent* component : m_components) {
        if (component->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return component;
    }
    return nullptr;
}

void TComponent::insertComponent(TComponent* component)
{
    if (!component || component->m_owner == this)
        return;
    if (!component->name().isEmpty() && findComponent(component->name()))
        throw EVelError(QStringLiteral("A component named %1 already exists").arg(component->name()));
    component->detachFromOwner();
    component->setParent(this);
    component->m_owner = this;
    m_components.append(component);
    notification(component, Operation::Insert);
}

void TComponent::removeComponent(TComponent* component)
{
    if (!component || component->m_owner != this)
        return;
    component->detachFromOwner();
    component->setParent(nullptr);
}

void TComponent::setName(const QString& name)
{
    if (name == objectName())
        return;
    if (!name.isEmpty() && !names::isValidIdentifier(name))
        throw EVelError(QStringLiteral("Component name \"%1\" is not a valid identifier").arg(name));
    if (m_owner) {
        TComponent* other = m_owner->findComponent(name);
        if (other && other != this)
            throw EVelError(QStringLiteral("A component named %1 already exists").arg(name));
    }
    setObjectName(name);
}

void TComponent::setNameUnchecked(const QString& name)
{
    setObjectName(name);
}

void TComponent::setTag(int tag)
{
    m_tag = tag;
}

QString TComponent::className() const
{
    return QString::fromLatin1(metaObject()->className());
}

void TComponent::setDesigning(bool designing)
{
    m_designing = designing;
    for (TComponent* component : m_components)
        component->setDesigning(designing);
}

void TComponent::loaded() {}

TComponent* TComponent::root()
{
    TComponent* component = this;
    while (component->m_owner)
        component = component->m_owner;
    return component;
}

void TComponent::notification(TComponent*, Operation) {}

namespace names {

bool isValidIdentifier(QStringView name)
{
    if (name.isEmpty())
        return false;
    auto isAsciiLetter = [](QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); };
    if (!isAsciiLetter(name.front()) && name.front() != u'_')
        return false;
    for (QChar c : name) {
        if (!isAsciiLetter(c) && !(c >= u'0' && c <= u'9') && c != u'_')
            return false;
    }
    return true;
}

QString numberedName(const TComponent* owner, QStringView base)
{
    for (int number = 1;; ++number) {
        const QString candidate = base.toString() + QString::number(number);
        if (!owner || !owner->findComponent(candidate))
            return candidate;
    }
}

QString defaultName(const TComponent* owner, QStringView className)
{
    return numberedName(owner, className.mid(1));
}

QString uniqueName(const TComponent* owner, QStringView base)
{
    if (!owner || !owner->findComponent(base))
        return base.toString();
    return numberedName(owner, base);
}

} // namespace names
