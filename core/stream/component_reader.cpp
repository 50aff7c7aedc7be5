// Reading stream records into live components.
#include "core/stream/component_stream.h"

#include "core/stream/binary_stream.h"
#include "core/stream/stream_error.h"

#include "core/class_registry.h"
#include "core/color.h"
#include "core/component.h"
#include "core/control.h"
#include "core/ident_maps.h"
#include "core/method.h"
#include "core/persistent.h"
#include "core/property_access.h"
#include "core/strings.h"

#include <QMetaEnum>
#include <QPointer>

#include <limits>

namespace componentstream {

namespace {

using Kind = props::Kind;
using Type = TStreamValue::Type;

QObject* objectValue(const QVariant& value)
{
    if (!(value.metaType().flags() & QMetaType::PointerToQObject))
        return nullptr;
    return *static_cast<QObject* const*>(value.constData());
}

std::optional<int> enumFromName(const QMetaEnum& meta, const QString& name)
{
    for (int i = 0; i < meta.keyCount(); ++i) {
        if (name.compare(QLatin1String(meta.key(i)), Qt::CaseInsensitive) == 0)
            return meta.value(i);
    }
    return std::nullopt;
}

std::optional<int> setFromNames(const QMetaEnum& meta, const QStringList& names)
{
    int bits = 0;
    for (const QString& name : names) {
        if (auto bit = enumFromName(meta, name)) {
            bits |= *bit;
            continue;
        }
        bool isOrdinal = false;
        const int ordinal = name.toInt(&isOrdinal);
        if (!isOrdinal || ordinal < 0 || ordinal > 30)
            return std::nullopt;
        bits |= 1 << ordinal;
    }
    return bits;
}

std::optional<QStringList> stringLines(const TStreamValue& value)
{
    if (value.type() != Type::List)
        return std::nullopt;
    QStringList lines;
    for (const TStreamValue& item : value.items()) {
        if (!item.isString())
            return std::nullopt;
        lines.append(item.text());
    }
    return lines;
}

// The value of a property of the given kind, or none when the stored value does not fit.
std::optional<QVariant> propertyValue(const QObject* holder, const QMetaProperty& property, const TStreamValue& value)
{
    switch (props::kindOf(property)) {
    case Kind::Integer:
        if (value.isInteger() && value.toInteger() >= std::numeric_limits<int>::min()
            && value.toInteger() <= std::numeric_limits<int>::max())
            return QVariant(int(value.toInteger()));
        if (value.type() == Type::Ident) {
            const QString map = props::identMap(holder->metaObject(), property.name());
            if (auto number = idents::fromIdent(map, value.text()); number && !map.isEmpty())
                return QVariant(*number);
        }
        return std::nullopt;
    case Kind::Int64:
        return value.isInteger() ? std::optional<QVariant>(QVariant(qlonglong(value.toInteger()))) : std::nullopt;
    case Kind::Float:
        if (value.isFloat() || value.isInteger())
            return QVariant(double(value.toFloat()));
        return std::nullopt;
    case Kind::String:
        return value.isString() ? std::optional<QVariant>(QVariant(value.text())) : std::nullopt;
    case Kind::Boolean:
        if (value.type() == Type::True || value.type() == Type::False)
            return QVariant(value.type() == Type::True);
        return std::nullopt;
    case Kind::Enumeration:
        if (value.type() == Type::Ident) {
            if (auto number = enumFromName(property.enumerator(), value.text()))
                return props::enumVariant(property, *number);
        }
        return std::nullopt;
    case Kind::Set:
        if (value.type() == Type::Set) {
            if (auto bits = setFromNames(property.enumerator(), value.names()))
                return props::enumVariant(property, *bits);
        }
        return std::nullopt;
    case Kind::Color:
        if (value.type() == Type::Ident) {
            if (auto color = TColor::fromIdentifier(value.text()))
                return QVariant::fromValue(*color);
            return std::nullopt;
        }
        if (value.isInteger() && value.toInteger() >= std::numeric_limits<qint32>::min()
            && value.toInteger() <= std::numeric_limits<quint32>::max())
            return QVariant::fromValue(TColor(qint32(quint32(value.toInteger()))));
        return std::nullopt;
    case Kind::Event:
        if (value.type() == Type::Ident)
            return QVariant::fromValue(TMethod{value.text()});
        if (value.type() == Type::Nil)
            return QVariant::fromValue(TMethod{});
        return std::nullopt;
    case Kind::Binary:
        return value.type() == Type::Binary ? std::optional<QVariant>(QVariant(value.bytes())) : std::nullopt;
    case Kind::Reference:
        if (value.type() == Type::Nil)
            return QVariant::fromValue(static_cast<QObject*>(nullptr));
        return std::nullopt;
    case Kind::Strings:
    case Kind::Object:
    case Kind::Unknown:
        break;
    }
    return std::nullopt;
}

// Hands a stored extra value to the define-properties hook that asks for its name.
class DefinedValueReader : public TPropertyDefiner {
public:
    DefinedValueReader(const QString& name, const TStreamValue& value) : m_name(name), m_value(value) {}

