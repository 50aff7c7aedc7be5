#include "engine/generation/rp_aggregate.h"

#include "engine/rp_printable.h"

void rpStepAggregate(TRpExpr& expression)
{
    expression.aggregateStep();
}
