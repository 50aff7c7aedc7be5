// How expression text is read: precedence, the exchange rules for "-" and "/", factors,
// number constants, names, and the errors of malformed text.
#include "expr_test_support.h"

#include "engine/expr/expr_evaluator.h"
#include "engine/expr/expr_exception.h"

#include <gtest/gtest.h>

#include <QLocale>

using namespace exprtest;

TEST(ExprParser, PrecedenceAndExchangeRules)
{
    expectAll({
        {"2+3*4", I(14)},
        {"10-4+1", I(7)},
        {"12/3*2", F(8.0)},
        {"10-4-1", I(5)},
        {"1-2-3-4", I(-8)},
        {"1-2+3-4+5", I(3)},
        {"2*3+4", I(10)},
        {"2*(3+4)", I(14)},
        {"8-(3-1)", I(6)},
        {"20/2/5", F(2.0)},
        {"100/10*5/2", F(25.0)},
        {"2*3*4", I(24)},
        {" 7 - 2 ", I(5)},
        {"(((4)))", I(4)},
    });
}

TEST(ExprParser, SignsAndNumbers)
{
    expectAll({
        {"-3+5", I(2)},
        {"-(2+3)", I(-5)},
        {"+7", I(7)},
        {"10 - -3", I(13)},
        {"2*-3", I(-6)},
        {"4 = -4", B(false)},
        {"1+2.5", F(3.5)},
        {"7/2", F(3.5)},
        {"1.5E3", F(1500.0)},
        {"1E-3+1", F(1e-3 + 1)},
        {"2.5e+2", F(250.0)},
        {"2147483647", I(2147483647)},
        {"2147483648", F(2147483648.0)},
        {"99999999999999999999", F(1e20)},
        {"12abc", E("Illegal character in numeric contant \"12abc\"")},
        {"1.2.3", E("Illegal character in numeric contant \"1.2.3\"")},
        {"1e", E("Illegal character in numeric contant \"1e\"")},
        {"1E999", E("Illegal character in numeric contant \"1E999\"")},
    });
}

TEST(ExprParser, StringsParenthesesAndBrackets)
{
    expectAll({
        {"'abc'", S("abc")},
        {"'abc'+1", S("abc1")},
        {"'a+b' + 'c-d'", S("a+bc-d")},
        {"'x (' + ')'", S("x ()")},
        {"''", S("")},
        {"", S(" ")},
        {"   ", S(" ")},
        {"'abc", E("Missing '")},
        {"'", E("Missing '")},
        {"(1+2", E("Missing )")},
        {"UPPER('a'", E("Missing )")},
        {"[abc", E("Missing ]")},
        {"#", E("Error in expression : #")},
        {"1+", E("Error in expression : ")},
        {"()", E("Error in expression : ")},
    });
}

TEST(ExprParser, RelationsAndLogic)
{
    expectAll({
        {"1<2", B(true)},
        {"2<=2", B(true)},
        {"3>4", B(false)},
        {"3>=4", B(false)},
        {"3=3", B(true)},
        {"3<>3", B(false)},
        {"1+1 = 2", B(true)},
        {"1=1.0", B(true)},
        {"'a'<'b'", B(true)},
        {"'B'<'a'", B(true)},
        {"'abc'='ABC'", B(false)},
        {"TRUE or FALSE", B(true)},
        {"TRUE OR FALSE and FALSE", B(true)},
        {"(1=1) and (2=3)", B(false)},
        {"6 and 3", I(2)},
        {"6 or 3", I(7)},
        {"not TRUE", B(false)},
        {"NOT (1=2)", B(true)},
        {"not not TRUE", B(true)},
        {"not 1", E("Invalid use of NOT")},
        {"not 'x'", E("Invalid use of NOT")},
    });
}

TEST(ExprParser, UnknownNamesAreReportedWithTheirName)
{
    expectAll({
        {"FOO(1)", E("Unknown function : FOO")},
        {"Foo()", E("Unknown function : Foo")},
        {"FOO", E("Unknown function : FOO")},
        {"[Some Name]", E("Unknown function : Some Name")},
        {"1 + ZZZ", E("Unknown function : ZZZ")},
        // A name starting with "not" reads as NOT unless it is bracketed.
        {"NOTE", E("Unknown function : E")},
        {"[NOTE]", E("Unknown function : NOTE")},
    });
}

TEST(ExprParser, OnlyThePartsTheValueUsesNeedToBeWellFormed)
{
    // Malformed text in a branch IF does not take is never computed; in the branch it
    // takes, or wherever an operator uses it, its error is the value.
    expectAll({
        {"IF(TRUE, 1, 'x)", I(1)},
        {"IF(FALSE, 1 2, 2)", I(2)},
        {"IF(TRUE, 1, FOO)", I(1)},
        {"IF(FALSE, 1 +, 2)", I(2)},
        {"IF(1 = 1, 'ok', (2)", S("ok")},
        {"IF(TRUE, FOO, 2)", E("Unknown function : FOO")},
        {"IF(FALSE, 1, 2 +)", E("Error in expression : ")},
        {"1 + IF(FALSE, 1, FOO)", E("Unknown function : FOO")},
        {"TYPEOF(1 +)", S("ERROR")},
    });
}

