// A group band during a pass: its prepared expression, the last value it gave, and
// whether the group changed at the last check, is open, and on which page it started.
#pragma once

#include "engine/expr/expr_evaluator.h"
#include "engine/expr/expr_result.h"

#include <QList>

#include <memory>
#include <optional>
#include <vector>

class IRpEvDataSet;
class TRpEvEnvironment;
class TRpGroup;

class TRpGroupRun {
public:
    explicit TRpGroupRun(TRpGroup* group) : m_group(group) {}

    TRpGroup* group() const { return m_group; }
    // Prepares the expression; the datasets should be open so that fields are found.
    void prepare(const QList<IRpEvDataSet*>& dataSets, TRpEvEnvironment* environment);

    // Computes the expression; true when this is the first value of the pass or it
    // differs from the last one in kind or value. The value is kept either way.
    bool takeValue();

    bool changed = false;
    bool inGroup = false;
    int startPage = 0;

private:
    TRpGroup* m_group;
    TRpEvaluator m_evaluator;
    std::optional<TRpEvResult> m_last;
};

using TRpGroupRuns = std::vector<std::unique_ptr<TRpGroupRun>>;

// The group check: walks the groups in order; once one changed, every group after it
// takes its value again and counts as changed too. True when any group changed.
bool rpCheckGroups(TRpGroupRuns& groups);

// Whether two group values differ: another kind, or another value of the same kind.
bool rpGroupValuesDiffer(const TRpEvResult& a, const TRpEvResult& b);
