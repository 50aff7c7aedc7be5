// The syntax tree the parser builds and the resolver annotates; the interpreter runs it.
#pragma once

#include "scripting/vbscript/frame.h"
#include "scripting/vbscript/operators.h"
#include "scripting/vbscript/variant.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

namespace vbs {

struct Builtin;
struct ClassDef;
struct Program;
struct Procedure;

struct Node {
    int line = 0;
    int column = 0;
};

enum class ExprKind : quint8 { Literal, Name, Member, Index, Unary, Binary, New, Me, Paren };

struct Expr : Node {
    explicit Expr(ExprKind k) : kind(k) {}
    virtual ~Expr() = default;
    ExprKind kind;
};
using ExprPtr = std::unique_ptr<Expr>;
using ExprList = std::vector<ExprPtr>;

struct LiteralExpr : Expr {
    LiteralExpr() : Expr(ExprKind::Literal) {}
    Variant value;
};

// What a bare name stands for, decided once by the resolver.
enum class NameRef : quint8 {
    Unresolved,  // looked up at run time among global members; else the fallback variable
    Local,       // slot of the running procedure
    Global,      // module-level variable
    Field,       // a variable of the class whose method runs
    ClassMember, // a method or property of that class (member index)
    Procedure,
    Builtin,
    NamedObject, // index into the engine's named objects
    ReturnValue, // the function's own name inside it: its result slot
    Constant,    // a named constant of the language (vbCrLf)
};

struct NameExpr : Expr {
    NameExpr() : Expr(ExprKind::Name) {}
    QString name;
    QString lower;
    ExprList args;
    bool hasParens = false;

    NameRef ref = NameRef::Unresolved;
    int slot = -1;
    bool isConst = false;
    Procedure* procedure = nullptr;
    const Builtin* builtin = nullptr;
    const Variant* constant = nullptr;
    // For Unresolved names: the variable they fall back to, and whether it is local.
    bool fallbackLocal = false;
    int fallbackSlot = -1;
    // Global member found for an Unresolved name, valid while the engine's named objects
    // keep the generation it was found in (object -2: none was found).
    mutable quint64 cacheGeneration = 0;
    mutable int cacheObject = -1;
    mutable int cacheMember = -1;
};

struct MemberExpr : Expr {
    MemberExpr() : Expr(ExprKind::Member) {}
    ExprPtr object; // null inside With: the With object
    QString name;
    QString lower;
    ExprList args;
    bool hasParens = false;
    // Member of a script class looked up last time; reused while the class is the same.
    mutable const ClassDef* cachedClass = nullptr;
    mutable int cachedMember = -1;
};

// A call or index applied to the result of another expression: f(1)(2).
struct IndexExpr : Expr {
    IndexExpr() : Expr(ExprKind::Index) {}
    ExprPtr target;
    ExprList args;
};

enum class UnaryOp : quint8 { Negate, Plus, Not };

struct UnaryExpr : Expr {
    UnaryExpr() : Expr(ExprKind::Unary) {}
    UnaryOp op = UnaryOp::Negate;
    ExprPtr operand;
};

struct BinaryExpr : Expr {
    BinaryExpr() : Expr(ExprKind::Binary) {}
    BinaryOp op = BinaryOp::Add;
    quint8 literals = NoLiteral;
    int chainLength = 1; // binary operators on the longest path down from this one
    ExprPtr left, right;
};

struct NewExpr : Expr {
    NewExpr() : Expr(ExprKind::New) {}
    QString className;
    ClassDef* classDef = nullptr;
};

struct MeExpr : Expr {
    MeExpr() : Expr(ExprKind::Me) {}
};

// (x): the value of x, passed by value even to a ByRef parameter.
struct ParenExpr : Expr {
    ParenExpr() : Expr(ExprKind::Paren) {}
    ExprPtr inner;
};

enum class StmtKind : quint8 {
    Assign, Call, Dim, ReDim, If, Select, For, ForEach, Do, Exit, With, OnError, Erase, Const,
};

struct Stmt : Node {
    explicit Stmt(StmtKind k) : kind(k) {}
    virtual ~Stmt() = default;
    StmtKind kind;
};
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

struct AssignStmt : Stmt {
    AssignStmt() : Stmt(StmtKind::Assign) {}
    ExprPtr target;
    ExprPtr value;
    bool isSet = false;
};

struct CallStmt : Stmt {
    CallStmt() : Stmt(StmtKind::Call) {}
    ExprPtr call; // NameExpr, MemberExpr or IndexExpr
};

// One name of a Dim, Public or Private line; dims are the upper bounds of a fixed array.
struct VarDecl {
    QString name;
    ExprList dims;
    bool isArray = false; // Dim a() or Dim a(n)
    int line = 0, column = 0;
    NameExpr* target = nullptr; // resolved reference (owned by DimStmt::targets)
};

struct DimStmt : Stmt {
    DimStmt() : Stmt(StmtKind::Dim) {}
    std::vector<VarDecl> vars;
    std::vector<std::unique_ptr<NameExpr>> targets;
};

struct ReDimStmt : Stmt {
    ReDimStmt() : Stmt(StmtKind::ReDim) {}
    bool preserve = false;
    struct Item {
        ExprPtr target; // NameExpr or MemberExpr without arguments
        ExprList dims;
    };
    std::vector<Item> items;
};

struct ConstStmt : Stmt {
    ConstStmt() : Stmt(StmtKind::Const) {}
    struct Item {
        std::unique_ptr<NameExpr> target;
        ExprPtr value;
    };
    std::vector<Item> items;
};

struct IfStmt : Stmt {
    IfStmt() : Stmt(StmtKind::If) {}
    std::vector<ExprPtr> conditions;
    std::vector<Block> blocks;
    Block elseBlock;
};

struct CaseTest {
    enum Kind : quint8 { Value, Range, Compare } kind = Value;
    BinaryOp op = BinaryOp::Equal; // for Is comparisons
    ExprPtr value, upper;
};

struct SelectStmt : Stmt {
    SelectStmt() : Stmt(StmtKind::Select) {}
    ExprPtr subject;
    struct Case {
        std::vector<CaseTest> tests;
        Block body;
    };
    std::vector<Case> cases;
    bool hasElse = false;
    Block elseBlock;
};

struct ForStmt : Stmt {
    ForStmt() : Stmt(StmtKind::For) {}
    std::unique_ptr<NameExpr> variable;
    ExprPtr from, to, step;
    Block body;
};

struct ForEachStmt : Stmt {
    ForEachStmt() : Stmt(StmtKind::ForEach) {}
    std::unique_ptr<NameExpr> variable;
    ExprPtr collection;
    Block body;
};

struct DoStmt : Stmt {
    DoStmt() : Stmt(StmtKind::Do) {}
    ExprPtr condition;       // null: loop until Exit Do
    bool conditionAtEnd = false;
    bool until = false;      // Until instead of While
    Block body;
};

enum class ExitKind : quint8 { For, Do, Sub, Function, Property };

struct ExitStmt : Stmt {
    ExitStmt() : Stmt(StmtKind::Exit) {}
    ExitKind what = ExitKind::Sub;
};

struct WithStmt : Stmt {
    WithStmt() : Stmt(StmtKind::With) {}
    ExprPtr object;
    Block body;
};

struct OnErrorStmt : Stmt {
    OnErrorStmt() : Stmt(StmtKind::OnError) {}
    bool resumeNext = false;
};

struct EraseStmt : Stmt {
    EraseStmt() : Stmt(StmtKind::Erase) {}
    ExprPtr target;
};

enum class ProcKind : quint8 { Sub, Function, PropertyGet, PropertyLet, PropertySet };

struct Parameter {
    QString name;
    bool byVal = false;
    bool isArray = false;
};

struct Procedure {
    QString name;
    QString lower;
    ProcKind kind = ProcKind::Sub;
    std::vector<Parameter> params;
    Block body;
    bool isPublic = true;
    bool isDefault = false;
    ClassDef* owner = nullptr;
    int line = 0;

