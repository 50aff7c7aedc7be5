// Parser: tokens to the syntax tree of one script text.
#pragma once

#include "scripting/vbscript/ast.h"

#include <memory>

namespace vbs {

// Parses a whole text; raises a compile ScriptError ("Expected 'End'") with its position.
std::unique_ptr<Program> parseProgram(const QString& text);

// Parses the text of Eval: one expression.
ExprPtr parseExpressionText(const QString& text);

} // namespace vbs
