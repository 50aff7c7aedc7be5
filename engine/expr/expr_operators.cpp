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

// -1, 0 or 1 for two results of the same (non-error) kind.
int compareSameKind(const TRpEvResult& left, const TRpEvResult& right)
{
    switch (left.kind()) {
    case TRpEvKind::Integer:
        return left.integerValue() < right.integerValue() ? -1 : left.integerValue() > right.integerValue();
    case TRpEvKind::Float:
        return left.floatValue() < right.floatValue() ? -1 : left.floatValue() > right.floatValue();
    case TRpEvKind::Boolean:
        return int(left.booleanValue()) - int(right.booleanValue());
    default: {
        const int order = left.text().compare(right.text(), Qt::CaseSensitive);
        return order < 0 ? -1 : order > 0;
    }
    }
}

TRpEvResult compare(TRpEvOperator op, const TRpEvResult& left, const TRpEvResult& right)
{
    const bool ordering = op != TRpEvOperator::Equal && op != TRpEvOperator::NotEqual;
    if (ordering && left.kind() == TRpEvKind::Boolean)
        return TRpEvResult::error(exprmsg::operatorNotCompatible(operatorSymbol(op), kindWord(TRpEvKind::Boolean)));
    const int order = compareSameKind(left, right);
    switch (op) {
    case TRpEvOperator::Less:
        return TRpEvResult::boolean(order < 0);
    case TRpEvOperator::LessOrEqual:
        return TRpEvResult::boolean(order <= 0);
    case TRpEvOperator::Greater:
        return TRpEvResult::boolean(order > 0);
    case TRpEvOperator::GreaterOrEqual:
        return TRpEvResult::boolean(order >= 0);
    case TRpEvOperator::Equal:
        return TRpEvResult::boolean(order == 0);
    default:
        return TRpEvResult::boolean(order != 0);
    }
}

TRpEvResult integerArithmetic(TRpEvOperator op, qint64 a, qint64 b)
{
    switch (op) {
    case TRpEvOperator::Plus:
        return TRpEvResult::fromWideInteger(a + b);
    case TRpEvOperator::Minus:
        return TRpEvResult::fromWideInteger(a - b);
    default:
        return TRpEvResult::fromWideInteger(a * b);
    }
}

TRpEvResult floatArithmetic(TRpEvOperator op, double a, double b)
{
    switch (op) {
    case TRpEvOperator::Plus:
        return TRpEvResult::fromFloat(a + b);
    case TRpEvOperator::Minus:
        return TRpEvResult::fromFloat(a - b);
    default:
        return TRpEvResult::fromFloat(a * b);
    }
}

TRpEvResult arithmetic(TRpEvOperator op, const TRpEvResult& left, const TRpEvResult& right)
{
    const TRpEvKind kind = left.kind();
    if (op == TRpEvOperator::Plus && kind == TRpEvKind::String)
        return TRpEvResult::string(left.text() + right.text());
    if (kind == TRpEvKind::String || kind == TRpEvKind::Boolean)
        return TRpEvResult::error(exprmsg::cannotOperate(arithmeticVerb(op), kindWord(kind)));
    if (op == TRpEvOperator::Divide) {
        if (right.numericValue() == 0.0)
            return TRpEvResult::error(QLatin1String(exprmsg::divideByZero));
        return TRpEvResult::fromFloat(left.numericValue() / right.numericValue());
    }
    if (kind == TRpEvKind::Integer)
        return integerArithmetic(op, left.integerValue(), right.integerValue());
    return floatArithmetic(op, left.floatValue(), right.floatValue());
}

TRpEvResult logical(TRpEvOperator op, const TRpEvResult& left, const TRpEvResult& right)
{
    const bool isAnd = op == TRpEvOperator::And;
    switch (left.kind()) {
    case TRpEvKind::Integer:
        return TRpEvResult::integer(isAnd ? left.integerValue() & right.integerValue()
                                          : left.integerValue() | right.integerValue());
    case TRpEvKind::Boolean:
        return TRpEvResult::boolean(isAnd ? left.booleanValue() && right.booleanValue()
                                          : left.booleanValue() || right.booleanValue());
    default:
        return TRpEvResult::error(exprmsg::operatorNotCompatible(operatorSymbol(op), kindWord(left.kind())));
    }
}

TRpEvResult applySameKind(TRpEvOperator op, const TRpEvResult& left, const TRpEvResult& right)
{
    if (isComparison(op))
        return compare(op, left, right);
    if (op == TRpEvOperator::Or || op == TRpEvOperator::And)
        return logical(op, left, right);
    return arithmetic(op, left, right);
}

} // namespace

TRpEvResult rpEvApplyOperator(TRpEvOperator op, const TRpEvResult& left, const TRpEvResult& right)
{
    if (left.isError())
        return left;
    if (right.isError())
        return right;
    if (left.kind() == right.kind())
        return applySameKind(op, left, right);
    if (left.isNumeric() && right.isNumeric())
        return applySameKind(op, TRpEvResult::fromFloat(left.numericValue()),
                             TRpEvResult::fromFloat(right.numericValue()));
    return applySameKind(op, TRpEvResult::string(left.displayText()), TRpEvResult::string(right.displayText()));
}
