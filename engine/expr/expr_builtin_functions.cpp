// The engine's plain functions: IF, STR, UPPER, LOWER, PRETTY, TIME, DATE, COPY, TRUE,
// FALSE, INT, FRAC, SQRT, DIV, TYPEOF and FORMATNUMERIC.
#include "core/number_mask.h"
#include "engine/expr/expr_function_library.h"
#include "engine/expr/expr_messages.h"

#include <QDate>
#include <QLocale>
#include <QTime>
#include <cmath>

namespace {

TRpEvResult tooManyArguments()
{
    return TRpEvResult::error(QLatin1String(exprmsg::tooManyArguments));
}

class TRpEvFuncIf : public TRpEvElementFunction
{
    TRpEvResult calculate(TRpEvArguments& args) override
    {
        if (args.size() != 3 || args[0].kind() != TRpEvKind::Boolean)
            return TRpEvResult::error(exprmsg::wrongArguments(QStringLiteral("IF")));
        return std::move(args[0].booleanValue() ? args[1] : args[2]);
    }
};

class TRpEvFuncStr : public TRpEvElementFunction
{
    TRpEvResult calculate(TRpEvArguments& args) override
    {
        if (args.size() != 1 || args[0].kind() == TRpEvKind::String || args[0].isError())
            return TRpEvResult::error(QLatin1String(exprmsg::conversionError));
        return TRpEvResult::string(args[0].displayText());
    }
};

// One string argument, converted to another string.
class TRpEvStringConversion : public TRpEvElementFunction
{
protected:
    virtual QString functionName() const = 0;
    virtual QString convert(const QString& text) const = 0;

private:
    TRpEvResult calculate(TRpEvArguments& args) override
    {
        if (args.empty())
            return TRpEvResult::error(exprmsg::missingArgument(functionName()));
        if (args.size() > 1)
            return tooManyArguments();
        if (args[0].kind() != TRpEvKind::String)
            return TRpEvResult::error(args[0].displayText());
        return TRpEvResult::string(convert(args[0].text()));
    }
};

class TRpEvFuncUpper : public TRpEvStringConversion
{
    QString functionName() const override { return QStringLiteral("UPPER"); }
    QString convert(const QString& text) const override { return QLocale().toUpper(text); }
};

class TRpEvFuncLower : public TRpEvStringConversion
{
    QString functionName() const override { return QStringLiteral("LOWER"); }
    QString convert(const QString& text) const override { return QLocale().toLower(text); }
};

class TRpEvFuncPretty : public TRpEvStringConversion
{
    QString functionName() const override { return QStringLiteral("PRETTY"); }
    QString convert(const QString& text) const override
    {
        // A character outside the basic plane takes two units; keep them together.
        const int first = !text.isEmpty() && text[0].isHighSurrogate() ? 2 : 1;
        const QLocale locale;
        return locale.toUpper(text.left(first)) + locale.toLower(text.mid(first));
    }
};

class TRpEvFuncTime : public TRpEvElementFunction
{
    TRpEvResult calculate(TRpEvArguments& args) override
    {
        if (!args.empty())
            return tooManyArguments();
        return TRpEvResult::string(QLocale().toString(QTime::currentTime(), QLocale::ShortFormat));
    }
};

class TRpEvFuncDate : public TRpEvElementFunction
{
    TRpEvResult calculate(TRpEvArguments& args) override
    {
        if (!args.empty())
            return tooManyArguments();
        return TRpEvResult::string(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    }
};

class TRpEvFuncCopy : public TRpEvElementFunction
{
    TRpEvResult calculate(TRpEvArguments& args) override
    {
        if (args.size() != 3 || args[0].kind() != TRpEvKind::String || args[1].kind() != TRpEvKind::Integer
            || args[2].kind() != TRpEvKind::Integer)
            return TRpEvResult::error(exprmsg::wrongArguments(QStringLiteral("COPY")));
        const QString& text = args[0].text();
        qsizetype start = std::max<qint32>(args[1].integerValue(), 1) - 1;
        if (start >= text.size() || args[2].integerValue() <= 0)
            return TRpEvResult::string(QString());
        qsizetype end = std::min<qint64>(text.size(), qint64(start) + args[2].integerValue());
        // Never split a character made of two units.
        if (start > 0 && text[start].isLowSurrogate())
            --start;
        if (end < text.size() && text[end].isLowSurrogate())
            ++end;
        return TRpEvResult::string(text.mid(start, end - start));
    }
};

class TRpEvFuncBoolean : public TRpEvElementFunction
{
public:
    explicit TRpEvFuncBoolean(bool constant) : m_constant(constant) {}

private:
    TRpEvResult calculate(TRpEvArguments& args) override
    {
        return args.empty() ? TRpEvResult::boolean(m_constant) : tooManyArguments();
    }
    bool m_constant;
};

class TRpEvFuncTrue : public TRpEvFuncBoolean
{
public:
    TRpEvFuncTrue() : TRpEvFuncBoolean(true) {}
};

class TRpEvFuncFalse : public TRpEvFuncBoolean
{
public:
    TRpEvFuncFalse() : TRpEvFuncBoolean(false) {}
};

TRpEvResult truncatedNumber(double value)
{
    const double whole = std::trunc(value);
    return rpEvFitsInteger(whole) ? TRpEvResult::integer(qint32(whole)) : TRpEvResult::fromFloat(whole);
}

class TRpEvFuncInt : public TRpEvElementFunction
{
    TRpEvResult calculate(TRpEvArguments& args) override
    {
        if (args.size() != 1 || !args[0].isNumeric())
            return TRpEvResult::error(exprmsg::wrongArguments(QStringLiteral("INT")));
        return args[0].kind() == TRpEvKind::Integer ? args[0] : truncatedNumber(args[0].floatValue());
    }
};

class TRpEvFuncFrac : public TRpEvElementFunction
{
    TRpEvResult calculate(TRpEvArguments& args) override
    {
        if (args.size() != 1 || !args[0].isNumeric())
            return TRpEvResult::error(exprmsg::wrongArguments(QStringLiteral("FRAC")));
        const double value = args[0].numericValue();
        return TRpEvResult::fromFloat(args[0].kind() == TRpEvKind::Integer ? 0.0 : value - std::trunc(value));
    }
};

class TRpEvFuncSqrt : public TRpEvElementFunction
{
    TRpEvResult calculate(TRpEvArguments& args) override
    {
        if (args.size() != 1 || !args[0].isNumeric() || !(args[0].numericValue() >= 0.0))
            return TRpEvResult::error(QLatin1String(exprmsg::invalidSqrt));
        return TRpEvResult::fromFloat(std::sqrt(args[0].numericValue()));
    }
};

class TRpEvFuncDiv : public TRpEvElementFunction
{
    TRpEvResult calculate(TRpEvArguments& args) override
    {
        if (args.size() != 2 || !args[0].isNumeric() || !args[1].isNumeric())
            return TRpEvResult::error(exprmsg::wrongArguments(QStringLiteral("DIV")));
        const double dividend = std::round(args[0].numericValue());
        const double divisor = std::round(args[1].numericValue());
        if (divisor == 0.0)
            return TRpEvResult::error(QLatin1String(exprmsg::divisionByZero));
        if (rpEvFitsInteger(dividend) && rpEvFitsInteger(divisor))
            return TRpEvResult::fromWideInteger(qint64(dividend) / qint64(divisor));
        return TRpEvResult::fromFloat(std::trunc(dividend / divisor));
    }
};

class TRpEvFuncTypeOf : public TRpEvElementFunction
{
    TRpEvResult calculate(TRpEvArguments& args) override
    {
        if (args.size() != 1)
            return TRpEvResult::error(exprmsg::wrongArguments(QStringLiteral("TypeOf")));
        return TRpEvResult::string(rpEvKindName(args[0].kind()));
    }
};

class TRpEvFuncFormatNumeric : public TRpEvElementFunction
{
    TRpEvResult calculate(TRpEvArguments& args) override
    {
        if (args.size() == 2 && args[0].kind() == TRpEvKind::String && args[1].isNumeric()) {
            if (const auto text = formatNumberMask(args[0].text(), args[1].numericValue()))
                return TRpEvResult::string(*text);
        }
        return TRpEvResult::error(QLatin1String(exprmsg::invalidFormat));
    }
};

} // namespace

void rpEvRegisterBuiltinFunctions(TRpEvFunctionLibrary& library)
{
    library.registerFunction<TRpEvFuncIf>(
        "IF", "IF(<Exp>, <X>, <Y>)|Returns <X> or <Y> depending on the boolean expression <Exp>", "5BVV");
    library.registerFunction<TRpEvFuncStr>("STR", "STR(<X>)|Convert a numeric <X> to a string", "7N");
    library.registerFunction<TRpEvFuncUpper>("UPPER", "UPPER(<X>)|Converts a string to upper case letters", "7S");
    library.registerFunction<TRpEvFuncLower>("LOWER", "LOWER(<X>)|Converts a string to lower case letters", "7S");
    library.registerFunction<TRpEvFuncPretty>(
        "PRETTY", "PRETTY(<X>)|Makes the first character upper case and the rest lower case", "7S");
    library.registerFunction<TRpEvFuncTime>("TIME", "TIME|Return current time as a string", "1");
    library.registerFunction<TRpEvFuncDate>("DATE", "DATE|Return current date as a string", "1");
    library.registerFunction<TRpEvFuncCopy>("COPY", "COPY(<X>, <St>,<Len>)|Returns a substring of string X",
                                            "7SNN");
    library.registerFunction<TRpEvFuncTrue>("TRUE", "TRUE|boolean value", "5");
    library.registerFunction<TRpEvFuncFalse>("FALSE", "FALSE|boolean value", "5");
    library.registerFunction<TRpEvFuncInt>("INT", "INT(<X>)|Returns the integer part of <X>", "2N");
    library.registerFunction<TRpEvFuncFrac>("FRAC", "FRAC(<X>)|Returns the fractional part of <X>", "2N");
    library.registerFunction<TRpEvFuncSqrt>("SQRT", "SQRT(<X>)|Returns square root of <X>", "2N");
    library.registerFunction<TRpEvFuncDiv>("DIV", "DIV(<X>, <Y>) |Integer division of <X> by <Y>", "2NN");
    library.registerFunction<TRpEvFuncTypeOf>("TYPEOF", "TYPEOF(<Exp>)|Returns the data type of <Exp>", "6N");
    library.registerFunction<TRpEvFuncFormatNumeric>(
        "FORMATNUMERIC", "FORMATNUMERIC(<F>,<N>)|Formats numeric <N> using the mask in <F>", "7SN");
}
