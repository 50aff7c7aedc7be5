#include "data/field_classes.h"

#include "data/field_format.h"

#include <QLocale>

#include <cmath>

TStringField::TStringField(TComponent* owner) : TField(owner)
{
    setSize(20);
}

namespace {

// A number's display text: by the field's display format when it has one, else as money
// when the field holds money, else the field's plain text.
QString numberDisplayText(const TNumericField& field, bool currency)
{
    if (field.value().isNull())
        return {};
    if (!field.displayFormat().isEmpty())
        return fieldformat::formatFloat(field.asFloat(), field.displayFormat());
    if (currency)
        return QLocale().toCurrencyString(field.asFloat());
    return field.asString();
}

} // namespace

QString TNumericField::displayText() const
{
    return numberDisplayText(*this, false);
}

QString TIntegerField::asString() const
{
    const QVariant v = value();
    return v.isNull() ? QString() : QString::number(asInteger());
}

TFloatField::TFloatField(TComponent* owner) : TNumericField(owner)
{
    setPrecision(15);
}

QString TFloatField::asString() const
{
    const QVariant v = value();
    return v.isNull() ? QString() : fieldformat::floatText(asFloat(), precision());
}

QString TFloatField::displayText() const
{
    return numberDisplayText(*this, m_currency);
}

TCurrencyField::TCurrencyField(TComponent* owner) : TFloatField(owner)
{
    setCurrency(true);
}

QString TBCDField::asString() const
{
    const QVariant v = value();
    return v.isNull() ? QString() : fieldformat::floatText(asFloat(), 15);
}

QString TBCDField::displayText() const
{
    return numberDisplayText(*this, m_currency);
}

QString TBooleanField::asString() const
{
    const QVariant v = value();
    if (v.isNull())
        return {};
    return asBoolean() ? QStringLiteral("True") : QStringLiteral("False");
}

QString TBooleanField::displayText() const
{
    const QVariant v = value();
    if (v.isNull())
        return {};
    const qsizetype separator = m_displayValues.indexOf(u';');
    if (separator < 0)
        return asString();
    return asBoolean() ? m_displayValues.left(separator) : m_displayValues.mid(separator + 1);
}

QString TDateTimeField::asString() const
{
    const QDateTime value = asDateTime();
    return value.isValid() ? fieldformat::dateTimeText(value) : QString();
}

QString TDateTimeField::displayText() const
{
    if (displayFormat().isEmpty())
        return asString();
    const QDateTime value = asDateTime();
    return value.isValid() ? fieldformat::formatDateTime(value, displayFormat()) : QString();
}

QString TDateField::asString() const
{
    // A plain date is shown as it is: going through a local date-time would cost a
    // time-zone lookup for every value.
    const QVariant stored = value();
    if (stored.metaType().id() == QMetaType::QDate) {
        const QDate date = stored.toDate();
        return date.isValid() ? fieldformat::dateText(date) : QString();
    }
    const QDateTime value = asDateTime();
    return value.isValid() ? fieldformat::dateText(value.date()) : QString();
}

QString TTimeField::asString() const
{
    const QDateTime value = asDateTime();
    return value.isValid() ? fieldformat::timeText(value.time()) : QString();
}

QString TBinaryField::displayText() const
{
    return QStringLiteral("(Bytes)");
}

QString TBlobField::displayText() const
{
    return dataType() == TFieldType::ftGraphic ? QStringLiteral("(GRAPHIC)") : QStringLiteral("(BLOB)");
}

QString TMemoField::asString() const
{
    const QVariant v = value();
    if (v.metaType().id() == QMetaType::QByteArray)
        return QString::fromUtf8(v.toByteArray());
    return v.toString();
}

namespace fieldclasses {

namespace {

struct ClassEntry {
    TFieldType type;
    const QMetaObject* metaObject;
    TField* (*create)(TComponent*);
};

template <class T>
ClassEntry entry(TFieldType type)
{
    return {type, &T::staticMetaObject, [](TComponent* owner) -> TField* { return new T(owner); }};
}

const QList<ClassEntry>& entries()
{
    static const QList<ClassEntry> list = {
        entry<TStringField>(TFieldType::ftString),
        entry<TStringField>(TFieldType::ftFixedChar),
        entry<TWideStringField>(TFieldType::ftWideString),
        entry<TSmallintField>(TFieldType::ftSmallint),
        entry<TIntegerField>(TFieldType::ftInteger),
        entry<TIntegerField>(TFieldType::ftLargeint),
        entry<TWordField>(TFieldType::ftWord),
        entry<TAutoIncField>(TFieldType::ftAutoInc),
        entry<TFloatField>(TFieldType::ftFloat),
        entry<TCurrencyField>(TFieldType::ftCurrency),
        entry<TBCDField>(TFieldType::ftBCD),
        entry<TBooleanField>(TFieldType::ftBoolean),
        entry<TDateField>(TFieldType::ftDate),
        entry<TTimeField>(TFieldType::ftTime),
        entry<TDateTimeField>(TFieldType::ftDateTime),
        entry<TBytesField>(TFieldType::ftBytes),
        entry<TVarBytesField>(TFieldType::ftVarBytes),
        entry<TBlobField>(TFieldType::ftBlob),
        entry<TBlobField>(TFieldType::ftTypedBinary),
        entry<TBlobField>(TFieldType::ftParadoxOle),
        entry<TBlobField>(TFieldType::ftDBaseOle),
        entry<TMemoField>(TFieldType::ftMemo),
        entry<TMemoField>(TFieldType::ftFmtMemo),
        entry<TGraphicField>(TFieldType::ftGraphic),
    };
    return list;
}

const ClassEntry* find(TFieldType type)
{
    for (const ClassEntry& e : entries()) {
        if (e.type == type)
            return &e;
    }
    return nullptr;
}

} // namespace

TField* create(TFieldType type, TComponent* owner)
{
    const ClassEntry* e = find(type);
    return e ? e->create(owner) : new TField(owner);
}

QString className(TFieldType type)
{
    const ClassEntry* e = find(type);
    return QString::fromLatin1(e ? e->metaObject->className() : TField::staticMetaObject.className());
}

QList<const QMetaObject*> all()
{
    return {&TField::staticMetaObject,          &TStringField::staticMetaObject,   &TNumericField::staticMetaObject,
            &TIntegerField::staticMetaObject,   &TSmallintField::staticMetaObject, &TWordField::staticMetaObject,
            &TAutoIncField::staticMetaObject,   &TFloatField::staticMetaObject,    &TCurrencyField::staticMetaObject,
            &TBCDField::staticMetaObject,       &TBooleanField::staticMetaObject,  &TDateTimeField::staticMetaObject,
            &TDateField::staticMetaObject,      &TTimeField::staticMetaObject,     &TBinaryField::staticMetaObject,
            &TBytesField::staticMetaObject,     &TVarBytesField::staticMetaObject, &TBlobField::staticMetaObject,
            &TMemoField::staticMetaObject,      &TGraphicField::staticMetaObject,  &TWideStringField::staticMetaObject};
}

} // namespace fieldclasses
