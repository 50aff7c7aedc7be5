// Every plain function of the library with right and wrong arguments, and the registry.
#include "expr_test_support.h"

#include "engine/expr/expr_evaluator.h"
#include "engine/expr/expr_function_library.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QLocale>
#include <QTime>

using namespace exprtest;

TEST(ExprFunctions, LogicalAndConversion)
{
    expectAll({
        {"IF(1<2, 'a', 'b')", S("a")},
        {"IF(1>2, 'a', 'b')", S("b")},
        {"IF(TRUE, 1, 'b') + 1", I(2)},
        {"IF(1, 'a', 'b')", E("Wrong arguments for IF")},
        {"IF(TRUE, 'a')", E("Wrong arguments for IF")},
        {"IF(TRUE, 1, 2, 3)", E("Wrong arguments for IF")},
        {"TRUE", B(true)},
        {"FALSE", B(false)},
        {"true()", B(true)},
        {"TRUE(1)", E("Too many arguments")},
        {"FALSE(1)", E("Too many arguments")},
        {"STR(12)", S("12")},
        {"STR(1.5)", S("1.5")},
        {"STR(TRUE)", S("True")},
        {"STR('a')", E("Conversion error")},
        {"STR(1, 2)", E("Conversion error")},
        {"STR", E("Conversion error")},
        {"TYPEOF(1)", S("INTEGER")},
        {"TYPEOF(1.5)", S("FLOAT")},
        {"TYPEOF('a')", S("STRING")},
        {"TYPEOF(TRUE)", S("BOOLEAN")},
        {"TYPEOF(1/0)", S("ERROR")},
        {"TYPEOF(1, 2)", E("Wrong arguments for TypeOf")},
        {"TYPEOF", E("Wrong arguments for TypeOf")},
    });
}

TEST(ExprFunctions, Strings)
{
    expectAll({
        {"UPPER('abc')", S("ABC")},
        {"upper('äbc')", S("ÄBC")},
        {"UPPER(12)", E("12")},
        {"UPPER()", E("Missing argument for UPPER")},
        {"UPPER", E("Missing argument for UPPER")},
        {"UPPER('a', 'b')", E("Too many arguments")},
        {"LOWER('AbC')", S("abc")},
        {"LOWER(TRUE)", E("True")},
        {"LOWER", E("Missing argument for LOWER")},
        {"PRETTY('hELLO wORLD')", S("Hello world")},
        {"PRETTY('')", S("")},
        {"PRETTY(1.5)", E("1.5")},
        {"PRETTY", E("Missing argument for PRETTY")},
        {"COPY('abcdef', 2, 3)", S("bcd")},
        {"COPY('abc', 0, 2)", S("ab")},
        {"COPY('abc', 2, 10)", S("bc")},
        {"COPY('abc', 5, 1)", S("")},
        {"COPY('abc', 1, 0)", S("")},
        {"COPY(1, 1, 1)", E("Wrong arguments for COPY")},
        {"COPY('abc', 1.5, 1)", E("Wrong arguments for COPY")},
        {"COPY('abc', 1)", E("Wrong arguments for COPY")},
    });
}

TEST(ExprFunctions, CopyKeepsSurrogatePairsWhole)
{
    const QString text = QStringLiteral("a") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("b");
    EXPECT_EQ(evaluate("COPY('" + text + "', 2, 1)"), S(text.mid(1, 2)));
    EXPECT_EQ(evaluate("COPY('" + text + "', 3, 2)"), S(text.mid(1, 3)));
}

TEST(ExprFunctions, Mathematics)
{
    expectAll({
        {"INT(3.7)", I(3)},
        {"INT(-3.7)", I(-3)},
        {"INT(5)", I(5)},
        {"INT(1E20)", F(1e20)},
        {"INT('a')", E("Wrong arguments for INT")},
        {"FRAC(3.25)", F(0.25)},
        {"FRAC(3)", F(0.0)},
        {"FRAC('a')", E("Wrong arguments for FRAC")},
        {"SQRT(16)", F(4.0)},
        {"SQRT(2.25)", F(1.5)},
        {"SQRT(-1)", E("Invalid argument to SQRT function")},
        {"SQRT('a')", E("Invalid argument to SQRT function")},
        {"SQRT()", E("Invalid argument to SQRT function")},
        {"DIV(7, 2)", I(3)},
        {"DIV(-7, 2)", I(-3)},
        {"DIV(7.6, 2)", I(4)},
        {"DIV(7, 0)", E("Division by Zero")},
        {"DIV(7, 0.4)", E("Division by Zero")},
        {"DIV(-2147483647-1, -1)", F(2147483648.0)},
        {"DIV('a', 1)", E("Wrong arguments for DIV")},
        {"DIV(1)", E("Wrong arguments for DIV")},
    });
}

