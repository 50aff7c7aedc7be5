// Turns the values engines hand over into the natural type of a field's data type, and
// maps the column types engines declare to field data types.
#pragma once

#include "data/field_def.h"

#include <QByteArrayView>
#include <QDate>
#include <QMetaType>
#include <QVariant>

namespace valueconversion {

// A null stays null; text that is no value of the type (a date column holding "n/a")
// becomes null rather than a wrong value.
QVariant toFieldValue(const QVariant& value, TFieldType type);

// The date of a text that begins with "yyyy-MM-dd"; invalid for any other text.
QDate isoDate(QStringView text);
QDate isoDate(QByteArrayView text);

// The field data type and size for a declared SQL column type ("VARCHAR(30)", "DATE",
// "DECIMAL(10,2)"); an empty or unknown declaration falls back to the value type.
TFieldDef fromDeclaredType(const QString& name, const QString& declaredType, QMetaType valueType);

// The SQL column type that maps back to the same field data type.
QString declaredTypeOf(const TFieldDef& def);

// The value as SQLite stores it: dates and times as ISO text, booleans as 0 and 1.
QVariant toSqliteValue(const QVariant& value);

} // namespace valueconversion
