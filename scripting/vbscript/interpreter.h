// Interpreter: runs resolved syntax trees. Holds the module variables, the named objects,
// the Err object and the run's bounds (steps, call depth, native stack).
#pragma once

#include "scripting/vbscript/ast.h"
#include "scripting/vbscript/class_instance.h"
#include "scripting/vbscript/err_object.h"
#include "scripting/vbscript/errors.h"
#include "scripting/vbscript/scope.h"

#include <QVarLengthArray>

#include <functional>
#include <memory>
#include <random>
#include <unordered_set>

namespace vbs {

// Thrown when the step limit is reached or the host asks to stop; never trapped by
// On Error Resume Next.
struct Interrupt {};

// Host hooks behind MsgBox and InputBox.
struct HostHooks {
    std::function<int(const QString& prompt, int buttons, const QString& title)> messageBox;
    std::function<QString(const QString& prompt, const QString& title, const QString& defaultText)> inputBox;
};

class Interpreter {
public:
    Interpreter();
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    GlobalScope globals;
    std::vector<NamedObject> namedObjects;
    HostHooks hooks;
    ErrObject& err() { return *err_; }
    DispatchPtr errObject() const { return errHold_; }

    // Parses, resolves and runs a text at module level (the main script or ExecuteGlobal).
    void runText(const QString& text, bool keepOptionExplicit);
    // Runs a script procedure with values (from the host or a dispatch call).
    Variant callProcedure(Procedure& procedure, ClassInstance* me, const Variant* args, int count);
    Procedure* findProcedure(const QString& name) const;

    // Eval, Execute and ExecuteGlobal, in the scope of the running procedure.
    Variant evaluateText(const QString& text);
    void executeText(const QString& text, bool global);

    Variant newRandom(const Variant* seed, bool hasSeed);
    void randomize(const Variant* seed);

    // Member access on script objects; used by ClassInstance::invoke and by the interpreter.
    Variant invokeClassMember(ClassInstance& object, int memberIndex, int flags, Arguments& args, bool fromInside);

    // Bounds: a step limit (0 = none) and a hook polled every few thousand steps.
    void setStepLimit(qint64 steps) { stepLimit_ = steps; resetSteps(); }
    void setInterruptCheck(std::function<bool()> check) { interruptCheck_ = std::move(check); }
    void resetSteps();
    // Marks the native stack position of a host call, for the stack budget.
    void enterFromHost();
    void leaveToHost();
    // Position of the statement running now (for errors that arrive without one).
    int currentLine() const { return currentLine_; }
    int currentColumn() const { return currentColumn_; }

    void registerInstance(ClassInstance* object) { instances_.insert(object); }
    void unregisterInstance(ClassInstance* object) { instances_.erase(object); }
    bool shuttingDown() const { return shuttingDown_; }
    const std::shared_ptr<InterpreterLink>& link() const { return link_; }

    // Drops every module variable and object; breaks reference cycles between objects.
    void clearState();

private:
    enum class Flow : quint8 { Normal, ExitFor, ExitDo, ExitProcedure };
    using ArgBuffer = QVarLengthArray<Variant, 8>;

    // evaluation
    Variant eval(const Expr& e, Frame& f);
    Variant evalName(const NameExpr& n, Frame& f, int flags);
    Variant evalMember(const MemberExpr& m, Frame& f, int flags);
    Variant evalIndex(const IndexExpr& e, Frame& f);
    Variant evalBinary(const BinaryExpr& b, Frame& f);
    Variant evalNew(const NewExpr& e);
    Variant callBuiltin(const NameExpr& n, Frame& f);
    Variant callScript(Procedure& procedure, ClassInstance* me, const ExprList& args, Frame& caller);
    Variant runProcedure(Procedure& procedure, Frame& frame);
    Variant applyArguments(const Variant& value, Arguments& args, const QString& name);
    Variant invokeDispatch(Dispatch& object, const QString& name, int flags, Arguments& args);
    Variant invokeMember(const Variant& target, const QString& name, const QString& lower, int flags, Arguments& args,
                         Frame& f, const MemberExpr* cacheFrom);
    Variant memberObject(const MemberExpr& m, Frame& f);
    Arguments evalArgs(const ExprList& args, Frame& f);
    Variant* variableRef(const Expr& e, Frame& f); // a plain variable, or none
    Variant* nameSlot(const NameExpr& n, Frame& f);
    bool findGlobalMember(const NameExpr& n, int& objectIndex, int& memberId);
    Variant elementOf(const Variant& array, const Arguments& args);
    void evalIndexes(const ExprList& args, Frame& f, QVarLengthArray<qint32, 4>& indexes);
    Variant& elementRef(Variant& array, const Arguments& args);

    // statements
    Flow execBlock(const Block& block, Frame& f);
    Flow exec(const Stmt& s, Frame& f);
    Flow execStatement(const Stmt& s, Frame& f);
    void execAssign(const AssignStmt& s, Frame& f);
    void assignTo(const Expr& target, Variant value, bool isSet, Frame& f);
    void assignName(const NameExpr& n, Variant value, bool isSet, Frame& f);
    void execCall(const CallStmt& s, Frame& f);
    void execDim(const DimStmt& s, Frame& f);
    void execReDim(const ReDimStmt& s, Frame& f);
    void execErase(const EraseStmt& s, Frame& f);
    Flow execIf(const IfStmt& s, Frame& f);
    Flow execSelect(const SelectStmt& s, Frame& f);
    Flow execFor(const ForStmt& s, Frame& f);
    Flow execWholeNumberFor(const ForStmt& s, Frame& f, qint64 current, qint64 end, qint64 increment, bool isLong);
    Flow execForEach(const ForEachStmt& s, Frame& f);
    Flow execDo(const DoStmt& s, Frame& f);
    Flow execWith(const WithStmt& s, Frame& f);
    bool caseMatches(const CaseTest& test, const Variant& subject, Frame& f);
    std::shared_ptr<ArrayData> newArray(const ExprList& dims, Frame& f);

    void runProgram(Program& program, Frame& frame);
    void initializeFields(ClassInstance& object);
    Frame* acquireFrame(Procedure& procedure);
    void releaseFrame(Procedure& procedure, Frame* frame);
    void enterCall();
    void checkLimits();
    void step()
    {
        if (++steps_ >= nextCheck_)
            checkLimits();
    }

    friend struct CallDepthGuard;

    std::shared_ptr<InterpreterLink> link_;
    std::shared_ptr<ErrObject> errHold_;
    ErrObject* err_ = nullptr;
    std::vector<std::shared_ptr<Program>> programs_;
    void keepProgram(std::unique_ptr<Program> program);
    std::vector<std::unique_ptr<Expr>> evalTrees_;
    Frame moduleFrame_;
    std::vector<Frame*> frames_; // running frames, innermost last
    std::unordered_set<ClassInstance*> instances_;
    bool optionExplicit_ = false;
    bool shuttingDown_ = false;

    qint64 steps_ = 0;
    qint64 nextCheck_ = 0;
    qint64 stepLimit_ = 0;
    std::function<bool()> interruptCheck_;
    int callDepth_ = 0;
    int hostDepth_ = 0;
    const char* stackBase_ = nullptr;
    int currentLine_ = 0;
    int currentColumn_ = 0;

    std::mt19937 random_{12345};
    float lastRandom_ = 0;
    quint32 rndState_ = 0x50000;
};

} // namespace vbs
