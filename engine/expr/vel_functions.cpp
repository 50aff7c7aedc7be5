#include "engine/expr/vel_functions.h"

#include "engine/expr/expr_function_library.h"
#include "engine/expr/expr_messages.h"

#include <QStringList>

namespace {

TRpEvResult notNumeric(TRpEvKind kind)
{
    return TRpEvResult::error(exprmsg::cannotOperate(
        QStringLiteral("add"), kind == TRpEvKind::String ? QStringLiteral("string") : QStringLiteral("boolean")));
}

} // namespace

void TVelSumFunction::reset()
{
    m_assigned = false;
    m_kind = TRpEvKind::Integer;
    m_integerTotal = 0;
    m_floatTotal = 0.0;
    m_error.reset();
}

void TVelSumFunction::takeInFirst(const TRpEvResult& value)
{
    m_assigned = true;
    m_kind = value.kind();
    if (value.kind() == TRpEvKind::Integer)
        m_integerTotal = value.integerValue();
    else if (value.kind() == TRpEvKind::Float)
        m_floatTotal = value.floatValue();
    else
        m_error = value.isError() ? value : notNumeric(value.kind());
}

void TVelSumFunction::takeIn(const TRpEvArguments& args)
{
    if (args.size() != 1) {
        m_error = TRpEvResult::error(exprmsg::wrongArguments(QStringLiteral("VELSUM")));
        return;
    }
    const TRpEvResult& value = args[0];
    if (!m_assigned) {
        takeInFirst(value);
        return;
    }
    if (value.kind() == TRpEvKind::Integer)
        m_integerTotal += value.integerValue();
    else if (value.kind() == TRpEvKind::Float)
        m_floatTotal += value.floatValue();
    else if (value.kind() == TRpEvKind::String && !m_error)
        m_error = notNumeric(TRpEvKind::String);
}

TRpEvResult TVelSumFunction::current() const
{
    if (!m_assigned)
        return TRpEvResult::string(QString());
    if (m_error)
        return *m_error;
    return m_kind == TRpEvKind::Float ? TRpEvResult::fromFloat(m_floatTotal)
                                      : TRpEvResult::fromWideInteger(m_integerTotal);
}

TRpEvResult TRpVelSetFunction::calculate(TRpEvArguments& args)
{
    if (args.size() != 2 || args[1].kind() != TRpEvKind::String
        || (args[0].kind() != TRpEvKind::Integer && args[0].kind() != TRpEvKind::Boolean))
        return TRpEvResult::error(exprmsg::wrongArguments(QStringLiteral("VELSET")));
    const qint64 index = args[0].kind() == TRpEvKind::Boolean ? qint64(args[0].booleanValue())
                                                              : qint64(args[0].integerValue());
    QString list = args[1].text();
    if (!list.endsWith(QLatin1Char('|')))
        list += QLatin1Char('|');
    QStringList values = list.split(QLatin1Char('|'));
    values.removeLast(); // the empty text after the final "|"
    if (index < 0 || index >= values.size())
        return TRpEvResult::string(QString());
    return TRpEvResult::string(values[index]);
}

void velRegisterExpressionFunctions(TRpEvFunctionLibrary& library)
{
    library.registerFunction<TVelSumFunction>("VELSUM", "VELSUM(<X>)|", "3N", "Velmor");
    library.registerFunction<TRpVelSetFunction>(
        "VELSET", "VELSET(<X>, <St>)|<St> values seperated by | example \"A|B|C\"", "6NS", "Velmor");
}
