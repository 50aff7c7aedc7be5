// Bounds that keep a script from exhausting the host process.
#pragma once

namespace vbs::limits {

constexpr int maxStringLength = 1 << 26;      // characters; longer is "Out of string space"
constexpr long long maxArrayElements = 1 << 22; // elements of one array; more is "Out of memory"
constexpr int maxParseDepth = 120;            // nested expressions and blocks in a text
constexpr int maxOperatorChain = 1000;        // binary operators stacked in one expression
constexpr int maxCallDepth = 400;             // nested procedure calls and Eval levels
constexpr long long stackBudgetBytes = 3 << 20; // native stack a run may use

} // namespace vbs::limits
