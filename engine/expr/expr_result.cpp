#include "engine/expr/expr_result.h"

#include "core/number_mask.h"
#include "engine/expr/expr_exception.h"
#include "engine/expr/expr_messages.h"

#include <cmath>
#include <limits>

QString rpEvCutText(const QString& text)
{
    return text.size() > kRpEvMaxText ? text.left(kRpEvMaxText) : text;
}

bool rpEvFitsInteger(double value)
{
    return value >= double(std::numeric_limits<qint32>::min())
        && value <= double(std::numeric_limits<qint32>::max());
}

TRpEvResult TRpEvResult::string(const QString& text)
{
    TRpEvResult result;
    result.m_kind = TRpEvKind::String;
    result.m_text = rpEvCutText(text);
    return result;
}

TRpEvResult TRpEvResult::error(const QString& message)
{
    TRpEvResult result;
    result.m_kind = TRpEvKind::Error;
    result.m_text = rpEvCutText(message);
    return result;
}

TRpEvResult TRpEvResult::fromWideInteger(qint64 value)
{
    if (value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max())
        return integer(qint32(value));
    return fromFloat(double(value));
}

QString TRpEvResult::displayText() const
{
    switch (m_kind) {
    case TRpEvKind::Integer:
        return QString::number(m_integer);
    case TRpEvKind::Float:
        return formatFloatGeneral(m_float);
    case TRpEvKind::Boolean:
        return m_boolean ? QStringLiteral("True") : QStringLiteral("False");
    case TRpEvKind::String:
    case TRpEvKind::Error:
        break;
    }
    return m_text;
}

QString TRpEvResult::toText() const
{
    if (m_kind == TRpEvKind::Error)
        throw ERpEvaluatorError(exprmsg::errorInExpression(m_text));
    return displayText();
}

bool TRpEvResult::operator==(const TRpEvResult& other) const
{
    if (m_kind != other.m_kind)
        return false;
    switch (m_kind) {
    case TRpEvKind::Integer:
        return m_integer == other.m_integer;
    case TRpEvKind::Float:
        return m_float == other.m_float;
    case TRpEvKind::Boolean:
        return m_boolean == other.m_boolean;
    case TRpEvKind::String:
    case TRpEvKind::Error:
        break;
    }
    return m_text == other.m_text;
}

QString rpEvKindName(TRpEvKind kind)
{
    switch (kind) {
    case TRpEvKind::Integer:
        return QStringLiteral("INTEGER");
    case TRpEvKind::Float:
        return QStringLiteral("FLOAT");
    case TRpEvKind::String:
        return QStringLiteral("STRING");
    case TRpEvKind::Boolean:
        return QStringLiteral("BOOLEAN");
    case TRpEvKind::Error:
        break;
    }
    return QStringLiteral("ERROR");
}
