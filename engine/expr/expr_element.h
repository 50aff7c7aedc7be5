// The elements of a prepared expression. They are kept in prefix order; an element's
// value may consume the values of the elements that follow it.
#pragma once

#include "engine/expr/expr_operators.h"
#include "engine/expr/expr_result.h"

class IRpEvDataSet;
class IRpEvField;
class TRpEvaluator;

class TRpEvElement
{
public:
    virtual ~TRpEvElement() = default;
    virtual TRpEvResult value(TRpEvaluator& evaluator) = 0;
    // Starts accumulating over (aggregate functions).
    virtual void reset() {}
    virtual bool isAggregate() const { return false; }
    virtual bool isArgumentEnd() const { return false; }
};

class TRpEvElementOperator : public TRpEvElement
{
public:
    explicit TRpEvElementOperator(TRpEvOperator op) : m_operator(op) {}
    TRpEvOperator code() const { return m_operator; }
    TRpEvResult value(TRpEvaluator& evaluator) override;

private:
    TRpEvOperator m_operator;
};

// A number constant.
class TRpEvElementConstant : public TRpEvElement
{
public:
    explicit TRpEvElementConstant(TRpEvResult constant) : m_constant(std::move(constant)) {}
    TRpEvResult value(TRpEvaluator&) override { return m_constant; }

private:
    TRpEvResult m_constant;
};

class TRpEvElementString : public TRpEvElement
{
public:
    explicit TRpEvElementString(const QString& text) : m_string(TRpEvResult::string(text)) {}
    TRpEvResult value(TRpEvaluator&) override { return m_string; }

private:
    TRpEvResult m_string;
};

class TRpEvElementError : public TRpEvElement
{
public:
    explicit TRpEvElementError(const QString& message) : m_error(TRpEvResult::error(message)) {}
    const TRpEvResult& error() const { return m_error; }
    TRpEvResult value(TRpEvaluator&) override { return m_error; }

private:
    TRpEvResult m_error;
};

// Ends the argument list of the function element before it.
class TRpEvElementArgumentEnd : public TRpEvElement
{
public:
    TRpEvResult value(TRpEvaluator&) override { return {}; }
    bool isArgumentEnd() const override { return true; }
};

// NOT of the boolean that follows.
class TRpEvElementNot : public TRpEvElement
{
public:
    TRpEvResult value(TRpEvaluator& evaluator) override;
};

// A dataset field's value in the current record.
class TRpEvElementDataField : public TRpEvElement
{
public:
    TRpEvElementDataField(IRpEvDataSet* dataSet, int fieldIndex, IRpEvField* field);
    TRpEvResult value(TRpEvaluator& evaluator) override;

private:
    IRpEvDataSet* m_dataSet;
    int m_fieldIndex;
    IRpEvField* m_field;
    QString m_fieldName;
};

// The result for a field's current value.
TRpEvResult rpEvFieldResult(const IRpEvField& field);
