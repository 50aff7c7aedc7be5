// The built-in library: functions by name, each with its argument count range.
#pragma once

#include "scripting/vbscript/variant.h"

#include <QString>

#include <span>

namespace vbs {

class Interpreter;

using BuiltinFunction = Variant (*)(Interpreter& interpreter, const Variant* args, int count);

struct Builtin {
    const char* name;
    BuiltinFunction function;
    int minArgs;
    int maxArgs; // -1: any number
};

// Looks a function up by its lower-case name.
const Builtin* findBuiltin(const QString& lowerName);
// The language's named constants (vbCrLf, vbTextCompare, vbString ...), by lower-case name.
const Variant* findConstant(const QString& lowerName);

// The library areas, one file each.
std::span<const Builtin> conversionLibrary();
std::span<const Builtin> stringLibrary();
std::span<const Builtin> mathLibrary();
std::span<const Builtin> dateLibrary();
std::span<const Builtin> formatLibrary();
std::span<const Builtin> runtimeLibrary(); // arrays, Eval, Execute, Err, MsgBox, objects

// Argument helpers shared by the library files.
bool isMissing(const Variant* args, int count, int index);
QString stringArg(const Variant* args, int count, int index, const QString& fallback = QString());
qint32 longArg(const Variant* args, int count, int index, qint32 fallback);

} // namespace vbs
