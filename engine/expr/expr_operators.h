// The twelve binary operators and how they combine two results.
#pragma once

#include "engine/expr/expr_result.h"

#include <optional>

enum class TRpEvOperator : quint8 {
    Less = 0,
    LessOrEqual = 1,
    Greater = 2,
    GreaterOrEqual = 3,
    Equal = 4,
    NotEqual = 5,
    Plus = 6,
    Minus = 7,
    Or = 8,
    Multiply = 9,
    Divide = 10,
    And = 11
};

// Applies op: an error operand gives that error (the left one first); an integer meeting a
// float becomes a float; any other mix of kinds is compared or joined as text.
TRpEvResult rpEvApplyOperator(TRpEvOperator op, const TRpEvResult& left, const TRpEvResult& right);

// a + b, a - b or a * b; no value for the other operators.
inline std::optional<double> rpEvFloatArithmetic(TRpEvOperator op, double a, double b)
{
    switch (op) {
    case TRpEvOperator::Plus:
        return a + b;
    case TRpEvOperator::Minus:
        return a - b;
    case TRpEvOperator::Multiply:
        return a * b;
    default:
        return std::nullopt;
    }
}
