// Resolver: name binding over the syntax tree.
#include "scripting/vbscript/resolver.h"

#include "scripting/vbscript/builtins.h"
#include "scripting/vbscript/errors.h"

#include <QSet>

namespace vbs {

namespace {

[[noreturn]] void failAt(int number, const Node& node, const QString& name = QString())
{
    ScriptError error(number, name);
    error.setPosition(node.line, node.column);
    throw error;
}

class Resolver {
public:
    explicit Resolver(ResolveContext& context) : ctx_(context) {}

    void program(Program& program)
    {
        declareClasses(program);
        declareProcedures(program);
        declareModuleVariables(program.body);
        proc_ = ctx_.procedure;
        class_ = ctx_.classDef;
        allowNewLocals_ = false;
        block(program.body);
        for (auto& cls : program.classes)
            classBody(*cls);
        for (auto& procedure : program.procedures)
            procedureBody(*procedure, nullptr);
    }

    void lone(Expr& e)
    {
        proc_ = ctx_.procedure;
        class_ = ctx_.classDef;
        allowNewLocals_ = false;
        expr(e);
    }

private:
    ResolveContext& ctx_;
    Procedure* proc_ = nullptr;
    ClassDef* class_ = nullptr;
    bool allowNewLocals_ = false;

    // ---- declarations ---------------------------------------------------------------

    void declareClasses(Program& program)
    {
        for (auto& cls : program.classes) {
            if (ctx_.globals.symbols.contains(cls->lower))
                failAt(ErrNameRedefined, lineNode(cls->line), cls->name);
            GlobalSymbol symbol;
            symbol.kind = GlobalSymbol::Class;
            symbol.classDef = cls.get();
            ctx_.globals.symbols.insert(cls->lower, symbol);
            buildMembers(*cls);
        }
    }

    static Node lineNode(int line)
    {
        Node node;
        node.line = line;
        return node;
    }

    void declareProcedures(Program& program)
    {
        QSet<QString> seen;
        for (auto& procedure : program.procedures) {
            const auto existing = ctx_.globals.symbols.constFind(procedure->lower);
            const bool replacesProcedure = existing != ctx_.globals.symbols.constEnd()
                && existing->kind == GlobalSymbol::Procedure && !seen.contains(procedure->lower);
            if (existing != ctx_.globals.symbols.constEnd() && !replacesProcedure)
                failAt(ErrNameRedefined, lineNode(procedure->line), procedure->name);
            seen.insert(procedure->lower);
            GlobalSymbol symbol;
            symbol.kind = GlobalSymbol::Procedure;
            symbol.procedure = procedure.get();
            ctx_.globals.symbols.insert(procedure->lower, symbol);
        }
    }

    // Module-level Dim and Const lines anywhere outside procedures declare globals.
    void declareModuleVariables(Block& statements)
    {
        QSet<QString> declaredHere;
        forEachDeclaration(statements, [&](const QString& name, bool isConst, const Node& at) {
            const QString lower = name.toLower();
            if (declaredHere.contains(lower))
                failAt(ErrNameRedefined, at, name);
            declaredHere.insert(lower);
            if (ctx_.procedure) { // Execute inside a procedure: its Dims are that procedure's
                if (!ctx_.procedure->localNames.contains(lower))
                    ctx_.globals.symbols.contains(lower) ? void() : void(ctx_.globals.addVariable(lower, isConst));
                return;
            }
            if (ctx_.globals.symbols.contains(lower)) {
                const GlobalSymbol& symbol = ctx_.globals.symbols[lower];
                if (symbol.kind != GlobalSymbol::Variable || symbol.isConst || isConst)
                    failAt(ErrNameRedefined, at, name);
                return;
            }
            ctx_.globals.addVariable(lower, isConst);
        });
    }

    template <typename Visit>
    void forEachDeclaration(Block& statements, Visit&& visit)
    {
        for (auto& statement : statements)
            forEachDeclaration(*statement, visit);
    }

