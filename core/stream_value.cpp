#include "core/stream_value.h"

#include <limits>

TStreamValue TStreamValue::integer(qint64 value)
{
    TStreamValue v;
    if (value >= std::numeric_limits<qint8>::min() && value <= std::numeric_limits<qint8>::max())
        v.m_type = Type::Int8;
    else if (value >= std::numeric_limits<qint16>::min() && value <= std::numeric_limits<qint16>::max())
        v.m_type = Type::Int16;
    else if (value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max())
        v.m_type = Type::Int32;
    else
        v.m_type = Type::Int64;
    v.m_integer = value;
    return v;
}

TStreamValue TStreamValue::extended(long double value)
{
    TStreamValue v;
    v.m_type = Type::Extended;
    v.m_real = value;
    return v;
}

TStreamValue TStreamValue::single(float value)
{
    TStreamValue v;
    v.m_type = Type::Single;
    v.m_real = value;
    return v;
}

TStreamValue TStreamValue::currency(qint64 scaledBy10000)
{
    TStreamValue v;
    v.m_type = Type::Currency;
    v.m_integer = scaledBy10000;
    v.m_real = static_cast<long double>(scaledBy10000) / 10000.0L;
    return v;
}

TStreamValue TStreamValue::date(double value)
{
    TStreamValue v;
    v.m_type = Type::Date;
    v.m_real = value;
    return v;
}

TStreamValue TStreamValue::string(const QString& value)
{
    TStreamValue v;
    bool latin1 = true;
    for (QChar c : value) {
        if (c.unicode() > 0xFF) {
            latin1 = false;
            break;
        }
    }
    if (!latin1)
        v.m_type = Type::WString;
    else
        v.m_type = value.size() <= 255 ? Type::String : Type::LString;
    v.m_text = value;
    return v;
}

TStreamValue TStreamValue::identifier(const QString& name)
{
    TStreamValue v;
    v.m_type = Type::Ident;
    v.m_text = name;
    return v;
}

TStreamValue TStreamValue::boolean(bool value)
{
    TStreamValue v;
    v.m_type = value ? Type::True : Type::False;
    v.m_integer = value ? 1 : 0;
    return v;
}

TStreamValue TStreamValue::nil()
{
    return TStreamValue();
}

TStreamValue TStreamValue::binary(const QByteArray& bytes)
{
    TStreamValue v;
    v.m_type = Type::Binary;
    v.m_bytes = bytes;
    return v;
}

TStreamValue TStreamValue::set(const QStringList& names)
{
    TStreamValue v;
    v.m_type = Type::Set;
    v.m_names = names;
    return v;
}

TStreamValue TStreamValue::list(QList<TStreamValue> items)
{
    TStreamValue v;
    v.m_type = Type::List;
    v.m_items = std::move(items);
    return v;
}

TStreamValue TStreamValue::collection(QList<CollectionItem> items)
{
    TStreamValue v;
    v.m_type = Type::Collection;
    v.m_collection = std::move(items);
    return v;
}

bool TStreamValue::isInteger() const
{
    return m_type == Type::Int8 || m_type == Type::Int16 || m_type == Type::Int32 || m_type == Type::Int64;
}

bool TStreamValue::isFloat() const
{
    return m_type == Type::Extended || m_type == Type::Single || m_type == Type::Currency || m_type == Type::Date;
}

bool TStreamValue::isString() const
{
    return m_type == Type::String || m_type == Type::LString || m_type == Type::WString;
}

long double TStreamValue::toFloat() const
{
    if (isInteger())
        return static_cast<long double>(m_integer);
    return m_real;
}

bool operator==(const TStreamValue::CollectionItem& a, const TStreamValue::CollectionItem& b)
{
    return a.order == b.order && a.properties == b.properties;
}

bool operator==(const TStreamValue& a, const TStreamValue& b)
{
    return a.m_type == b.m_type && a.m_integer == b.m_integer && a.m_real == b.m_real && a.m_text == b.m_text
        && a.m_bytes == b.m_bytes && a.m_names == b.m_names && a.m_items == b.m_items
        && a.m_collection == b.m_collection;
}
