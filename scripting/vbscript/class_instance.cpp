// Script class objects.
#include "scripting/vbscript/class_instance.h"

#include "scripting/vbscript/interpreter.h"

namespace vbs {

ClassInstance::ClassInstance(const ClassDef& definition, std::shared_ptr<InterpreterLink> link)
    : def_(definition), program_(definition.program.lock()), link_(std::move(link))
{
    if (link_->interpreter)
        link_->interpreter->registerInstance(this);
}

ClassInstance::~ClassInstance()
{
    runTerminate();
    releaseValues(fields);
}

void ClassInstance::runTerminate()
{
    Interpreter* interpreter = link_->interpreter;
    if (!interpreter)
        return;
    interpreter->unregisterInstance(this);
    if (terminated || interpreter->shuttingDown() || !def_.terminate)
        return;
    // Errors inside Class_Terminate have nowhere to go: the object is already gone.
    try {
        interpreter->callProcedure(*def_.terminate, this, nullptr, 0);
    } catch (...) {
    }
}

HResult ClassInstance::getIdOfName(const QString& name, int& memberId)
{
    const auto found = def_.memberIndex.constFind(name.toLower());
    if (found == def_.memberIndex.constEnd() || !def_.members[*found].isPublic)
        return HResult::UnknownName;
    memberId = *found + 1;
    return HResult::Ok;
}

HResult ClassInstance::invoke(int memberId, int flags, const Arguments& args, Variant& result, ExceptionInfo& exception)
{
    Interpreter* interpreter = link_->interpreter;
    if (!interpreter) {
        exception.description = QStringLiteral("The script that made this object is no longer running");
        return HResult::Exception;
    }
    const int index = memberId == DispIdValue ? def_.defaultMember : memberId - 1;
    if (index < 0 || index >= static_cast<int>(def_.members.size()))
        return HResult::MemberNotFound;
    try {
        Arguments copy = args;
        result = interpreter->invokeClassMember(*this, index, flags, copy, false);
        return HResult::Ok;
    } catch (const ScriptError& error) {
        exception.code = error.number;
        exception.description = error.description;
        exception.source = error.source;
        return HResult::Exception;
    }
}

} // namespace vbs
