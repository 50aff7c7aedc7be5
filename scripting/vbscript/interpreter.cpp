// Interpreter: evaluation of expressions and execution of statements.
#include "scripting/vbscript/interpreter.h"

#include "scripting/vbscript/builtins.h"
#include "scripting/vbscript/conversion.h"
#include "scripting/vbscript/limits.h"
#include "scripting/vbscript/operators.h"
#include "scripting/vbscript/parser.h"
#include "scripting/vbscript/resolver.h"

#include <chrono>
#include <cmath>
#include <cstring>

namespace vbs {

namespace {

constexpr qint64 stepsBetweenChecks = 4096;

bool isPlainVariableRef(NameRef ref)
{
    return ref == NameRef::Local || ref == NameRef::Global || ref == NameRef::Field || ref == NameRef::ReturnValue;
}

// Let assignment takes the value of an object's default member.
Variant letValue(Variant value)
{
    if (value.isObject())
        return defaultValue(value);
    return value;
}

// The name an "Object required" error shows: the variable that held no object.
QString objectName(const MemberExpr& m)
{
    if (m.object && m.object->kind == ExprKind::Name)
        return static_cast<const NameExpr&>(*m.object).name;
    return m.name;
}

struct WithScope {
    Frame& frame;
    WithScope(Frame& f, Variant object) : frame(f) { frame.withObjects.push_back(std::move(object)); }
    ~WithScope() { frame.withObjects.pop_back(); }
};

} // namespace

struct CallDepthGuard {
    Interpreter& interpreter;
    explicit CallDepthGuard(Interpreter& i) : interpreter(i) { interpreter.enterCall(); }
    ~CallDepthGuard() { --interpreter.callDepth_; }
};

// ---- life cycle ------------------------------------------------------------------------

Interpreter::Interpreter()
    : link_(std::make_shared<InterpreterLink>()), errHold_(std::make_shared<ErrObject>())
{
    link_->interpreter = this;
    err_ = errHold_.get();
    resetSteps();
}

Interpreter::~Interpreter()
{
    clearState();
    link_->interpreter = nullptr;
}

void Interpreter::clearState()
{
    shuttingDown_ = true;
    // Objects may hold each other in a ring: empty every object's variables first.
    std::vector<ClassInstance*> live(instances_.begin(), instances_.end());
    std::vector<Variant> released;
    for (ClassInstance* object : live) {
        object->terminated = true;
        for (Variant& field : object->fields)
            released.push_back(std::move(field));
    }
    std::deque<Variant> values;
    values.swap(globals.values);
    moduleFrame_.withObjects.clear();
    moduleFrame_.resumeNext = false;
    released.clear();
    values.clear();
    globals = GlobalScope();
    namedObjects.clear();
    programs_.clear();
    evalTrees_.clear();
    optionExplicit_ = false;
    err_->clear();
    shuttingDown_ = false;
}

void Interpreter::resetSteps()
{
    steps_ = 0;
    nextCheck_ = stepLimit_ > 0 ? std::min(stepLimit_, stepsBetweenChecks) : stepsBetweenChecks;
}

void Interpreter::checkLimits()
{
    if (stepLimit_ > 0 && steps_ >= stepLimit_)
        throw Interrupt();
    if (interruptCheck_ && interruptCheck_())
        throw Interrupt();
    nextCheck_ = steps_ + stepsBetweenChecks;
    if (stepLimit_ > 0 && nextCheck_ > stepLimit_)
        nextCheck_ = stepLimit_;
}

void Interpreter::enterFromHost()
{
    if (hostDepth_++ == 0)
        stackBase_ = static_cast<const char*>(__builtin_frame_address(0));
}

void Interpreter::leaveToHost()
{
    if (--hostDepth_ == 0)
        stackBase_ = nullptr;
}

void Interpreter::enterCall()
{
    const char* here = static_cast<const char*>(__builtin_frame_address(0));
    const bool stackExhausted = stackBase_ && std::llabs(stackBase_ - here) > limits::stackBudgetBytes;
    if (callDepth_ >= limits::maxCallDepth || stackExhausted)
        raise(ErrOutOfStack);
    ++callDepth_;
}

// ---- texts ---------------------------------------------------------------------------

void Interpreter::runText(const QString& text, bool keepOptionExplicit)
{
    auto program = parseProgram(text);
    ResolveContext context{globals, namedObjects, keepOptionExplicit && optionExplicit_};
    resolveProgram(*program, context);
    if (!keepOptionExplicit)
        optionExplicit_ = program->optionExplicit;
    Program& running = *program;
    keepProgram(std::move(program));
    if (keepOptionExplicit) {
        Frame frame;
        frames_.push_back(&frame);
        try {
            runProgram(running, frame);
        } catch (...) {
            frames_.pop_back();
            throw;
        }
        frames_.pop_back();
        return;
    }
    frames_.push_back(&moduleFrame_);
    try {
        runProgram(running, moduleFrame_);
    } catch (...) {
        frames_.pop_back();
        throw;
    }
    frames_.pop_back();
}

void Interpreter::keepProgram(std::unique_ptr<Program> program)
{
    std::shared_ptr<Program> shared(std::move(program));
    for (auto& cls : shared->classes)
        cls->program = shared;
    programs_.push_back(std::move(shared));
}

void Interpreter::runProgram(Program& program, Frame& frame)
{
    for (ConstStmt* constant : program.moduleConsts)
        exec(*constant, frame);
    for (const StmtPtr& s : program.body)
        if (s->kind != StmtKind::Const && exec(*s, frame) != Flow::Normal)
            break;
}

Procedure* Interpreter::findProcedure(const QString& name) const
{
    const auto found = globals.symbols.constFind(name.toLower());
    if (found == globals.symbols.constEnd() || found->kind != GlobalSymbol::Procedure)
        return nullptr;
    return found->procedure;
}

// Syntax errors in an Eval or Execute text are reported at the statement that ran it.
template <typename Parse>
auto compileText(const QString& text, Parse parse)
{
    try {
        return parse(text);
    } catch (ScriptError& error) {
        error.setPosition(-1, -1);
        throw;
    }
}

Variant Interpreter::evaluateText(const QString& text)
{
    Frame& frame = frames_.empty() ? moduleFrame_ : *frames_.back();
    auto tree = compileText(text, [](const QString& source) { return parseExpressionText(source); });
    ResolveContext context{globals, namedObjects, optionExplicit_, frame.procedure, frame.me ? const_cast<ClassDef*>(&frame.me->definition()) : nullptr};
    resolveExpression(*tree, context);
    CallDepthGuard depth(*this);
    Variant result = eval(*tree, frame);
    evalTrees_.push_back(std::move(tree)); // names resolved into it may now be cached
    if (evalTrees_.size() > 64)
        evalTrees_.erase(evalTrees_.begin());
    return result;
}

void Interpreter::executeText(const QString& text, bool global)
{
    Frame& frame = frames_.empty() ? moduleFrame_ : *frames_.back();
    auto program = compileText(text, [](const QString& source) { return parseProgram(source); });
    Procedure* procedure = global ? nullptr : frame.procedure;
    ClassDef* cls = !global && frame.me ? const_cast<ClassDef*>(&frame.me->definition()) : nullptr;
    ResolveContext context{globals, namedObjects, optionExplicit_, procedure, cls};
    resolveProgram(*program, context);
    Program& running = *program;
    keepProgram(std::move(program));
    CallDepthGuard depth(*this);
    if (global) {
        Frame globalFrame;
        frames_.push_back(&globalFrame);
        try {
            runProgram(running, globalFrame);
        } catch (...) {
            frames_.pop_back();
            throw;
        }
        frames_.pop_back();
        return;
    }
    runProgram(running, frame);
}

// ---- frames and calls ------------------------------------------------------------------

Frame* Interpreter::acquireFrame(Procedure& procedure)
{
    Frame* frame = nullptr;
    if (!procedure.framePool.empty()) {
        frame = procedure.framePool.back().release();
        procedure.framePool.pop_back();
    } else {
        frame = new Frame;
        frame->procedure = &procedure;
    }
    const size_t count = static_cast<size_t>(procedure.localCount);
    if (frame->storage.size() != count) {
        frame->storage.assign(count, Variant());
        frame->refs.resize(count);
    }
    for (size_t i = 0; i < count; ++i)
        frame->refs[i] = &frame->storage[i];
    return frame;
}

void Interpreter::releaseFrame(Procedure& procedure, Frame* frame)
{
    std::unique_ptr<Frame> owned(frame);
    // Locals may hold the last reference to an object whose Class_Terminate runs now;
    // each is emptied before its old value is released.
    for (Variant& local : frame->storage)
        local = Variant();
    frame->withObjects.clear();
    frame->resumeNext = false;
    DispatchPtr me = std::move(frame->meHold);
    frame->me = nullptr;
    if (procedure.framePool.size() < 8)
        procedure.framePool.push_back(std::move(owned));
    me.reset();
}

Variant Interpreter::runProcedure(Procedure& procedure, Frame& frame)
{
    CallDepthGuard depth(*this);
    frames_.push_back(&frame);
    try {
        execBlock(procedure.body, frame);
    } catch (...) {
        frames_.pop_back();
        throw;
    }
    frames_.pop_back();
    return procedure.resultSlot >= 0 ? std::move(*frame.refs[procedure.resultSlot]) : Variant();
}

Variant Interpreter::callScript(Procedure& procedure, ClassInstance* me, const ExprList& args, Frame& caller)
{
    if (args.size() != procedure.params.size())
        raise(ErrWrongArguments, procedure.name);
    Frame* frame = acquireFrame(procedure);
    struct Release {
        Interpreter& self;
        Procedure& procedure;
        Frame* frame;
        ~Release() { self.releaseFrame(procedure, frame); }
    } release{*this, procedure, frame};
    for (size_t i = 0; i < args.size(); ++i) {
        const Parameter& param = procedure.params[i];
        if (!param.byVal) {
            if (Variant* ref = variableRef(*args[i], caller)) {
                frame->refs[i] = ref;
                continue;
            }
        }
        frame->storage[i] = eval(*args[i], caller);
    }
    frame->me = me;
    if (me)
        frame->meHold = me->weak_from_this().lock(); // none while Class_Terminate runs
    return runProcedure(procedure, *frame);
}

Variant Interpreter::callProcedure(Procedure& procedure, ClassInstance* me, const Variant* args, int count)
{
    if (count != static_cast<int>(procedure.params.size()))
        raise(ErrWrongArguments, procedure.name);
    Frame* frame = acquireFrame(procedure);
    struct Release {
        Interpreter& self;
        Procedure& procedure;
        Frame* frame;
        ~Release() { self.releaseFrame(procedure, frame); }
    } release{*this, procedure, frame};
    for (int i = 0; i < count; ++i)
        frame->storage[i] = args[i];
    frame->me = me;
    if (me)
        frame->meHold = me->weak_from_this().lock();
    return runProcedure(procedure, *frame);
}

// ---- names and variables -----------------------------------------------------------------

Variant* Interpreter::nameSlot(const NameExpr& n, Frame& f)
{
    switch (n.ref) {
    case NameRef::Local:
    case NameRef::ReturnValue: return f.refs[n.slot];
    case NameRef::Global: return &globals.values[n.slot];
    case NameRef::Field: return f.me ? &f.me->fields[n.slot] : nullptr;
    case NameRef::Unresolved: {
        int object = 0, member = 0;
        if (findGlobalMember(n, object, member))
            return nullptr;
        if (n.fallbackSlot < 0)
            raise(ErrUndefinedVariable, n.name);
        return n.fallbackLocal ? f.refs[n.fallbackSlot] : &globals.values[n.fallbackSlot];
    }
    default: return nullptr;
    }
}

Variant* Interpreter::variableRef(const Expr& e, Frame& f)
{
    if (e.kind != ExprKind::Name)
        return nullptr;
    const auto& n = static_cast<const NameExpr&>(e);
    if (n.hasParens || !n.args.empty() || n.isConst)
        return nullptr;
    if (!isPlainVariableRef(n.ref) && n.ref != NameRef::Unresolved)
        return nullptr;
    return nameSlot(n, f);
}

bool Interpreter::findGlobalMember(const NameExpr& n, int& objectIndex, int& memberId)
{
    const quint64 generation = static_cast<quint64>(namedObjects.size()) + 1;
    if (n.cacheGeneration == generation) {
        objectIndex = n.cacheObject;
        memberId = n.cacheMember;
        return objectIndex >= 0;
    }
    n.cacheGeneration = generation;
    n.cacheObject = -2;
    for (size_t i = 0; i < namedObjects.size(); ++i) {
        const NamedObject& named = namedObjects[i];
        int id = 0;
        if (named.globalMembers && named.object && named.object->getIdOfName(n.name, id) == HResult::Ok) {
            n.cacheObject = static_cast<int>(i);
            n.cacheMember = id;
            break;
        }
    }
    objectIndex = n.cacheObject;
    memberId = n.cacheMember;
    return objectIndex >= 0;
}

Arguments Interpreter::evalArgs(const ExprList& args, Frame& f)
{
    Arguments values;
    values.reserve(args.size());
    for (const ExprPtr& arg : args)
        values.push_back(eval(*arg, f));
    return values;
}

void Interpreter::evalIndexes(const ExprList& args, Frame& f, QVarLengthArray<qint32, 4>& indexes)
{
    for (const ExprPtr& arg : args) {
        const Variant index = eval(*arg, f);
        indexes.append(index.isIntegralType() ? index.integralValue() : toLong(index));
    }
}

Variant Interpreter::elementOf(const Variant& array, const Arguments& args)
{
    const ArrayData* data = array.array();
    QVarLengthArray<qint32, 4> indexes;
    for (const Variant& arg : args)
        indexes.append(toLong(arg));
    const qint64 offset = data->offsetOf(indexes.constData(), static_cast<size_t>(indexes.size()));
    if (offset < 0)
        raise(ErrSubscript);
    return data->elements[static_cast<size_t>(offset)];
}

Variant& Interpreter::elementRef(Variant& array, const Arguments& args)
{
    QVarLengthArray<qint32, 4> indexes;
    for (const Variant& arg : args)
        indexes.append(toLong(arg));
    ArrayData* data = array.mutableArray();
    const qint64 offset = data->offsetOf(indexes.constData(), static_cast<size_t>(indexes.size()));
    if (offset < 0)
        raise(ErrSubscript);
    return data->elements[static_cast<size_t>(offset)];
}

// x(args) where x already holds a value: an array element or the object's default member.
Variant Interpreter::applyArguments(const Variant& value, Arguments& args, const QString& name)
{
    if (value.isArray())
        return elementOf(value, args);
    if (value.isObject()) {
        if (value.isNothing())
            raise(ErrObjectNotSet);
        Dispatch& object = *value.objectPointer();
        if (ClassInstance* instance = object.asClassInstance()) {
            if (instance->definition().defaultMember < 0)
                raise(ErrNoSuchMember, name);
            return invokeClassMember(*instance, instance->definition().defaultMember, InvokePropertyGet | InvokeMethod, args, false);
        }
        Variant result;
        ExceptionInfo exception;
        const HResult answer = object.invoke(DispIdValue, InvokePropertyGet | InvokeMethod, args, result, exception);
        if (answer != HResult::Ok)
            raiseDispatchFailure(answer, exception, name);
        return result;
    }
    raise(ErrTypeMismatch, name);
}

Variant Interpreter::evalName(const NameExpr& n, Frame& f, int flags)
{
    switch (n.ref) {
    case NameRef::Local:
    case NameRef::ReturnValue:
    case NameRef::Global:
    case NameRef::Field: {
        const Variant* slot = nameSlot(n, f);
        if (!slot)
            raise(ErrInvalidMe);
        if (n.args.empty() && (!n.hasParens || !slot->isObject()))
            return *slot;
        if (slot->isArray()) {
            QVarLengthArray<qint32, 4> indexes;
            evalIndexes(n.args, f, indexes);
            const ArrayData* data = nameSlot(n, f)->array();
            const qint64 offset = data ? data->offsetOf(indexes.constData(), static_cast<size_t>(indexes.size())) : -1;
            if (offset < 0)
                raise(ErrSubscript);
            return data->elements[static_cast<size_t>(offset)];
        }
        Arguments args = evalArgs(n.args, f);
        return applyArguments(*nameSlot(n, f), args, n.name);
    }
    case NameRef::Constant: return *n.constant;
    case NameRef::Procedure: return callScript(*n.procedure, nullptr, n.args, f);
    case NameRef::Builtin: return callBuiltin(n, f);
    case NameRef::ClassMember: {
        ClassInstance* me = f.me;
        if (!me)
            raise(ErrInvalidMe);
        const ClassMember& member = me->definition().members[n.slot];
        if (member.method)
            return callScript(*member.method, me, n.args, f);
        Arguments args = evalArgs(n.args, f);
        return invokeClassMember(*me, n.slot, flags, args, true);
    }
    case NameRef::NamedObject: {
        const Variant object = Variant::fromObject(namedObjects.at(n.slot).object);
        if (n.args.empty())
            return object;
        Arguments args = evalArgs(n.args, f);
        return applyArguments(object, args, n.name);
    }
    case NameRef::Unresolved: {
        int objectIndex = 0, memberId = 0;
        if (findGlobalMember(n, objectIndex, memberId)) {
            Arguments args = evalArgs(n.args, f);
            Variant result;
            ExceptionInfo exception;
            Dispatch& object = *namedObjects[objectIndex].object;
            const HResult answer = object.invoke(memberId, flags, args, result, exception);
            if (answer != HResult::Ok)
                raiseDispatchFailure(answer, exception, n.name);
            return result;
        }
        const GlobalSymbol symbol = globals.symbols.value(n.lower);
        if (symbol.kind == GlobalSymbol::Procedure) // defined later by ExecuteGlobal
            return callScript(*symbol.procedure, nullptr, n.args, f);
        if (n.fallbackSlot < 0)
            raise(ErrUndefinedVariable, n.name);
        const Variant& value = n.fallbackLocal ? *f.refs[n.fallbackSlot] : globals.values[n.fallbackSlot];
        if (n.args.empty() && !n.hasParens)
            return value;
        if (!value.isArray() && !value.isObject())
            raise(ErrTypeMismatch, n.name);
        Arguments args = evalArgs(n.args, f);
        return applyArguments(n.fallbackLocal ? *f.refs[n.fallbackSlot] : globals.values[n.fallbackSlot], args, n.name);
    }
    }
    return Variant();
}

Variant Interpreter::callBuiltin(const NameExpr& n, Frame& f)
{
    const Builtin& builtin = *n.builtin;
    const int count = static_cast<int>(n.args.size());
    if (count < builtin.minArgs || (builtin.maxArgs >= 0 && count > builtin.maxArgs))
        raise(ErrWrongArguments, QString::fromLatin1(builtin.name));
    ArgBuffer args;
    args.reserve(count);
    for (const ExprPtr& arg : n.args)
        args.append(eval(*arg, f));
    return builtin.function(*this, args.constData(), count);
}

// ---- members ---------------------------------------------------------------------------

Variant Interpreter::memberObject(const MemberExpr& m, Frame& f)
{
    if (m.object)
        return eval(*m.object, f);
    if (f.withObjects.empty())
        raise(ErrObjectRequired);
    return f.withObjects.back();
}

Variant Interpreter::invokeDispatch(Dispatch& object, const QString& name, int flags, Arguments& args)
{
    int memberId = 0;
    HResult answer = object.getIdOfName(name, memberId);
    if (answer != HResult::Ok)
        raiseDispatchFailure(HResult::UnknownName, ExceptionInfo(), name);
    Variant result;
    ExceptionInfo exception;
    answer = object.invoke(memberId, flags, args, result, exception);
    if (answer != HResult::Ok)
        raiseDispatchFailure(answer, exception, name);
    return result;
}

Variant Interpreter::invokeMember(const Variant& target, const QString& name, const QString& lower, int flags,
                                  Arguments& args, Frame& f, const MemberExpr* cacheFrom)
{
    Dispatch* object = target.objectPointer();
    if (!object)
        raise(ErrObjectRequired, name);
    if (ClassInstance* instance = object->asClassInstance()) {
        const ClassDef& def = instance->definition();
        int index = -1;
        if (cacheFrom && cacheFrom->cachedClass == &def) {
            index = cacheFrom->cachedMember;
        } else {
            index = def.memberIndex.value(lower, -1);
            if (cacheFrom) {
                cacheFrom->cachedClass = &def;
                cacheFrom->cachedMember = index;
            }
        }
        if (index < 0)
            raise(ErrNoSuchMember, name);
        return invokeClassMember(*instance, index, flags, args, f.me == instance);
    }
    return invokeDispatch(*object, name, flags, args);
}

Variant Interpreter::evalMember(const MemberExpr& m, Frame& f, int flags)
{
    const Variant target = memberObject(m, f);
    if (!target.isObject() || target.isNothing())
        raise(ErrObjectRequired, objectName(m));
    // Script methods take their arguments by reference, like bare calls do.
    if (ClassInstance* instance = target.objectPointer()->asClassInstance()) {
        const ClassDef& def = instance->definition();
        const int index = m.cachedClass == &def ? m.cachedMember : def.memberIndex.value(m.lower, -1);
        m.cachedClass = &def;
        m.cachedMember = index;
        if (index >= 0) {
            const ClassMember& member = def.members[index];
            if (member.method && (member.isPublic || f.me == instance))
                return callScript(*member.method, instance, m.args, f);
        }
    }
    Arguments args = evalArgs(m.args, f);
    return invokeMember(target, m.name, m.lower, flags, args, f, &m);
}

Variant Interpreter::evalIndex(const IndexExpr& e, Frame& f)
{
    const Variant target = eval(*e.target, f);
    Arguments args = evalArgs(e.args, f);
    return applyArguments(target, args, QString());
}

Variant Interpreter::invokeClassMember(ClassInstance& object, int memberIndex, int flags, Arguments& args, bool fromInside)
{
    const ClassDef& def = object.definition();
    const ClassMember& member = def.members[memberIndex];
    if (!member.isPublic && !fromInside)
        raise(ErrNoSuchMember, member.name);
    DispatchPtr hold; // the object must outlive its own member call
    const bool put = flags & (InvokePropertyPut | InvokePropertyPutRef);
    if (member.field >= 0) {
        Variant& field = object.fields[member.field];
        if (!put) {
            if (args.empty())
                return field;
            return applyArguments(field, args, member.name);
        }
        Variant value = std::move(args.back());
        args.pop_back();
        if (args.empty()) {
            field = (flags & InvokePropertyPutRef) ? std::move(value) : letValue(std::move(value));
            return Variant();
        }
        if (!field.isArray())
            raise(ErrTypeMismatch, member.name);
        elementRef(field, args) = letValue(std::move(value));
        return Variant();
    }
    Procedure* procedure = member.method;
    if (put)
        procedure = (flags & InvokePropertyPutRef) ? (member.set ? member.set : member.let) : (member.let ? member.let : member.set);
    else if (!procedure)
        procedure = member.get;
    if (!procedure)
        raise(put ? ErrIllegalAssignment : ErrNoSuchMember, member.name);
    if (put && procedure->kind == ProcKind::Sub)
        raise(ErrIllegalAssignment, member.name);
    return callProcedure(*procedure, &object, args.data(), static_cast<int>(args.size()));
}

Variant Interpreter::evalNew(const NewExpr& e)
{
    const ClassDef* def = e.classDef;
    if (!def) {
        const GlobalSymbol symbol = globals.symbols.value(e.className.toLower());
        if (symbol.kind != GlobalSymbol::Class)
            raise(ErrClassNotDefined, e.className);
        def = symbol.classDef;
    }
    auto object = std::make_shared<ClassInstance>(*def, link_);
    initializeFields(*object);
    if (def->initialize)
        callProcedure(*def->initialize, object.get(), nullptr, 0);
    return Variant::fromObject(std::move(object));
}

void Interpreter::initializeFields(ClassInstance& object)
{
    const ClassDef& def = object.definition();
    object.fields.resize(def.fields.size());
    for (size_t i = 0; i < def.fields.size(); ++i) {
        const FieldDecl& field = def.fields[i];
        if (field.isArray)
            object.fields[i] = Variant::fromArray(newArray(field.dims, moduleFrame_));
    }
}

// ---- expressions -----------------------------------------------------------------------

Variant Interpreter::evalBinary(const BinaryExpr& b, Frame& f)
{
    const Variant left = eval(*b.left, f);
    const Variant right = eval(*b.right, f);
    // Integer and Long operands take a short path for the common operators.
    const VarType lt = left.type(), rt = right.type();
    if ((lt == VarType::Integer || lt == VarType::Long) && (rt == VarType::Integer || rt == VarType::Long)) {
        const qint64 x = left.integralValue(), y = right.integralValue();
        const bool bothInteger = lt == VarType::Integer && rt == VarType::Integer;
        auto whole = [bothInteger](qint64 r) {
            if (bothInteger && r >= -32768 && r <= 32767)
                return Variant::fromInteger(static_cast<qint16>(r));
            if (r >= INT32_MIN && r <= INT32_MAX)
                return Variant::fromLong(static_cast<qint32>(r));
            return Variant::fromDouble(static_cast<double>(r));
        };
        switch (b.op) {
        case BinaryOp::Add: return whole(x + y);
        case BinaryOp::Subtract: return whole(x - y);
        case BinaryOp::Multiply: return whole(x * y);
        case BinaryOp::Mod:
            if (y != 0)
                return whole(x % y);
            break;
        case BinaryOp::IntDivide:
            if (y != 0)
                return whole(x / y);
            break;
        case BinaryOp::Equal: return Variant::fromBool(x == y);
        case BinaryOp::NotEqual: return Variant::fromBool(x != y);
        case BinaryOp::Less: return Variant::fromBool(x < y);
        case BinaryOp::Greater: return Variant::fromBool(x > y);
        case BinaryOp::LessEqual: return Variant::fromBool(x <= y);
        case BinaryOp::GreaterEqual: return Variant::fromBool(x >= y);
        default: break;
        }
    }
    if (b.op == BinaryOp::Concat && lt == VarType::String && rt == VarType::String
        && left.stringValue().size() + right.stringValue().size() <= limits::maxStringLength)
        return Variant::fromString(left.stringValue() + right.stringValue());
    return applyBinary(b.op, left, right, b.literals);
}

Variant Interpreter::eval(const Expr& e, Frame& f)
{
    switch (e.kind) {
    case ExprKind::Literal: return static_cast<const LiteralExpr&>(e).value;
    case ExprKind::Name: {
        const auto& n = static_cast<const NameExpr&>(e);
        if (n.args.empty() && !n.hasParens) { // plain variables, the most common case
            if (n.ref == NameRef::Local)
                return *f.refs[n.slot];
            if (n.ref == NameRef::Global)
                return globals.values[n.slot];
        }
        return evalName(n, f, InvokePropertyGet | InvokeMethod);
    }
    case ExprKind::Member: return evalMember(static_cast<const MemberExpr&>(e), f, InvokePropertyGet | InvokeMethod);
    case ExprKind::Index: return evalIndex(static_cast<const IndexExpr&>(e), f);
    case ExprKind::Binary: {
        const auto& b = static_cast<const BinaryExpr&>(e);
        // And/Or evaluate both sides, as the language does; only the result is combined.
        return evalBinary(b, f);
    }
    case ExprKind::Unary: {
        const auto& u = static_cast<const UnaryExpr&>(e);
        const Variant operand = eval(*u.operand, f);
        switch (u.op) {
        case UnaryOp::Negate: return negate(operand);
        case UnaryOp::Not: return logicalNot(operand);
        case UnaryOp::Plus: return operand.isObject() ? defaultValue(operand) : operand;
        }
        return operand;
    }
    case ExprKind::New: return evalNew(static_cast<const NewExpr&>(e));
    case ExprKind::Me:
        if (!f.me)
            raise(ErrInvalidMe);
        return f.meHold ? Variant::fromObject(f.meHold) : Variant::nothing();
    case ExprKind::Paren: {
        const Variant value = eval(*static_cast<const ParenExpr&>(e).inner, f);
        return value;
    }
    }
    return Variant();
}

// ---- statements ------------------------------------------------------------------------

Interpreter::Flow Interpreter::execBlock(const Block& block, Frame& f)
{
    for (const StmtPtr& s : block) {
        const Flow flow = exec(*s, f);
        if (flow != Flow::Normal)
            return flow;
    }
    return Flow::Normal;
}

Interpreter::Flow Interpreter::exec(const Stmt& s, Frame& f)
{
    step();
    currentLine_ = s.line;
    currentColumn_ = s.column;
    try {
        return execStatement(s, f);
    } catch (ScriptError& error) {
        if (!error.hasPosition())
            error.setPosition(s.line, s.column);
        if (!f.resumeNext)
            throw;
        err_->set(error);
        return Flow::Normal;
    } catch (const std::bad_alloc&) {
        ScriptError error(ErrOutOfMemory);
        error.setPosition(s.line, s.column);
        if (!f.resumeNext)
            throw error;
        err_->set(error);
        return Flow::Normal;
    }
}

Interpreter::Flow Interpreter::execStatement(const Stmt& s, Frame& f)
{
    switch (s.kind) {
    case StmtKind::Assign: execAssign(static_cast<const AssignStmt&>(s), f); return Flow::Normal;
    case StmtKind::Call: execCall(static_cast<const CallStmt&>(s), f); return Flow::Normal;
    case StmtKind::Dim: execDim(static_cast<const DimStmt&>(s), f); return Flow::Normal;
    case StmtKind::ReDim: execReDim(static_cast<const ReDimStmt&>(s), f); return Flow::Normal;
    case StmtKind::Const:
        for (const auto& item : static_cast<const ConstStmt&>(s).items)
            assignName(*item.target, eval(*item.value, f), false, f);
        return Flow::Normal;
    case StmtKind::If: return execIf(static_cast<const IfStmt&>(s), f);
    case StmtKind::Select: return execSelect(static_cast<const SelectStmt&>(s), f);
    case StmtKind::For: return execFor(static_cast<const ForStmt&>(s), f);
    case StmtKind::ForEach: return execForEach(static_cast<const ForEachStmt&>(s), f);
    case StmtKind::Do: return execDo(static_cast<const DoStmt&>(s), f);
    case StmtKind::With: return execWith(static_cast<const WithStmt&>(s), f);
    case StmtKind::Exit:
        switch (static_cast<const ExitStmt&>(s).what) {
        case ExitKind::For: return Flow::ExitFor;
        case ExitKind::Do: return Flow::ExitDo;
        default: return Flow::ExitProcedure;
        }
    case StmtKind::OnError:
        f.resumeNext = static_cast<const OnErrorStmt&>(s).resumeNext;
        err_->clear();
        return Flow::Normal;
    case StmtKind::Erase: execErase(static_cast<const EraseStmt&>(s), f); return Flow::Normal;
    }
    return Flow::Normal;
}

void Interpreter::execAssign(const AssignStmt& s, Frame& f)
{
    Variant value = eval(*s.value, f);
    if (s.target->kind == ExprKind::Name && !value.isObject()) { // x = plain value
        const auto& n = static_cast<const NameExpr&>(*s.target);
        if (n.args.empty() && !n.isConst && !s.isSet) {
            if (n.ref == NameRef::Local) {
                *f.refs[n.slot] = std::move(value);
                return;
            }
            if (n.ref == NameRef::Global) {
                globals.values[n.slot] = std::move(value);
                return;
            }
        }
    }
    if (s.isSet) {
        if (!value.isObject())
            raise(ErrObjectRequired);
    } else if (value.isObject()) {
        value = defaultValue(value);
    }
    assignTo(*s.target, std::move(value), s.isSet, f);
}

void Interpreter::assignName(const NameExpr& n, Variant value, bool isSet, Frame& f)
{
    const int putFlag = isSet ? InvokePropertyPutRef : InvokePropertyPut;
    if (n.isConst)
        raise(ErrIllegalAssignment, n.name);
    switch (n.ref) {
    case NameRef::Local:
    case NameRef::ReturnValue:
    case NameRef::Global:
    case NameRef::Field:
    case NameRef::Unresolved: {
        if (n.ref == NameRef::Unresolved) {
            int objectIndex = 0, memberId = 0;
            if (findGlobalMember(n, objectIndex, memberId)) {
                Arguments args = evalArgs(n.args, f);
                args.push_back(std::move(value));
                Variant result;
                ExceptionInfo exception;
                const HResult answer = namedObjects[objectIndex].object->invoke(memberId, putFlag, args, result, exception);
                if (answer != HResult::Ok)
                    raiseDispatchFailure(answer, exception, n.name);
                return;
            }
        }
        Variant* slot = nameSlot(n, f);
        if (!slot)
            raise(ErrInvalidMe);
        if (n.args.empty()) {
            *slot = std::move(value);
            return;
        }
        if (slot->isArray()) {
            QVarLengthArray<qint32, 4> indexes;
            evalIndexes(n.args, f, indexes);
            slot = nameSlot(n, f);
            ArrayData* data = slot->mutableArray();
            const qint64 offset = data ? data->offsetOf(indexes.constData(), static_cast<size_t>(indexes.size())) : -1;
            if (offset < 0)
                raise(ErrSubscript);
            data->elements[static_cast<size_t>(offset)] = std::move(value);
            return;
        }
        Arguments args = evalArgs(n.args, f);
        slot = nameSlot(n, f);
        if (!slot->isObject())
            raise(ErrTypeMismatch, n.name);
        args.push_back(std::move(value));
        const Variant target = *slot;
        if (ClassInstance* instance = target.objectPointer() ? target.objectPointer()->asClassInstance() : nullptr) {
            if (instance->definition().defaultMember < 0)
                raise(ErrNoSuchMember, n.name);
            invokeClassMember(*instance, instance->definition().defaultMember, putFlag, args, f.me == instance);
            return;
        }
        if (!target.objectPointer())
            raise(ErrObjectNotSet);
        Variant result;
        ExceptionInfo exception;
        const HResult answer = target.objectPointer()->invoke(DispIdValue, putFlag, args, result, exception);
        if (answer != HResult::Ok)
            raiseDispatchFailure(answer, exception, n.name);
        return;
    }
    case NameRef::ClassMember: {
        if (!f.me)
            raise(ErrInvalidMe);
        Arguments args = evalArgs(n.args, f);
        args.push_back(std::move(value));
        invokeClassMember(*f.me, n.slot, putFlag, args, true);
        return;
    }
    case NameRef::NamedObject:
        if (!n.args.empty()) {
            Arguments args = evalArgs(n.args, f);
            args.push_back(std::move(value));
            invokeDispatch(*namedObjects[n.slot].object, QString(), putFlag, args);
            return;
        }
        raise(ErrIllegalAssignment, n.name);
    default: raise(ErrIllegalAssignment, n.name);
    }
}

void Interpreter::assignTo(const Expr& target, Variant value, bool isSet, Frame& f)
{
    const int putFlag = isSet ? InvokePropertyPutRef : InvokePropertyPut;
    switch (target.kind) {
    case ExprKind::Name: assignName(static_cast<const NameExpr&>(target), std::move(value), isSet, f); return;
    case ExprKind::Member: {
        const auto& m = static_cast<const MemberExpr&>(target);
        const Variant object = memberObject(m, f);
        if (!object.isObject() || object.isNothing())
            raise(ErrObjectRequired, objectName(m));
        Arguments args = evalArgs(m.args, f);
        args.push_back(std::move(value));
        invokeMember(object, m.name, m.lower, putFlag, args, f, &m);
        return;
    }
    case ExprKind::Index: {
        const auto& e = static_cast<const IndexExpr&>(target);
        const Variant object = eval(*e.target, f);
        if (!object.isObject())
            raise(ErrIllegalAssignment);
        if (object.isNothing())
            raise(ErrObjectNotSet);
        Arguments args = evalArgs(e.args, f);
        args.push_back(std::move(value));
        Variant result;
        ExceptionInfo exception;
        const HResult answer = object.objectPointer()->invoke(DispIdValue, putFlag, args, result, exception);
        if (answer != HResult::Ok)
            raiseDispatchFailure(answer, exception, QString());
        return;
    }
    default: raise(ErrIllegalAssignment);
    }
}

void Interpreter::execCall(const CallStmt& s, Frame& f)
{
    const Expr& call = *s.call;
    switch (call.kind) {
    case ExprKind::Name: {
        const auto& n = static_cast<const NameExpr&>(call);
        if (isPlainVariableRef(n.ref) || (n.ref == NameRef::Unresolved && !n.hasParens && n.args.empty())) {
            int objectIndex = 0, memberId = 0;
            if (n.ref != NameRef::Unresolved || !findGlobalMember(n, objectIndex, memberId)) {
                const GlobalSymbol symbol = globals.symbols.value(n.lower);
                if (n.ref == NameRef::Unresolved && symbol.kind == GlobalSymbol::Procedure) {
                    callScript(*symbol.procedure, nullptr, n.args, f);
                    return;
                }
                // A statement that is only a variable: calling it is meaningless.
                raise(ErrTypeMismatch, n.name);
            }
        }
        evalName(n, f, InvokeMethod);
        return;
    }
    case ExprKind::Member: evalMember(static_cast<const MemberExpr&>(call), f, InvokeMethod); return;
    default: eval(call, f); return;
    }
}

std::shared_ptr<ArrayData> Interpreter::newArray(const ExprList& dims, Frame& f)
{
    std::vector<qint32> bounds;
    qint64 total = 1;
    for (const ExprPtr& dim : dims) {
        const qint32 upper = toLong(eval(*dim, f));
        if (upper < -1)
            raise(ErrSubscript);
        total *= static_cast<qint64>(upper) + 1;
        if (total > limits::maxArrayElements)
            raise(ErrOutOfMemory);
        bounds.push_back(upper);
    }
    if (dims.size() > 60)
        raise(ErrSubscript);
    auto array = ArrayData::create(bounds);
    return array;
}

void Interpreter::execDim(const DimStmt& s, Frame& f)
{
    for (const VarDecl& var : s.vars) {
        if (!var.isArray)
            continue;
        Variant* slot = nameSlot(*var.target, f);
        if (!slot)
            continue;
        auto array = newArray(var.dims, f);
        array->fixedSize = !var.dims.empty();
        *slot = Variant::fromArray(std::move(array));
    }
}

void Interpreter::execReDim(const ReDimStmt& s, Frame& f)
{
    for (const auto& item : s.items) {
        const auto& name = static_cast<const NameExpr&>(*item.target);
        Variant* slot = nameSlot(name, f);
        if (!slot)
            raise(ErrIllegalAssignment, name.name);
        if (slot->isArray() && slot->array()->fixedSize)
            raise(ErrArrayFixed);
        auto array = newArray(item.dims, f);
        if (s.preserve && slot->isArray()) {
            const ArrayData& old = *slot->array();
            if (!old.upperBounds.empty()) {
                if (old.upperBounds.size() != array->upperBounds.size())
                    raise(ErrSubscript);
                for (size_t d = 0; d + 1 < old.upperBounds.size(); ++d)
                    if (old.upperBounds[d] != array->upperBounds[d])
                        raise(ErrSubscript);
                const size_t keep = std::min(old.elements.size(), array->elements.size());
                for (size_t i = 0; i < keep; ++i)
                    array->elements[i] = old.elements[i];
            }
        }
        *slot = Variant::fromArray(std::move(array));
    }
}

void Interpreter::execErase(const EraseStmt& s, Frame& f)
{
    Variant* slot = variableRef(*s.target, f);
    if (!slot || !slot->isArray())
        raise(ErrTypeMismatch);
    ArrayData* array = slot->mutableArray();
    if (array->fixedSize) {
        for (Variant& element : array->elements)
            element = Variant();
        return;
    }
    *slot = Variant::fromArray(ArrayData::create({}));
}

Interpreter::Flow Interpreter::execIf(const IfStmt& s, Frame& f)
{
    for (size_t i = 0; i < s.conditions.size(); ++i) {
        const Variant condition = eval(*s.conditions[i], f);
        if (!condition.isNull() && toBool(condition))
            return execBlock(s.blocks[i], f);
    }
    return execBlock(s.elseBlock, f);
}

bool Interpreter::caseMatches(const CaseTest& test, const Variant& subject, Frame& f)
{
    const Variant value = eval(*test.value, f);
    const quint8 literal = test.value->kind == ExprKind::Literal ? RightLiteral : NoLiteral;
    switch (test.kind) {
    case CaseTest::Value: {
        const int order = compareValues(subject, value, literal, false);
        return order == 0;
    }
    case CaseTest::Range: {
        const Variant upper = eval(*test.upper, f);
        const int low = compareValues(subject, value, literal, false);
        const int high = compareValues(subject, upper, test.upper->kind == ExprKind::Literal ? RightLiteral : NoLiteral, false);
        return low != CompareNull && high != CompareNull && low >= 0 && high <= 0;
    }
    case CaseTest::Compare: {
        const Variant result = comparison(test.op, subject, value, literal);
        return !result.isNull() && result.boolValue();
    }
    }
    return false;
}

Interpreter::Flow Interpreter::execSelect(const SelectStmt& s, Frame& f)
{
    const Variant subject = plainValue(eval(*s.subject, f));
    for (const auto& branch : s.cases)
        for (const CaseTest& test : branch.tests)
            if (caseMatches(test, subject, f))
                return execBlock(branch.body, f);
    return execBlock(s.elseBlock, f);
}

Interpreter::Flow Interpreter::execFor(const ForStmt& s, Frame& f)
{
    const Variant from = plainValue(eval(*s.from, f));
    const Variant to = plainValue(eval(*s.to, f));
    const Variant stepValue = s.step ? plainValue(eval(*s.step, f)) : Variant::fromInteger(1);
    auto integral = [](const Variant& v) { return v.isIntegralType() || v.isEmpty(); };
    const bool wholeNumbers = integral(from) && integral(to) && integral(stepValue);
    const bool isLong = from.type() == VarType::Long || to.type() == VarType::Long || stepValue.type() == VarType::Long;
    if (wholeNumbers && s.variable->ref == NameRef::Local)
        return execWholeNumberFor(s, f, from.integralValue(), to.integralValue(), stepValue.integralValue(), isLong);
    const double end = toDouble(to);
    const double increment = toDouble(stepValue);
    double current = toDouble(from);
    auto store = [&](double value) {
        Variant v = !wholeNumbers ? Variant::fromDouble(value)
            : (isLong || value < -32768 || value > 32767) ? Variant::fromWholeNumber(value)
                                                         : Variant::fromInteger(static_cast<qint16>(value));
        if (Variant* slot = variableRef(*s.variable, f))
            *slot = std::move(v);
        else
            assignName(*s.variable, std::move(v), false, f);
    };
    store(current);
    for (;;) {
        if (increment >= 0 ? current > end : current < end)
            break;
        step();
        const Flow flow = execBlock(s.body, f);
        if (flow == Flow::ExitFor)
            break;
        if (flow == Flow::ExitProcedure)
            return flow;
        const Variant* slot = variableRef(*s.variable, f);
        current = toDouble(slot ? *slot : evalName(*s.variable, f, InvokePropertyGet)) + increment;
        store(current);
    }
    return Flow::Normal;
}

// For over whole numbers into a local variable: the counter stays an integer.
Interpreter::Flow Interpreter::execWholeNumberFor(const ForStmt& s, Frame& f, qint64 current, qint64 end,
                                                  qint64 increment, bool isLong)
{
    auto store = [&](qint64 value) {
        *f.refs[s.variable->slot] = (!isLong && value >= -32768 && value <= 32767)
            ? Variant::fromInteger(static_cast<qint16>(value))
            : Variant::fromWholeNumber(static_cast<double>(value));
    };
    store(current);
    for (;;) {
        if (increment >= 0 ? current > end : current < end)
            break;
        step();
        const Flow flow = execBlock(s.body, f);
        if (flow == Flow::ExitFor)
            break;
        if (flow == Flow::ExitProcedure)
            return flow;
        const Variant& variable = *f.refs[s.variable->slot];
        if (variable.isIntegralType()) {
            current = variable.integralValue() + increment;
        } else {
            const double next = toDouble(variable) + static_cast<double>(increment);
            if (next != std::floor(next) || std::fabs(next) > 9e15)
                raise(ErrOverflow);
            current = static_cast<qint64>(next);
        }
        store(current);
    }
    return Flow::Normal;
}

Interpreter::Flow Interpreter::execForEach(const ForEachStmt& s, Frame& f)
{
    const Variant collection = eval(*s.collection, f);
    std::vector<Variant> items;
    if (collection.isArray()) {
        items = collection.array()->elements;
    } else if (collection.isObject() && !collection.isNothing()) {
        if (!collection.objectPointer()->enumerate(items))
            raise(ErrNotCollection);
    } else {
        raise(collection.isObject() ? ErrObjectNotSet : ErrNotCollection);
    }
    for (Variant& item : items) {
        step();
        if (Variant* slot = variableRef(*s.variable, f))
            *slot = std::move(item);
        else
            assignName(*s.variable, std::move(item), item.isObject(), f);
        const Flow flow = execBlock(s.body, f);
        if (flow == Flow::ExitFor)
            break;
        if (flow == Flow::ExitProcedure)
            return flow;
    }
    return Flow::Normal;
}

Interpreter::Flow Interpreter::execDo(const DoStmt& s, Frame& f)
{
    auto conditionHolds = [&]() {
        const Variant value = eval(*s.condition, f);
        const bool truth = !value.isNull() && toBool(value);
        return s.until ? !truth : truth;
    };
    for (;;) {
        step();
        if (s.condition && !s.conditionAtEnd && !conditionHolds())
            break;
        const Flow flow = execBlock(s.body, f);
        if (flow == Flow::ExitDo)
            break;
        if (flow == Flow::ExitProcedure || flow == Flow::ExitFor)
            return flow;
        if (s.condition && s.conditionAtEnd && !conditionHolds())
            break;
    }
    return Flow::Normal;
}

Interpreter::Flow Interpreter::execWith(const WithStmt& s, Frame& f)
{
    Variant object = eval(*s.object, f);
    if (!object.isObject())
        raise(ErrObjectRequired);
    WithScope scope(f, std::move(object));
    return execBlock(s.body, f);
}

// ---- random numbers --------------------------------------------------------------------

Variant Interpreter::newRandom(const Variant* seed, bool hasSeed)
{
    if (hasSeed) {
        const double number = toDouble(*seed);
        if (number == 0)
            return Variant::fromSingle(lastRandom_);
        if (number < 0) {
            const float single = static_cast<float>(number);
            quint32 bits = 0;
            std::memcpy(&bits, &single, sizeof bits);
            rndState_ = (bits + (bits >> 24)) & 0xFFFFFF;
        }
    }
    rndState_ = (rndState_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    lastRandom_ = static_cast<float>(rndState_) / 16777216.0f;
    return Variant::fromSingle(lastRandom_);
}

void Interpreter::randomize(const Variant* seed)
{
    double number = 0;
    if (seed) {
        number = toDouble(*seed);
    } else {
        number = static_cast<double>(std::chrono::steady_clock::now().time_since_epoch().count() % 86400000) / 1000.0;
    }
    quint64 bits = 0;
    std::memcpy(&bits, &number, sizeof bits);
    const quint32 mixed = static_cast<quint32>(bits >> 32) ^ static_cast<quint32>(bits);
    rndState_ = (rndState_ & 0xFF) | ((mixed ^ (mixed >> 16)) & 0xFFFF) << 8;
}

} // namespace vbs
