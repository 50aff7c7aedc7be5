// Shared pieces of the evaluator tests: an in-memory dataset, result shorthands and
// a one-call evaluation helper.
#pragma once

#include "engine/expr/expr_dataset.h"
#include "engine/expr/expr_result.h"

#include <QList>
#include <QVariantList>
#include <memory>
#include <ostream>
#include <vector>

class TRpEvEnvironment;

// gtest prints results in failure messages through this.
void PrintTo(const TRpEvResult& result, std::ostream* out);

namespace exprtest {

inline TRpEvResult I(qint32 v) { return TRpEvResult::integer(v); }
inline TRpEvResult F(double v) { return TRpEvResult::fromFloat(v); }
inline TRpEvResult S(const QString& v) { return TRpEvResult::string(v); }
inline TRpEvResult B(bool v) { return TRpEvResult::boolean(v); }
inline TRpEvResult E(const QString& v) { return TRpEvResult::error(v); }

// One expression and the value it must give.
struct ValueCase
{
    const char* expression;
    TRpEvResult expected;
};

// Evaluates every case on its own and compares, naming the expression on failure.
void expectAll(const std::vector<ValueCase>& cases);

class MemoryDataSet;

class MemoryField : public IRpEvField
{
public:
    MemoryField(const MemoryDataSet* dataSet, QString name, TRpEvFieldType type, int column)
        : m_dataSet(dataSet), m_name(std::move(name)), m_type(type), m_column(column) {}
    QString fieldName() const override { return m_name; }
    TRpEvFieldType dataType() const override { return m_type; }
    QVariant value() const override;
    QString displayText() const override;

private:
    const MemoryDataSet* m_dataSet;
    QString m_name;
    TRpEvFieldType m_type;
    int m_column;
};

// A dataset of rows held in memory; the current record is chosen with setRecord.
class MemoryDataSet : public IRpEvDataSet
{
public:
    explicit MemoryDataSet(QString name, bool defaultFields = false)
        : m_name(std::move(name)), m_defaultFields(defaultFields) {}

    void addField(const QString& name, TRpEvFieldType type);
    void addRow(const QVariantList& row) { m_rows.append(row); }
    void setRecord(int row) { m_current = row; }
    int recordCount() const { return int(m_rows.size()); }
    // Creates every field object anew, as a dataset with default fields does on reopening.
    void recreateFields();
    QVariant cell(int column) const { return m_rows.value(m_current).value(column); }

    QString name() const override { return m_name; }
    int fieldIndex(const QString& fieldName) const override;
    IRpEvField* field(int index) const override;
    bool usesDefaultFields() const override { return m_defaultFields; }

private:
    QString m_name;
    bool m_defaultFields;
    std::vector<std::unique_ptr<MemoryField>> m_fields;
    QList<QVariantList> m_rows;
    int m_current = 0;
};

// Prepares and evaluates one expression.
TRpEvResult evaluate(const QString& expression, const QList<IRpEvDataSet*>& dataSets = {},
                     TRpEvEnvironment* environment = nullptr);

} // namespace exprtest
