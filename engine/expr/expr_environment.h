// Environments of named variables: each variable holds an expression text and its own
// evaluator. A report has one (streamed as "DATA"); the program has a global one.
#pragma once

#include "engine/expr/expr_element.h"
#include "engine/expr/expr_evaluator.h"

#include <QDateTime>
#include <QList>
#include <QStringList>
#include <memory>
#include <optional>

class TRpEvEnvironment;

class TRpEvVariable
{
public:
    TRpEvVariable(TRpEvEnvironment* environment, const QString& name, const QString& expression);

    const QString& name() const { return m_name; }
    const QString& expression() const { return m_expression; }

    static constexpr int kMaxVariableNesting = 256;

    // The variable's value; "Recursive calls not allowed" while it is already being computed.
    TRpEvResult value();

private:
    friend class TRpEvEnvironment;
    void setExpression(const QString& expression);
    void prepare();
    void unprepare();

    TRpEvEnvironment* m_environment;
    QString m_name;
    QString m_expression;
    std::optional<TRpEvResult> m_constant;
    TRpEvaluator m_evaluator;
    bool m_computing = false;
};

class TRpEvEnvironment
{
public:
    TRpEvEnvironment();
    ~TRpEvEnvironment();
    TRpEvEnvironment(const TRpEvEnvironment&) = delete;
    TRpEvEnvironment& operator=(const TRpEvEnvironment&) = delete;

    // The program's environment holding "AppStartTime", "AppStartDate" and "AppName".
    static TRpEvEnvironment& global();
    // Adds the variables every new report starts with: PAGENUMBER, COLUMNNUMBER, REPORTTITLE.
    void addNewReportVariables();

    int count() const { return int(m_variables.size()); }
    // Index of a variable by name (any case), or -1.
    int indexOf(const QString& name) const;
    QString name(int index) const;
    QString expression(int index) const;
    std::shared_ptr<TRpEvVariable> find(const QString& name) const;

    // Adds a variable; an existing name keeps its expression and false is returned.
    bool add(const QString& name, const QString& expression);
    // Replaces a variable's expression, adding the variable when it is missing.
    void setExpression(const QString& name, const QString& expression);
    // Gives a variable a fixed value until the value is cleared or the expression set
    // again, adding the variable when it is missing. Report generation keeps page and
    // column numbers and loop counters current this way.
    void setConstant(const QString& name, const TRpEvResult& value);
    void clearConstant(const QString& name);
    void rename(int index, const QString& name);
    void remove(const QString& name);
    void clear();

    // The two lists stored with a report: names (the list's items) and expressions in the
    // same order. Setting names keeps the expressions by position; setting expressions
    // fills the existing variables in order.
    QStringList names() const;
    QStringList expressions() const;
    void setNames(const QStringList& names);
    void setExpressions(const QStringList& expressions);

    // The value of a variable, or "Unknown function : NAME".
    TRpEvResult value(const QString& name) const;

    void setDataSets(const QList<IRpEvDataSet*>& dataSets);
    const QList<IRpEvDataSet*>& dataSets() const { return m_dataSets; }

    // Counted: only the first prepare prepares every variable, only the last unprepare
    // releases them. Variables are also prepared on first use when needed.
    void prepare();
    void unprepare();
    bool isPrepared() const { return m_prepareCount > 0; }

private:
    QList<std::shared_ptr<TRpEvVariable>> m_variables;
    QList<IRpEvDataSet*> m_dataSets;
    int m_prepareCount = 0;
};

// Stands in a prepared expression for a named variable of an environment.
class TRpEvElementWrapper : public TRpEvElement
{
public:
    explicit TRpEvElementWrapper(const std::shared_ptr<TRpEvVariable>& variable);
    TRpEvResult value(TRpEvaluator& evaluator) override;

private:
    std::weak_ptr<TRpEvVariable> m_variable;
    QString m_name;
};