    template <typename Visit>
    void forEachDeclaration(Stmt& s, Visit& visit)
    {
        switch (s.kind) {
        case StmtKind::Dim:
            for (VarDecl& var : static_cast<DimStmt&>(s).vars) {
                Node at;
                at.line = var.line;
                at.column = var.column;
                visit(var.name, false, at);
            }
            break;
        case StmtKind::Const:
            for (auto& item : static_cast<ConstStmt&>(s).items)
                visit(item.target->name, true, *item.target);
            break;
        case StmtKind::If: {
            auto& ifs = static_cast<IfStmt&>(s);
            for (Block& b : ifs.blocks)
                forEachDeclaration(b, visit);
            forEachDeclaration(ifs.elseBlock, visit);
            break;
        }
        case StmtKind::Select: {
            auto& select = static_cast<SelectStmt&>(s);
            for (auto& branch : select.cases)
                forEachDeclaration(branch.body, visit);
            forEachDeclaration(select.elseBlock, visit);
            break;
        }
        case StmtKind::For: forEachDeclaration(static_cast<ForStmt&>(s).body, visit); break;
        case StmtKind::ForEach: forEachDeclaration(static_cast<ForEachStmt&>(s).body, visit); break;
        case StmtKind::Do: forEachDeclaration(static_cast<DoStmt&>(s).body, visit); break;
        case StmtKind::With: forEachDeclaration(static_cast<WithStmt&>(s).body, visit); break;
        default: break;
        }
    }

    void buildMembers(ClassDef& cls)
    {
        auto memberFor = [&](const QString& name, const Node& at) -> int {
            const QString lower = name.toLower();
            if (const auto found = cls.memberIndex.constFind(lower); found != cls.memberIndex.constEnd())
                return *found;
            ClassMember member;
            member.name = name;
            cls.members.push_back(member);
            const int index = static_cast<int>(cls.members.size()) - 1;
            cls.memberIndex.insert(lower, index);
            return index;
        };
        for (size_t i = 0; i < cls.fields.size(); ++i) {
            const FieldDecl& field = cls.fields[i];
            if (cls.memberIndex.contains(field.name.toLower()))
                failAt(ErrNameRedefined, lineNode(cls.line), field.name);
            ClassMember& member = cls.members[memberFor(field.name, lineNode(cls.line))];
            member.field = static_cast<int>(i);
            member.isPublic = field.isPublic;
        }
        for (auto& procedure : cls.procedures) {
            const Node at = lineNode(procedure->line);
            if (procedure->lower == QLatin1String("class_initialize") || procedure->lower == QLatin1String("class_terminate")) {
                if (procedure->kind != ProcKind::Sub || !procedure->params.empty())
                    failAt(ErrClassEventArguments, at);
                (procedure->lower.endsWith(QLatin1String("initialize")) ? cls.initialize : cls.terminate) = procedure.get();
            }
            ClassMember& member = cls.members[memberFor(procedure->name, at)];
            Procedure** slot = nullptr;
            switch (procedure->kind) {
            case ProcKind::Sub:
            case ProcKind::Function: slot = &member.method; break;
            case ProcKind::PropertyGet: slot = &member.get; break;
            case ProcKind::PropertyLet: slot = &member.let; break;
            case ProcKind::PropertySet: slot = &member.set; break;
            }
            if (*slot || member.field >= 0 || (member.method && slot != &member.method)
                || (slot == &member.method && (member.get || member.let || member.set)))
                failAt(ErrNameRedefined, at, procedure->name);
            *slot = procedure.get();
            member.isPublic = procedure->isPublic;
            if (procedure->isDefault) {
                const int index = cls.memberIndex.value(procedure->lower);
                if (cls.defaultMember >= 0 && cls.defaultMember != index)
                    failAt(ErrMultipleDefaults, at);
                cls.defaultMember = index;
            }
        }
    }

    // ---- bodies ---------------------------------------------------------------------

    void classBody(ClassDef& cls)
    {
        for (auto& procedure : cls.procedures)
            procedureBody(*procedure, &cls);
        Procedure* saved = proc_;
        ClassDef* savedClass = class_;
        proc_ = nullptr;
        class_ = &cls;
        for (FieldDecl& field : cls.fields)
            for (auto& dim : field.dims)
                expr(*dim);
        proc_ = saved;
        class_ = savedClass;
    }

