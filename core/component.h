// TComponent: a named object with an owner. The owner frees what it owns and keeps its
// components in creation order; a name is an identifier unique among the owner's
// components (compared without regard to case), or empty.
#pragma once

#include "core/persistent.h"

#include <QHash>
#include <QList>
#include <QPointer>

class TComponent : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName STORED false)
    Q_PROPERTY(int Tag READ tag WRITE setTag)
    Q_CLASSINFO("default:Tag", "0")
public:
    enum class Operation { Insert, Remove };

    explicit TComponent(TComponent* owner = nullptr);
    ~TComponent() override;

    TComponent* owner() const { return m_owner; }
    const QList<TComponent*>& components() const { return m_components; }
    int componentCount() const { return int(m_components.size()); }
    int componentIndex() const;

    // The owned component of that name, without regard to case; null when none. When
    // several carry the name (set unchecked), the first in creation order.
    TComponent* findComponent(QStringView name) const;

    // The base followed by the smallest positive number that no owned component carries.
    QString firstFreeNumberedName(QStringView base) const;

    // Moves ownership; the component keeps its name, which must be free in the new owner.
    void insertComponent(TComponent* component);
    void removeComponent(TComponent* component);

    QString name() const { return objectName(); }
    // Raises EVelError, changing nothing, when the name is not an identifier or is
    // taken by another component of the same owner.
    void setName(const QString& name);
    // Sets the name without the uniqueness check; used by readers that rename clashes
    // themselves and by owners assigning names they know are free.
    void setNameUnchecked(const QString& name);

    int tag() const { return m_tag; }
    void setTag(int tag);

    QString className() const;

    // Loading and designing states, as the component stream and the designer set them.
    bool isLoading() const { return m_loading; }
    void setLoading(bool loading) { m_loading = loading; }
    bool isDesigning() const { return m_designing; }
    virtual void setDesigning(bool designing);
    bool isDestroying() const { return m_destroying; }

    // Called once after the component and all its siblings were read from a stream.
    virtual void loaded();

    // The root of the ownership chain (the document a component belongs to).
    TComponent* root();

protected:
    // Marks the component as going away; called first thing by destructors whose class
    // others reach through references, so that those references stop answering it.
    void beginDestroy() { m_destroying = true; }

    // Told when a component is inserted into or removed from this owner, and (to every
    // component of the same root that asked for it) when a component is destroyed.
    virtual void notification(TComponent* component, Operation operation);

private:
    void detachFromOwner();
    void rename(const QString& name);
    void indexName(TComponent* component);
    void unindexName(TComponent* component);

    TComponent* m_owner = nullptr;
    QList<TComponent*> m_components;
    // The owned components by case-folded name, so that lookups and the naming of
    // thousands of siblings do not scan the whole list.
    QMultiHash<QString, TComponent*> m_nameIndex;
    // Per case-folded base: every number below it is known to be taken. Valid while
    // names are only added; cleared whenever an owned name is given up.
    mutable QHash<QString, int> m_firstFreeNumber;
    bool m_takenByOwner = false;
    int m_tag = 0;
    bool m_loading = false;
    bool m_designing = false;
    bool m_destroying = false;
};

// A reference to a component that clears itself when the target is destroyed, and
// stops answering the target as soon as the target's destruction begins (so that
// nothing reaches a half-destroyed object through it).
template <class T>
class TComponentRef {
public:
    TComponentRef() = default;
    TComponentRef(T* target) : m_target(target) {}
    TComponentRef& operator=(T* target)
    {
        m_target = target;
        return *this;
    }

    T* get() const
    {
        TComponent* target = m_target.data();
        return target && !target->isDestroying() ? static_cast<T*>(target) : nullptr;
    }
    T* data() const { return get(); }
    operator T*() const { return get(); }
    T* operator->() const { return get(); }
    bool isNull() const { return get() == nullptr; }

private:
    QPointer<TComponent> m_target;
};

namespace names {

// True for a valid component name: a letter or "_" followed by letters, digits or "_".
bool isValidIdentifier(QStringView name);

// The class name without its first letter followed by the smallest positive number
// giving a name free among the owner's components ("Label1", "Label2" ...).
QString defaultName(const TComponent* owner, QStringView className);

// `base` itself when it is free in the owner, otherwise base followed by 1, 2, ...
QString uniqueName(const TComponent* owner, QStringView base);

// The base followed by the smallest positive number free in the owner.
QString numberedName(const TComponent* owner, QStringView base);

} // namespace names
