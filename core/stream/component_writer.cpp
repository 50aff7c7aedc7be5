// Writing live components into stream records.
#include "core/stream/component_stream.h"

#include "core/stream/binary_stream.h"

#include "core/color.h"
#include "core/component.h"
#include "core/control.h"
#include "core/ident_maps.h"
#include "core/method.h"
#include "core/persistent.h"
#include "core/property_access.h"
#include "core/strings.h"

#include <QMetaEnum>

namespace componentstream {

namespace {

using Properties = QList<std::pair<QString, TStreamValue>>;

// Sub-objects hold sub-objects (a font in a frame ...); deeper chains are not followed.
constexpr int kMaxObjectDepth = 8;

QObject* objectValue(const QVariant& value)
{
    if (!(value.metaType().flags() & QMetaType::PointerToQObject))
        return nullptr;
    return *static_cast<QObject* const*>(value.constData());
}

TStreamValue setValue(const QMetaProperty& property, const QVariant& value)
{
    const QMetaEnum meta = property.enumerator();
    const int bits = props::enumValue(value);
    QStringList names;
    for (int i = 0; i < meta.keyCount(); ++i) {
        const int bit = meta.value(i);
        if (bit != 0 && (bits & bit) == bit)
            names.append(QString::fromLatin1(meta.key(i)));
    }
    return TStreamValue::set(names);
}

TStreamValue integerValue(const QObject* object, const QMetaProperty& property, const QVariant& value)
{
    const QString map = props::identMap(object->metaObject(), property.name());
    if (!map.isEmpty()) {
        if (auto ident = idents::toIdent(map, value.toInt()))
            return TStreamValue::identifier(*ident);
    }
    return TStreamValue::integer(value.toLongLong());
}

TStreamValue streamValue(const QObject* object, const QMetaProperty& property, const QVariant& value)
{
    switch (props::kindOf(property)) {
    case props::Kind::Integer:
        return integerValue(object, property, value);
    case props::Kind::Int64:
        return TStreamValue::integer(value.toLongLong());
    case props::Kind::Float:
        return TStreamValue::extended(static_cast<long double>(value.toDouble()));
    case props::Kind::String:
        return TStreamValue::string(value.toString());
    case props::Kind::Boolean:
        return TStreamValue::boolean(value.toBool());
    case props::Kind::Enumeration: {
        const char* key = property.enumerator().valueToKey(props::enumValue(value));
        return key ? TStreamValue::identifier(QString::fromLatin1(key)) : TStreamValue::integer(props::enumValue(value));
    }
    case props::Kind::Set:
        return setValue(property, value);
    case props::Kind::Color: {
        const TColor color = value.value<TColor>();
        if (auto ident = color.identifier())
            return TStreamValue::identifier(*ident);
        return TStreamValue::integer(color.value());
    }
    case props::Kind::Strings: {
        QList<TStreamValue> lines;
        if (auto* strings = qobject_cast<TStrings*>(objectValue(value))) {
            for (const QString& line : strings->lines())
                lines.append(TStreamValue::string(line));
        }
        return TStreamValue::list(lines);
    }
    case props::Kind::Reference:
        return TStreamValue::identifier(props::referenceName(qobject_cast<TComponent*>(objectValue(value)), object));
    case props::Kind::Event:
        return TStreamValue::identifier(value.value<TMethod>().name);
    case props::Kind::Binary:
        return TStreamValue::binary(value.toByteArray());
    case props::Kind::Object:
    case props::Kind::Unknown:
        break;
    }
    return TStreamValue::nil();
}

class DefinedValues : public TPropertyDefiner {
public:
    DefinedValues(const QString& prefix, Properties& out) : m_prefix(prefix), m_out(out) {}

    void defineProperty(const QString& name, const Reader&, const Writer& write, bool hasData) override
    {
        if (hasData && write)
            m_out.append({m_prefix + name, write()});
    }

private:
    QString m_prefix;
    Properties& m_out;
};

bool subObjectStored(const QObject* object, const QMetaProperty& property)
{
    if (!property.isStored())
        return false;
    auto* persistent = qobject_cast<const TPersistent*>(object);
    return !persistent || persistent->isPropertyStored(property);
}

void writeProperties(QObject* object, const QString& prefix, Properties& out, int depth)
{
    for (const QMetaProperty& property : props::published(object->metaObject())) {
        const QString path = prefix + QString::fromLatin1(property.name());
        const props::Kind kind = props::kindOf(property);
        if (kind == props::Kind::Object) {
            QObject* sub = objectValue(property.read(object));
            if (sub && depth < kMaxObjectDepth && subObjectStored(object, property))
                writeProperties(sub, path + QLatin1Char('.'), out, depth + 1);
            continue;
        }
        if (!props::shouldStore(object, property))
            continue;
        const QVariant value = property.read(object);
        out.append({kind == props::Kind::Strings ? path + QLatin1String(".Strings") : path,
                    streamValue(object, property, value)});
        // A string list can store extra values of its own ("Functions.DATA").
        if (auto* strings = qobject_cast<TStrings*>(kind == props::Kind::Strings ? objectValue(value) : nullptr)) {
            DefinedValues definer(path + QLatin1Char('.'), out);
            strings->defineProperties(definer);
        }
    }
    if (auto* persistent = qobject_cast<TPersistent*>(object)) {
        DefinedValues definer(prefix, out);
        persistent->defineProperties(definer);
    }
}

QList<TComponent*> childrenOf(TComponent* component, TComponent* root)
{
    QList<TComponent*> children;
    if (auto* control = qobject_cast<TControl*>(component)) {
        for (TControl* child : control->controls()) {
            if (child->owner() == root)
                children.append(child);
        }
    }
    if (component == root) {
        for (TComponent* owned : root->components()) {
            auto* control = qobject_cast<TControl*>(owned);
            if (!control || !control->parentControl())
                children.append(owned);
        }
    }
    return children;
}

TStreamObject record(TComponent* component, TComponent* root, int depth)
{
    TStreamObject object;
    object.className = component->className();
    object.name = component->name();
    writeProperties(component, QString(), object.properties, 0);
    if (depth < binarystream::kMaxDepth) {
        for (TComponent* child : childrenOf(component, root))
            object.children.push_back(record(child, root, depth + 1));
    }
    return object;
}

} // namespace

TStreamObject rootRecord(TComponent* root)
{
    return record(root, root, 0);
}

QByteArray writeRoot(TComponent* root)
{
    return binarystream::write(rootRecord(root));
}

TStreamObject componentRecord(TComponent* component)
{
    return record(component, component->root(), 0);
}

} // namespace componentstream
