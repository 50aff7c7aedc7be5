// Field references: D.X, bare names searched over every dataset, field types, and datasets
// that recreate their fields.
#include "expr_test_support.h"

#include "engine/expr/expr_environment.h"
#include "engine/expr/expr_evaluator.h"

#include <gtest/gtest.h>

#include <QDate>

using namespace exprtest;

namespace {

class ExprFields : public ::testing::Test
{
protected:
    ExprFields()
    {
        m_orders.addField("AMOUNT", TRpEvFieldType::Integer);
        m_orders.addField("PRICE", TRpEvFieldType::Float);
        m_orders.addField("NAME", TRpEvFieldType::String);
        m_orders.addRow({3, 2.5, "Bolt"});
        m_orders.addRow({4, 1.25, "Nut"});
        m_customers.addField("NAME", TRpEvFieldType::String);
        m_customers.addField("CITY", TRpEvFieldType::String);
        m_customers.addRow({"Ann", "Oslo"});
    }

    TRpEvResult eval(const QString& expression, TRpEvEnvironment* environment = nullptr)
    {
        return evaluate(expression, {&m_orders, &m_customers}, environment);
    }

    MemoryDataSet m_orders{"Orders"};
    MemoryDataSet m_customers{"Customers"};
};

} // namespace

TEST_F(ExprFields, ReferencesByDatasetAndByName)
{
    const std::pair<const char*, TRpEvResult> cases[] = {
        {"Orders.AMOUNT * 2 + Orders.PRICE", F(8.5)},
        {"orders.amount", I(3)},
        {"[Orders.NAME]", S("Bolt")},
        {"NAME", S("Bolt")}, // the first dataset holding the field wins
        {"Customers.NAME", S("Ann")},
        {"UPPER(CITY)", S("OSLO")},
        {"Orders.CITY", E("Unknown function : Orders.CITY")},
        {"Nobody.NAME", E("Unknown function : Nobody.NAME")},
    };
    for (const auto& [expression, expected] : cases)
        EXPECT_EQ(eval(expression), expected) << expression;
}

TEST_F(ExprFields, FieldsComeBeforeVariablesOfTheSameName)
{
    TRpEvEnvironment environment;
    environment.add("AMOUNT", "100");
    environment.add("BONUS", "AMOUNT + 1");
    EXPECT_EQ(eval("AMOUNT", &environment), I(3));
    EXPECT_EQ(evaluate("AMOUNT", {}, &environment), I(100));
}

TEST_F(ExprFields, ValuesFollowTheCurrentRecord)
{
    TRpEvaluator evaluator;
    evaluator.setDataSets({&m_orders});
    evaluator.prepare("NAME + ':' + STR(AMOUNT * PRICE)");
    EXPECT_EQ(evaluator.value(), S("Bolt:7.5"));
    m_orders.setRecord(1);
    EXPECT_EQ(evaluator.value(), S("Nut:5"));
}

TEST(ExprFieldTypes, EachTypeGivesItsKind)
{
    MemoryDataSet data("D");
    const std::pair<TRpEvFieldType, QVariant> columns[] = {
        {TRpEvFieldType::String, "text"},
        {TRpEvFieldType::Integer, 70000},
        {TRpEvFieldType::SmallInt, -5},
        {TRpEvFieldType::Word, 65535},
        {TRpEvFieldType::Float, 0.5},
        {TRpEvFieldType::Currency, 12.25},
        {TRpEvFieldType::BCD, 3.75},
        {TRpEvFieldType::Boolean, true},
        {TRpEvFieldType::Date, QDate(2024, 2, 29)},
        {TRpEvFieldType::DateTime, QDate(2024, 3, 1)},
        {TRpEvFieldType::Other, QByteArray("blob")},
        {TRpEvFieldType::Integer, QVariant()},
        {TRpEvFieldType::String, QVariant()},
    };
    const TRpEvResult expected[] = {
        S("text"), I(70000), I(-5), I(65535), F(0.5), F(12.25), F(3.75), B(true),
        S("29.02.2024"), S("01.03.2024"), E("Field F10 is of unknown type"), I(0), S(""),
    };
    QVariantList row;
    for (int i = 0; i < int(std::size(columns)); ++i) {
        data.addField(QStringLiteral("F%1").arg(i), columns[i].first);
        row.append(columns[i].second);
    }
    data.addRow(row);
    for (int i = 0; i < int(std::size(columns)); ++i)
        EXPECT_EQ(evaluate(QStringLiteral("D.F%1").arg(i), {&data}), expected[i]) << i;
}

TEST(ExprFieldTypes, DefaultFieldsAreFetchedAgainByIndex)
{
    MemoryDataSet data("D", true);
    data.addField("A", TRpEvFieldType::Integer);
    data.addField("B", TRpEvFieldType::Integer);
    data.addRow({1, 2});
    TRpEvaluator evaluator;
    evaluator.setDataSets({&data});
    evaluator.prepare("B * 10");
    data.recreateFields(); // the field objects seen while preparing are gone
    EXPECT_EQ(evaluator.value(), I(20));
}