    bool handled() const { return m_handled; }

    void defineProperty(const QString& name, const Reader& read, const Writer&, bool) override
    {
        if (m_handled || !read || name.compare(m_name, Qt::CaseInsensitive) != 0)
            return;
        m_handled = true;
        try {
            read(m_value);
        } catch (const std::exception&) {
            // A value the object refuses is skipped like any other unreadable property.
        }
    }

private:
    QString m_name;
    const TStreamValue& m_value;
    bool m_handled = false;
};

class ComponentReader {
public:
    explicit ComponentReader(TComponent* owner) : m_owner(owner) {}

    void readRootRecord(const TStreamObject& record, TComponent* root)
    {
        m_loaded.append(root);
        root->setLoading(true);
        if (names::isValidIdentifier(record.name)) {
            try {
                root->setName(record.name);
            } catch (const std::exception&) {
            }
        }
        readBody(record, root, 0);
        finish();
    }

    TComponent* readChildRecord(const TStreamObject& record, TControl* parent)
    {
        TComponent* component = createChild(record, parent, 0);
        finish();
        return component;
    }

    // Frees what was created when the read could not be completed.
    void discard()
    {
        for (qsizetype i = m_created.size() - 1; i >= 0; --i)
            delete m_created[i].data();
        for (const QPointer<TComponent>& component : m_loaded) {
            if (component)
                component->setLoading(false);
        }
    }

private:
    struct Fixup {
        QPointer<QObject> holder;
        QByteArray property;
        QString name;
    };

    void readBody(const TStreamObject& record, TComponent* component, int depth)
    {
        for (const auto& [path, value] : record.properties)
            readProperty(component, path, value);
        auto* parent = qobject_cast<TControl*>(component);
        for (const TStreamObject& child : record.children)
            createChild(child, parent, depth + 1);
    }

    TComponent* createChild(const TStreamObject& record, TControl* parent, int depth)
    {
        TComponent* component = TClassRegistry::instance().create(record.className, m_owner);
        if (!component)
            throw EStreamError(QStringLiteral("Class %1 not found").arg(record.className));
        m_created.append(component);
        m_loaded.append(component);
        component->setLoading(true);
        component->setNameUnchecked(freeName(record.name, component));
        if (auto* control = qobject_cast<TControl*>(component); control && parent)
            control->setParentControl(parent);
        readBody(record, component, depth);
        return component;
    }

    QString freeName(const QString& name, TComponent* component) const
    {
        if (name.isEmpty())
            return name;
        const TComponent* other = m_owner->findComponent(name);
        if (names::isValidIdentifier(name) && (!other || other == component))
            return name;
        return names::defaultName(m_owner, component->className());
    }

