#include "engine/expr/expr_function.h"

#include "engine/expr/expr_evaluator.h"

TRpEvArguments& TRpEvElementFunction::collectArguments(TRpEvaluator& evaluator)
{
    m_arguments.clear();
    while (!evaluator.atArgumentEnd())
        m_arguments.push_back(evaluator.nextValue());
    evaluator.skipArgumentEnd();
    return m_arguments;
}

TRpEvResult TRpEvElementFunction::value(TRpEvaluator& evaluator)
{
    return calculate(collectArguments(evaluator));
}

TRpEvResult TRpEvAggregateFunction::value(TRpEvaluator& evaluator)
{
    TRpEvArguments& arguments = collectArguments(evaluator);
    if (evaluator.isAggregating())
        takeIn(arguments);
    return calculate(arguments);
}
