// Named variables in report and global environments: lookup, recursion, the lists stored
// with a report, counted preparation and values updated in place.
#include "expr_test_support.h"

#include "engine/expr/expr_environment.h"
#include "engine/expr/expr_evaluator.h"

#include <gtest/gtest.h>

#include <QLocale>

using namespace exprtest;

TEST(ExprEnvironment, VariablesAreFoundByNameInAnyCase)
{
    TRpEvEnvironment environment;
    environment.add("total", "1+2");
    environment.add("Twice", "[TOTAL]*2");
    EXPECT_EQ(environment.names(), QStringList({"TOTAL", "TWICE"}));
    const std::pair<const char*, TRpEvResult> cases[] = {
        {"[total] * 2", I(6)}, {"TOTAL", I(3)}, {"Twice + 1", I(7)},
        {"[ twice ]", I(6)},   {"MISSING", E("Unknown function : MISSING")},
    };
    for (const auto& [expression, expected] : cases)
        EXPECT_EQ(evaluate(expression, {}, &environment), expected) << expression;
}

TEST(ExprEnvironment, AddingAnExistingNameKeepsItsExpression)
{
    TRpEvEnvironment environment;
    EXPECT_TRUE(environment.add("A", "1"));
    EXPECT_FALSE(environment.add("a", "2"));
    EXPECT_EQ(environment.expressions(), QStringList({"1"}));
    environment.setExpression("a", "3");
    EXPECT_EQ(environment.value("A"), I(3));
}

TEST(ExprEnvironment, RecursiveVariablesGiveAnError)
{
    TRpEvEnvironment environment;
    environment.add("SELF", "[SELF]+1");
    environment.add("PING", "PONG + 1");
    environment.add("PONG", "PING + 1");
    environment.add("USESPING", "'x' + PING");
    for (const char* name : {"SELF", "PING", "PONG", "USESPING"})
        EXPECT_EQ(environment.value(name), E("Recursive calls not allowed")) << name;
    // The failed attempt leaves the variable usable.
    environment.setExpression("SELF", "5");
    EXPECT_EQ(environment.value("SELF"), I(5));
}

TEST(ExprEnvironment, TheGlobalEnvironmentIsSearchedAfterTheOwnOne)
{
    TRpEvEnvironment& global = TRpEvEnvironment::global();
    EXPECT_GE(global.indexOf("APPSTARTTIME"), 0);
    EXPECT_GE(global.indexOf("appstartdate"), 0);
    EXPECT_EQ(evaluate("AppName"), S("Velmor"));
    const TRpEvResult startDate = evaluate("APPSTARTDATE");
    EXPECT_TRUE(QLocale().toDate(startDate.text(), QLocale::ShortFormat).isValid()) << startDate.text().toStdString();
    EXPECT_EQ(global.expression(global.indexOf("AppName")), "'Velmor'");

    TRpEvEnvironment own;
    own.add("APPNAME", "'mine'");
    EXPECT_EQ(evaluate("APPNAME", {}, &own), S("mine"));
}

TEST(ExprEnvironment, NewReportVariablesAndValuesUpdatedInPlace)
{
    TRpEvEnvironment environment;
    environment.addNewReportVariables();
    EXPECT_EQ(environment.names(), QStringList({"PAGENUMBER", "COLUMNNUMBER", "REPORTTITLE"}));
    EXPECT_EQ(environment.expressions(), QStringList({"0", "0", "''"}));

    TRpEvaluator evaluator;
    evaluator.setEnvironment(&environment);
    evaluator.prepare("REPORTTITLE + ' page ' + STR(PAGENUMBER + 1)");
    EXPECT_EQ(evaluator.value(), S(" page 1"));
    environment.setConstant("PAGENUMBER", I(4));
    environment.setExpression("REPORTTITLE", "'Sales'");
    EXPECT_EQ(evaluator.value(), S("Sales page 5"));
    environment.clearConstant("PAGENUMBER");
    EXPECT_EQ(evaluator.value(), S("Sales page 1"));
}

TEST(ExprEnvironment, StoredListsOfNamesAndExpressions)
{
    TRpEvEnvironment environment;
    environment.setNames({"rate", "NET", "Gross"});
    environment.setExpressions({"0.5", "10", "NET * (1 + RATE)", "ignored"});
    EXPECT_EQ(environment.names(), QStringList({"RATE", "NET", "GROSS"}));
    EXPECT_EQ(environment.expressions(), QStringList({"0.5", "10", "NET * (1 + RATE)"}));
    EXPECT_EQ(environment.value("GROSS"), F(15.0));

    // Fewer names drop the trailing variables; the others keep their expressions.
    environment.setNames({"R", "N"});
    EXPECT_EQ(environment.expressions(), QStringList({"0.5", "10"}));
    EXPECT_EQ(environment.value("N"), I(10));
    // Fewer expressions than names fill only the first ones.
    environment.setNames({"R", "N", "EXTRA"});
    environment.setExpressions({"1"});
    EXPECT_EQ(environment.expressions(), QStringList({"1", "10", ""}));
    EXPECT_EQ(environment.value("EXTRA"), S(" "));
}

TEST(ExprEnvironment, PrepareIsCounted)
{
    TRpEvEnvironment environment;
    environment.add("A", "1");
    environment.prepare();
    environment.prepare();
    environment.unprepare();
    EXPECT_TRUE(environment.isPrepared());
    environment.unprepare();
    EXPECT_FALSE(environment.isPrepared());
    environment.unprepare(); // one too many is harmless
    environment.prepare();
    EXPECT_TRUE(environment.isPrepared());
    EXPECT_EQ(environment.value("A"), I(1));
}

TEST(ExprEnvironment, VariablesSeeTheEnvironmentsDatasets)
{
    MemoryDataSet orders("Orders");
    orders.addField("AMOUNT", TRpEvFieldType::Integer);
    orders.addRow({7});
    orders.addRow({9});
    TRpEvEnvironment environment;
    environment.setDataSets({&orders});
    environment.add("DOUBLED", "AMOUNT * 2");
    environment.prepare();
    TRpEvaluator evaluator;
    evaluator.setEnvironment(&environment);
    evaluator.prepare("DOUBLED + 1");
    EXPECT_EQ(evaluator.value(), I(15));
    orders.setRecord(1);
    EXPECT_EQ(evaluator.value(), I(19));
    environment.unprepare();
}

TEST(ExprEnvironment, RemovedVariablesAndEnvironmentsLeaveAnErrorNotADanglingReference)
{
    TRpEvaluator evaluator;
    {
        TRpEvEnvironment environment;
        environment.add("GONE", "1");
        environment.add("STAYS", "2");
        evaluator.setEnvironment(&environment);
        evaluator.prepare("GONE + 0");
        environment.remove("GONE");
        EXPECT_EQ(evaluator.value(), E("Unknown function : GONE"));
        evaluator.prepare("STAYS");
    }
    EXPECT_EQ(evaluator.value(), E("Unknown function : STAYS"));
}

TEST(ExprEnvironment, LongChainsOfVariablesGiveAnErrorInsteadOfExhaustingTheStack)
{
    const auto chain = [](int length) {
        auto environment = std::make_unique<TRpEvEnvironment>();
        for (int i = 0; i < length; ++i)
            environment->add(QStringLiteral("V%1").arg(i), QStringLiteral("V%1 + 1").arg(i + 1));
        environment->add(QStringLiteral("V%1").arg(length), "0");
        return environment;
    };
    EXPECT_EQ(chain(100)->value("V0"), I(100));
    EXPECT_EQ(chain(20000)->value("V0"), E("Expression too complex"));
}
