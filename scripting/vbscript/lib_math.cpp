// Built-in library: mathematical functions.
#include "scripting/vbscript/builtins.h"

#include "scripting/vbscript/conversion.h"
#include "scripting/vbscript/errors.h"
#include "scripting/vbscript/interpreter.h"
#include "scripting/vbscript/operators.h"

#include <cmath>

namespace vbs {

namespace {

using MathFunction = double (*)(double);

template <MathFunction Function>
Variant real(Interpreter&, const Variant* a, int)
{
    const Variant v = plainValue(a[0]);
    if (v.isNull())
        return v;
    const double result = Function(toDouble(v));
    if (!std::isfinite(result))
        raise(ErrOverflow);
    return Variant::fromDouble(result);
}

double naturalLog(double x)
{
    if (x <= 0)
        raise(ErrInvalidCall);
    return std::log(x);
}

double squareRoot(double x)
{
    if (x < 0)
        raise(ErrInvalidCall);
    return std::sqrt(x);
}

double exponent(double x)
{
    if (x > 709.782712893384)
        raise(ErrOverflow);
    return std::exp(x);
}

// Abs, Fix and Int keep the numeric type of their argument.
template <double (*Rounding)(double)>
Variant keepType(const Variant& value)
{
    const Variant v = toArithmetic(plainValue(value));
    switch (v.type()) {
    case VarType::Null: return v;
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Boolean:
        return Rounding == nullptr ? v : v;
    case VarType::Single: return Variant::fromSingle(static_cast<float>(Rounding(v.singleValue())));
    case VarType::Currency:
        return Variant::fromCurrency(static_cast<qint64>(Rounding(static_cast<double>(v.currencyValue()) / 10000.0) * 10000.0));
    case VarType::Date: return Variant::fromDate(Rounding(v.doubleValue()));
    default: return Variant::fromDouble(Rounding(toDouble(v)));
    }
}

double truncate(double x) { return std::trunc(x); }
double floorOf(double x) { return std::floor(x); }

Variant fix(Interpreter&, const Variant* a, int) { return keepType<truncate>(a[0]); }
Variant intPart(Interpreter&, const Variant* a, int) { return keepType<floorOf>(a[0]); }

Variant abs(Interpreter&, const Variant* a, int)
{
    const Variant v = toArithmetic(plainValue(a[0]));
    if (v.isNull())
        return v;
    const Variant zero = Variant::fromInteger(0);
    if (v.type() == VarType::Boolean)
        return Variant::fromInteger(v.boolValue() ? 1 : 0);
    return compareValues(v, zero, NoLiteral, false) < 0 ? negate(v) : v;
}

Variant sgn(Interpreter&, const Variant* a, int)
{
    const Variant v = plainValue(a[0]);
    if (v.isNull())
        return v;
    const double x = toDouble(v);
    return Variant::fromInteger(x > 0 ? 1 : (x < 0 ? -1 : 0));
}

Variant round(Interpreter&, const Variant* a, int n)
{
    const Variant v = toArithmetic(plainValue(a[0]));
    if (v.isNull())
        return v;
    const qint32 digits = n > 1 ? toLong(a[1]) : 0;
    if (digits < 0 || digits > 15)
        raise(ErrInvalidCall);
    if (v.isIntegralType() && v.type() != VarType::Boolean)
        return v;
    const double scale = std::pow(10.0, digits);
    const double x = toDouble(v);
    const double scaled = x * scale;
    double rounded = roundHalfEven(scaled);
    // Values such as 2.675 are stored slightly below the half: use their shortest decimal form.
    const double nearest = std::nearbyint(scaled * 1e6) / 1e6;
    if (std::fabs(nearest - std::floor(nearest) - 0.5) < 1e-9)
        rounded = roundHalfEven(nearest);
    const double result = rounded / scale;
    if (v.type() == VarType::Single)
        return Variant::fromSingle(static_cast<float>(result));
    if (v.type() == VarType::Currency)
        return Variant::fromCurrency(static_cast<qint64>(std::llround(result * 10000.0)));
    if (v.type() == VarType::Date)
        return Variant::fromDate(result);
    return Variant::fromDouble(result);
}

Variant rnd(Interpreter& interpreter, const Variant* a, int n) { return interpreter.newRandom(a, n > 0); }

Variant randomize(Interpreter& interpreter, const Variant* a, int n)
{
    interpreter.randomize(n > 0 ? a : nullptr);
    return Variant();
}

const Builtin library[] = {
    {"Abs", abs, 1, 1},
    {"Atn", real<std::atan>, 1, 1},
    {"Cos", real<std::cos>, 1, 1},
    {"Exp", real<exponent>, 1, 1},
    {"Fix", fix, 1, 1},
    {"Int", intPart, 1, 1},
    {"Log", real<naturalLog>, 1, 1},
    {"Rnd", rnd, 0, 1},
    {"Randomize", randomize, 0, 1},
    {"Round", round, 1, 2},
    {"Sgn", sgn, 1, 1},
    {"Sin", real<std::sin>, 1, 1},
    {"Sqr", real<squareRoot>, 1, 1},
    {"Tan", real<std::tan>, 1, 1},
};

} // namespace

std::span<const Builtin> mathLibrary() { return library; }

} // namespace vbs
