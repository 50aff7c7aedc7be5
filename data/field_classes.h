// The field classes, one per kind of column, and the choice of class for a data type.
#pragma once

#include "data/field.h"

class TStringField : public TField {
    Q_OBJECT
    Q_CLASSINFO("default:Size", "20")
public:
    explicit TStringField(TComponent* owner = nullptr);
    TFieldType dataType() const override { return TFieldType::ftString; }

protected:
    int defaultDisplayWidth() const override { return size() > 0 ? size() : 20; }
};

class TWideStringField : public TStringField {
    Q_OBJECT
public:
    explicit TWideStringField(TComponent* owner = nullptr) : TStringField(owner) {}
    TFieldType dataType() const override { return TFieldType::ftWideString; }
};

// The numeric fields share a display format.
class TNumericField : public TField {
    Q_OBJECT
    Q_PROPERTY(QString DisplayFormat READ displayFormat WRITE setDisplayFormat)
    Q_PROPERTY(QString EditFormat READ editFormat WRITE setEditFormat)
public:
    explicit TNumericField(TComponent* owner = nullptr) : TField(owner) {}
    QString editFormat() const { return m_editFormat; }
    void setEditFormat(const QString& format) { m_editFormat = format; }
    QString displayText() const override;

private:
    QString m_editFormat;
};

class TIntegerField : public TNumericField {
    Q_OBJECT
public:
    explicit TIntegerField(TComponent* owner = nullptr) : TNumericField(owner) {}
    TFieldType dataType() const override { return TFieldType::ftInteger; }
    QString asString() const override;
};

class TSmallintField : public TIntegerField {
    Q_OBJECT
public:
    explicit TSmallintField(TComponent* owner = nullptr) : TIntegerField(owner) {}
    TFieldType dataType() const override { return TFieldType::ftSmallint; }
};
class TWordField : public TIntegerField {
    Q_OBJECT
public:
    explicit TWordField(TComponent* owner = nullptr) : TIntegerField(owner) {}
    TFieldType dataType() const override { return TFieldType::ftWord; }
};
class TAutoIncField : public TIntegerField {
    Q_OBJECT
public:
    explicit TAutoIncField(TComponent* owner = nullptr) : TIntegerField(owner) {}
    TFieldType dataType() const override { return TFieldType::ftAutoInc; }
};

class TFloatField : public TNumericField {
    Q_OBJECT
    Q_PROPERTY(bool Currency READ currency WRITE setCurrency)
    Q_PROPERTY(int Precision READ precision WRITE setPrecision)
    Q_CLASSINFO("default:Currency", "False")
    Q_CLASSINFO("default:Precision", "15")
public:
    explicit TFloatField(TComponent* owner = nullptr);
    TFieldType dataType() const override { return TFieldType::ftFloat; }
    bool currency() const { return m_currency; }
    void setCurrency(bool currency) { m_currency = currency; }
    QString asString() const override;
    QString displayText() const override;

private:
    bool m_currency = false;
};

class TCurrencyField : public TFloatField {
    Q_OBJECT
    Q_CLASSINFO("default:Currency", "True")
public:
    explicit TCurrencyField(TComponent* owner = nullptr);
    TFieldType dataType() const override { return TFieldType::ftCurrency; }
};

class TBCDField : public TNumericField {
    Q_OBJECT
    Q_PROPERTY(bool Currency READ currency WRITE setCurrency)
    Q_PROPERTY(int Precision READ precision WRITE setPrecision)
    Q_CLASSINFO("default:Currency", "False")
    Q_CLASSINFO("default:Precision", "0")
public:
    explicit TBCDField(TComponent* owner = nullptr) : TNumericField(owner) {}
    TFieldType dataType() const override { return TFieldType::ftBCD; }
    bool currency() const { return m_currency; }
    void setCurrency(bool currency) { m_currency = currency; }
    QString asString() const override;
    QString displayText() const override;

private:
    bool m_currency = false;
};

class TBooleanField : public TField {
    Q_OBJECT
    // "TrueText;FalseText"; empty shows "True" and "False".
    Q_PROPERTY(QString DisplayValues READ displayValues WRITE setDisplayValues)
public:
    explicit TBooleanField(TComponent* owner = nullptr) : TField(owner) {}
    TFieldType dataType() const override { return TFieldType::ftBoolean; }
    QString displayValues() const { return m_displayValues; }
    void setDisplayValues(const QString& values) { m_displayValues = values; }
    QString asString() const override;
    QString displayText() const override;

private:
    QString m_displayValues;
};

class TDateTimeField : public TField {
    Q_OBJECT
    Q_PROPERTY(QString DisplayFormat READ displayFormat WRITE setDisplayFormat)
public:
    explicit TDateTimeField(TComponent* owner = nullptr) : TField(owner) {}
    TFieldType dataType() const override { return TFieldType::ftDateTime; }
    QString asString() const override;
    QString displayText() const override;
};

class TDateField : public TDateTimeField {
    Q_OBJECT
public:
    explicit TDateField(TComponent* owner = nullptr) : TDateTimeField(owner) {}
    TFieldType dataType() const override { return TFieldType::ftDate; }
    QString asString() const override;
};

class TTimeField : public TDateTimeField {
    Q_OBJECT
public:
    explicit TTimeField(TComponent* owner = nullptr) : TDateTimeField(owner) {}
    TFieldType dataType() const override { return TFieldType::ftTime; }
    QString asString() const override;
};

// Binary columns show a placeholder; their value is the bytes.
class TBinaryField : public TField {
    Q_OBJECT
public:
    explicit TBinaryField(TComponent* owner = nullptr) : TField(owner) {}
    QString displayText() const override;
};

class TBytesField : public TBinaryField {
    Q_OBJECT
public:
    explicit TBytesField(TComponent* owner = nullptr) : TBinaryField(owner) {}
    TFieldType dataType() const override { return TFieldType::ftBytes; }
};
class TVarBytesField : public TBinaryField {
    Q_OBJECT
public:
    explicit TVarBytesField(TComponent* owner = nullptr) : TBinaryField(owner) {}
    TFieldType dataType() const override { return TFieldType::ftVarBytes; }
};

class TBlobField : public TField {
    Q_OBJECT
public:
    explicit TBlobField(TComponent* owner = nullptr) : TField(owner) {}
    TFieldType dataType() const override { return TFieldType::ftBlob; }
    QString displayText() const override;
};

// A memo shows its text.
class TMemoField : public TBlobField {
    Q_OBJECT
public:
    explicit TMemoField(TComponent* owner = nullptr) : TBlobField(owner) {}
    TFieldType dataType() const override { return TFieldType::ftMemo; }
    QString asString() const override;
    QString displayText() const override { return asString(); }
};

class TGraphicField : public TBlobField {
    Q_OBJECT
public:
    explicit TGraphicField(TComponent* owner = nullptr) : TBlobField(owner) {}
    TFieldType dataType() const override { return TFieldType::ftGraphic; }
};

namespace fieldclasses {

// A new field of the class that shows columns of that type (TField for unknown types).
TField* create(TFieldType type, TComponent* owner);
// The class name of that field class ("TStringField").
QString className(TFieldType type);
// Every field class, for the class registry.
QList<const QMetaObject*> all();

} // namespace fieldclasses
