// Operators over mixed kinds, their error messages, and how errors travel through them.
#include "expr_test_support.h"

#include "engine/expr/expr_exception.h"
#include "engine/expr/expr_operators.h"

#include <gtest/gtest.h>

using namespace exprtest;

TEST(ExprOperators, MixedKinds)
{
    expectAll({
        {"1+2.5", F(3.5)},
        {"2.5*2", F(5.0)},
        {"3-0.5", F(2.5)},
        {"2 < 2.5", B(true)},
        {"'abc'+1", S("abc1")},
        {"1+'abc'", S("1abc")},
        {"'x'+1.5", S("x1.5")},
        {"1 + TRUE", S("1True")},
        {"'v' + FALSE", S("vFalse")},
        {"10 = '10'", B(true)},
        {"'10' < 9", B(true)},
        {"TRUE = 'True'", B(true)},
        {"TRUE = TRUE", B(true)},
        {"TRUE <> FALSE", B(true)},
        {"4/2", F(2.0)},
        {"2147483647 + 1", F(2147483648.0)},
        {"0 - 2147483647 - 2", F(-2147483649.0)},
        {"65536 * 65536", F(4294967296.0)},
    });
}

TEST(ExprOperators, EveryOperatorErrorMessage)
{
    expectAll({
        {"TRUE < FALSE", E("Operator < is not compatible with boolean expressions")},
        {"TRUE <= FALSE", E("Operator <= is not compatible with boolean expressions")},
        {"TRUE > FALSE", E("Operator > is not compatible with boolean expressions")},
        {"TRUE >= FALSE", E("Operator >= is not compatible with boolean expressions")},
        {"TRUE + FALSE", E("Cannot add boolean expressions")},
        {"'a' - 'b'", E("Cannot subtract string expressions")},
        {"TRUE - FALSE", E("Cannot subtract boolean expressions")},
        {"'a' * 'b'", E("Cannot multiply string expressions")},
        {"TRUE * TRUE", E("Cannot multiply boolean expressions")},
        {"'a' / 'b'", E("Cannot divide string expressions")},
        {"TRUE / TRUE", E("Cannot divide boolean expressions")},
        {"1/0", E("Cannot divide by 0")},
        {"1.5/0.0", E("Cannot divide by 0")},
        {"1 - 'b'", E("Cannot subtract string expressions")},
        {"1.5 or 2.5", E("Operator OR is not compatible with numeric expressions")},
        {"1.5 and 2", E("Operator AND is not compatible with numeric expressions")},
        {"'a' or 'b'", E("Operator OR is not compatible with string expressions")},
        {"'a' and 'b'", E("Operator AND is not compatible with string expressions")},
    });
}

TEST(ExprOperators, AnErrorOperandIsTheResultLeftFirst)
{
    expectAll({
        {"(1/0) + 'a'", E("Cannot divide by 0")},
        {"'a' + (1/0)", E("Cannot divide by 0")},
        {"(1/0) = (TRUE + TRUE)", E("Cannot divide by 0")},
        {"(TRUE + TRUE) = (1/0)", E("Cannot add boolean expressions")},
        {"UPPER('x' - 1) + 'y'", E("Cannot subtract string expressions")},
    });
}

TEST(ExprOperators, ApplyingOperatorsDirectly)
{
    const TRpEvResult err = E("boom");
    for (int code = 0; code <= 11; ++code) {
        SCOPED_TRACE(code);
        const auto op = TRpEvOperator(code);
        EXPECT_EQ(rpEvApplyOperator(op, err, I(1)), err);
        EXPECT_EQ(rpEvApplyOperator(op, I(1), err), err);
    }
    EXPECT_EQ(rpEvApplyOperator(TRpEvOperator::Minus, I(5), I(7)), I(-2));
    EXPECT_EQ(rpEvApplyOperator(TRpEvOperator::Divide, I(1), I(4)), F(0.25));
}

TEST(ExprResult, TextForms)
{
    struct TextCase
    {
        TRpEvResult result;
        const char* text;
    };
    const TextCase cases[] = {
        {I(14), "14"},        {I(-3), "-3"},          {F(8.0), "8"},
        {F(0.1), "0.1"},      {F(-2.5), "-2.5"},      {F(1e20), "1E20"},
        {F(1.5e-7), "1.5E-7"}, {F(0.00001), "0.00001"}, {F(123456789012345.0), "123456789012345"},
        {F(1.0 / 3), "0.333333333333333"}, {B(true), "True"}, {B(false), "False"},
        {S("text"), "text"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.result.toText(), QString::fromUtf8(c.text));
    }
}

TEST(ExprResult, ErrorToTextRaisesWithTheMessage)
{
    try {
        evaluate("1/0").toText();
        FAIL() << "no exception";
    } catch (const ERpEvaluatorError& error) {
        EXPECT_EQ(error.message(), "Error in expression : Cannot divide by 0");
    }
}
