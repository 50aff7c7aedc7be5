// Operators: arithmetic, concatenation, comparison and logic on Variants.
#include "scripting/vbscript/operators.h"

#include "scripting/vbscript/conversion.h"
#include "scripting/vbscript/dispatch.h"
#include "scripting/vbscript/errors.h"
#include "scripting/vbscript/limits.h"

#include <cmath>

namespace vbs {

namespace {

// Numeric ranks in promotion order.
enum Rank { RankByte, RankInteger, RankLong, RankSingle, RankDouble, RankCurrency, RankDate };

Rank rankOf(const Variant& v)
{
    switch (v.type()) {
    case VarType::Byte: return RankByte;
    case VarType::Integer:
    case VarType::Boolean:
    case VarType::Empty: return RankInteger;
    case VarType::Long: return RankLong;
    case VarType::Single: return RankSingle;
    case VarType::Currency: return RankCurrency;
    case VarType::Date: return RankDate;
    default: return RankDouble;
    }
}

Variant fitIntegral(qint64 value, Rank atLeast)
{
    if (atLeast == RankByte && value >= 0 && value <= 255)
        return Variant::fromByte(static_cast<quint8>(value));
    if (atLeast <= RankInteger && value >= -32768 && value <= 32767)
        return Variant::fromInteger(static_cast<qint16>(value));
    if (value >= -2147483648LL && value <= 2147483647LL)
        return Variant::fromLong(static_cast<qint32>(value));
    return Variant::fromDouble(static_cast<double>(value));
}

Variant checkedDouble(double value)
{
    if (!std::isfinite(value))
        raise(ErrOverflow);
    return Variant::fromDouble(value);
}

Variant fitSingle(double value)
{
    if (std::fabs(value) > 3.402823466e38)
        return checkedDouble(value);
    return Variant::fromSingle(static_cast<float>(value));
}

// The rank both operands are computed in; Single mixed with Long goes to Double.
Rank commonRank(Rank a, Rank b)
{
    if (a == RankDate || b == RankDate)
        return RankDate;
    if (a == RankCurrency || b == RankCurrency)
        return (a == RankDouble || b == RankDouble || a == RankSingle || b == RankSingle) ? RankDouble : RankCurrency;
    const Rank high = a > b ? a : b;
    const Rank low = a > b ? b : a;
    if (high == RankSingle && low == RankLong)
        return RankDouble;
    return high;
}

enum class Arith { Add, Subtract, Multiply };

Variant arithmetic(Arith op, const Variant& left, const Variant& right)
{
    if (left.isNull() || right.isNull())
        return Variant::null();
    const Variant a = toArithmetic(left);
    const Variant b = toArithmetic(right);
    if (a.isNull() || b.isNull())
        return Variant::null();
    const Rank rank = commonRank(rankOf(a), rankOf(b));
    if (rank <= RankLong) {
        const qint64 x = a.integralValue(), y = b.integralValue();
        const qint64 r = op == Arith::Add ? x + y : op == Arith::Subtract ? x - y : x * y;
        return fitIntegral(r, rank);
    }
    if (rank == RankCurrency) {
        const qint64 x = toCurrency(a), y = toCurrency(b);
        qint64 r = 0;
        bool overflowed = false;
        if (op == Arith::Multiply) {
            const long double product = static_cast<long double>(x) * y / 10000.0L;
            overflowed = std::fabs(static_cast<double>(product)) >= 9.2233720368547e18;
            r = overflowed ? 0 : static_cast<qint64>(std::llround(static_cast<double>(product)));
        } else {
            overflowed = op == Arith::Add ? __builtin_add_overflow(x, y, &r) : __builtin_sub_overflow(x, y, &r);
        }
        if (overflowed)
            raise(ErrOverflow);
        return Variant::fromCurrency(r);
    }
    const double x = toDouble(a), y = toDouble(b);
    const double r = op == Arith::Add ? x + y : op == Arith::Subtract ? x - y : x * y;
    if (rank == RankDate) {
        if (op == Arith::Multiply || (op == Arith::Subtract && a.type() == VarType::Date && b.type() == VarType::Date))
            return checkedDouble(r);
        if (!std::isfinite(r) || r < -657434.0 || r > 2958466.0)
            raise(ErrOverflow);
        return Variant::fromDate(r);
    }
    if (rank == RankSingle)
        return fitSingle(r);
    return checkedDouble(r);
}

// Operands of \ and Mod: rounded to Long; Byte and Integer keep their narrower result type.
Rank integerOperand(const Variant& v, qint64& out)
{
    out = toLong(v);
    const Rank rank = rankOf(v);
    return rank <= RankInteger ? rank : RankLong;
}

// Operands of the logical operators: Booleans stay Booleans, everything else is a Long.
struct LogicalOperand {
    bool isNull = false;
    bool isBool = false;
    Rank rank = RankLong;
    qint64 bits = 0;
};

LogicalOperand logicalOperand(const Variant& value)
{
    LogicalOperand operand;
    const Variant v = plainValue(value);
    if (v.isNull()) {
        operand.isNull = true;
        return operand;
    }
    if (v.type() == VarType::Boolean) {
        operand.isBool = true;
        operand.bits = v.boolValue() ? -1 : 0;
        return operand;
    }
    if (v.isString()) {
        const QString text = v.stringValue().trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0
            || text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
            operand.isBool = true;
            operand.bits = toBool(v) ? -1 : 0;
            return operand;
        }
    }
    operand.bits = toLong(v);
    const Rank rank = rankOf(v);
    operand.rank = rank <= RankInteger ? rank : RankLong;
    return operand;
}

Variant logicalResult(qint64 bits, const LogicalOperand& a, const LogicalOperand& b)
{
    if (a.isBool && b.isBool)
        return Variant::fromBool(bits != 0);
    const Rank ra = a.isBool ? RankInteger : a.rank;
    const Rank rb = b.isBool ? RankInteger : b.rank;
    const Rank rank = ra > rb ? ra : rb;
    if (rank == RankByte)
        return Variant::fromByte(static_cast<quint8>(bits));
    if (rank == RankInteger)
        return Variant::fromInteger(static_cast<qint16>(bits));
    return Variant::fromLong(static_cast<qint32>(bits));
}

qint64 logicalBits(BinaryOp op, qint64 x, qint64 y)
{
    switch (op) {
    case BinaryOp::And: return x & y;
    case BinaryOp::Or: return x | y;
    case BinaryOp::Xor: return x ^ y;
    case BinaryOp::Eqv: return ~(x ^ y);
    default: return ~x | y; // Imp
    }
}

// Null in a logical operation: the known side can still decide the result.
Variant logicalWithNull(BinaryOp op, const LogicalOperand& a, const LogicalOperand& b)
{
    const LogicalOperand& known = a.isNull ? b : a;
    if (a.isNull && b.isNull)
        return Variant::null();
    switch (op) {
    case BinaryOp::And:
        if (known.bits == 0)
            return known.isBool ? Variant::fromBool(false) : logicalResult(0, known, known);
        return Variant::null();
    case BinaryOp::Or:
        if (known.bits == -1)
            return known.isBool ? Variant::fromBool(true) : logicalResult(-1, known, known);
        return Variant::null();
    case BinaryOp::Imp:
        if (a.isNull)
            return b.bits == -1 ? logicalResult(-1, b, b) : Variant::null();
        return a.bits == 0 ? logicalResult(-1, a, a) : Variant::null();
    default: return Variant::null();
    }
}

int compareNumbers(double x, double y) { return x < y ? -1 : (x > y ? 1 : 0); }

int compareStrings(const QString& x, const QString& y, bool textCompare)
{
    const int r = QString::compare(x, y, textCompare ? Qt::CaseInsensitive : Qt::CaseSensitive);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

bool isNumberLike(const Variant& v) { return v.isNumericType(); }

} // namespace

Variant add(const Variant& a, const Variant& b)
{
    if (a.type() == VarType::Integer && b.type() == VarType::Integer)
        return fitIntegral(static_cast<qint64>(a.integerValue()) + b.integerValue(), RankInteger);
    if (a.isString() && b.isString())
        return concat(a, b);
    return arithmetic(Arith::Add, a, b);
}

Variant subtract(const Variant& a, const Variant& b) { return arithmetic(Arith::Subtract, a, b); }
Variant multiply(const Variant& a, const Variant& b) { return arithmetic(Arith::Multiply, a, b); }

Variant divide(const Variant& left, const Variant& right)
{
    if (left.isNull() || right.isNull())
        return Variant::null();
    const double x = toDouble(toArithmetic(left));
    const double y = toDouble(toArithmetic(right));
    if (y == 0)
        raise(x == 0 ? ErrOverflow : ErrDivisionByZero);
    const Rank ra = rankOf(toArithmetic(left)), rb = rankOf(toArithmetic(right));
    if (ra == RankSingle && rb <= RankSingle && rb != RankLong)
        return fitSingle(x / y);
    return checkedDouble(x / y);
}

Variant intDivide(const Variant& left, const Variant& right)
{
    if (left.isNull() || right.isNull())
        return Variant::null();
    qint64 x = 0, y = 0;
    const Rank ra = integerOperand(toArithmetic(left), x);
    const Rank rb = integerOperand(toArithmetic(right), y);
    if (y == 0)
        raise(ErrDivisionByZero);
    return fitIntegral(x / y, ra > rb ? ra : rb);
}

Variant modulo(const Variant& left, const Variant& right)
{
    if (left.isNull() || right.isNull())
        return Variant::null();
    qint64 x = 0, y = 0;
    const Rank ra = integerOperand(toArithmetic(left), x);
    const Rank rb = integerOperand(toArithmetic(right), y);
    if (y == 0)
        raise(ErrDivisionByZero);
    return fitIntegral(x % y, ra > rb ? ra : rb);
}

Variant power(const Variant& left, const Variant& right)
{
    if (left.isNull() || right.isNull())
        return Variant::null();
    const double x = toDouble(toArithmetic(left));
    const double y = toDouble(toArithmetic(right));
    if (x == 0 && y < 0)
        raise(ErrDivisionByZero);
    if (x < 0 && y != std::floor(y))
        raise(ErrInvalidCall);
    return checkedDouble(std::pow(x, y));
}

Variant concat(const Variant& a, const Variant& b)
{
    if (a.isNull() && b.isNull())
        return Variant::null();
    const QString left = toConcatString(a);
    const QString right = toConcatString(b);
    if (static_cast<qint64>(left.size()) + right.size() > limits::maxStringLength)
        raise(ErrOutOfStringSpace);
    return Variant::fromString(left + right);
}

Variant negate(const Variant& value)
{
    const Variant v = toArithmetic(value);
    switch (v.type()) {
    case VarType::Null: return v;
    case VarType::Byte: return Variant::fromInteger(static_cast<qint16>(-v.byteValue()));
    case VarType::Boolean:
    case VarType::Integer: return fitIntegral(-static_cast<qint64>(v.integralValue()), RankInteger);
    case VarType::Long: return fitIntegral(-static_cast<qint64>(v.longValue()), RankLong);
    case VarType::Single: return Variant::fromSingle(-v.singleValue());
    case VarType::Currency:
        if (v.currencyValue() == std::numeric_limits<qint64>::min())
            raise(ErrOverflow);
        return Variant::fromCurrency(-v.currencyValue());
    case VarType::Date: return Variant::fromDate(-v.doubleValue());
    default: return Variant::fromDouble(-toDouble(v));
    }
}

Variant logicalNot(const Variant& value)
{
    const LogicalOperand operand = logicalOperand(value);
    if (operand.isNull)
        return Variant::null();
    return logicalResult(~operand.bits, operand, operand);
}

Variant logical(BinaryOp op, const Variant& left, const Variant& right)
{
    const LogicalOperand a = logicalOperand(left);
    const LogicalOperand b = logicalOperand(right);
    if (a.isNull || b.isNull)
        return logicalWithNull(op, a, b);
    return logicalResult(logicalBits(op, a.bits, b.bits), a, b);
}

int compareValues(const Variant& left, const Variant& right, quint8 literals, bool textCompare)
{
    const Variant a = plainValue(left);
    const Variant b = plainValue(right);
    if (a.isNull() || b.isNull())
        return CompareNull;
    if (a.isArray() || b.isArray())
        raise(ErrTypeMismatch);
    if (a.isEmpty() && b.isEmpty())
        return 0;
    if (a.isString() && b.isString())
        return compareStrings(a.stringValue(), b.stringValue(), textCompare);
    if (a.isEmpty())
        return b.isString() ? compareStrings(QString(), b.stringValue(), textCompare) : compareNumbers(0, toDouble(b));
    if (b.isEmpty())
        return a.isString() ? compareStrings(a.stringValue(), QString(), textCompare) : compareNumbers(toDouble(a), 0);
    if (isNumberLike(a) && isNumberLike(b)) {
        if (a.isIntegralType() && b.isIntegralType())
            return compareNumbers(a.integralValue(), b.integralValue());
        return compareNumbers(toDouble(a), toDouble(b));
    }
    // A number against a text: a literal takes the other side's type; two variables
    // order every number before every text.
    const bool leftIsString = a.isString();
    const bool stringIsLiteral = leftIsString ? (literals & LeftLiteral) : (literals & RightLiteral);
    const bool numberIsLiteral = leftIsString ? (literals & RightLiteral) : (literals & LeftLiteral);
    if (stringIsLiteral && !numberIsLiteral)
        return compareNumbers(toDouble(a), toDouble(b));
    if (numberIsLiteral && !stringIsLiteral)
        return compareStrings(toString(a), toString(b), textCompare);
    return leftIsString ? 1 : -1;
}

Variant comparison(BinaryOp op, const Variant& a, const Variant& b, quint8 literals)
{
    const int order = compareValues(a, b, literals, false);
    if (order == CompareNull)
        return Variant::null();
    switch (op) {
    case BinaryOp::Equal: return Variant::fromBool(order == 0);
    case BinaryOp::NotEqual: return Variant::fromBool(order != 0);
    case BinaryOp::Less: return Variant::fromBool(order < 0);
    case BinaryOp::Greater: return Variant::fromBool(order > 0);
    case BinaryOp::LessEqual: return Variant::fromBool(order <= 0);
    default: return Variant::fromBool(order >= 0);
    }
}

bool isSameObject(const Variant& a, const Variant& b)
{
    if (!a.isObject() || !b.isObject())
        raise(ErrObjectRequired);
    return a.objectPointer() == b.objectPointer();
}

Variant applyBinary(BinaryOp op, const Variant& a, const Variant& b, quint8 literals)
{
    switch (op) {
    case BinaryOp::Power: return power(a, b);
    case BinaryOp::Multiply: return multiply(a, b);
    case BinaryOp::Divide: return divide(a, b);
    case BinaryOp::IntDivide: return intDivide(a, b);
    case BinaryOp::Mod: return modulo(a, b);
    case BinaryOp::Add: return add(a, b);
    case BinaryOp::Subtract: return subtract(a, b);
    case BinaryOp::Concat: return concat(a, b);
    case BinaryOp::Is: return Variant::fromBool(isSameObject(a, b));
    case BinaryOp::And:
    case BinaryOp::Or:
    case BinaryOp::Xor:
    case BinaryOp::Eqv:
    case BinaryOp::Imp: return logical(op, a, b);
    default: return comparison(op, a, b, literals);
    }
}

} // namespace vbs
