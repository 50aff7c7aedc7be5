// Dispatch helpers: turning failed answers into script errors, default members.
#include "scripting/vbscript/dispatch.h"

#include "scripting/vbscript/errors.h"

namespace vbs {

void raiseDispatchFailure(HResult result, const ExceptionInfo& exception, const QString& member)
{
    switch (result) {
    case HResult::UnknownName:
    case HResult::MemberNotFound:
        raise(ErrNoSuchMember, member);
    case HResult::NotImplemented:
        raise(ErrNoSuchAction, member);
    case HResult::BadParamCount:
        raise(ErrWrongArguments, member);
    case HResult::TypeMismatch:
        raise(ErrTypeMismatch, member);
    case HResult::Exception: {
        const int number = exception.code != 0 ? exception.code : static_cast<qint32>(HResult::Exception);
        const QString description = exception.description.isEmpty() ? errorDescription(ErrNoSuchAction)
                                                                    : exception.description;
        throw ScriptError(number, description, exception.source);
    }
    default:
        throw ScriptError(static_cast<qint32>(result), errorDescription(ErrNoSuchAction),
                          QStringLiteral("VBScript runtime error"));
    }
}

Variant defaultValue(const Variant& object)
{
    Dispatch* target = object.objectPointer();
    if (!target)
        raise(ErrObjectNotSet);
    Variant result;
    ExceptionInfo exception;
    const HResult answer = target->invoke(DispIdValue, InvokePropertyGet | InvokeMethod, {}, result, exception);
    if (answer != HResult::Ok)
        raiseDispatchFailure(answer == HResult::UnknownName ? HResult::MemberNotFound : answer, exception, QString());
    if (result.isObject())
        raise(ErrNoSuchMember);
    return result;
}

} // namespace vbs
