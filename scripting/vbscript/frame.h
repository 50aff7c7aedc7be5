// The activation record of one procedure call (or of module-level code).
#pragma once

#include "scripting/vbscript/variant.h"

#include <vector>

namespace vbs {

class ClassInstance;
struct Procedure;

struct Frame {
    Procedure* procedure = nullptr;
    ClassInstance* me = nullptr;
    DispatchPtr meHold; // keeps Me alive for the call
    std::vector<Variant> storage;
    std::vector<Variant*> refs; // each local: its own storage, or the caller's variable (ByRef)
    std::vector<Variant> withObjects;
    bool resumeNext = false;
};

} // namespace vbs
