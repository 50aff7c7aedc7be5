// TCollection: a published property holding an ordered list of items of one class, each
// item a persistent object with published properties of its own. Files store it as a
// collection value: one property list per item.
#pragma once

#include "core/persistent.h"

#include <QList>

class TCollection;

class TCollectionItem : public TPersistent {
    Q_OBJECT
public:
    explicit TCollectionItem(TCollection* collection = nullptr);
    ~TCollectionItem() override;

    TCollection* collection() const { return m_collection; }
    int index() const;

private:
    friend class TCollection;
    TCollection* m_collection = nullptr;
};

class TCollection : public TPersistent {
    Q_OBJECT
public:
    explicit TCollection(const QMetaObject* itemClass, QObject* parent = nullptr);
    ~TCollection() override;

    const QMetaObject* itemClass() const { return m_itemClass; }
    int count() const { return int(m_items.size()); }
    TCollectionItem* item(int index) const { return m_items.value(index); }
    const QList<TCollectionItem*>& items() const { return m_items; }

    // A new item of the item class at the end.
    TCollectionItem* add();
    void clear();
    void remove(int index);

    void assign(const TPersistent& source) override;

protected:
    virtual TCollectionItem* createItem() = 0;

private:
    friend class TCollectionItem;
    const QMetaObject* m_itemClass;
    QList<TCollectionItem*> m_items;
};
