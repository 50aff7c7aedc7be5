// The language's operators on Variants: arithmetic with type promotion, concatenation,
// comparison and the logical/bitwise operators, all with Null propagation.
#pragma once

#include "scripting/vbscript/variant.h"

namespace vbs {

enum class BinaryOp : quint8 {
    Power, Multiply, Divide, IntDivide, Mod, Add, Subtract, Concat,
    Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual, Is,
    And, Or, Xor, Eqv, Imp,
};

Variant add(const Variant& a, const Variant& b);
Variant subtract(const Variant& a, const Variant& b);
Variant multiply(const Variant& a, const Variant& b);
Variant divide(const Variant& a, const Variant& b);
Variant intDivide(const Variant& a, const Variant& b);
Variant modulo(const Variant& a, const Variant& b);
Variant power(const Variant& a, const Variant& b);
Variant concat(const Variant& a, const Variant& b);
Variant negate(const Variant& a);
Variant logicalNot(const Variant& a);
Variant logical(BinaryOp op, const Variant& a, const Variant& b);

// Which operand of a comparison was written as a literal: it then takes the other's type.
enum ComparisonLiterals : quint8 { NoLiteral = 0, LeftLiteral = 1, RightLiteral = 2 };

// -1, 0 or 1; Null when either side is Null (returned as 2).
int compareValues(const Variant& a, const Variant& b, quint8 literals, bool textCompare);
constexpr int CompareNull = 2;
Variant comparison(BinaryOp op, const Variant& a, const Variant& b, quint8 literals);
bool isSameObject(const Variant& a, const Variant& b); // the Is operator

Variant applyBinary(BinaryOp op, const Variant& a, const Variant& b, quint8 literals = NoLiteral);

} // namespace vbs
