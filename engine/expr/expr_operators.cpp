#include "engine/expr/expr_operators.h"

#include "engine/expr/expr_messages.h"

namespace {

QString operatorSymbol(TRpEvOperator op)
{
    switch (op) {
    case TRpEvOperator::Less:
        return QStringLiteral("<");
    case TRpEvOperator::LessOrEqual:
        return QStringLiteral("<=");
    case TRpEvOperator::Greater:
        return QStringLiteral(">");
    case TRpEvOperator::GreaterOrEqual:
        return QStringLiteral(">=");
    case TRpEvOperator::Or:
        return QStringLiteral("OR");
    case TRpEvOperator::And:
        return QStringLiteral("AND");
    default:
        return {};
    }
}

QString arithmeticVerb(TRpEvOperator op)
{
    switch (op) {
    case TRpEvOperator::Plus:
        return QStringLiteral("add");
    case TRpEvOperator::Minus:
        return QStringLiteral("subtract");
    case TRpEvOperator::Multiply:
        return QStringLiteral("multiply");
    default:
        return QStringLiteral("divide");
    }
}

QString kindWord(TRpEvKind kind)
{
    switch (kind) {
    case TRpEvKind::Boolean:
        return QStringLiteral("boolean");
    case TRpEvKind::String:
        return QStringLiteral("string");
    default:
        return QStringLiteral("numeric");
    }
}

bool isComparison(TRpEvOperator op)
{
    return quint8(op) <= quint8(TRpEvOperator::NotEqual);
}

template <typename T>
TRpEvResult comparison(TRpEvOperator op, const T& a, const T& b)
{
    switch (op) {
    case TRpEvOperator::Less:
        return TRpEvResult::boolean(a < b);
    case TRpEvOperator::LessOrEqual:
        return TRpEvResult::boolean(a <= b);
    case TRpEvOperator::Greater:
        return TRpEvResult::boolean(a > b);
    case TRpEvOperator::GreaterOrEqual:
        return TRpEvResult::boolean(a >= b);
    case TRpEvOperator::Equal:
        return TRpEvResult::boolean(a == b);
    default:
        return TRpEvResult::boolean(a != b);
    }
}

TRpEvResult divide(double a, double b)
{
    if (b == 0.0)
        return TRpEvResult::error(QLatin1String(exprmsg::divideByZero));
    return TRpEvResult::fromFloat(a / b);
}

TRpEvResult notCompatible(TRpEvOperator op, TRpEvKind kind)
{
    return TRpEvResult::error(exprmsg::operatorNotCompatible(operatorSymbol(op), kindWord(kind)));
}

TRpEvResult cannotOperate(TRpEvOperator op, TRpEvKind kind)
{
    return TRpEvResult::error(exprmsg::cannotOperate(arithmeticVerb(op), kindWord(kind)));
}

TRpEvResult integerOperator(TRpEvOperator op, qint32 a, qint32 b)
{
    switch (op) {
    case TRpEvOperator::Plus:
        return TRpEvResult::fromWideInteger(qint64(a) + b);
    case TRpEvOperator::Minus:
        return TRpEvResult::fromWideInteger(qint64(a) - b);
    case TRpEvOperator::Multiply:
        return TRpEvResult::fromWideInteger(qint64(a) * b);
    case TRpEvOperator::Divide:
        return divide(a, b);
    case TRpEvOperator::Or:
        return TRpEvResult::integer(a | b);
    case TRpEvOperator::And:
        return TRpEvResult::integer(a & b);
    default:
        return comparison(op, a, b);
    }
}

TRpEvResult floatOperator(TRpEvOperator op, double a, double b)
{
    if (const auto result = rpEvFloatArithmetic(op, a, b))
        return TRpEvResult::fromFloat(*result);
    switch (op) {
    case TRpEvOperator::Divide:
        return divide(a, b);
    case TRpEvOperator::Or:
    case TRpEvOperator::And:
        return notCompatible(op, TRpEvKind::Float);
    default:
        return comparison(op, a, b);
    }
}

TRpEvResult stringOperator(TRpEvOperator op, const QString& a, const QString& b)
{
    if (op == TRpEvOperator::Plus)
        return TRpEvResult::string(a + b);
    if (op == TRpEvOperator::Or || op == TRpEvOperator::And)
        return notCompatible(op, TRpEvKind::String);
    if (!isComparison(op))
        return cannotOperate(op, TRpEvKind::String);
    // Strings compare by character code, case-sensitively.
    return comparison(op, a.compare(b, Qt::CaseSensitive), 0);
}

TRpEvResult booleanOperator(TRpEvOperator op, bool a, bool b)
{
    switch (op) {
    case TRpEvOperator::Equal:
        return TRpEvResult::boolean(a == b);
    case TRpEvOperator::NotEqual:
        return TRpEvResult::boolean(a != b);
    case TRpEvOperator::Or:
        return TRpEvResult::boolean(a || b);
    case TRpEvOperator::And:
        return TRpEvResult::boolean(a && b);
    default:
        return isComparison(op) ? notCompatible(op, TRpEvKind::Boolean) : cannotOperate(op, TRpEvKind::Boolean);
    }
}

} // namespace

TRpEvResult rpEvApplyOperator(TRpEvOperator op, const TRpEvResult& left, const TRpEvResult& right)
{
    const TRpEvKind kind = left.kind();
    if (kind == TRpEvKind::Error)
        return left;
    if (right.isError())
        return right;
    if (kind == right.kind()) {
        switch (kind) {
        case TRpEvKind::Integer:
            return integerOperator(op, left.integerValue(), right.integerValue());
        case TRpEvKind::Float:
            return floatOperator(op, left.floatValue(), right.floatValue());
        case TRpEvKind::Boolean:
            return booleanOperator(op, left.booleanValue(), right.booleanValue());
        default:
            return stringOperator(op, left.text(), right.text());
        }
    }
    if (left.isNumeric() && right.isNumeric())
        return floatOperator(op, left.numericValue(), right.numericValue());
    return stringOperator(op, rpEvCutText(left.displayText()), rpEvCutText(right.displayText()));
}
