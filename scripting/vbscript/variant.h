// Runtime values: the Variant of the language and its arrays.
#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace vbs {

class Dispatch;
struct ArrayData;
using DispatchPtr = std::shared_ptr<Dispatch>;

// Type codes as VarType reports them.
enum class VarType : quint16 {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,
    Error = 10,
    Boolean = 11,
    Variant = 12,
    Byte = 17,
    Array = 0x2000,
};

class Variant {
public:
    Variant() = default;
    // Copies touch only the member the type uses: a number copies no text or reference.
    Variant(const Variant& other) : type_(other.type_), v_(other.v_)
    {
        if (other.type_ == VarType::String)
            str_ = other.str_;
        else if (other.ref_)
            ref_ = other.ref_;
    }
    Variant& operator=(const Variant& other)
    {
        if (this != &other) {
            Variant copy(other);
            *this = std::move(copy);
        }
        return *this;
    }
    // A moved-from Variant is Empty.
    Variant(Variant&& other) noexcept
        : type_(other.type_), v_(other.v_), str_(std::move(other.str_)), ref_(std::move(other.ref_))
    {
        other.type_ = VarType::Empty;
    }
    Variant& operator=(Variant&& other) noexcept
    {
        if (this != &other) {
            // The old value dies last, when this one is already whole: releasing an object
            // may run script code that reads this variable.
            Variant old(std::move(*this));
            type_ = other.type_;
            v_ = other.v_;
            str_ = std::move(other.str_);
            ref_ = std::move(other.ref_);
            other.type_ = VarType::Empty;
        }
        return *this;
    }

    static Variant null();
    static Variant fromBool(bool value);
    static Variant fromByte(quint8 value);
    static Variant fromInteger(qint16 value);
    static Variant fromLong(qint32 value);
    static Variant fromSingle(float value);
    static Variant fromDouble(double value);
    static Variant fromCurrency(qint64 tenThousandths);
    static Variant fromDate(double serial);
    static Variant fromString(const QString& value);
    static Variant fromObject(DispatchPtr object); // a null pointer is Nothing
    static Variant nothing() { return fromObject(nullptr); }
    static Variant fromArray(std::shared_ptr<ArrayData> array);
    // The smallest of Integer, Long or Double that holds the value.
    static Variant fromWholeNumber(double value);

    VarType type() const { return type_; }
    bool isEmpty() const { return type_ == VarType::Empty; }
    bool isNull() const { return type_ == VarType::Null; }
    bool isString() const { return type_ == VarType::String; }
    bool isObject() const { return type_ == VarType::Object; }
    bool isNothing() const { return type_ == VarType::Object && !ref_; }
    bool isArray() const { return type_ == VarType::Array; }
    bool holdsReference() const { return static_cast<bool>(ref_); }
    bool isNumericType() const;  // Byte, Integer, Long, Single, Double, Currency, Boolean, Date
    bool isIntegralType() const; // Byte, Integer, Long, Boolean

    bool boolValue() const { return v_.b; }
    quint8 byteValue() const { return v_.byte; }
    qint16 integerValue() const { return v_.i16; }
    qint32 longValue() const { return v_.i32; }
    float singleValue() const { return v_.f32; }
    double doubleValue() const { return v_.f64; } // Double and Date
    qint64 currencyValue() const { return v_.cy; }
    const QString& stringValue() const { return str_; }
    DispatchPtr object() const;
    Dispatch* objectPointer() const { return type_ == VarType::Object ? static_cast<Dispatch*>(ref_.get()) : nullptr; }
    const ArrayData* array() const { return type_ == VarType::Array ? static_cast<const ArrayData*>(ref_.get()) : nullptr; }
    // The array for writing; copies it first when another variable shares it.
    ArrayData* mutableArray();
    // The value of an integral type as a 32-bit integer (Byte, Integer, Long, Boolean).
    qint32 integralValue() const;

private:
    VarType type_ = VarType::Empty;
    union {
        bool b;
        quint8 byte;
        qint16 i16;
        qint32 i32;
        float f32;
        double f64;
        qint64 cy;
    } v_{};
    QString str_;
    std::shared_ptr<void> ref_; // ArrayData for arrays, Dispatch for objects
};

// A rectangular array; elements are stored with the first index varying fastest, so that
// ReDim Preserve of the last dimension keeps every element in place.
// Releases values that may hold arrays or objects without nesting destructors: a chain of
// a million linked objects is freed in a loop, not a million frames deep.
void releaseValues(std::vector<Variant>& values);

struct ArrayData {
    ArrayData() = default;
    ArrayData(const ArrayData&) = default;
    ~ArrayData() { releaseValues(elements); }

    std::vector<qint32> upperBounds; // lower bounds are always 0
    std::vector<Variant> elements;
    bool fixedSize = false;  // declared with Dim a(n): ReDim is refused
    int locks = 0;           // For Each in progress: Erase and ReDim are refused

    static std::shared_ptr<ArrayData> create(const std::vector<qint32>& upperBounds);
    // Offset of an element, or -1 when an index is out of range.
    qint64 offsetOf(const qint32* indexes, size_t count) const;
    qint64 elementCount() const;
};

} // namespace vbs
