// The Err object.
#include "scripting/vbscript/err_object.h"

#include "scripting/vbscript/conversion.h"
#include "scripting/vbscript/errors.h"

namespace vbs {

namespace {

enum Member { Number = DispIdValue, Description, Source, HelpFile, HelpContext, Raise, Clear };

const char* const memberNames[] = {"number", "description", "source", "helpfile", "helpcontext", "raise", "clear"};

} // namespace

void ErrObject::set(const ScriptError& error)
{
    number = error.number;
    description = error.description;
    source = error.source;
}

void ErrObject::clear()
{
    number = 0;
    description.clear();
    source.clear();
    helpFile.clear();
    helpContext = 0;
}

HResult ErrObject::getIdOfName(const QString& name, int& memberId)
{
    const QString lower = name.toLower();
    for (int i = 0; i < 7; ++i) {
        if (lower == QLatin1String(memberNames[i])) {
            memberId = i;
            return HResult::Ok;
        }
    }
    return HResult::UnknownName;
}

HResult ErrObject::invoke(int memberId, int flags, const Arguments& args, Variant& result, ExceptionInfo& exception)
{
    const bool put = flags & (InvokePropertyPut | InvokePropertyPutRef);
    try {
        switch (memberId) {
        case Number:
            if (put)
                number = toLong(args.back());
            else
                result = Variant::fromLong(number);
            return HResult::Ok;
        case Description:
            if (put)
                description = toString(args.back());
            else
                result = Variant::fromString(description);
            return HResult::Ok;
        case Source:
            if (put)
                source = toString(args.back());
            else
                result = Variant::fromString(source);
            return HResult::Ok;
        case HelpFile:
            if (put)
                helpFile = toString(args.back());
            else
                result = Variant::fromString(helpFile);
            return HResult::Ok;
        case HelpContext:
            if (put)
                helpContext = toLong(args.back());
            else
                result = Variant::fromLong(helpContext);
            return HResult::Ok;
        case Raise: {
            if (args.empty() || args.size() > 5)
                return HResult::BadParamCount;
            const qint32 raised = toLong(args[0]);
            if (raised == 0)
                raise(ErrInvalidCall);
            exception.code = raised;
            exception.source = args.size() > 1 && !args[1].isEmpty() ? toString(args[1]) : QString();
            exception.description = args.size() > 2 && !args[2].isEmpty() ? toString(args[2]) : errorDescription(raised);
            return HResult::Exception;
        }
        case Clear:
            clear();
            return HResult::Ok;
        default: return HResult::MemberNotFound;
        }
    } catch (const ScriptError& error) {
        exception.code = error.number;
        exception.description = error.description;
        exception.source = error.source;
        return HResult::Exception;
    }
}

} // namespace vbs
