// What the evaluator needs from the dataset layer: datasets found by component name,
// their fields found by name, and each field's type and current value.
#pragma once

#include <QString>
#include <QVariant>

enum class TRpEvFieldType {
    String,
    Integer,
    SmallInt,
    Word,
    Float,
    Currency,
    BCD,
    Boolean,
    Date,
    DateTime,
    Other // any type the evaluator has no value for (blobs, memos, times ...)
};

class IRpEvField
{
public:
    virtual ~IRpEvField() = default;
    virtual QString fieldName() const = 0;
    virtual TRpEvFieldType dataType() const = 0;
    // The value of the current record; a null QVariant for an empty (null) field.
    virtual QVariant value() const = 0;
    // The field's text as the dataset would display it (used for dates).
    virtual QString displayText() const = 0;
};

class IRpEvDataSet
{
public:
    virtual ~IRpEvDataSet() = default;
    // The dataset's component name, matched without regard to case.
    virtual QString name() const = 0;
    // Index of the field with that name (without regard to case), or -1.
    virtual int fieldIndex(const QString& fieldName) const = 0;
    // The field at an index, or nullptr when there is none.
    virtual IRpEvField* field(int index) const = 0;
    // True when the dataset creates its fields itself whenever it opens, so that field
    // objects found while preparing may be gone; they are then fetched by index every time.
    virtual bool usesDefaultFields() const = 0;
};
