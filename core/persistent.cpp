#include "core/persistent.h"

#include "core/property_access.h"

#include <QMetaProperty>

TPersistent::TPersistent(QObject* parent) : QObject(parent) {}

TPersistent::~TPersistent() = default;

bool TPersistent::isPropertyStored(const QMetaProperty& property) const
{
    return property.isStored();
}

void TPersistent::defineProperties(TPropertyDefiner&) {}

void TPersistent::assign(const TPersistent& source)
{
    props::copyPublishedProperties(source, *this);
}

void TPersistent::changed()
{
    if (m_onChange)
        m_onChange();
}
