// Runtime values: construction and raw access of Variants and arrays.
#include "scripting/vbscript/variant.h"

#include "scripting/vbscript/dispatch.h"

#include <cmath>

namespace vbs {

Variant Variant::null()
{
    Variant v;
    v.type_ = VarType::Null;
    return v;
}

Variant Variant::fromBool(bool value)
{
    Variant v;
    v.type_ = VarType::Boolean;
    v.v_.b = value;
    return v;
}

Variant Variant::fromByte(quint8 value)
{
    Variant v;
    v.type_ = VarType::Byte;
    v.v_.byte = value;
    return v;
}

Variant Variant::fromInteger(qint16 value)
{
    Variant v;
    v.type_ = VarType::Integer;
    v.v_.i16 = value;
    return v;
}

Variant Variant::fromLong(qint32 value)
{
    Variant v;
    v.type_ = VarType::Long;
    v.v_.i32 = value;
    return v;
}

Variant Variant::fromSingle(float value)
{
    Variant v;
    v.type_ = VarType::Single;
    v.v_.f32 = value;
    return v;
}

Variant Variant::fromDouble(double value)
{
    Variant v;
    v.type_ = VarType::Double;
    v.v_.f64 = value;
    return v;
}

Variant Variant::fromCurrency(qint64 tenThousandths)
{
    Variant v;
    v.type_ = VarType::Currency;
    v.v_.cy = tenThousandths;
    return v;
}

Variant Variant::fromDate(double serial)
{
    Variant v;
    v.type_ = VarType::Date;
    v.v_.f64 = serial;
    return v;
}

Variant Variant::fromString(const QString& value)
{
    Variant v;
    v.type_ = VarType::String;
    v.str_ = value;
    return v;
}

Variant Variant::fromObject(DispatchPtr object)
{
    Variant v;
    v.type_ = VarType::Object;
    v.ref_ = std::move(object);
    return v;
}

Variant Variant::fromArray(std::shared_ptr<ArrayData> array)
{
    Variant v;
    v.type_ = VarType::Array;
    v.ref_ = std::move(array);
    return v;
}

Variant Variant::fromWholeNumber(double value)
{
    if (value >= -32768 && value <= 32767)
        return fromInteger(static_cast<qint16>(value));
    if (value >= -2147483648.0 && value <= 2147483647.0)
        return fromLong(static_cast<qint32>(value));
    return fromDouble(value);
}

bool Variant::isNumericType() const
{
    switch (type_) {
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Boolean:
    case VarType::Date:
        return true;
    default:
        return false;
    }
}

bool Variant::isIntegralType() const
{
    return type_ == VarType::Byte || type_ == VarType::Integer || type_ == VarType::Long
        || type_ == VarType::Boolean;
}

qint32 Variant::integralValue() const
{
    switch (type_) {
    case VarType::Byte: return v_.byte;
    case VarType::Integer: return v_.i16;
    case VarType::Long: return v_.i32;
    case VarType::Boolean: return v_.b ? -1 : 0;
    default: return 0;
    }
}

DispatchPtr Variant::object() const
{
    if (type_ != VarType::Object)
        return nullptr;
    return std::static_pointer_cast<Dispatch>(ref_);
}

ArrayData* Variant::mutableArray()
{
    if (type_ != VarType::Array)
        return nullptr;
    if (ref_.use_count() > 1) {
        auto copy = std::make_shared<ArrayData>(*static_cast<ArrayData*>(ref_.get()));
        copy->locks = 0;
        ref_ = std::move(copy);
    }
    return static_cast<ArrayData*>(ref_.get());
}

namespace {
thread_local std::vector<Variant>* pendingReleases = nullptr;
} // namespace

void releaseValues(std::vector<Variant>& values)
{
    if (pendingReleases) { // inside a release already: the outermost loop frees these
        for (Variant& value : values)
            if (value.holdsReference())
                pendingReleases->push_back(std::move(value));
        return;
    }
    std::vector<Variant> queue;
    for (Variant& value : values)
        if (value.holdsReference())
            queue.push_back(std::move(value));
    pendingReleases = &queue;
    while (!queue.empty()) {
        Variant last = std::move(queue.back());
        queue.pop_back();
        last = Variant(); // its arrays and objects queue their own values
    }
    pendingReleases = nullptr;
}

std::shared_ptr<ArrayData> ArrayData::create(const std::vector<qint32>& bounds)
{
    auto array = std::make_shared<ArrayData>();
    array->upperBounds = bounds;
    array->elements.resize(static_cast<size_t>(array->elementCount()));
    return array;
}

qint64 ArrayData::elementCount() const
{
    qint64 count = 1;
    for (qint32 upper : upperBounds)
        count *= static_cast<qint64>(upper) + 1;
    return upperBounds.empty() ? 0 : count;
}

qint64 ArrayData::offsetOf(const qint32* indexes, size_t count) const
{
    if (count != upperBounds.size())
        return -1;
    qint64 offset = 0;
    qint64 stride = 1;
    for (size_t i = 0; i < count; ++i) {
        if (indexes[i] < 0 || indexes[i] > upperBounds[i])
            return -1;
        offset += indexes[i] * stride;
        stride *= static_cast<qint64>(upperBounds[i]) + 1;
    }
    return offset;
}

} // namespace vbs
