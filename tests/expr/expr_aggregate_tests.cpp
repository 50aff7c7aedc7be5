// Aggregate functions across the records of a dataset: SUM, COUNT, MAX, MIN, AVERAGE and
// VELSUM, with resets between groups.
#include "expr_test_support.h"

#include "engine/expr/expr_evaluator.h"

#include <gtest/gtest.h>

using namespace exprtest;

namespace {

// One dataset "Orders" whose rows are given per test.
class ExprAggregates : public ::testing::Test
{
protected:
    ExprAggregates()
    {
        m_orders.addField("GRP", TRpEvFieldType::String);
        m_orders.addField("AMOUNT", TRpEvFieldType::Integer);
        m_orders.addField("PRICE", TRpEvFieldType::Float);
        m_orders.addField("PAID", TRpEvFieldType::Boolean);
        m_orders.addField("NAME", TRpEvFieldType::String);
    }

    void addRows(const QList<QVariantList>& rows)
    {
        for (const QVariantList& row : rows)
            m_orders.addRow(row);
    }

    // Prepares the expression and takes one aggregation step per record.
    TRpEvResult aggregateOverAll(const QString& expression)
    {
        prepare(expression);
        for (int row = 0; row < m_orders.recordCount(); ++row) {
            m_orders.setRecord(row);
            m_evaluator.aggregateStep();
        }
        return m_evaluator.value();
    }

    void prepare(const QString& expression)
    {
        m_evaluator.setDataSets({&m_orders});
        m_evaluator.prepare(expression);
    }

    MemoryDataSet m_orders{"Orders"};
    TRpEvaluator m_evaluator;
};

struct Case
{
    const char* expression;
    TRpEvResult expected;
};

} // namespace

TEST_F(ExprAggregates, OverSeveralRecords)
{
    addRows({{"A", 3, 1.5, true, "pear"}, {"A", 7, 2.5, false, "apple"}, {"B", 5, 0.25, true, "zucchini"}});
    const Case cases[] = {
        {"SUM(AMOUNT)", I(15)},
        {"SUM(PRICE)", F(4.25)},
        {"SUM(AMOUNT) + 1", I(16)},
        {"SUM(PAID)", I(0)},
        {"SUM(NAME)", E("Cannot add string expressions")},
        {"SUM(AMOUNT, 1)", E("Wrong arguments for SUM")},
        {"COUNT", I(3)},
        {"COUNT(1)", E("COUNT - Too many arguments")},
        {"MAX(AMOUNT)", I(7)},
        {"MIN(AMOUNT)", I(3)},
        {"MAX(PRICE)", F(2.5)},
        {"MAX(NAME)", S("zucchini")},
        {"MIN(NAME)", S("apple")},
        {"MAX(PAID)", B(true)},
        {"MIN(PAID)", B(false)},
        {"AVERAGE(AMOUNT)", F(5.0)},
        {"AVERAGE(PRICE)", F(4.25 / 3)},
        {"AVERAGE(NAME)", E("Cannot add string expressions")},
        {"IF(COUNT > 2, 'many', 'few')", S("many")},
        {"SUM(COUNT)", I(6)},
        {"VELSUM(AMOUNT)", I(15)},
        {"VELSUM(PRICE)", F(4.25)},
        {"VELSUM(NAME)", E("Cannot add string expressions")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expression);
        EXPECT_EQ(aggregateOverAll(QString::fromUtf8(c.expression)), c.expected);
    }
}

TEST_F(ExprAggregates, BeforeAnyRecord)
{
    const Case cases[] = {
        {"SUM(AMOUNT)", I(0)}, {"COUNT", I(0)},         {"MAX(AMOUNT)", I(0)},
        {"MIN(NAME)", I(0)},   {"AVERAGE(AMOUNT)", F(0)}, {"VELSUM(AMOUNT)", S("")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expression);
        EXPECT_EQ(aggregateOverAll(QString::fromUtf8(c.expression)), c.expected);
    }
}

TEST_F(ExprAggregates, TheFirstValueFixesTheKindOfSumAndExtremes)
{
    prepare("SUM(IF(COUNT = 1, 1.5, 2))");
    m_evaluator.aggregateStep();
    m_evaluator.aggregateStep();
    EXPECT_EQ(m_evaluator.value(), F(1.5)); // the integer 2 of the second step is ignored

    prepare("MAX(IF(COUNT = 1, 1, 9.5))");
    m_evaluator.aggregateStep();
    m_evaluator.aggregateStep();
    EXPECT_EQ(m_evaluator.value(), I(1));

    // VELSUM adds both numeric kinds but shows the total of the first kind.
    prepare("VELSUM(IF(COUNT = 1, 1, 2.5))");
    m_evaluator.aggregateStep();
    m_evaluator.aggregateStep();
    EXPECT_EQ(m_evaluator.value(), I(1));
}

