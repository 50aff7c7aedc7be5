// The engine's aggregate functions: SUM, COUNT, MAX, MIN and AVERAGE.
#include "engine/expr/expr_function_library.h"
#include "engine/expr/expr_messages.h"

#include <optional>

namespace {

// A running sum whose kind is fixed by the first numeric value taken in; values of the
// other numeric kind and booleans are ignored, a string or an error ends it in an error.
class TRpEvSumAccumulator
{
public:
    void reset() { *this = TRpEvSumAccumulator(); }

    void takeIn(const TRpEvResult& value)
    {
        if (m_error)
            return;
        if (value.isError()) {
            m_error = value;
        } else if (value.kind() == TRpEvKind::String) {
            m_error = TRpEvResult::error(exprmsg::cannotOperate(QStringLiteral("add"), QStringLiteral("string")));
        } else if (value.isNumeric()) {
            if (!m_kind)
                m_kind = value.kind();
            if (value.kind() == TRpEvKind::Integer && m_kind == TRpEvKind::Integer)
                m_integerTotal += value.integerValue();
            else if (value.kind() == TRpEvKind::Float && m_kind == TRpEvKind::Float)
                m_floatTotal += value.floatValue();
        }
    }

    void fail(const TRpEvResult& error)
    {
        if (!m_error)
            m_error = error;
    }

    const std::optional<TRpEvResult>& error() const { return m_error; }

    // Integer 0 before any value.
    TRpEvResult total() const
    {
        if (m_error)
            return *m_error;
        if (m_kind == TRpEvKind::Float)
            return TRpEvResult::fromFloat(m_floatTotal);
        return TRpEvResult::fromWideInteger(m_integerTotal);
    }

private:
    std::optional<TRpEvKind> m_kind;
    qint64 m_integerTotal = 0;
    double m_floatTotal = 0.0;
    std::optional<TRpEvResult> m_error;
};

TRpEvResult wrongArgumentsFor(const char* name)
{
    return TRpEvResult::error(exprmsg::wrongArguments(QLatin1String(name)));
}

class TRpEvFuncSum : public TRpEvAggregateFunction
{
    void reset() override { m_sum.reset(); }
    void takeIn(const TRpEvArguments& args) override
    {
        if (args.size() == 1)
            m_sum.takeIn(args[0]);
        else
            m_sum.fail(wrongArgumentsFor("SUM"));
    }
    TRpEvResult current() const override { return m_sum.total(); }

    TRpEvSumAccumulator m_sum;
};

class TRpEvFuncAverage : public TRpEvAggregateFunction
{
    void reset() override
    {
        m_sum.reset();
        m_count = 0;
    }
    void takeIn(const TRpEvArguments& args) override
    {
        if (args.size() != 1) {
            m_sum.fail(wrongArgumentsFor("AVERAGE"));
            return;
        }
        m_sum.takeIn(args[0]);
        ++m_count;
    }
    TRpEvResult current() const override
    {
        const TRpEvResult total = m_sum.total();
        if (total.isError())
            return total;
        return TRpEvResult::fromFloat(m_count == 0 ? 0.0 : total.numericValue() / double(m_count));
    }

    TRpEvSumAccumulator m_sum;
    qint64 m_count = 0;
};

// MAX and MIN: the first value is kept; later values of the same kind replace it when
// they lie further in the function's direction.
class TRpEvExtremeFunction : public TRpEvAggregateFunction
{
protected:
    virtual bool replaces(int order) const = 0; // order of the new value against the kept one
    virtual const char* functionName() const = 0;

private:
    void reset() override { m_kept.reset(); }
    void takeIn(const TRpEvArguments& args) override
    {
        if (args.size() != 1) {
            m_kept = wrongArgumentsFor(functionName());
            return;
        }
        const TRpEvResult& value = args[0];
        if (!m_kept)
            m_kept = value;
        else if (value.kind() == m_kept->kind() && !value.isError() && replaces(order(value, *m_kept)))
            m_kept = value;
    }
    TRpEvResult current() const override { return m_kept ? *m_kept : TRpEvResult::integer(0); }

    static int order(const TRpEvResult& a, const TRpEvResult& b)
    {
        switch (a.kind()) {
        case TRpEvKind::Integer:
            return a.integerValue() < b.integerValue() ? -1 : a.integerValue() > b.integerValue();
        case TRpEvKind::Float:
            return a.floatValue() < b.floatValue() ? -1 : a.floatValue() > b.floatValue();
        case TRpEvKind::Boolean:
            return int(a.booleanValue()) - int(b.booleanValue());
        default:
            return a.text().compare(b.text(), Qt::CaseSensitive);
        }
    }

    std::optional<TRpEvResult> m_kept;
};

class TRpEvFuncMax : public TRpEvExtremeFunction
{
    bool replaces(int order) const override { return order > 0; }
    const char* functionName() const override { return "MAX"; }
};

class TRpEvFuncMin : public TRpEvExtremeFunction
{
    bool replaces(int order) const override { return order < 0; }
    const char* functionName() const override { return "MIN"; }
};

class TRpEvFuncCount : public TRpEvAggregateFunction
{
    void reset() override { m_count = 0; }
    void takeIn(const TRpEvArguments& args) override
    {
        if (args.empty())
            ++m_count;
    }
    TRpEvResult calculate(TRpEvArguments& args) override
    {
        return args.empty() ? current() : TRpEvResult::error(exprmsg::countTooManyArguments());
    }
    TRpEvResult current() const override { return TRpEvResult::fromWideInteger(m_count); }

    qint64 m_count = 0;
};

} // namespace

void rpEvRegisterAggregateFunctions(TRpEvFunctionLibrary& library)
{
    library.registerFunction<TRpEvFuncSum>("SUM", "SUM(<X>)|Sums the numeric <X>", "3N");
    library.registerFunction<TRpEvFuncCount>("COUNT", "COUNT|Increments for each iteration", "3");
    library.registerFunction<TRpEvFuncMax>("MAX", "MAX(<X>)|Returns the highest <X>", "3V");
    library.registerFunction<TRpEvFuncMin>("MIN", "MIN(<X>)|Returns the lowest <X>", "3V");
    library.registerFunction<TRpEvFuncAverage>("AVERAGE", "AVERAGE(<X>)|Returns the average of numeric <X>", "3N");
}
