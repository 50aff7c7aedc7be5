// The host interface of the VBScript interpreter: what a script host needs to run one
// script text with named objects, call its procedures and hear about its errors.
#pragma once

#include "scripting/vbscript/dispatch.h"
#include "scripting/vbscript/errors.h"
#include "scripting/vbscript/variant.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace vbs {

class Interpreter;
struct HostHooks;

class Engine {
public:
    using ErrorHandler = std::function<void(const ScriptError& error)>;

    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Makes an object visible to scripts under a name (any case). With globalMembers its
    // members are also bare global names. Objects added after parse() are seen from the
    // next parse(). False when the name is taken.
    bool addNamedObject(const QString& name, DispatchPtr object, bool globalMembers);
    void clearNamedObjects();

    // Replaces the script: parses the whole text once, forgets every module variable of the
    // previous text and runs the module-level code. False (and the error handler called)
    // on a syntax or run-time error.
    bool parse(const QString& text);
    const QString& text() const { return text_; }

    // True when the text defines a Sub or Function of that name (any case).
    bool hasProcedure(const QString& name) const;

    // Calls a Sub or Function of the text with positional arguments; result receives a
    // Function's return value (Empty for a Sub or a name the text does not define).
    // False (and the error handler called) when the procedure fails.
    bool call(const QString& name, const Arguments& args = {}, Variant* result = nullptr);

    // Receives each error with its description and 0-based line and character position.
    void setErrorHandler(ErrorHandler handler);
    // The last error of parse() or call(), cleared by the next successful one.
    const std::optional<ScriptError>& lastError() const { return lastError_; }

    // Bounds a run: after this many statements (0 = no limit) or when the check returns
    // true, the running call stops with the error "Script interrupted".
    void setStepLimit(qint64 steps);
    void setInterruptCheck(std::function<bool()> check);

    // MsgBox and InputBox go to these; without them MsgBox answers OK and InputBox its default.
    void setMessageBoxHook(std::function<int(const QString& prompt, int buttons, const QString& title)> hook);
    void setInputBoxHook(std::function<QString(const QString& prompt, const QString& title, const QString& defaultText)> hook);

private:
    bool guarded(const std::function<void()>& action);
    void report(ScriptError error);

    std::unique_ptr<Interpreter> interpreter_;
    struct Named {
        QString name;
        DispatchPtr object;
        bool globalMembers;
    };
    std::vector<Named> named_;
    QString text_;
    ErrorHandler errorHandler_;
    std::optional<ScriptError> lastError_;
};

} // namespace vbs