// The mask language has its own table of cases (tests/core); these check what the function
// adds: its arguments, integer and float values, and its error for what has no text.
TEST(ExprFunctions, FormatNumeric)
{
    expectAll({
        {"FORMATNUMERIC('#,##0.00', 1234567.891)", S("1,234,567.89")},
        {"FORMATNUMERIC('000', 7)", S("007")},
        {"FORMATNUMERIC('', 2.5)", S("2.5")},
        {"FORMATNUMERIC('0', 1E308*10)", E("Invalid format or value specified")},
        {"FORMATNUMERIC(1, 2)", E("Invalid format or value specified")},
        {"FORMATNUMERIC('0', 'a')", E("Invalid format or value specified")},
        {"FORMATNUMERIC('0')", E("Invalid format or value specified")},
    });
}

TEST(ExprFunctions, VelSet)
{
    expectAll({
        {"VELSET(1, 'A|B|C')", S("B")},
        {"VELSET(3, 'A|B|C')", S("")},
        {"VELSET(TRUE, 'No|Yes')", S("Yes")},
        {"VELSET(FALSE, 'No|Yes')", S("No")},
        {"VELSET(0, 'A|B|C|')", S("A")},
        {"VELSET(0-1, 'A|B')", S("")},
        {"VELSET(1.5, 'A|B')", E("Wrong arguments for VELSET")},
        {"VELSET(1, 2)", E("Wrong arguments for VELSET")},
        {"VELSET(1)", E("Wrong arguments for VELSET")},
    });
}

TEST(ExprFunctions, TimeAndDateUseTheLocalesShortFormat)
{
    const QLocale locale;
    const QString before = locale.toString(QTime::currentTime(), QLocale::ShortFormat);
    const TRpEvResult time = evaluate("TIME");
    const QString after = locale.toString(QTime::currentTime(), QLocale::ShortFormat);
    EXPECT_TRUE(time == S(before) || time == S(after)) << time.displayText().toStdString();

    const QDate today = QDate::currentDate();
    const TRpEvResult date = evaluate("DATE");
    EXPECT_TRUE(date == S(locale.toString(today, QLocale::ShortFormat))
                || date == S(locale.toString(QDate::currentDate(), QLocale::ShortFormat)));
    EXPECT_EQ(evaluate("TIME(1)"), E("Too many arguments"));
    EXPECT_EQ(evaluate("DATE('x')"), E("Too many arguments"));
}

TEST(ExprFunctionLibrary, EntriesAreOrderedByNameWithTheirArgumentCodes)
{
    const TRpEvFunctionLibrary& library = TRpEvFunctionLibrary::instance();
    QStringList names;
    for (const TRpEvFunctionEntry* entry : library.entries())
        names.append(entry->name);
    QStringList sorted = names;
    sorted.sort();
    EXPECT_EQ(names, sorted);
    for (const char* name : {"IF", "STR", "UPPER", "LOWER", "PRETTY", "TIME", "DATE", "COPY", "SUM", "COUNT",
                             "MAX", "MIN", "AVERAGE", "TRUE", "FALSE", "INT", "FRAC", "SQRT", "DIV", "TYPEOF",
                             "FORMATNUMERIC", "VELSUM", "VELSET"})
        EXPECT_TRUE(names.contains(QLatin1String(name))) << name;

    const TRpEvFunctionEntry* ifEntry = library.find("if");
    ASSERT_TRUE(ifEntry);
    EXPECT_EQ(ifEntry->signature(), "IF(<Exp>, <X>, <Y>)");
    EXPECT_EQ(ifEntry->help(), "Returns <X> or <Y> depending on the boolean expression <Exp>");
    EXPECT_EQ(ifEntry->category(), 5);
    EXPECT_EQ(ifEntry->argumentKinds(), "BVV");

    const TRpEvFunctionEntry* velSum = library.find("VELSUM");
    ASSERT_TRUE(velSum);
    EXPECT_EQ(velSum->description, "VELSUM(<X>)|");
    EXPECT_EQ(velSum->argumentCode, "3N");
    const TRpEvFunctionEntry* velSet = library.find("VELSET");
    ASSERT_TRUE(velSet);
    EXPECT_EQ(velSet->description, "VELSET(<X>, <St>)|<St> values seperated by | example \"A|B|C\"");
    EXPECT_EQ(velSet->help(), "<St> values seperated by | example \"A|B|C\"");
    EXPECT_EQ(velSet->argumentCode, "6NS");
}

namespace {

class TwiceFunction : public TRpEvElementFunction
{
    TRpEvResult calculate(TRpEvArguments& args) override
    {
        return args.size() == 1 && args[0].kind() == TRpEvKind::Integer ? I(args[0].integerValue() * 2)
                                                                         : E("Wrong arguments for TWICE");
    }
};

} // namespace

TEST(ExprFunctionLibrary, RegisteringAFunctionIsOneCall)
{
    TRpEvFunctionLibrary library;
    rpEvRegisterBuiltinFunctions(library);
    library.registerFunction<TwiceFunction>("twice", "TWICE(<X>)|Doubles <X>", "2N", "Tests");
    TRpEvaluator evaluator(&library);
    evaluator.prepare("TWICE(21) + 0");
    EXPECT_EQ(evaluator.value(), I(42));
    evaluator.prepare("TWICE('a')");
    EXPECT_EQ(evaluator.value(), E("Wrong arguments for TWICE"));
    // The program's own library is not touched by a private one.
    EXPECT_EQ(evaluate("TWICE(1)"), E("Unknown function : TWICE"));
}
