// Resolver: binds every name of a parsed text to what it stands for (a local or global
// slot, a class member, a procedure, a built-in, a named object) so the run never
// searches by name, except for the global members of named objects.
#pragma once

#include "scripting/vbscript/ast.h"
#include "scripting/vbscript/scope.h"

namespace vbs {

struct ResolveContext {
    GlobalScope& globals;
    const std::vector<NamedObject>& namedObjects;
    bool optionExplicit = false;
    // Procedure (and its class) whose locals an Eval or Execute text sees; none at module level.
    Procedure* procedure = nullptr;
    ClassDef* classDef = nullptr;
};

// Declares the text's procedures, classes and module variables in the global scope and
// resolves all of its code. Raises compile errors such as "Name redefined".
void resolveProgram(Program& program, ResolveContext& context);

// Resolves a lone expression (Eval) in the given context.
void resolveExpression(Expr& expression, ResolveContext& context);

} // namespace vbs