    void procedureBody(Procedure& procedure, ClassDef* cls)
    {
        for (const Parameter& param : procedure.params) {
            const QString lower = param.name.toLower();
            if (procedure.localNames.contains(lower))
                failAt(ErrNameRedefined, lineNode(procedure.line), param.name);
            procedure.localNames.insert(lower, procedure.localCount++);
        }
        if (procedure.returnsValue())
            procedure.resultSlot = procedure.localCount++;
        forEachDeclaration(procedure.body, [&](const QString& name, bool isConst, const Node& at) {
            const QString lower = name.toLower();
            if (procedure.localNames.contains(lower))
                failAt(ErrNameRedefined, at, name);
            procedure.localNames.insert(lower, procedure.localCount++);
            if (isConst)
                procedure.constLocals.insert(lower, true);
        });
        proc_ = &procedure;
        class_ = cls;
        allowNewLocals_ = true;
        block(procedure.body);
        proc_ = nullptr;
        class_ = nullptr;
        allowNewLocals_ = false;
    }

    void block(Block& statements)
    {
        for (auto& s : statements)
            statement(*s);
    }

    void exprs(ExprList& list)
    {
        for (auto& e : list)
            expr(*e);
    }

    void statement(Stmt& s)
    {
        switch (s.kind) {
        case StmtKind::Assign: {
            auto& assign = static_cast<AssignStmt&>(s);
            expr(*assign.target);
            expr(*assign.value);
            break;
        }
        case StmtKind::Call: expr(*static_cast<CallStmt&>(s).call); break;
        case StmtKind::Dim: {
            auto& dim = static_cast<DimStmt&>(s);
            for (VarDecl& var : dim.vars) {
                exprs(var.dims);
                auto target = std::make_unique<NameExpr>();
                target->line = var.line;
                target->column = var.column;
                target->name = var.name;
                target->lower = var.name.toLower();
                name(*target);
                var.target = target.get();
                dim.targets.push_back(std::move(target));
            }
            break;
        }
        case StmtKind::ReDim:
            for (auto& item : static_cast<ReDimStmt&>(s).items) {
                declareImplicitly(*item.target);
                expr(*item.target);
                exprs(item.dims);
            }
            break;
        case StmtKind::Const:
            for (auto& item : static_cast<ConstStmt&>(s).items) {
                expr(*item.value);
                name(*item.target);
                item.target->isConst = false; // the declaring statement itself may write it
            }
            break;
        case StmtKind::If: {
            auto& ifs = static_cast<IfStmt&>(s);
            exprs(ifs.conditions);
            for (Block& b : ifs.blocks)
                block(b);
            block(ifs.elseBlock);
            break;
        }
        case StmtKind::Select: {
            auto& select = static_cast<SelectStmt&>(s);
            expr(*select.subject);
            for (auto& branch : select.cases) {
                for (CaseTest& test : branch.tests) {
                    expr(*test.value);
                    if (test.upper)
                        expr(*test.upper);
                }
                block(branch.body);
            }
            block(select.elseBlock);
            break;
        }
        case StmtKind::For: {
            auto& loop = static_cast<ForStmt&>(s);
            name(*loop.variable);
            expr(*loop.from);
            expr(*loop.to);
            if (loop.step)
                expr(*loop.step);
            block(loop.body);
            break;
        }
        case StmtKind::ForEach: {
            auto& loop = static_cast<ForEachStmt&>(s);
            name(*loop.variable);
            expr(*loop.collection);
            block(loop.body);
            break;
        }
        case StmtKind::Do: {
            auto& loop = static_cast<DoStmt&>(s);
            if (loop.condition)
                expr(*loop.condition);
            block(loop.body);
            break;
        }
        case StmtKind::With: {
            auto& with = static_cast<WithStmt&>(s);
            expr(*with.object);
            block(with.body);
            break;
        }
        case StmtKind::Erase: expr(*static_cast<EraseStmt&>(s).target); break;
        case StmtKind::Exit:
        case StmtKind::OnError: break;
        }
    }

    // ReDim declares its variable even under Option Explicit.
    void declareImplicitly(Expr& target)
    {
        if (target.kind != ExprKind::Name)
            return;
        const QString& lower = static_cast<NameExpr&>(target).lower;
        if (proc_ && allowNewLocals_) {
            if (!proc_->localNames.contains(lower) && !(class_ && class_->memberIndex.contains(lower))
                && !ctx_.globals.symbols.contains(lower))
                proc_->localNames.insert(lower, proc_->localCount++);
        } else if (!proc_ && !(class_ && class_->memberIndex.contains(lower)) && !ctx_.globals.symbols.contains(lower)) {
            ctx_.globals.addVariable(lower);
        }
    }

