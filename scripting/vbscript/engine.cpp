// The host interface: one script text, its named objects, calls and error reporting.
#include "scripting/vbscript/engine.h"

#include "scripting/vbscript/interpreter.h"

#include <QStringList>

namespace vbs {

Engine::Engine() : interpreter_(std::make_unique<Interpreter>()) {}

Engine::~Engine() = default;

bool Engine::addNamedObject(const QString& name, DispatchPtr object, bool globalMembers)
{
    for (const Named& named : named_)
        if (named.name.compare(name, Qt::CaseInsensitive) == 0)
            return false;
    named_.push_back({name, std::move(object), globalMembers});
    return true;
}

void Engine::clearNamedObjects() { named_.clear(); }

bool Engine::parse(const QString& text)
{
    text_ = text;
    interpreter_->clearState();
    for (const Named& named : named_)
        interpreter_->namedObjects.push_back({named.name, named.name.toLower(), named.object, named.globalMembers});
    return guarded([&] { interpreter_->runText(text, false); });
}

bool Engine::hasProcedure(const QString& name) const { return interpreter_->findProcedure(name) != nullptr; }

bool Engine::call(const QString& name, const Arguments& args, Variant* result)
{
    if (result)
        *result = Variant();
    Procedure* procedure = interpreter_->findProcedure(name);
    if (!procedure)
        return true;
    return guarded([&] {
        Variant value = interpreter_->callProcedure(*procedure, nullptr, args.data(), static_cast<int>(args.size()));
        if (result)
            *result = std::move(value);
    });
}

void Engine::setErrorHandler(ErrorHandler handler) { errorHandler_ = std::move(handler); }

void Engine::setStepLimit(qint64 steps) { interpreter_->setStepLimit(steps); }

void Engine::setInterruptCheck(std::function<bool()> check) { interpreter_->setInterruptCheck(std::move(check)); }

void Engine::setMessageBoxHook(std::function<int(const QString&, int, const QString&)> hook)
{
    interpreter_->hooks.messageBox = std::move(hook);
}

void Engine::setInputBoxHook(std::function<QString(const QString&, const QString&, const QString&)> hook)
{
    interpreter_->hooks.inputBox = std::move(hook);
}

bool Engine::guarded(const std::function<void()>& action)
{
    struct HostCall {
        Interpreter& interpreter;
        explicit HostCall(Interpreter& i) : interpreter(i)
        {
            interpreter.enterFromHost();
            interpreter.resetSteps();
        }
        ~HostCall() { interpreter.leaveToHost(); }
    } hostCall(*interpreter_);
    try {
        action();
        lastError_.reset();
        return true;
    } catch (const ScriptError& error) {
        report(error);
    } catch (const Interrupt&) {
        ScriptError error(ErrInterrupted);
        error.setPosition(interpreter_->currentLine(), interpreter_->currentColumn());
        report(error);
    } catch (const std::bad_alloc&) {
        ScriptError error(ErrOutOfMemory);
        error.setPosition(interpreter_->currentLine(), interpreter_->currentColumn());
        report(error);
    }
    return false;
}

void Engine::report(ScriptError error)
{
    if (!error.hasPosition())
        error.setPosition(interpreter_->currentLine(), interpreter_->currentColumn());
    const QStringList lines = text_.split(QLatin1Char('\n'));
    if (error.line >= 0 && error.line < lines.size()) {
        QString line = lines.at(error.line);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        error.lineText = line;
    }
    lastError_ = error;
    if (errorHandler_)
        errorHandler_(error);
}

} // namespace vbs