    // Filled by the resolver: parameters take the first slots, then the result, then locals.
    int localCount = 0;
    int resultSlot = -1;
    QHash<QString, int> localNames;
    QHash<QString, bool> constLocals;
    // Undeclared names used in the body: each occurrence is still looked up among global
    // members first, and falls back to this shared slot.
    QHash<QString, int> implicitLocals;
    // Frames kept for reuse so that a call allocates nothing in the common case.
    std::vector<std::unique_ptr<Frame>> framePool;

    bool returnsValue() const { return kind == ProcKind::Function || kind == ProcKind::PropertyGet; }
};

struct FieldDecl {
    QString name;
    bool isPublic = true;
    bool isArray = false;
    ExprList dims;
};

struct ClassMember {
    QString name;
    bool isPublic = true;
    int field = -1;
    Procedure* method = nullptr; // Sub or Function
    Procedure* get = nullptr;
    Procedure* let = nullptr;
    Procedure* set = nullptr;
};

struct ClassDef {
    QString name;
    QString lower;
    int line = 0;
    std::vector<FieldDecl> fields;
    std::vector<std::unique_ptr<Procedure>> procedures;
    std::vector<ClassMember> members;
    QHash<QString, int> memberIndex;
    int defaultMember = -1;
    Procedure* initialize = nullptr;
    Procedure* terminate = nullptr;
    // The text that defines the class; its objects keep it alive, even past the engine.
    std::weak_ptr<Program> program;
};

// One parsed text: the code at module level, its procedures and classes.
struct Program {
    Block body;
    std::vector<std::unique_ptr<Procedure>> procedures;
    std::vector<std::unique_ptr<ClassDef>> classes;
    std::vector<ConstStmt*> moduleConsts; // evaluated before the body runs
    bool optionExplicit = false;
};

} // namespace vbs