    void expr(Expr& e)
    {
        switch (e.kind) {
        case ExprKind::Literal: break;
        case ExprKind::Name: {
            auto& n = static_cast<NameExpr&>(e);
            exprs(n.args);
            name(n);
            break;
        }
        case ExprKind::Member: {
            auto& member = static_cast<MemberExpr&>(e);
            if (member.object)
                expr(*member.object);
            exprs(member.args);
            break;
        }
        case ExprKind::Index: {
            auto& index = static_cast<IndexExpr&>(e);
            expr(*index.target);
            exprs(index.args);
            break;
        }
        case ExprKind::Unary: expr(*static_cast<UnaryExpr&>(e).operand); break;
        case ExprKind::Binary: {
            auto& binary = static_cast<BinaryExpr&>(e);
            expr(*binary.left);
            expr(*binary.right);
            break;
        }
        case ExprKind::New: {
            auto& node = static_cast<NewExpr&>(e);
            const GlobalSymbol symbol = ctx_.globals.symbols.value(node.className.toLower());
            if (symbol.kind == GlobalSymbol::Class)
                node.classDef = symbol.classDef;
            break;
        }
        case ExprKind::Me:
            if (!class_)
                failAt(ErrInvalidMe, e);
            break;
        case ExprKind::Paren: expr(*static_cast<ParenExpr&>(e).inner); break;
        }
    }

    void name(NameExpr& n)
    {
        if (proc_) {
            if (const auto local = proc_->localNames.constFind(n.lower); local != proc_->localNames.constEnd()) {
                n.ref = NameRef::Local;
                n.slot = *local;
                n.isConst = proc_->constLocals.contains(n.lower);
                return;
            }
            if (n.lower == proc_->lower && proc_->returnsValue() && n.args.empty() && !n.hasParens) {
                n.ref = NameRef::ReturnValue;
                n.slot = proc_->resultSlot;
                return;
            }
        }
        if (class_) {
            if (const auto member = class_->memberIndex.constFind(n.lower); member != class_->memberIndex.constEnd()) {
                const ClassMember& m = class_->members[*member];
                n.ref = m.field >= 0 ? NameRef::Field : NameRef::ClassMember;
                n.slot = m.field >= 0 ? m.field : *member;
                return;
            }
        }
        if (const auto global = ctx_.globals.symbols.constFind(n.lower); global != ctx_.globals.symbols.constEnd()) {
            switch (global->kind) {
            case GlobalSymbol::Variable:
                n.ref = NameRef::Global;
                n.slot = global->slot;
                n.isConst = global->isConst;
                return;
            case GlobalSymbol::Procedure:
                n.ref = NameRef::Procedure;
                n.procedure = global->procedure;
                return;
            case GlobalSymbol::Class: break; // a class name is no value: looked up at run time
            }
        }
        for (size_t i = 0; i < ctx_.namedObjects.size(); ++i) {
            if (ctx_.namedObjects[i].lower == n.lower) {
                n.ref = NameRef::NamedObject;
                n.slot = static_cast<int>(i);
                return;
            }
        }
        if (const Variant* constant = findConstant(n.lower)) {
            n.ref = NameRef::Constant;
            n.constant = constant;
            return;
        }
        if (const Builtin* builtin = findBuiltin(n.lower)) {
            n.ref = NameRef::Builtin;
            n.builtin = builtin;
            return;
        }
        n.ref = NameRef::Unresolved;
        if (ctx_.optionExplicit)
            return;
        // Inside a procedure an undeclared name is local, unless module code already uses
        // it undeclared: then both mean the same module variable.
        if (proc_ && allowNewLocals_ && !ctx_.globals.implicit.contains(n.lower)) {
            n.fallbackLocal = true;
            auto found = proc_->implicitLocals.constFind(n.lower);
            if (found == proc_->implicitLocals.constEnd())
                found = proc_->implicitLocals.insert(n.lower, proc_->localCount++);
            n.fallbackSlot = *found;
        } else {
            n.fallbackLocal = false;
            n.fallbackSlot = ctx_.globals.implicitSlot(n.lower);
        }
    }
};

} // namespace

void resolveProgram(Program& program, ResolveContext& context)
{
    context.optionExplicit = context.optionExplicit || program.optionExplicit;
    Resolver(context).program(program);
}

void resolveExpression(Expr& expression, ResolveContext& context) { Resolver(context).lone(expression); }

} // namespace vbs