TEST(ExprParser, StringsAreCutAt255Characters)
{
    const QString longText(300, QLatin1Char('x'));
    EXPECT_EQ(evaluate("'" + longText + "'"), S(longText.left(255)));
    const QString a(200, QLatin1Char('a'));
    const QString b(200, QLatin1Char('b'));
    const TRpEvResult joined = evaluate("'" + a + "' + '" + b + "'");
    EXPECT_EQ(joined.text().size(), 255);
    EXPECT_EQ(joined, S(a + b.left(55)));
    EXPECT_EQ(evaluate("UPPER('" + longText + "')").text().size(), 255);
}

TEST(ExprParser, DeepNestingGivesAnErrorInsteadOfExhaustingTheStack)
{
    const QString shallow = QString(100, QLatin1Char('(')) + "1" + QString(100, QLatin1Char(')'));
    EXPECT_EQ(evaluate(shallow), I(1));
    const QString deep = QString(5000, QLatin1Char('(')) + "1" + QString(5000, QLatin1Char(')'));
    EXPECT_EQ(evaluate(deep), E("Expression too complex"));

    QStringList terms(300, QStringLiteral("1"));
    EXPECT_EQ(evaluate(terms.join('+')), I(300));
    EXPECT_EQ(evaluate(terms.join('-')), I(1 - 299));
    terms = QStringList(3000, QStringLiteral("1"));
    EXPECT_EQ(evaluate(terms.join('-')), E("Expression too complex"));
}

TEST(ExprParser, HugeTextIsRefusedAsAWholeWithoutReadingItAll)
{
    // A million terms; and far more terms than any report needs, chained by each
    // operator, nested in parentheses or signs, or as one long argument list: each is
    // refused, also where IF would not take that part.
    EXPECT_EQ(evaluate(QStringList(1000000, QStringLiteral("1")).join('+')), E("Expression too complex"));
    const QStringList many(200000, QStringLiteral("1"));
    for (const char* separator : {"+", "-", "*", "/", " or ", " and "}) {
        const QString terms = many.join(QLatin1String(separator));
        EXPECT_EQ(evaluate(terms), E("Expression too complex")) << separator;
        EXPECT_EQ(evaluate("IF(TRUE, 1, " + terms + ")"), E("Expression too complex")) << separator;
    }
    EXPECT_EQ(evaluate("IF(TRUE, 1, MAX(" + many.join(',') + "))"), E("Expression too complex"));
    const QString nested = QString(200000, QLatin1Char('(')) + "1" + QString(200000, QLatin1Char(')'));
    EXPECT_EQ(evaluate(nested), E("Expression too complex"));
    EXPECT_EQ(evaluate(QString(200000, QLatin1Char('-')) + "1"), E("Expression too complex"));
    EXPECT_EQ(evaluate(QStringList(200000, QStringLiteral("not")).join(' ') + " TRUE"), E("Expression too complex"));
    // Long text that is not deep stays an ordinary value.
    const QString longString = "'" + QString(1000000, QLatin1Char('x')) + "'";
    EXPECT_EQ(evaluate(longString), S(QString(255, QLatin1Char('x'))));
}

class ExprCommaLocale : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void TearDown() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
};

TEST_F(ExprCommaLocale, NumberConstantsUseThePointAndTextUsesTheLocale)
{
    expectAll({
        {"1.5+1", F(2.5)},
        {"1.5E3", F(1500.0)},
        {"1,5", E("Illegal character in numeric contant \"1,5\"")},
        {"STR(1.25)", S("1,25")},
        {"1.5 + ''", S("1,5")},
        {"FORMATNUMERIC('#,##0.00', 1234.5)", S("1.234,50")},
    });
    EXPECT_EQ(F(0.5).toText(), "0,5");
}

TEST(ExprEvaluator, ValueOfAnUnpreparedEvaluatorRaises)
{
    TRpEvaluator evaluator;
    try {
        evaluator.value();
        FAIL() << "no exception";
    } catch (const ERpEvaluatorError& error) {
        EXPECT_EQ(error.message(), "Evaluator not prepared");
    }
    evaluator.prepare("1");
    evaluator.unprepare();
    EXPECT_THROW(evaluator.value(), ERpEvaluatorError);
}

TEST(ExprEvaluator, PreparingAgainReplacesTheExpression)
{
    TRpEvaluator evaluator;
    evaluator.prepare("1+1");
    EXPECT_EQ(evaluator.value(), I(2));
    evaluator.prepare("'a'");
    EXPECT_EQ(evaluator.value(), S("a"));
    EXPECT_EQ(evaluator.value(), S("a"));
}
