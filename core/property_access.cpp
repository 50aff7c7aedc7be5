#include "core/property_access.h"

#include "core/color.h"
#include "core/component.h"
#include "core/global_names.h"
#include "core/ident_maps.h"
#include "core/method.h"
#include "core/persistent.h"
#include "core/strings.h"

#include <QMetaEnum>

#include <cmath>

namespace props {

namespace {

QString describe(const QObject* object, QStringView path)
{
    return QStringLiteral("%1.%2").arg(QString::fromLatin1(object->metaObject()->className()), path.toString());
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

bool isPointerTo(const QMetaProperty& property, const QMetaObject& base)
{
    const QMetaType type = property.metaType();
    if (!(type.flags() & QMetaType::PointerToQObject))
        return false;
    const QMetaObject* metaObject = type.metaObject();
    return metaObject && metaObject->inherits(&base);
}

QObject* objectValue(const QVariant& value)
{
    if (!(value.metaType().flags() & QMetaType::PointerToQObject))
        return nullptr;
    return *static_cast<QObject* const*>(value.constData());
}

QVariant objectVariant(const QMetaProperty& property, QObject* object)
{
    const QMetaObject* target = property.metaType().metaObject();
    void* pointer = object && target ? target->cast(object) : nullptr;
    if (object && !pointer)
        return {};
    return QVariant(property.metaType(), &pointer);
}

QString setToText(const QMetaEnum& meta, int value)
{
    QStringList names;
    for (int i = 0; i < meta.keyCount(); ++i) {
        const int bit = meta.value(i);
        if (bit != 0 && (value & bit) == bit)
            names.append(QString::fromLatin1(meta.key(i)));
    }
    return QLatin1Char('[') + names.join(QLatin1String(", ")) + QLatin1Char(']');
}

std::optional<int> setFromText(const QMetaEnum& meta, QStringView text)
{
    QStringView body = text.trimmed();
    if (!body.startsWith(u'[') || !body.endsWith(u']'))
        return std::nullopt;
    body = body.mid(1, body.size() - 2);
    int value = 0;
    for (QStringView part : body.split(u',')) {
        const QStringView name = part.trimmed();
        if (name.isEmpty())
            continue;
        bool found = false;
        for (int i = 0; i < meta.keyCount(); ++i) {
            if (name.compare(QLatin1String(meta.key(i)), Qt::CaseInsensitive) == 0) {
                value |= meta.value(i);
                found = true;
                break;
            }
        }
        if (!found)
            return std::nullopt;
    }
    return value;
}

std::optional<int> enumFromText(const QMetaEnum& meta, QStringView text)
{
    const QStringView name = text.trimmed();
    for (int i = 0; i < meta.keyCount(); ++i) {
        if (name.compare(QLatin1String(meta.key(i)), Qt::CaseInsensitive) == 0)
            return meta.value(i);
    }
    return std::nullopt;
}

QString floatToText(double value)
{
    return QString::number(value, 'g', 15);
}

} // namespace

Kind kindOf(const QMetaProperty& property)
{
    if (property.isEnumType())
        return property.isFlagType() ? Kind::Set : Kind::Enumeration;
    const QMetaType type = property.metaType();
    switch (type.id()) {
    case QMetaType::Bool:
        return Kind::Boolean;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::UChar:
    case QMetaType::SChar:
        return Kind::Integer;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return Kind::Int64;
    case QMetaType::Double:
    case QMetaType::Float:
        return Kind::Float;
    case QMetaType::QString:
        return Kind::String;
    case QMetaType::QByteArray:
        return Kind::Binary;
    default:
        break;
    }
    if (type == QMetaType::fromType<TColor>())
        return Kind::Color;
    if (type == QMetaType::fromType<TMethod>())
        return Kind::Event;
    if (isPointerTo(property, TStrings::staticMetaObject))
        return Kind::Strings;
    if (isPointerTo(property, TComponent::staticMetaObject))
        return Kind::Reference;
    if (isPointerTo(property, TPersistent::staticMetaObject))
        return Kind::Object;
    return Kind::Unknown;
}

QList<QMetaProperty> published(const QMetaObject* metaObject)
{
    QList<QMetaProperty> result;
    for (int i = QObject::staticMetaObject.propertyCount(); i < metaObject->propertyCount(); ++i)
        result.append(metaObject->property(i));
    return result;
}

std::optional<QMetaProperty> find(const QMetaObject* metaObject, QStringView name)
{
    // Most derived first, so that a class can re-declare a property of its base.
    for (int i = metaObject->propertyCount() - 1; i >= QObject::staticMetaObject.propertyCount(); --i) {
        const QMetaProperty property = metaObject->property(i);
        if (name.compare(QLatin1String(property.name()), Qt::CaseInsensitive) == 0)
            return property;
    }
    return std::nullopt;
}

Target resolve(QObject* object, QStringView path)
{
    QObject* current = object;
    qsizetype start = 0;
    while (current) {
        const qsizetype dot = path.indexOf(u'.', start);
        const QStringView step = dot < 0 ? path.mid(start) : path.mid(start, dot - start);
        const auto property = find(current->metaObject(), step);
        if (!property)
            return {};
        if (dot < 0)
            return {current, *property};
        const Kind kind = kindOf(*property);
        if (kind != Kind::Object && kind != Kind::Strings)
            return {};
        current = objectValue(property->read(current));
        start = dot + 1;
    }
    return {};
}

QVariant get(QObject* object, QStringView path, QString* error)
{
    const Target target = resolve(object, path);
    if (!target) {
        setError(error, QStringLiteral("Property %1 does not exist").arg(describe(object, path)));
        return {};
    }
    return target.property.read(target.object);
}

bool set(QObject* object, QStringView path, const QVariant& value, QString* error)
{
    const Target target = resolve(object, path);
    if (!target) {
        setError(error, QStringLiteral("Property %1 does not exist").arg(describe(object, path)));
        return false;
    }
    if (!target.property.isWritable()) {
        setError(error, QStringLiteral("Property %1 is read-only").arg(describe(object, path)));
        return false;
    }
    QVariant converted = value;
    const Kind kind = kindOf(target.property);
    if (kind == Kind::Enumeration || kind == Kind::Set) {
        if (value.metaType() != target.property.metaType())
            converted = enumVariant(target.property, value.toInt());
    } else if (kind == Kind::Reference || kind == Kind::Object || kind == Kind::Strings) {
        converted = objectVariant(target.property, objectValue(value));
        if (!converted.isValid()) {
            setError(error, QStringLiteral("Invalid property value for %1").arg(describe(object, path)));
            return false;
        }
    } else if (converted.metaType() != target.property.metaType()
               && !converted.convert(target.property.metaType())) {
        setError(error, QStringLiteral("Invalid property value for %1").arg(describe(object, path)));
        return false;
    }
    try {
        if (target.property.write(target.object, converted))
            return true;
    } catch (const std::exception& exception) {
        setError(error, QString::fromUtf8(exception.what()));
        return false;
    }
    setError(error, QStringLiteral("Invalid property value for %1").arg(describe(object, path)));
    return false;
}

QString getText(QObject* object, QStringView path, QString* error)
{
    const Target target = resolve(object, path);
    if (!target) {
        setError(error, QStringLiteral("Property %1 does not exist").arg(describe(object, path)));
        return {};
    }
    return toText(target.property, target.property.read(target.object), target.object);
}

bool setText(QObject* object, QStringView path, QStringView text, QString* error)
{
    const Target target = resolve(object, path);
    if (!target) {
        setError(error, QStringLiteral("Property %1 does not exist").arg(describe(object, path)));
        return false;
    }
    if (kindOf(target.property) == Kind::Strings) {
        auto* strings = qobject_cast<TStrings*>(objectValue(target.property.read(target.object)));
        if (!strings)
            return false;
        strings->setText(text.toString());
        return true;
    }
    const auto value = fromText(target.property, text, target.object, error);
    if (!value)
        return false;
    return set(target.object, QString::fromLatin1(target.property.name()), *value, error);
}

int enumValue(const QVariant& value)
{
    if (value.metaType().sizeOf() == int(sizeof(int)) && (value.metaType().flags() & QMetaType::IsEnumeration))
        return *static_cast<const int*>(value.constData());
    if (value.metaType().sizeOf() == int(sizeof(int)) && QByteArray(value.metaType().name()).startsWith("QFlags<"))
        return *static_cast<const int*>(value.constData());
    return value.toInt();
}

QVariant enumVariant(const QMetaProperty& property, int value)
{
    if (property.metaType().sizeOf() != int(sizeof(int)))
        return QVariant(value);
    return QVariant(property.metaType(), &value);
}

QString referenceName(const TComponent* target, const QObject* context)
{
    if (!target)
        return {};
    auto* contextComponent = qobject_cast<const TComponent*>(context);
    if (!contextComponent) {
        for (const QObject* parent = context; parent && !contextComponent; parent = parent->parent())
            contextComponent = qobject_cast<const TComponent*>(parent);
    }
    TComponent* targetRoot = const_cast<TComponent*>(target)->root();
    TComponent* contextRoot = contextComponent ? const_cast<TComponent*>(contextComponent)->root() : nullptr;
    if (targetRoot == target || targetRoot == contextRoot)
        return target->name();
    return targetRoot->name() + QLatin1Char('.') + target->name();
}

TComponent* findReference(QStringView name, const QObject* context)
{
    if (name.isEmpty())
        return nullptr;
    const TComponent* contextComponent = nullptr;
    for (const QObject* parent = context; parent && !contextComponent; parent = parent->parent())
        contextComponent = qobject_cast<const TComponent*>(parent);
    if (contextComponent && !name.contains(u'.')) {
        TComponent* root = const_cast<TComponent*>(contextComponent)->root();
        if (root->name().compare(name, Qt::CaseInsensitive) == 0)
            return root;
        if (TComponent* found = root->findComponent(name))
            return found;
    }
    return globalnames::findComponent(name);
}

QString toText(const QMetaProperty& property, const QVariant& value, const QObject* context)
{
    switch (kindOf(property)) {
    case Kind::Boolean:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case Kind::Integer: {
        const QString map = context ? identMap(context->metaObject(), property.name()) : QString();
        if (!map.isEmpty()) {
            if (auto ident = idents::toIdent(map, value.toInt()))
                return *ident;
        }
        return QString::number(value.toLongLong());
    }
    case Kind::Int64:
        return QString::number(value.toLongLong());
    case Kind::Float:
        return floatToText(value.toDouble());
    case Kind::String:
        return value.toString();
    case Kind::Enumeration:
        return QString::fromLatin1(property.enumerator().valueToKey(enumValue(value)));
    case Kind::Set:
        return setToText(property.enumerator(), enumValue(value));
    case Kind::Color:
        return value.value<TColor>().toText();
    case Kind::Event:
        return value.value<TMethod>().name;
    case Kind::Strings:
        if (auto* strings = qobject_cast<TStrings*>(objectValue(value)))
            return strings->text();
        return {};
    case Kind::Reference:
        return referenceName(qobject_cast<TComponent*>(objectValue(value)), context);
    case Kind::Binary:
        return QString::fromLatin1(value.toByteArray().toHex().toUpper());
    case Kind::Object:
        if (QObject* object = objectValue(value))
            return QLatin1Char('(') + QString::fromLatin1(object->metaObject()->className()) + QLatin1Char(')');
        return {};
    case Kind::Unknown:
        break;
    }
    return value.toString();
}

std::optional<QVariant> fromText(const QMetaProperty& property, QStringView text, const QObject* context,
                                 QString* error)
{
    auto fail = [&]() -> std::optional<QVariant> {
        setError(error, QStringLiteral("Invalid property value"));
        return std::nullopt;
    };
    const QStringView trimmed = text.trimmed();
    switch (kindOf(property)) {
    case Kind::Boolean:
        if (trimmed.compare(u"True", Qt::CaseInsensitive) == 0)
            return QVariant(true);
        if (trimmed.compare(u"False", Qt::CaseInsensitive) == 0)
            return QVariant(false);
        return fail();
    case Kind::Integer: {
        const QString map = context ? identMap(context->metaObject(), property.name()) : QString();
        if (!map.isEmpty()) {
            if (auto value = idents::fromIdent(map, trimmed))
                return QVariant(*value);
        }
        bool ok = false;
        const int value = trimmed.toInt(&ok);
        return ok ? std::optional<QVariant>(QVariant(value)) : fail();
    }
    case Kind::Int64: {
        bool ok = false;
        const qlonglong value = trimmed.toLongLong(&ok);
        return ok ? std::optional<QVariant>(QVariant(value)) : fail();
    }
    case Kind::Float: {
        bool ok = false;
        const double value = trimmed.toDouble(&ok);
        return ok && std::isfinite(value) ? std::optional<QVariant>(QVariant(value)) : fail();
    }
    case Kind::String:
    case Kind::Unknown:
        return QVariant(text.toString());
    case Kind::Enumeration: {
        const auto value = enumFromText(property.enumerator(), trimmed);
        return value ? std::optional<QVariant>(enumVariant(property, *value)) : fail();
    }
    case Kind::Set: {
        const auto value = setFromText(property.enumerator(), trimmed);
        return value ? std::optional<QVariant>(enumVariant(property, *value)) : fail();
    }
    case Kind::Color: {
        const auto color = TColor::fromText(trimmed);
        return color ? std::optional<QVariant>(QVariant::fromValue(*color)) : fail();
    }
    case Kind::Event:
        return QVariant::fromValue(TMethod{trimmed.toString()});
    case Kind::Reference: {
        if (trimmed.isEmpty() || trimmed.compare(u"nil", Qt::CaseInsensitive) == 0)
            return objectVariant(property, nullptr);
        TComponent* target = findReference(trimmed, context);
        if (!target) {
            setError(error, QStringLiteral("Invalid property value: no component named %1").arg(trimmed.toString()));
            return std::nullopt;
        }
        QVariant variant = objectVariant(property, target);
        return variant.isValid() ? std::optional<QVariant>(variant) : fail();
    }
    case Kind::Binary: {
        const QByteArray hex = trimmed.toLatin1();
        const QByteArray bytes = QByteArray::fromHex(hex);
        return bytes.size() * 2 == hex.size() ? std::optional<QVariant>(QVariant(bytes)) : fail();
    }
    case Kind::Object:
    case Kind::Strings:
        return fail();
    }
    return fail();
}

std::optional<QString> declaredDefault(const QMetaObject* metaObject, const char* propertyName)
{
    const QByteArray key = QByteArray("default:") + propertyName;
    const int index = metaObject->indexOfClassInfo(key.constData());
    if (index < 0)
        return std::nullopt;
    return QString::fromUtf8(metaObject->classInfo(index).value());
}

QString identMap(const QMetaObject* metaObject, const char* propertyName)
{
    const QByteArray key = QByteArray("idents:") + propertyName;
    const int index = metaObject->indexOfClassInfo(key.constData());
    return index < 0 ? QString() : QString::fromUtf8(metaObject->classInfo(index).value());
}

bool shouldStore(const QObject* object, const QMetaProperty& property)
{
    if (!property.isStored() || !property.isReadable())
        return false;
    if (auto* persistent = qobject_cast<const TPersistent*>(object); persistent && !persistent->isPropertyStored(property))
        return false;
    const Kind kind = kindOf(property);
    if (kind == Kind::Object || kind == Kind::Unknown)
        return false;
    const QVariant value = property.read(object);
    if (const auto defaultText = declaredDefault(object->metaObject(), property.name())) {
        const auto defaultValue = fromText(property, *defaultText, object);
        return !defaultValue || toText(property, value, object) != toText(property, *defaultValue, object);
    }
    switch (kind) {
    case Kind::String:
        return !value.toString().isEmpty();
    case Kind::Float:
        return value.toDouble() != 0.0;
    case Kind::Reference:
        return objectValue(value) != nullptr;
    case Kind::Strings:
        if (auto* strings = qobject_cast<TStrings*>(objectValue(value)))
            return strings->count() > 0;
        return false;
    case Kind::Event:
        return !value.value<TMethod>().isEmpty();
    case Kind::Binary:
        return !value.toByteArray().isEmpty();
    default:
        return true;
    }
}

void copyPublishedProperties(const QObject& from, QObject& to)
{
    for (const QMetaProperty& property : published(from.metaObject())) {
        const auto target = find(to.metaObject(), QString::fromLatin1(property.name()));
        if (!target)
            continue;
        const Kind kind = kindOf(property);
        const QVariant value = property.read(&from);
        if (kind == Kind::Object || kind == Kind::Strings) {
            QObject* source = objectValue(value);
            QObject* destination = objectValue(target->read(&to));
            auto* persistentSource = qobject_cast<TPersistent*>(source);
            auto* persistentDestination = qobject_cast<TPersistent*>(destination);
            // Sub-objects copy themselves, so that lists and collections come along whole.
            if (persistentSource && persistentDestination)
                persistentDestination->assign(*persistentSource);
            else if (source && destination)
                copyPublishedProperties(*source, *destination);
            continue;
        }
        const bool isComponentName = qobject_cast<const TComponent*>(&from) && qstrcmp(property.name(), "Name") == 0;
        if (target->isWritable() && !isComponentName)
            target->write(&to, value);
    }
}

} // namespace props
