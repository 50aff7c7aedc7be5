#include "data/field_types.h"

#include <QMetaEnum>

namespace fieldtypes {

bool isString(TFieldType type)
{
    return type == TFieldType::ftString || type == TFieldType::ftFixedChar || type == TFieldType::ftWideString;
}

bool isInteger(TFieldType type)
{
    switch (type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc:
    case TFieldType::ftLargeint:
        return true;
    default:
        return false;
    }
}

bool isFloat(TFieldType type)
{
    return type == TFieldType::ftFloat || type == TFieldType::ftCurrency || type == TFieldType::ftBCD;
}

bool isNumeric(TFieldType type)
{
    return isInteger(type) || isFloat(type);
}

bool isDateTime(TFieldType type)
{
    return type == TFieldType::ftDate || type == TFieldType::ftTime || type == TFieldType::ftDateTime;
}

bool isBlob(TFieldType type)
{
    switch (type) {
    case TFieldType::ftBlob:
    case TFieldType::ftMemo:
    case TFieldType::ftGraphic:
    case TFieldType::ftFmtMemo:
    case TFieldType::ftParadoxOle:
    case TFieldType::ftDBaseOle:
    case TFieldType::ftTypedBinary:
        return true;
    default:
        return false;
    }
}

QString name(TFieldType type)
{
    return QString::fromLatin1(QMetaEnum::fromType<TFieldType>().valueToKey(int(type)));
}

} // namespace fieldtypes
