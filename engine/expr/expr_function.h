// Function elements: they take the values of their arguments up to the argument-end
// marker and calculate. Aggregate functions also take in their argument at every
// aggregation step and answer their running value.
#pragma once

#include "engine/expr/expr_element.h"

#include <vector>

using TRpEvArguments = std::vector<TRpEvResult>;

class TRpEvElementFunction : public TRpEvElement
{
public:
    TRpEvResult value(TRpEvaluator& evaluator) override;

protected:
    // Argument counts and kinds are checked here at every calculation; the arguments may be
    // moved from.
    virtual TRpEvResult calculate(TRpEvArguments& arguments) = 0;
    TRpEvArguments& collectArguments(TRpEvaluator& evaluator);

private:
    TRpEvArguments m_arguments; // reused between calculations
};

class TRpEvAggregateFunction : public TRpEvElementFunction
{
public:
    TRpEvResult value(TRpEvaluator& evaluator) override;
    bool isAggregate() const override { return true; }

protected:
    // Takes in the arguments of one aggregation step.
    virtual void takeIn(const TRpEvArguments& arguments) = 0;
    // The running value.
    virtual TRpEvResult current() const = 0;
    // The value shown outside and inside aggregation steps: the running value, unless a
    // function also checks its arguments here.
    TRpEvResult calculate(TRpEvArguments&) override { return current(); }
};
