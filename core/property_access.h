// Published properties by name and by dotted path ("Frame.DrawTop", "Font.Style"), their
// kinds, declared defaults and stored rules, and the one conversion between typed values
// and text that files, control editors and scripts share.
#pragma once

#include <QMetaProperty>
#include <QString>
#include <QVariant>

#include <optional>

class TComponent;
class TPersistent;

namespace props {

enum class Kind {
    Unknown,
    Integer,     // int, possibly with identifiers ("idents:<Property>")
    Int64,
    Float,
    String,
    Boolean,
    Enumeration,
    Set,
    Color,
    Object,      // an owned persistent sub-object (font, frame, pen ...)
    Strings,     // an owned string list
    Reference,   // a component elsewhere, cleared when it is destroyed
    Event,       // a handler name
    Binary,
};

Kind kindOf(const QMetaProperty& property);

// Every published property of a class, base classes first (QObject's objectName excluded).
QList<QMetaProperty> published(const QMetaObject* metaObject);
// The published property of that name, without regard to case.
std::optional<QMetaProperty> find(const QMetaObject* metaObject, QStringView name);

struct Target {
    QObject* object = nullptr;
    QMetaProperty property;
    explicit operator bool() const { return object != nullptr; }
};

// Follows a dotted path through sub-objects; an empty target when a step does not exist.
Target resolve(QObject* object, QStringView path);

// Typed access. Errors give false / an invalid QVariant and describe the fault.
QVariant get(QObject* object, QStringView path, QString* error = nullptr);
bool set(QObject* object, QStringView path, const QVariant& value, QString* error = nullptr);

// Text access through the shared conversion.
QString getText(QObject* object, QStringView path, QString* error = nullptr);
bool setText(QObject* object, QStringView path, QStringView text, QString* error = nullptr);

// The conversion itself. `context` is the object holding the property; references are
// named relative to its root ("Name" in the same document, "Root.Name" elsewhere).
QString toText(const QMetaProperty& property, const QVariant& value, const QObject* context = nullptr);
std::optional<QVariant> fromText(const QMetaProperty& property, QStringView text, const QObject* context = nullptr,
                                 QString* error = nullptr);

// Integer view of enumerations and sets, and back into the property's own type.
int enumValue(const QVariant& value);
QVariant enumVariant(const QMetaProperty& property, int value);

// The name a reference to `target` is written as, seen from `context`.
QString referenceName(const TComponent* target, const QObject* context);
// Finds the component a reference names, seen from `context`: the context's own root
// first, then the global names ("Root.Name" or a root's name).
TComponent* findReference(QStringView name, const QObject* context);

// The declared default of a property in text form, when it has one.
std::optional<QString> declaredDefault(const QMetaObject* metaObject, const char* propertyName);
// The identifier map of an integer property ("TCursor"), when it has one.
QString identMap(const QMetaObject* metaObject, const char* propertyName);

// Whether a value property must be written: never for properties not stored; for a
// property with a declared default when it differs; otherwise when it has a value
// (ordinals always, strings non-empty, floats non-zero, references set, lists non-empty).
// Sub-objects are not values: their own properties are written under their path.
bool shouldStore(const QObject* object, const QMetaProperty& property);

// Copies every published writable property; sub-objects property by property.
void copyPublishedProperties(const QObject& from, QObject& to);

} // namespace props
