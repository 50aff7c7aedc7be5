// Enumerations of the dataset layer: field data types, field kinds and parameter kinds.
// The value names are the ones report and datamodule files carry.
#pragma once

#include <QObject>

namespace Db {
Q_NAMESPACE

enum class TFieldType {
    ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD,
    ftDate, ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic,
    ftFmtMemo, ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor, ftFixedChar, ftWideString,
    ftLargeint
};
Q_ENUM_NS(TFieldType)

enum class TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc };
Q_ENUM_NS(TFieldKind)

enum class TParamType { ptUnknown, ptInput, ptOutput, ptInputOutput, ptResult };
Q_ENUM_NS(TParamType)

} // namespace Db

using Db::TFieldKind;
using Db::TFieldType;
using Db::TParamType;

namespace fieldtypes {

bool isString(TFieldType type);   // string, fixed char, wide string
bool isInteger(TFieldType type);  // small integer, integer, word, auto-increment, large integer
bool isNumeric(TFieldType type);  // the integer kinds, float, currency, BCD
bool isFloat(TFieldType type);    // float, currency, BCD
bool isDateTime(TFieldType type); // date, time, date-time
bool isBlob(TFieldType type);     // blob, memo, graphic and the other binary large objects
QString name(TFieldType type);    // "ftString"

} // namespace fieldtypes
