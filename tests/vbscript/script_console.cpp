#include "script_console.h"

#include "scripting/vbscript/conversion.h"
#include "scripting/vbscript/errors.h"

vbs::HResult ScriptConsole::getIdOfName(const QString& name, int& memberId)
{
    if (name.compare(QLatin1String("print"), Qt::CaseInsensitive) == 0
        || name.compare(QLatin1String("showmessage"), Qt::CaseInsensitive) == 0) {
        memberId = 1;
        return vbs::HResult::Ok;
    }
    return vbs::HResult::UnknownName;
}

vbs::HResult ScriptConsole::invoke(int memberId, int flags, const vbs::Arguments& args, vbs::Variant& result,
                                   vbs::ExceptionInfo& exception)
{
    if (memberId != 1)
        return vbs::HResult::MemberNotFound;
    QStringList parts;
    try {
        for (const vbs::Variant& arg : args)
            parts << displayText(arg);
    } catch (const vbs::ScriptError& error) {
        exception.description = error.description;
        return vbs::HResult::Exception;
    }
    lines << parts.join(QLatin1Char(' '));
    result = vbs::Variant();
    return vbs::HResult::Ok;
}

QString displayText(const vbs::Variant& value)
{
    if (value.isNull())
        return QStringLiteral("Null");
    if (value.isNothing())
        return QStringLiteral("Nothing");
    if (value.isObject()) {
        try {
            return displayText(vbs::defaultValue(value));
        } catch (const vbs::ScriptError&) {
            return value.objectPointer()->typeName();
        }
    }
    if (value.isArray())
        return QStringLiteral("Variant()");
    return vbs::toString(value);
}
