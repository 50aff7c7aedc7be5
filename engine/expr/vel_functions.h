// Velmor's own expression functions: VELSUM, a sum that shows nothing until it has taken
// in a value, and VELSET, which picks one of a "|"-separated list of values.
#pragma once

#include "engine/expr/expr_function.h"

#include <optional>

class TRpEvFunctionLibrary;

class TVelSumFunction : public TRpEvAggregateFunction
{
public:
    void reset() override;

protected:
    void takeIn(const TRpEvArguments& arguments) override;
    TRpEvResult current() const override;

private:
    void takeInFirst(const TRpEvResult& value);

    bool m_assigned = false;
    TRpEvKind m_kind = TRpEvKind::Integer;
    qint64 m_integerTotal = 0;
    double m_floatTotal = 0.0;
    std::optional<TRpEvResult> m_error;
};

class TRpVelSetFunction : public TRpEvElementFunction
{
protected:
    TRpEvResult calculate(TRpEvArguments& arguments) override;
};

// Adds VELSUM and VELSET to a function library.
void velRegisterExpressionFunctions(TRpEvFunctionLibrary& library);
