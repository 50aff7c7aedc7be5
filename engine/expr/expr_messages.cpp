#include "engine/expr/expr_messages.h"

namespace exprmsg {

QString errorInExpression(const QString& text)
{
    return QStringLiteral("Error in expression : %1").arg(text);
}

QString missing(const QString& what)
{
    return QStringLiteral("Missing %1").arg(what);
}

QString illegalNumericCharacter(const QString& text)
{
    // "contant" is the wording users and scripts already match against.
    return QStringLiteral("Illegal character in numeric contant \"%1\"").arg(text);
}

QString unknownFunction(const QString& name)
{
    return QStringLiteral("Unknown function : %1").arg(name);
}

QString operatorNotCompatible(const QString& op, const QString& kindName)
{
    return QStringLiteral("Operator %1 is not compatible with %2 expressions").arg(op, kindName);
}

QString cannotOperate(const QString& verb, const QString& kindName)
{
    return QStringLiteral("Cannot %1 %2 expressions").arg(verb, kindName);
}

QString fieldOfUnknownType(const QString& fieldName)
{
    return QStringLiteral("Field %1 is of unknown type").arg(fieldName);
}

QString wrongArguments(const QString& function)
{
    return QStringLiteral("Wrong arguments for %1").arg(function);
}

QString missingArgument(const QString& function)
{
    return QStringLiteral("Missing argument for %1").arg(function);
}

QString countTooManyArguments()
{
    return QStringLiteral("COUNT - ") + QLatin1String(tooManyArguments);
}

} // namespace exprmsg
