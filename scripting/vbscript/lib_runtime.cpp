// Built-in library: arrays, Eval and Execute, the Err object, MsgBox and InputBox, objects.
#include "scripting/vbscript/builtins.h"

#include "scripting/vbscript/conversion.h"
#include "scripting/vbscript/errors.h"
#include "scripting/vbscript/interpreter.h"
#include "scripting/vbscript/limits.h"

namespace vbs {

namespace {

Variant makeArray(Interpreter&, const Variant* a, int n)
{
    auto array = ArrayData::create({n - 1});
    for (int i = 0; i < n; ++i)
        array->elements[static_cast<size_t>(i)] = a[i];
    return Variant::fromArray(std::move(array));
}

qint32 bound(const Variant* a, int n, bool upper)
{
    if (!a[0].isArray())
        raise(ErrTypeMismatch);
    const ArrayData& array = *a[0].array();
    const qint32 dimension = n > 1 ? toLong(a[1]) : 1;
    if (dimension < 1 || dimension > static_cast<qint32>(array.upperBounds.size()))
        raise(ErrSubscript);
    return upper ? array.upperBounds[static_cast<size_t>(dimension - 1)] : 0;
}

Variant lBound(Interpreter&, const Variant* a, int n) { return Variant::fromLong(bound(a, n, false)); }
Variant uBound(Interpreter&, const Variant* a, int n) { return Variant::fromLong(bound(a, n, true)); }

Variant eval(Interpreter& interpreter, const Variant* a, int) { return interpreter.evaluateText(toString(a[0])); }

Variant execute(Interpreter& interpreter, const Variant* a, int)
{
    interpreter.executeText(toString(a[0]), false);
    return Variant();
}

Variant executeGlobal(Interpreter& interpreter, const Variant* a, int)
{
    interpreter.executeText(toString(a[0]), true);
    return Variant();
}

Variant errObject(Interpreter& interpreter, const Variant*, int) { return Variant::fromObject(interpreter.errObject()); }

Variant msgBox(Interpreter& interpreter, const Variant* a, int n)
{
    const QString prompt = toConcatString(a[0]);
    const qint32 buttons = n > 1 && !a[1].isEmpty() ? toLong(a[1]) : 0;
    const QString title = n > 2 ? toConcatString(a[2]) : QString();
    const int answer = interpreter.hooks.messageBox ? interpreter.hooks.messageBox(prompt, buttons, title) : 1;
    return Variant::fromInteger(static_cast<qint16>(answer));
}

Variant inputBox(Interpreter& interpreter, const Variant* a, int n)
{
    const QString prompt = toConcatString(a[0]);
    const QString title = n > 1 ? toConcatString(a[1]) : QString();
    const QString defaultText = n > 2 ? toConcatString(a[2]) : QString();
    return Variant::fromString(interpreter.hooks.inputBox ? interpreter.hooks.inputBox(prompt, title, defaultText) : defaultText);
}

// There are no outside components to create or attach to.
Variant createObject(Interpreter&, const Variant* a, int)
{
    raise(ErrCannotCreateObject, toConcatString(a[0]));
}

Variant getObject(Interpreter&, const Variant* a, int n)
{
    raise(ErrCannotCreateObject, n > 1 ? toConcatString(a[1]) : (n > 0 ? toConcatString(a[0]) : QString()));
}

Variant scriptEngine(Interpreter&, const Variant*, int) { return Variant::fromString(QStringLiteral("VBScript")); }
Variant majorVersion(Interpreter&, const Variant*, int) { return Variant::fromLong(5); }
Variant minorVersion(Interpreter&, const Variant*, int) { return Variant::fromLong(8); }
Variant buildVersion(Interpreter&, const Variant*, int) { return Variant::fromLong(1); }

const Builtin library[] = {
    {"Array", makeArray, 0, -1},
    {"LBound", lBound, 1, 2},
    {"UBound", uBound, 1, 2},
    {"Eval", eval, 1, 1},
    {"Execute", execute, 1, 1},
    {"ExecuteGlobal", executeGlobal, 1, 1},
    {"Err", errObject, 0, 0},
    {"MsgBox", msgBox, 1, 5},
    {"InputBox", inputBox, 1, 7},
    {"CreateObject", createObject, 1, 2},
    {"GetObject", getObject, 0, 2},
    {"ScriptEngine", scriptEngine, 0, 0},
    {"ScriptEngineMajorVersion", majorVersion, 0, 0},
    {"ScriptEngineMinorVersion", minorVersion, 0, 0},
    {"ScriptEngineBuildVersion", buildVersion, 0, 0},
};

} // namespace

std::span<const Builtin> runtimeLibrary() { return library; }

} // namespace vbs
