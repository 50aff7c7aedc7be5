#include "data/collection.h"

#include "core/property_access.h"

TCollectionItem::TCollectionItem(TCollection* collection) : TPersistent(collection), m_collection(collection) {}

TCollectionItem::~TCollectionItem()
{
    if (m_collection)
        m_collection->m_items.removeOne(this);
}

int TCollectionItem::index() const
{
    return m_collection ? int(m_collection->m_items.indexOf(const_cast<TCollectionItem*>(this))) : -1;
}

TCollection::TCollection(const QMetaObject* itemClass, QObject* parent) : TPersistent(parent), m_itemClass(itemClass) {}

TCollection::~TCollection()
{
    clear();
}

TCollectionItem* TCollection::add()
{
    TCollectionItem* item = createItem();
    item->m_collection = this;
    item->setParent(this);
    m_items.append(item);
    changed();
    return item;
}

void TCollection::clear()
{
    const QList<TCollectionItem*> items = m_items;
    m_items.clear();
    for (TCollectionItem* item : items) {
        item->m_collection = nullptr;
        delete item;
    }
}

void TCollection::remove(int index)
{
    if (index >= 0 && index < m_items.size())
        delete m_items[index];
}

void TCollection::assign(const TPersistent& source)
{
    const auto* other = qobject_cast<const TCollection*>(&source);
    if (!other) {
        TPersistent::assign(source);
        return;
    }
    clear();
    for (TCollectionItem* from : other->m_items)
        add()->assign(*from);
}
