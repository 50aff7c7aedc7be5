// Built-in library: conversions (CBool ... CStr, Hex, Oct) and type tests.
#include "scripting/vbscript/builtins.h"

#include "scripting/vbscript/conversion.h"
#include "scripting/vbscript/dispatch.h"
#include "scripting/vbscript/errors.h"

namespace vbs {

namespace {

// Conversions reject Null with "Invalid use of Null" and take objects' default values.
Variant checked(const Variant& value)
{
    const Variant plain = plainValue(value);
    if (plain.isNull())
        raise(ErrInvalidNull);
    if (plain.isArray())
        raise(ErrTypeMismatch);
    return plain;
}

Variant cBool(Interpreter&, const Variant* a, int) { return Variant::fromBool(toBool(checked(a[0]))); }
Variant cByte(Interpreter&, const Variant* a, int) { return Variant::fromByte(toByte(checked(a[0]))); }
Variant cCur(Interpreter&, const Variant* a, int) { return Variant::fromCurrency(toCurrency(checked(a[0]))); }
Variant cDate(Interpreter&, const Variant* a, int) { return Variant::fromDate(toDate(checked(a[0]))); }
Variant cDbl(Interpreter&, const Variant* a, int) { return Variant::fromDouble(toDouble(checked(a[0]))); }
Variant cInt(Interpreter&, const Variant* a, int) { return Variant::fromInteger(toInteger(checked(a[0]))); }
Variant cLng(Interpreter&, const Variant* a, int) { return Variant::fromLong(toLong(checked(a[0]))); }
Variant cSng(Interpreter&, const Variant* a, int) { return Variant::fromSingle(toSingle(checked(a[0]))); }
Variant cStr(Interpreter&, const Variant* a, int) { return Variant::fromString(toString(checked(a[0]))); }

// Hex and Oct show negative numbers in two's complement of their own width.
Variant radixText(const Variant& value, int radix)
{
    const Variant plain = plainValue(value);
    if (plain.isNull())
        return plain;
    const qint32 number = toLong(plain);
    const bool narrow = plain.type() == VarType::Integer || plain.type() == VarType::Byte
        || plain.type() == VarType::Boolean || plain.isEmpty();
    const quint32 bits = narrow && number < 0 ? static_cast<quint16>(number) : static_cast<quint32>(number);
    return Variant::fromString(QString::number(bits, radix).toUpper());
}

Variant hexText(Interpreter&, const Variant* a, int) { return radixText(a[0], 16); }
Variant octText(Interpreter&, const Variant* a, int) { return radixText(a[0], 8); }

Variant isArray(Interpreter&, const Variant* a, int) { return Variant::fromBool(a[0].isArray()); }
Variant isDate(Interpreter&, const Variant* a, int) { return Variant::fromBool(isDateValue(a[0])); }
Variant isEmpty(Interpreter&, const Variant* a, int) { return Variant::fromBool(a[0].isEmpty()); }
Variant isNull(Interpreter&, const Variant* a, int) { return Variant::fromBool(a[0].isNull()); }
Variant isNumeric(Interpreter&, const Variant* a, int) { return Variant::fromBool(isNumericValue(a[0])); }
Variant isObject(Interpreter&, const Variant* a, int) { return Variant::fromBool(a[0].isObject()); }

QString typeNameOf(const Variant& v)
{
    switch (v.type()) {
    case VarType::Empty: return QStringLiteral("Empty");
    case VarType::Null: return QStringLiteral("Null");
    case VarType::Integer: return QStringLiteral("Integer");
    case VarType::Long: return QStringLiteral("Long");
    case VarType::Single: return QStringLiteral("Single");
    case VarType::Double: return QStringLiteral("Double");
    case VarType::Currency: return QStringLiteral("Currency");
    case VarType::Date: return QStringLiteral("Date");
    case VarType::String: return QStringLiteral("String");
    case VarType::Boolean: return QStringLiteral("Boolean");
    case VarType::Byte: return QStringLiteral("Byte");
    case VarType::Array: return QStringLiteral("Variant()");
    case VarType::Object: return v.isNothing() ? QStringLiteral("Nothing") : v.objectPointer()->typeName();
    default: return QStringLiteral("Unknown");
    }
}

Variant typeName(Interpreter&, const Variant* a, int) { return Variant::fromString(typeNameOf(a[0])); }

Variant varType(Interpreter&, const Variant* a, int)
{
    if (a[0].isArray())
        return Variant::fromInteger(static_cast<qint16>(static_cast<int>(VarType::Array) | static_cast<int>(VarType::Variant)));
    return Variant::fromInteger(static_cast<qint16>(a[0].type()));
}

const Builtin library[] = {
    {"CBool", cBool, 1, 1},       {"CByte", cByte, 1, 1},         {"CCur", cCur, 1, 1},
    {"CDate", cDate, 1, 1},       {"CDbl", cDbl, 1, 1},           {"CInt", cInt, 1, 1},
    {"CLng", cLng, 1, 1},         {"CSng", cSng, 1, 1},           {"CStr", cStr, 1, 1},
    {"Hex", hexText, 1, 1},       {"Oct", octText, 1, 1},         {"IsArray", isArray, 1, 1},
    {"IsDate", isDate, 1, 1},     {"IsEmpty", isEmpty, 1, 1},     {"IsNull", isNull, 1, 1},
    {"IsNumeric", isNumeric, 1, 1}, {"IsObject", isObject, 1, 1}, {"TypeName", typeName, 1, 1},
    {"VarType", varType, 1, 1},
};

} // namespace

std::span<const Builtin> conversionLibrary() { return library; }

} // namespace vbs
