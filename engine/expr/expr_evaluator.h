// The evaluator: prepares an expression once into its prefix list of elements, then
// computes its value as often as needed against the current records of its datasets.
#pragma once

#include "engine/expr/expr_element.h"
#include "engine/expr/expr_result.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class IRpEvDataSet;
class TRpEvEnvironment;
class TRpEvFunctionLibrary;

class TRpEvaluator
{
public:
    // Functions come from the program's library unless another one is given.
    explicit TRpEvaluator(const TRpEvFunctionLibrary* library = nullptr);
    ~TRpEvaluator();
    TRpEvaluator(const TRpEvaluator&) = delete;
    TRpEvaluator& operator=(const TRpEvaluator&) = delete;

    // Datasets searched for fields and the environment for named variables; both are read
    // while preparing, so set them first. The evaluator does not own them.
    void setDataSets(const QList<IRpEvDataSet*>& dataSets) { m_dataSets = dataSets; }
    const QList<IRpEvDataSet*>& dataSets() const { return m_dataSets; }
    void setEnvironment(TRpEvEnvironment* environment) { m_environment = environment; }
    TRpEvEnvironment* environment() const { return m_environment; }

    // Parses the expression (an empty one is read as "' '"); preparing again first unprepares.
    void prepare(const QString& expression);
    void unprepare();
    bool isPrepared() const { return m_prepared; }
    const QString& expression() const { return m_expression; }

    // Raises ERpEvaluatorError when not prepared. An error in the text matters only where
    // the value uses that part of it; text refused as too complex gives that error.
    TRpEvResult value();
    // Lets aggregate functions start over.
    void reset();
    // Computes the value while aggregate functions take in their current arguments.
    TRpEvResult aggregateStep();
    bool isAggregate() const;

    // Used by elements while computing: the value of the next element in the list.
    TRpEvResult nextValue()
    {
        if (m_position >= m_elements.size())
            return endOfListError();
        return m_elements[m_position++]->value(*this);
    }
    bool atArgumentEnd() const
    {
        return m_position >= m_elements.size() || m_elements[m_position]->isArgumentEnd();
    }
    void skipArgumentEnd()
    {
        if (m_position < m_elements.size())
            ++m_position;
    }
    bool isAggregating() const { return m_aggregating; }

private:
    TRpEvResult endOfListError() const;

    const TRpEvFunctionLibrary* m_library;
    QList<IRpEvDataSet*> m_dataSets;
    TRpEvEnvironment* m_environment = nullptr;
    std::vector<std::unique_ptr<TRpEvElement>> m_elements;
    std::optional<TRpEvResult> m_refusal;
    QString m_expression;
    std::size_t m_position = 0;
    bool m_aggregating = false;
    bool m_prepared = false;
};
