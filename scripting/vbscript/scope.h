// Names known at module level, shared by every text the engine runs (the main script,
// ExecuteGlobal and Execute texts), and the named objects the host supplied.
#pragma once

#include "scripting/vbscript/ast.h"
#include "scripting/vbscript/dispatch.h"

#include <QHash>
#include <QString>

#include <deque>
#include <vector>

namespace vbs {

struct GlobalSymbol {
    enum Kind : quint8 { Variable, Procedure, Class } kind = Variable;
    int slot = -1;
    bool isConst = false;
    vbs::Procedure* procedure = nullptr;
    ClassDef* classDef = nullptr;
};

struct NamedObject {
    QString name;
    QString lower;
    DispatchPtr object;
    bool globalMembers = false;
};

struct GlobalScope {
    QHash<QString, GlobalSymbol> symbols;
    std::deque<Variant> values; // a deque: ByRef arguments point into it while it grows
    // Undeclared names used at module level, by the slot they fall back to.
    QHash<QString, int> implicit;

    int implicitSlot(const QString& lower)
    {
        if (const auto found = implicit.constFind(lower); found != implicit.constEnd())
            return *found;
        const int slot = static_cast<int>(values.size());
        values.emplace_back();
        implicit.insert(lower, slot);
        return slot;
    }

    int addVariable(const QString& lower, bool isConst = false)
    {
        GlobalSymbol symbol;
        symbol.slot = static_cast<int>(values.size());
        symbol.isConst = isConst;
        values.emplace_back();
        symbols.insert(lower, symbol);
        return symbol.slot;
    }
};

} // namespace vbs
