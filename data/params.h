// TParams / TParam: the parameters of a query. A parameter has a name, a data type, a
// value and a bound state: a bound parameter has a value of its own; an unbound one takes
// its value from the master dataset's field of the same name.
#pragma once

#include "data/collection.h"
#include "data/field_types.h"

#include <QStringList>
#include <QVariant>

class TParam : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(Db::TFieldType DataType READ dataType WRITE setDataType)
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(Db::TParamType ParamType READ paramType WRITE setParamType)
    Q_PROPERTY(QVariant Value READ value WRITE setValue STORED false)
    Q_PROPERTY(bool Bound READ bound WRITE setBound)
public:
    explicit TParam(TCollection* collection = nullptr);

    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    TFieldType dataType() const { return m_dataType; }
    void setDataType(TFieldType type) { m_dataType = type; }
    TParamType paramType() const { return m_paramType; }
    void setParamType(TParamType type) { m_paramType = type; }

    QVariant value() const { return m_value; }
    // Setting a value binds the parameter; the data type follows a value of a known type
    // while the parameter has none.
    void setValue(const QVariant& value);
    bool isNull() const { return m_value.isNull(); }
    void clear();
    bool bound() const { return m_bound; }
    void setBound(bool bound) { m_bound = bound; }

    // The value as it is handed to an engine: a typed null for a null value.
    QVariant boundValue() const;

    void assign(const TPersistent& source) override;
    // Files keep the value as an extra stored value "Value" of the value's own type.
    void defineProperties(TPropertyDefiner& definer) override;

private:
    QString m_name;
    TFieldType m_dataType = TFieldType::ftUnknown;
    TParamType m_paramType = TParamType::ptUnknown;
    QVariant m_value;
    bool m_bound = false;
};

class TParams : public TCollection {
    Q_OBJECT
public:
    explicit TParams(QObject* parent = nullptr);

    TParam* param(int index) const { return static_cast<TParam*>(item(index)); }
    TParam* addParam(const QString& name, TFieldType type = TFieldType::ftUnknown);
    // The parameter of that name, without regard to case; null when none.
    TParam* findParam(QStringView name) const;
    // Raises "Parameter '<name>' not found" when there is none.
    TParam* paramByName(QStringView name) const;

    // Makes the list hold exactly the given names in order, keeping the type, value and
    // bound state of parameters whose names it had already.
    void setNames(const QStringList& names);

    // The parameters as files store them: a collection with one item per parameter
    // holding DataType, Name, ParamType and, when it has one, Value.
    TStreamValue storedItems() const;
    // Reads stored items into the list: a parameter of a stored name takes the stored
    // type and value; a name the list does not hold yet is added at the end. Items
    // without a name are skipped.
    void readStoredItems(const TStreamValue& stored);

protected:
    TCollectionItem* createItem() override;
};

namespace sqlparams {

struct ParsedSql {
    QString text;        // the statement with every parameter replaced by "?"
    QStringList markers; // parameter names in order of appearance, repeats included
    QStringList names;   // distinct names in order of first appearance
};

// Finds ":NAME" and ':"quoted name"' outside quoted strings, quoted identifiers and
// comments; "::" is left alone.
ParsedSql parse(const QString& sql);

} // namespace sqlparams
