#include "engine/expr/expr_evaluator.h"

#include "engine/expr/expr_element.h"
#include "engine/expr/expr_exception.h"
#include "engine/expr/expr_function_library.h"
#include "engine/expr/expr_messages.h"
#include "engine/expr/expr_parser.h"

TRpEvaluator::TRpEvaluator(const TRpEvFunctionLibrary* library)
    : m_library(library ? library : &TRpEvFunctionLibrary::instance())
{
}

TRpEvaluator::~TRpEvaluator() = default;

void TRpEvaluator::prepare(const QString& expression)
{
    unprepare();
    m_expression = expression;
    TRpEvParser parser({m_library, m_dataSets, m_environment});
    TRpEvParser::Output output = parser.parse(expression.trimmed().isEmpty() ? QStringLiteral("' '") : expression);
    m_elements = std::move(output.elements);
    m_refusal = std::move(output.refusal);
    m_prepared = true;
}

void TRpEvaluator::unprepare()
{
    m_elements.clear();
    m_refusal.reset();
    m_expression.clear();
    m_prepared = false;
}

TRpEvResult TRpEvaluator::value()
{
    if (!m_prepared)
        throw ERpEvaluatorError(QLatin1String(exprmsg::notPrepared));
    if (m_refusal)
        return *m_refusal;
    m_position = 0;
    return nextValue();
}

void TRpEvaluator::reset()
{
    for (const auto& element : m_elements)
        element->reset();
}

TRpEvResult TRpEvaluator::aggregateStep()
{
    struct FlagGuard
    {
        bool& flag;
        ~FlagGuard() { flag = false; }
    } guard{m_aggregating};
    m_aggregating = true;
    return value();
}

bool TRpEvaluator::isAggregate() const
{
    for (const auto& element : m_elements) {
        if (element->isAggregate())
            return true;
    }
    return false;
}

TRpEvResult TRpEvaluator::endOfListError() const
{
    return TRpEvResult::error(exprmsg::errorInExpression(m_expression));
}
