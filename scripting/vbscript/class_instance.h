// Objects made with New from a script Class: their variables, and member access through
// the dispatch interface so the host can use them like any other object.
#pragma once

#include "scripting/vbscript/ast.h"
#include "scripting/vbscript/dispatch.h"

#include <memory>
#include <vector>

namespace vbs {

class Interpreter;

// Shared between an interpreter and the objects it made, so an object that outlives its
// interpreter (held by the host) answers with an error instead of touching freed memory.
struct InterpreterLink {
    Interpreter* interpreter = nullptr;
};

class ClassInstance : public Dispatch, public std::enable_shared_from_this<ClassInstance> {
public:
    ClassInstance(const ClassDef& definition, std::shared_ptr<InterpreterLink> link);
    ~ClassInstance() override;

    const ClassDef& definition() const { return def_; }
    std::vector<Variant> fields;

    HResult getIdOfName(const QString& name, int& memberId) override;
    HResult invoke(int memberId, int flags, const Arguments& args, Variant& result,
                   ExceptionInfo& exception) override;
    QString typeName() const override { return def_.name; }
    ClassInstance* asClassInstance() override { return this; }

    // Terminate handlers do not run once the interpreter is shutting down.
    bool terminated = false;

private:
    void runTerminate();

    const ClassDef& def_;
    std::shared_ptr<Program> program_; // owns def_
    std::shared_ptr<InterpreterLink> link_;
};

} // namespace vbs
