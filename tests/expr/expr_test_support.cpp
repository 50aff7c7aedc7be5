#include "expr_test_support.h"

#include "engine/expr/expr_evaluator.h"

#include <gtest/gtest.h>

#include <QDate>

void PrintTo(const TRpEvResult& result, std::ostream* out)
{
    static const char* const kinds[] = {"integer", "float", "string", "boolean", "error"};
    *out << kinds[int(result.kind())] << "(";
    if (result.kind() == TRpEvKind::Float)
        *out << result.floatValue();
    else
        *out << '"' << result.displayText().toStdString() << '"';
    *out << ")";
}

namespace exprtest {

QVariant MemoryField::value() const
{
    return m_dataSet->cell(m_column);
}

QString MemoryField::displayText() const
{
    const QVariant v = value();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    return v.toString();
}

void MemoryDataSet::addField(const QString& name, TRpEvFieldType type)
{
    m_fields.push_back(std::make_unique<MemoryField>(this, name, type, int(m_fields.size())));
}

void MemoryDataSet::recreateFields()
{
    std::vector<std::unique_ptr<MemoryField>> fresh;
    for (const auto& old : m_fields)
        fresh.push_back(std::make_unique<MemoryField>(this, old->fieldName(), old->dataType(), int(fresh.size())));
    m_fields = std::move(fresh);
}

int MemoryDataSet::fieldIndex(const QString& fieldName) const
{
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i]->fieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

IRpEvField* MemoryDataSet::field(int index) const
{
    return index >= 0 && index < int(m_fields.size()) ? m_fields[index].get() : nullptr;
}

TRpEvResult evaluate(const QString& expression, const QList<IRpEvDataSet*>& dataSets,
                     TRpEvEnvironment* environment)
{
    TRpEvaluator evaluator;
    evaluator.setDataSets(dataSets);
    evaluator.setEnvironment(environment);
    evaluator.prepare(expression);
    return evaluator.value();
}

} // namespace exprtest

namespace exprtest {

void expectAll(const std::vector<ValueCase>& cases)
{
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.expression);
        EXPECT_EQ(evaluate(QString::fromUtf8(c.expression)), c.expected);
    }
}

} // namespace exprtest