TEST_F(ExprAggregates, MinOverTrueFalseTrueIsFalse)
{
    addRows({{"A", 1, 1.0, true, ""}, {"A", 1, 1.0, false, ""}, {"A", 1, 1.0, true, ""}});
    EXPECT_EQ(aggregateOverAll("MIN(PAID)"), B(false));
}

TEST(ExprVelSum, OverNoneOneTwoAndThreeRecords)
{
    const QList<QVariantList> rows = {{"A", 1, 0.0, true, ""}, {"A", 2, 0.0, true, ""}, {"A", 3, 0.0, true, ""}};
    const TRpEvResult expected[] = {S(""), I(1), I(3), I(6)};
    for (int records = 0; records <= 3; ++records) {
        SCOPED_TRACE(records);
        MemoryDataSet orders("Orders");
        orders.addField("AMOUNT", TRpEvFieldType::Integer);
        for (int row = 0; row < records; ++row)
            orders.addRow({rows[row][1]});
        TRpEvaluator evaluator;
        evaluator.setDataSets({&orders});
        evaluator.prepare("VELSUM(AMOUNT)");
        for (int row = 0; row < records; ++row) {
            orders.setRecord(row);
            evaluator.aggregateStep();
        }
        EXPECT_EQ(evaluator.value(), expected[records]);
    }
}

TEST_F(ExprAggregates, VelSumWithWrongArgumentsStaysEmptyUntilAValueArrives)
{
    prepare("VELSUM(1, 2)");
    m_evaluator.aggregateStep();
    EXPECT_EQ(m_evaluator.value(), S(""));
    prepare("VELSUM(IF(COUNT = 1, TRUE, 5))");
    m_evaluator.aggregateStep();
    EXPECT_EQ(m_evaluator.value(), E("Cannot add boolean expressions"));
}

TEST_F(ExprAggregates, ValueOutsideAStepDoesNotAccumulate)
{
    addRows({{"A", 4, 0.0, true, ""}});
    prepare("COUNT + SUM(AMOUNT)");
    m_evaluator.value();
    m_evaluator.value();
    EXPECT_EQ(m_evaluator.value(), I(0));
    m_evaluator.aggregateStep();
    EXPECT_EQ(m_evaluator.value(), I(5));
    EXPECT_FALSE(m_evaluator.isAggregating());
}

TEST_F(ExprAggregates, ResetRestartsEveryGroup)
{
    const QStringList groups = {"A", "A", "B", "B", "B", "C"};
    const QList<bool> paid = {true, true, false, true, false, true};
    for (int row = 0; row < groups.size(); ++row)
        m_orders.addRow({groups[row], row + 1, 0.0, paid[row], ""});
    struct GroupTotals
    {
        const char* expression;
        std::vector<TRpEvResult> perGroup;
    };
    const GroupTotals cases[] = {
        {"COUNT", {I(2), I(3), I(1)}},
        {"SUM(AMOUNT)", {I(3), I(12), I(6)}},
        {"MIN(PAID)", {B(true), B(false), B(true)}},
        {"VELSUM(AMOUNT)", {I(3), I(12), I(6)}},
    };
    for (const GroupTotals& c : cases) {
        SCOPED_TRACE(c.expression);
        prepare(QString::fromUtf8(c.expression));
        std::vector<TRpEvResult> footers;
        for (int row = 0; row < groups.size(); ++row) {
            m_orders.setRecord(row);
            m_evaluator.aggregateStep();
            if (row + 1 == groups.size() || groups[row + 1] != groups[row]) {
                footers.push_back(m_evaluator.value());
                m_evaluator.reset();
            }
        }
        EXPECT_EQ(footers, c.perGroup);
    }
}

TEST(ExprAggregate, IsAggregateWhenAnyElementIs)
{
    const std::pair<const char*, bool> cases[] = {
        {"1+1", false}, {"SUM(1)+1", true}, {"IF(TRUE, 1, COUNT)", true},
        {"VELSUM(2)", true}, {"VELSET(1, 'a|b')", false}, {"UPPER('x')", false},
    };
    for (const auto& [expression, aggregate] : cases) {
        TRpEvaluator evaluator;
        evaluator.prepare(expression);
        EXPECT_EQ(evaluator.isAggregate(), aggregate) << expression;
    }
}
