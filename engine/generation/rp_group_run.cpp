#include "engine/generation/rp_group_run.h"

#include "engine/rp_bands.h"

void TRpGroupRun::prepare(const QList<IRpEvDataSet*>& dataSets, TRpEvEnvironment* environment)
{
    m_evaluator.setDataSets(dataSets);
    m_evaluator.setEnvironment(environment);
    m_evaluator.prepare(m_group->expression());
    m_last.reset();
}

bool TRpGroupRun::takeValue()
{
    TRpEvResult value = m_evaluator.value();
    const bool differs = !m_last || rpGroupValuesDiffer(*m_last, value);
    m_last = std::move(value);
    return differs;
}

bool rpGroupValuesDiffer(const TRpEvResult& a, const TRpEvResult& b)
{
    if (a.kind() != b.kind())
        return true;
    switch (a.kind()) {
    case TRpEvKind::Integer:
        return a.integerValue() != b.integerValue();
    case TRpEvKind::Float:
        return a.floatValue() != b.floatValue();
    case TRpEvKind::String:
        return a.text() != b.text();
    case TRpEvKind::Boolean:
        return a.booleanValue() != b.booleanValue();
    case TRpEvKind::Error:
        return false;
    }
    return false;
}

bool rpCheckGroups(TRpGroupRuns& groups)
{
    bool anyChanged = false;
    for (auto& run : groups) {
        const bool differs = run->takeValue();
        run->changed = anyChanged || differs;
        anyChanged = run->changed;
    }
    return anyChanged;
}
