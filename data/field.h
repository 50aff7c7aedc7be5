// TField: one column of a dataset as the report sees it. A data field shows the value of
// its column in the dataset's current record; a lookup field finds its value in another
// dataset through key fields. Field objects are either default fields (made by the
// dataset when it opens, owned by it, never stored) or persistent fields (owned by the
// document, stored, kept in their own order).
#pragma once

#include "core/component.h"
#include "data/dataset.h"
#include "data/field_types.h"

#include <QDateTime>
#include <QPointer>
#include <QVariant>

class TField : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TDataSet* DataSet READ dataSet WRITE setDataSet)
    Q_PROPERTY(QString DisplayLabel READ displayLabel WRITE setDisplayLabel)
    Q_PROPERTY(int DisplayWidth READ displayWidth WRITE setDisplayWidth)
    Q_PROPERTY(Db::TFieldKind FieldKind READ fieldKind WRITE setFieldKind)
    Q_PROPERTY(QString FieldName READ fieldName WRITE setFieldName)
    Q_PROPERTY(QString KeyFields READ keyFields WRITE setKeyFields)
    Q_PROPERTY(TDataSet* LookupDataSet READ lookupDataSet WRITE setLookupDataSet)
    Q_PROPERTY(QString LookupKeyFields READ lookupKeyFields WRITE setLookupKeyFields)
    Q_PROPERTY(QString LookupResultField READ lookupResultField WRITE setLookupResultField)
    Q_PROPERTY(bool Required READ required WRITE setRequired)
    Q_PROPERTY(int Size READ size WRITE setSize)
    Q_PROPERTY(bool Visible READ visible WRITE setVisible)
    Q_PROPERTY(QVariant Value READ value STORED false)
    Q_PROPERTY(QString AsString READ asString STORED false)
    Q_PROPERTY(QString DisplayText READ displayText STORED false)
    Q_PROPERTY(bool IsNull READ isNull STORED false)
    Q_CLASSINFO("default:FieldKind", "fkData")
    Q_CLASSINFO("default:Required", "False")
    Q_CLASSINFO("default:Size", "0")
    Q_CLASSINFO("default:Visible", "True")
public:
    explicit TField(TComponent* owner = nullptr);
    ~TField() override;

    virtual TFieldType dataType() const { return TFieldType::ftUnknown; }

    TDataSet* dataSet() const { return m_dataSet; }
    // Adds the field at the end of the dataset's field list (and takes it off the old one).
    void setDataSet(TDataSet* dataSet);
    // Position in the dataset's field list; moving it changes the field order.
    int index() const;
    void setIndex(int index);

    QString fieldName() const { return m_fieldName; }
    void setFieldName(const QString& name);
    // The label falls back to the field name; only a label of its own is stored.
    QString displayLabel() const { return m_displayLabel.isEmpty() ? m_fieldName : m_displayLabel; }
    void setDisplayLabel(const QString& label);
    int displayWidth() const { return m_displayWidth > 0 ? m_displayWidth : defaultDisplayWidth(); }
    void setDisplayWidth(int width) { m_displayWidth = width; }
    TFieldKind fieldKind() const { return m_fieldKind; }
    void setFieldKind(TFieldKind kind);
    bool isLookup() const { return m_fieldKind == TFieldKind::fkLookup; }
    int size() const { return m_size; }
    void setSize(int size) { m_size = size; }
    bool required() const { return m_required; }
    void setRequired(bool required) { m_required = required; }
    bool visible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

    // Display settings of the numeric and date-time classes; empty / 0 elsewhere.
    QString displayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString& format) { m_displayFormat = format; }
    int precision() const { return m_precision; }
    void setPrecision(int precision) { m_precision = precision; }

    QString keyFields() const { return m_keyFields; }
    void setKeyFields(const QString& fields) { m_keyFields = fields; }
    TDataSet* lookupDataSet() const { return m_lookupDataSet; }
    void setLookupDataSet(TDataSet* dataSet) { m_lookupDataSet = dataSet; }
    QString lookupKeyFields() const { return m_lookupKeyFields; }
    void setLookupKeyFields(const QString& fields) { m_lookupKeyFields = fields; }
    QString lookupResultField() const { return m_lookupResultField; }
    void setLookupResultField(const QString& field) { m_lookupResultField = field; }

    // Whether the dataset made this field itself when it opened.
    bool isDefaultField() const;

    // The value in the current record: a null QVariant for a null column, for a closed
    // or empty dataset and for a lookup that finds nothing.
    QVariant value() const;
    bool isNull() const { return value().isNull(); }

    virtual QString asString() const;
    virtual qint64 asInteger() const;
    virtual double asFloat() const;
    virtual bool asBoolean() const;
    virtual QDateTime asDateTime() const;
    // The text a report prints: the value formatted by the field's display settings.
    virtual QString displayText() const { return asString(); }

    bool isPropertyStored(const QMetaProperty& property) const override;

    // Column of the dataset's record this field shows; -1 while unbound.
    int fieldNo() const { return m_fieldNo; }
    void bindColumn(int column) { m_fieldNo = column; }

protected:
    virtual int defaultDisplayWidth() const { return 10; }

private:
    friend class TDataSet;
    QVariant lookupValue() const;

    QPointer<TDataSet> m_dataSet;
    QPointer<TDataSet> m_lookupDataSet;
    QString m_fieldName;
    QString m_displayLabel;
    QString m_displayFormat;
    QString m_keyFields;
    QString m_lookupKeyFields;
    QString m_lookupResultField;
    TFieldKind m_fieldKind = TFieldKind::fkData;
    int m_displayWidth = 0;
    int m_size = 0;
    int m_precision = 0;
    int m_fieldNo = -1;
    bool m_required = false;
    bool m_visible = true;
};
