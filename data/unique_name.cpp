#include "data/unique_name.h"

#include "core/component.h"

namespace componentnames {

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

QString baseName(const TComponent* component, const QString& text)
{
    if (text.isEmpty())
        return component->className().mid(1);
    QString base = text;
    if (!isAsciiLetter(base[0]))
        base[0] = u'a';
    for (qsizetype i = 1; i < base.size(); ++i) {
        if (!isAsciiLetter(base[i]) && !isAsciiDigit(base[i]))
            base[i] = u'_';
    }
    return base;
}

bool isFree(const TComponent* component, const QString& name)
{
    const TComponent* owner = component->owner();
    if (!owner)
        return true;
    const TComponent* holder = owner->findComponent(name);
    return !holder || holder == component;
}

} // namespace

QString UniqueComponentName(TComponent* component, const QString& text)
{
    if (!component)
        return {};
    const QString base = baseName(component, text);
    QString name = base;
    for (int n = 0; !isFree(component, name); ++n)
        name = base + QString::number(n);
    component->setNameUnchecked(name);
    return name;
}

} // namespace componentnames
