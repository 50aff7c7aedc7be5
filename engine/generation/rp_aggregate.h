// How a controller hands the current detail record to an aggregate expression control.
#pragma once

class TRpExpr;

// The expression control takes in the current record (its sums and counts grow).
void rpStepAggregate(TRpExpr& expression);
