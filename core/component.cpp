#include "core/component.h"

#include "core/error.h"

namespace {

QString nameKey(QStringView name)
{
    return name.toString().toCaseFolded();
}

} // namespace

TComponent::TComponent(TComponent* owner) : TPersistent(owner)
{
    if (owner) {
        m_owner = owner;
        owner->m_components.append(this);
        owner->indexName(this);
        owner->notification(this, Operation::Insert);
    }
}

TComponent::~TComponent()
{
    m_destroying = true;
    // Owned components go first, last created first, while this object is still whole.
    while (!m_components.isEmpty()) {
        TComponent* component = m_components.takeLast();
        unindexName(component);
        component->m_takenByOwner = true;
        delete component;
    }
    detachFromOwner();
}

void TComponent::detachFromOwner()
{
    if (!m_owner)
        return;
    TComponent* owner = m_owner;
    if (!m_takenByOwner) {
        owner->m_components.removeOne(this);
        owner->unindexName(this);
    }
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
    const QString key = nameKey(name);
    const auto [first, last] = m_nameIndex.equal_range(key);
    if (first == last)
        return nullptr;
    if (std::next(first) == last)
        return *first;
    for (TComponent* component : m_components) {
        if (component->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return component;
    }
    return nullptr;
}

QString TComponent::firstFreeNumberedName(QStringView base) const
{
    const QString key = nameKey(base);
    int number = m_firstFreeNumber.value(key, 1);
    QString candidate;
    for (;; ++number) {
        candidate = base.toString() + QString::number(number);
        if (!m_nameIndex.contains(nameKey(candidate)))
            break;
    }
    m_firstFreeNumber.insert(key, number);
    return candidate;
}

void TComponent::indexName(TComponent* component)
{
    if (!component->objectName().isEmpty())
        m_nameIndex.insert(nameKey(component->objectName()), component);
}

void TComponent::unindexName(TComponent* component)
{
    if (component->objectName().isEmpty())
        return;
    m_nameIndex.remove(nameKey(component->objectName()), component);
    m_firstFreeNumber.clear();
}

void TComponent::rename(const QString& name)
{
    if (m_owner && !m_takenByOwner)
        m_owner->unindexName(this);
    setObjectName(name);
    if (m_owner && !m_takenByOwner)
        m_owner->indexName(this);
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
    component->m_takenByOwner = false;
    m_components.append(component);
    indexName(component);
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
    rename(name);
}

void TComponent::setNameUnchecked(const QString& name)
{
    if (name != objectName())
        rename(name);
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
    if (!owner)
        return base.toString() + QLatin1Char('1');
    return owner->firstFreeNumberedName(base);
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