    static QObject* subObject(QObject* object, QStringView path)
    {
        if (path.isEmpty())
            return object;
        const props::Target target = props::resolve(object, path);
        if (!target)
            return nullptr;
        const Kind kind = props::kindOf(target.property);
        if (kind != Kind::Object && kind != Kind::Strings)
            return nullptr;
        return objectValue(target.property.read(target.object));
    }

    void readProperty(TComponent* component, const QString& path, const TStreamValue& value)
    {
        const qsizetype dot = path.lastIndexOf(u'.');
        QObject* holder = subObject(component, dot < 0 ? QStringView() : QStringView(path).left(dot));
        if (!holder)
            return;
        const QString name = dot < 0 ? path : path.mid(dot + 1);
        if (auto* strings = qobject_cast<TStrings*>(holder); strings && name.compare(u"Strings", Qt::CaseInsensitive) == 0) {
            if (auto lines = stringLines(value))
                strings->setLines(*lines);
            return;
        }
        if (auto property = props::find(holder->metaObject(), name)) {
            assign(holder, *property, value);
            return;
        }
        if (auto* persistent = qobject_cast<TPersistent*>(holder)) {
            DefinedValueReader definer(name, value);
            persistent->defineProperties(definer);
        }
    }

    void assign(QObject* holder, const QMetaProperty& property, const TStreamValue& value)
    {
        const Kind kind = props::kindOf(property);
        if (kind == Kind::Reference && value.type() == Type::Ident) {
            m_fixups.append({holder, property.name(), value.text()});
            return;
        }
        if (kind == Kind::Strings) {
            auto* strings = qobject_cast<TStrings*>(objectValue(property.read(holder)));
            if (auto lines = stringLines(value); strings && lines)
                strings->setLines(*lines);
            return;
        }
        if (auto variant = propertyValue(holder, property, value))
            props::set(holder, QString::fromLatin1(property.name()), *variant);
    }

    void resolveReferences()
    {
        for (const Fixup& fixup : m_fixups) {
            if (!fixup.holder)
                continue;
            TComponent* target = props::findReference(fixup.name, fixup.holder);
            if (target)
                props::set(fixup.holder, QString::fromLatin1(fixup.property), QVariant::fromValue(static_cast<QObject*>(target)));
        }
        m_fixups.clear();
    }

    void finish()
    {
        resolveReferences();
        for (const QPointer<TComponent>& component : m_loaded) {
            if (component)
                component->setLoading(false);
        }
        for (const QPointer<TComponent>& component : m_loaded) {
            if (component)
                component->loaded();
        }
    }

    TComponent* m_owner;
    QList<QPointer<TComponent>> m_created;
    QList<QPointer<TComponent>> m_loaded;
    QList<Fixup> m_fixups;
};

void checkChildClasses(const TStreamObject& record)
{
    for (const TStreamObject& child : record.children) {
        if (!TClassRegistry::instance().isRegistered(child.className))
            throw EStreamError(QStringLiteral("Class %1 not found").arg(child.className));
        checkChildClasses(child);
    }
}

} // namespace

void checkClasses(const TStreamObject& record)
{
    checkChildClasses(record);
}

void readRoot(const TStreamObject& record, TComponent* root)
{
    checkClasses(record);
    ComponentReader reader(root);
    try {
        reader.readRootRecord(record, root);
    } catch (...) {
        reader.discard();
        throw;
    }
}

void readRoot(const QByteArray& binary, TComponent* root, qsizetype position)
{
    readRoot(binarystream::read(binary, position), root);
}

TComponent* readComponent(const TStreamObject& record, TComponent* owner, TControl* parent)
{
    if (!TClassRegistry::instance().isRegistered(record.className))
        throw EStreamError(QStringLiteral("Class %1 not found").arg(record.className));
    checkClasses(record);
    ComponentReader reader(owner);
    try {
        return reader.readChildRecord(record, parent);
    } catch (...) {
        reader.discard();
        throw;
    }
}

} // namespace componentstream
