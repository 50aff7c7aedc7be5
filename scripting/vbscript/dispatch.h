// The dispatch interface through which scripts reach objects: names map to member ids,
// and members are read, written or called by id with positional arguments.
#pragma once

#include "scripting/vbscript/variant.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace vbs {

class ClassInstance;

// Automation result codes.
enum class HResult : std::uint32_t {
    Ok = 0,
    NotImplemented = 0x80004001,   // E_NOTIMPL
    Fail = 0x80004005,             // E_FAIL
    TypeMismatch = 0x80020005,     // DISP_E_TYPEMISMATCH
    UnknownName = 0x80020006,      // DISP_E_UNKNOWNNAME
    Exception = 0x80020009,        // DISP_E_EXCEPTION
    MemberNotFound = 0x8002000B,   // DISP_E_MEMBERNOTFOUND
    BadParamCount = 0x8002000E,    // DISP_E_BADPARAMCOUNT
};

// How a member is used; an expression read passes PropertyGet | Method, a call statement
// Method, an assignment PropertyPut and a Set assignment PropertyPutRef.
enum InvokeFlag : int {
    InvokeMethod = 1,
    InvokePropertyGet = 2,
    InvokePropertyPut = 4,
    InvokePropertyPutRef = 8,
};

// The member id of an object's default member (its value).
constexpr int DispIdValue = 0;

// Filled in by a member that fails with HResult::Exception.
struct ExceptionInfo {
    qint32 code = 0; // becomes Err.Number when not 0
    QString source;
    QString description;
};

// Arguments in call order (the first argument at index 0). For PropertyPut and
// PropertyPutRef the assigned value is the last element, after any index arguments.
using Arguments = std::vector<Variant>;

class Dispatch {
public:
    virtual ~Dispatch() = default;

    // Maps a member name (any case) to its id; HResult::UnknownName when there is none.
    virtual HResult getIdOfName(const QString& name, int& memberId) = 0;
    virtual HResult invoke(int memberId, int flags, const Arguments& args, Variant& result,
                           ExceptionInfo& exception) = 0;

    // What TypeName reports for the object.
    virtual QString typeName() const { return QStringLiteral("Object"); }
    // The elements For Each walks; false when the object is not a collection.
    virtual bool enumerate(std::vector<Variant>& items) { return false; }
    // The script object behind this interface, when it is one (lets the interpreter take
    // its fast path); other objects answer none.
    virtual ClassInstance* asClassInstance() { return nullptr; }
};

// Raises the script error that matches a failed dispatch answer.
[[noreturn]] void raiseDispatchFailure(HResult result, const ExceptionInfo& exception, const QString& member);

// Reads the default member of an object as a plain value; Nothing and objects without a
// usable default raise the language's errors.
Variant defaultValue(const Variant& object);

} // namespace vbs
