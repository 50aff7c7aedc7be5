// Parser: recursive descent over the token list, one function per construct.
#include "scripting/vbscript/parser.h"

#include "scripting/vbscript/errors.h"
#include "scripting/vbscript/lexer.h"
#include "scripting/vbscript/limits.h"

#include <algorithm>

namespace vbs {

namespace {

bool isWord(const Token& t, const char* lowerWord)
{
    return t.kind == Tok::Identifier && t.text.compare(QLatin1String(lowerWord), Qt::CaseInsensitive) == 0;
}

template <typename T>
std::unique_ptr<T> at(const Token& t)
{
    auto node = std::make_unique<T>();
    node->line = t.line;
    node->column = t.column;
    return node;
}

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : toks_(std::move(tokens)) {}

    std::unique_ptr<Program> program()
    {
        program_ = std::make_unique<Program>();
        while (!atEnd()) {
            if (peek().kind == Tok::EndOfStatement) {
                ++pos_;
                continue;
            }
            moduleStatement();
        }
        return std::move(program_);
    }

    ExprPtr loneExpression()
    {
        skipSeparators();
        ExprPtr e = expression();
        skipSeparators();
        if (!atEnd())
            fail(ErrExpectedEndOfStatement);
        return e;
    }

private:
    std::vector<Token> toks_;
    size_t pos_ = 0;
    std::unique_ptr<Program> program_;
    Procedure* proc_ = nullptr;
    ClassDef* class_ = nullptr;
    int depth_ = 0;
    int forDepth_ = 0;
    int doDepth_ = 0;
    int singleLineIf_ = 0;

    struct DepthGuard {
        Parser& parser;
        explicit DepthGuard(Parser& p) : parser(p)
        {
            if (++parser.depth_ > limits::maxParseDepth)
                parser.fail(ErrNestingTooDeep);
        }
        ~DepthGuard() { --parser.depth_; }
    };

    const Token& peek(size_t ahead = 0) const
    {
        const size_t i = pos_ + ahead;
        return i < toks_.size() ? toks_[i] : toks_.back();
    }
    const Token& next() { return toks_[pos_ < toks_.size() - 1 ? pos_++ : pos_]; }
    bool atEnd() const { return peek().kind == Tok::EndOfText; }
    bool isKw(Kw k, size_t ahead = 0) const { return peek(ahead).kind == Tok::Keyword && peek(ahead).keyword == k; }
    bool is(Tok k) const { return peek().kind == k; }
    bool accept(Tok k)
    {
        if (!is(k))
            return false;
        ++pos_;
        return true;
    }
    bool acceptKw(Kw k)
    {
        if (!isKw(k))
            return false;
        ++pos_;
        return true;
    }

    [[noreturn]] void fail(int number) const { failAt(number, peek()); }
    [[noreturn]] void failAt(int number, const Token& t) const
    {
        ScriptError error(number);
        error.setPosition(t.line, t.column);
        throw error;
    }

    void expectKw(Kw k, int error)
    {
        if (!acceptKw(k))
            fail(error);
    }

    bool atStatementEnd() const
    {
        if (is(Tok::EndOfStatement) || is(Tok::EndOfText))
            return true;
        return singleLineIf_ > 0 && (isKw(Kw::Else) || isKw(Kw::ElseIf));
    }

    void endOfStatement()
    {
        if (singleLineIf_ > 0 && atStatementEnd())
            return;
        if (!accept(Tok::EndOfStatement) && !atEnd())
            fail(ErrExpectedEndOfStatement);
    }

    void skipSeparators()
    {
        while (accept(Tok::EndOfStatement)) {
        }
    }

    QString identifier()
    {
        if (!is(Tok::Identifier))
            fail(ErrExpectedIdentifier);
        return next().text;
    }

    // Member names after '.' may be keywords ("rs.Next"); the lexer already made them names.
    QString memberName()
    {
        if (is(Tok::Identifier))
            return next().text;
        fail(ErrExpectedIdentifier);
    }

    // ---- module level -------------------------------------------------------------

    void moduleStatement()
    {
        const Token& t = peek();
        if (t.kind == Tok::Keyword && t.keyword == Kw::Option) {
            ++pos_;
            if (!isWord(peek(), "explicit"))
                fail(ErrSyntax);
            ++pos_;
            program_->optionExplicit = true;
            return endOfStatement();
        }
        if (isKw(Kw::Class))
            return classDefinition();
        const bool hasVisibility = isKw(Kw::Public) || isKw(Kw::Private);
        const size_t afterVisibility = hasVisibility ? (isWord(peek(1), "default") ? 2 : 1) : 0;
        if (isKw(Kw::Sub, afterVisibility) || isKw(Kw::Function, afterVisibility)) {
            const bool isPublic = !isKw(Kw::Private);
            pos_ += afterVisibility;
            auto procedure = procedureDefinition(isPublic, false);
            program_->procedures.push_back(std::move(procedure));
            return;
        }
        if (hasVisibility) {
            ++pos_;
            if (isKw(Kw::Const)) {
                program_->body.push_back(constStatement());
                return endOfStatement();
            }
            program_->body.push_back(variableDeclaration(t));
            return endOfStatement();
        }
        program_->body.push_back(statementLine());
    }

    // ---- procedures and classes ---------------------------------------------------

    std::vector<Parameter> parameterList()
    {
        std::vector<Parameter> params;
        if (!accept(Tok::LParen))
            return params;
        if (accept(Tok::RParen))
            return params;
        do {
            Parameter param;
            if (acceptKw(Kw::ByVal))
                param.byVal = true;
            else
                acceptKw(Kw::ByRef);
            param.name = identifier();
            if (accept(Tok::LParen)) {
                if (!accept(Tok::RParen))
                    fail(ErrExpectedRParen);
                param.isArray = true;
            }
            params.push_back(param);
        } while (accept(Tok::Comma));
        if (!accept(Tok::RParen))
            fail(ErrExpectedRParen);
        return params;
    }

    std::unique_ptr<Procedure> procedureDefinition(bool isPublic, bool isDefault)
    {
        const Token& start = next(); // Sub, Function or the word Property
        auto procedure = std::make_unique<Procedure>();
        procedure->line = start.line;
        procedure->isPublic = isPublic;
        procedure->isDefault = isDefault;
        procedure->owner = class_;
        Kw closing = start.keyword;
        int missingEnd = ErrExpectedSub;
        if (start.kind == Tok::Keyword && start.keyword == Kw::Sub) {
            procedure->kind = ProcKind::Sub;
        } else if (start.kind == Tok::Keyword && start.keyword == Kw::Function) {
            procedure->kind = ProcKind::Function;
            missingEnd = ErrExpectedFunction;
        } else {
            missingEnd = ErrExpectedProperty;
            if (isWord(peek(), "get"))
                procedure->kind = ProcKind::PropertyGet;
            else if (isWord(peek(), "let"))
                procedure->kind = ProcKind::PropertyLet;
            else if (isKw(Kw::Set))
                procedure->kind = ProcKind::PropertySet;
            else
                fail(ErrExpectedPropertyKind);
            ++pos_;
        }
        if (isDefault && procedure->kind != ProcKind::PropertyGet && procedure->kind != ProcKind::Function
            && procedure->kind != ProcKind::Sub)
            failAt(ErrDefaultNotGet, start);
        procedure->name = identifier();
        procedure->lower = procedure->name.toLower();
        procedure->params = parameterList();
        if ((procedure->kind == ProcKind::PropertyLet || procedure->kind == ProcKind::PropertySet)
            && procedure->params.empty())
            failAt(ErrPropertyArguments, start);
        endOfStatement();
        if (proc_)
            failAt(ErrExpectedStatement, start);
        proc_ = procedure.get();
        procedure->body = block();
        proc_ = nullptr;
        if (!acceptKw(Kw::End))
            fail(ErrExpectedEnd);
        if (start.kind == Tok::Keyword) {
            if (!acceptKw(closing))
                fail(missingEnd);
        } else if (!isWord(peek(), "property")) {
            fail(missingEnd);
        } else {
            ++pos_;
        }
        endOfStatement();
        return procedure;
    }

    void classDefinition()
    {
        const Token& start = next();
        if (proc_ || class_)
            failAt(ErrExpectedStatement, start);
        auto cls = std::make_unique<ClassDef>();
        cls->line = start.line;
        cls->name = identifier();
        cls->lower = cls->name.toLower();
        endOfStatement();
        class_ = cls.get();
        for (;;) {
            skipSeparators();
            if (atEnd())
                fail(ErrExpectedEnd);
            if (isKw(Kw::End))
                break;
            classMember(*cls);
        }
        class_ = nullptr;
        ++pos_;
        expectKw(Kw::Class, ErrExpectedClass);
        endOfStatement();
        program_->classes.push_back(std::move(cls));
    }

    void classMember(ClassDef& cls)
    {
        const Token& start = peek();
        bool isPublic = true;
        bool isDefault = false;
        bool hasVisibility = false;
        if (acceptKw(Kw::Public)) {
            hasVisibility = true;
            if (isWord(peek(), "default")) {
                ++pos_;
                isDefault = true;
            }
        } else if (acceptKw(Kw::Private)) {
            hasVisibility = true;
            isPublic = false;
            if (isWord(peek(), "default"))
                fail(ErrDefaultNotPublic);
        } else if (isWord(peek(), "default")) {
            fail(ErrDefaultNotPublic);
        }
        if (isKw(Kw::Sub) || isKw(Kw::Function) || isWord(peek(), "property")) {
            cls.procedures.push_back(procedureDefinition(isPublic, isDefault));
            return;
        }
        if (isDefault)
            fail(ErrDefaultNotGet);
        if (!hasVisibility && !isKw(Kw::Dim))
            failAt(ErrExpectedStatement, start);
        acceptKw(Kw::Dim);
        do {
            FieldDecl field;
            field.isPublic = isPublic;
            field.name = identifier();
            if (accept(Tok::LParen)) {
                field.isArray = true;
                if (!accept(Tok::RParen)) {
                    field.dims = expressionList();
                    if (!accept(Tok::RParen))
                        fail(ErrExpectedRParen);
                }
            }
            cls.fields.push_back(std::move(field));
        } while (accept(Tok::Comma));
        endOfStatement();
    }

    // ---- statements -----------------------------------------------------------------

    // Statements up to a word that closes the enclosing construct.
    Block block()
    {
        DepthGuard guard(*this);
        Block statements;
        for (;;) {
            skipSeparators();
            if (atEnd() || isBlockEnd())
                return statements;
            statements.push_back(statementLine());
        }
    }

    bool isBlockEnd() const
    {
        if (peek().kind != Tok::Keyword)
            return false;
        switch (peek().keyword) {
        case Kw::End:
        case Kw::Else:
        case Kw::ElseIf:
        case Kw::Case:
        case Kw::Loop:
        case Kw::Next:
        case Kw::Wend: return true;
        default: return false;
        }
    }

    StmtPtr statementLine()
    {
        StmtPtr s = statement();
        endOfStatement();
        return s;
    }

    StmtPtr statement()
    {
        const Token& t = peek();
        if (t.kind == Tok::Keyword) {
            switch (t.keyword) {
            case Kw::Dim: ++pos_; return variableDeclaration(t);
            case Kw::ReDim: return redimStatement();
            case Kw::Const: return constStatement();
            case Kw::If: return ifStatement();
            case Kw::Select: return selectStatement();
            case Kw::For: return forStatement();
            case Kw::Do: return doStatement();
            case Kw::While: return whileStatement();
            case Kw::Exit: return exitStatement();
            case Kw::With: return withStatement();
            case Kw::On: return onErrorStatement();
            case Kw::Erase: return eraseStatement();
            case Kw::Set: return assignment(true);
            case Kw::Call: return callStatement();
            case Kw::Me: return assignmentOrCall();
            case Kw::Loop: fail(ErrLoopWithoutDo);
            case Kw::Next: fail(ErrUnexpectedNext);
            case Kw::Public:
            case Kw::Private:
                if (!proc_)
                    break;
                fail(ErrExpectedStatement);
            default: break;
            }
            fail(ErrExpectedStatement);
        }
        if (isWord(t, "let") && peek(1).kind == Tok::Identifier) {
            ++pos_;
            return assignment(false);
        }
        if (t.kind == Tok::Identifier || t.kind == Tok::Dot)
            return assignmentOrCall();
        fail(ErrExpectedStatement);
    }

    StmtPtr variableDeclaration(const Token& start)
    {
        auto dim = at<DimStmt>(start);
        do {
            VarDecl var;
            var.line = peek().line;
            var.column = peek().column;
            var.name = identifier();
            if (accept(Tok::LParen)) {
                var.isArray = true;
                if (!accept(Tok::RParen)) {
                    var.dims = expressionList();
                    if (!accept(Tok::RParen))
                        fail(ErrExpectedRParen);
                }
            }
            dim->vars.push_back(std::move(var));
        } while (accept(Tok::Comma));
        return dim;
    }

    StmtPtr redimStatement()
    {
        auto redim = at<ReDimStmt>(next());
        if (isWord(peek(), "preserve")) {
            ++pos_;
            redim->preserve = true;
        }
        do {
            ReDimStmt::Item item;
            const Token& nameToken = peek();
            auto name = at<NameExpr>(nameToken);
            name->name = identifier();
            name->lower = name->name.toLower();
            item.target = std::move(name);
            if (!accept(Tok::LParen))
                fail(ErrExpectedLParen);
            item.dims = expressionList();
            if (!accept(Tok::RParen))
                fail(ErrExpectedRParen);
            redim->items.push_back(std::move(item));
        } while (accept(Tok::Comma));
        return redim;
    }

    StmtPtr constStatement()
    {
        auto constant = at<ConstStmt>(next());
        do {
            ConstStmt::Item item;
            item.target = at<NameExpr>(peek());
            item.target->name = identifier();
            item.target->lower = item.target->name.toLower();
            item.target->isConst = true;
            if (!accept(Tok::Equal))
                fail(ErrExpectedEquals);
            item.value = expression();
            constant->items.push_back(std::move(item));
        } while (accept(Tok::Comma));
        if (!proc_)
            program_->moduleConsts.push_back(constant.get());
        return constant;
    }

    StmtPtr ifStatement()
    {
        auto ifs = at<IfStmt>(next());
        ifs->conditions.push_back(expression());
        expectKw(Kw::Then, ErrExpectedThen);
        if (!is(Tok::EndOfStatement) || peek().fromColon)
            if (!is(Tok::EndOfStatement) && !is(Tok::EndOfText))
                return singleLineIf(std::move(ifs));
        ifs->blocks.push_back(block());
        for (;;) {
            if (acceptKw(Kw::ElseIf)) {
                ifs->conditions.push_back(expression());
                expectKw(Kw::Then, ErrExpectedThen);
                ifs->blocks.push_back(block());
                continue;
            }
            if (acceptKw(Kw::Else)) {
                ifs->elseBlock = block();
                if (isKw(Kw::Else) || isKw(Kw::ElseIf))
                    fail(ErrExpectedEnd);
                continue;
            }
            break;
        }
        if (!acceptKw(Kw::End))
            fail(ErrExpectedEnd);
        expectKw(Kw::If, ErrExpectedIf);
        return ifs;
    }

    // If c Then s1: s2 Else s3 — everything up to the end of the line.
    Block singleLineStatements()
    {
        Block statements;
        ++singleLineIf_;
        for (;;) {
            statements.push_back(statement());
            if (is(Tok::EndOfStatement) && peek().fromColon && !isKw(Kw::Else)) {
                ++pos_;
                if (is(Tok::EndOfStatement) || atEnd() || isKw(Kw::Else))
                    break;
                continue;
            }
            break;
        }
        --singleLineIf_;
        return statements;
    }

    StmtPtr singleLineIf(std::unique_ptr<IfStmt> ifs)
    {
        DepthGuard guard(*this);
        ifs->blocks.push_back(singleLineStatements());
        if (acceptKw(Kw::Else))
            ifs->elseBlock = singleLineStatements();
        if (singleLineIf_ == 0 && acceptKw(Kw::End)) // a stray "End If" after a one-line If
            expectKw(Kw::If, ErrExpectedIf);
        return ifs;
    }

    StmtPtr selectStatement()
    {
        auto select = at<SelectStmt>(next());
        expectKw(Kw::Case, ErrExpectedCase);
        select->subject = expression();
        endOfStatement();
        skipSeparators();
        while (acceptKw(Kw::Case)) {
            if (acceptKw(Kw::Else)) {
                select->hasElse = true;
                select->elseBlock = block();
                break;
            }
            SelectStmt::Case branch;
            do {
                branch.tests.push_back(caseTest());
            } while (accept(Tok::Comma));
            branch.body = block();
            select->cases.push_back(std::move(branch));
        }
        if (!acceptKw(Kw::End))
            fail(ErrExpectedEnd);
        expectKw(Kw::Select, ErrExpectedSelect);
        return select;
    }

    CaseTest caseTest()
    {
        CaseTest test;
        if (acceptKw(Kw::Is)) {
            test.kind = CaseTest::Compare;
            switch (peek().kind) {
            case Tok::Equal: test.op = BinaryOp::Equal; break;
            case Tok::NotEqual: test.op = BinaryOp::NotEqual; break;
            case Tok::Less: test.op = BinaryOp::Less; break;
            case Tok::Greater: test.op = BinaryOp::Greater; break;
            case Tok::LessEqual: test.op = BinaryOp::LessEqual; break;
            case Tok::GreaterEqual: test.op = BinaryOp::GreaterEqual; break;
            default: fail(ErrSyntax);
            }
            ++pos_;
            test.value = expression();
            return test;
        }
        test.value = expression();
        if (acceptKw(Kw::To)) {
            test.kind = CaseTest::Range;
            test.upper = expression();
        }
        return test;
    }

    std::unique_ptr<NameExpr> loopVariable()
    {
        if (!is(Tok::Identifier))
            fail(ErrInvalidForVariable);
        auto variable = at<NameExpr>(peek());
        variable->name = next().text;
        variable->lower = variable->name.toLower();
        return variable;
    }

    void closeFor()
    {
        if (!acceptKw(Kw::Next))
            fail(ErrExpectedNext);
        if (is(Tok::Identifier))
            ++pos_;
    }

    StmtPtr forStatement()
    {
        const Token& start = next();
        if (acceptKw(Kw::Each)) {
            auto loop = at<ForEachStmt>(start);
            loop->variable = loopVariable();
            expectKw(Kw::In, ErrExpectedIn);
            loop->collection = expression();
            endOfStatement();
            ++forDepth_;
            loop->body = block();
            --forDepth_;
            closeFor();
            return loop;
        }
        auto loop = at<ForStmt>(start);
        loop->variable = loopVariable();
        if (!accept(Tok::Equal))
            fail(ErrExpectedEquals);
        loop->from = expression();
        expectKw(Kw::To, ErrExpectedTo);
        loop->to = expression();
        if (isWord(peek(), "step")) {
            ++pos_;
            loop->step = expression();
        }
        endOfStatement();
        ++forDepth_;
        loop->body = block();
        --forDepth_;
        closeFor();
        return loop;
    }

    void loopCondition(DoStmt& loop, bool atEnd)
    {
        if (isKw(Kw::While) || isKw(Kw::Until)) {
            loop.until = next().keyword == Kw::Until;
            loop.conditionAtEnd = atEnd;
            loop.condition = expression();
        }
    }

    StmtPtr doStatement()
    {
        auto loop = at<DoStmt>(next());
        loopCondition(*loop, false);
        if (!atStatementEnd())
            fail(loop->condition ? ErrExpectedEndOfStatement : ErrExpectedWhileUntil);
        endOfStatement();
        ++doDepth_;
        loop->body = block();
        --doDepth_;
        if (!acceptKw(Kw::Loop))
            fail(ErrExpectedLoop);
        if (!loop->condition)
            loopCondition(*loop, true);
        return loop;
    }

    StmtPtr whileStatement()
    {
        auto loop = at<DoStmt>(next());
        loop->condition = expression();
        endOfStatement();
        loop->body = block();
        if (!acceptKw(Kw::Wend))
            fail(ErrExpectedWend);
        return loop;
    }

    StmtPtr exitStatement()
    {
        const Token& start = next();
        auto exit = at<ExitStmt>(start);
        const Token& what = peek();
        if (acceptKw(Kw::For)) {
            exit->what = ExitKind::For;
            if (forDepth_ == 0)
                failAt(ErrInvalidExit, start);
        } else if (acceptKw(Kw::Do)) {
            exit->what = ExitKind::Do;
            if (doDepth_ == 0)
                failAt(ErrInvalidExit, start);
        } else if (acceptKw(Kw::Sub)) {
            exit->what = ExitKind::Sub;
            if (!proc_ || proc_->kind != ProcKind::Sub)
                failAt(ErrInvalidExit, start);
        } else if (acceptKw(Kw::Function)) {
            exit->what = ExitKind::Function;
            if (!proc_ || proc_->kind != ProcKind::Function)
                failAt(ErrInvalidExit, start);
        } else if (isWord(what, "property")) {
            ++pos_;
            exit->what = ExitKind::Property;
            if (!proc_ || proc_->kind == ProcKind::Sub || proc_->kind == ProcKind::Function)
                failAt(ErrInvalidExit, start);
        } else {
            fail(ErrSyntax);
        }
        return exit;
    }

    StmtPtr withStatement()
    {
        auto with = at<WithStmt>(next());
        with->object = expression();
        endOfStatement();
        with->body = block();
        if (!acceptKw(Kw::End))
            fail(ErrExpectedEnd);
        expectKw(Kw::With, ErrExpectedWith);
        return with;
    }

    StmtPtr onErrorStatement()
    {
        auto onError = at<OnErrorStmt>(next());
        if (!isWord(peek(), "error"))
            fail(ErrSyntax);
        ++pos_;
        if (isWord(peek(), "resume")) {
            ++pos_;
            expectKw(Kw::Next, ErrSyntax);
            onError->resumeNext = true;
            return onError;
        }
        expectKw(Kw::GoTo, ErrSyntax);
        if (!is(Tok::Literal) || !peek().value.isIntegralType() || peek().value.integralValue() != 0)
            fail(ErrSyntax);
        ++pos_;
        return onError;
    }

    StmtPtr eraseStatement()
    {
        auto erase = at<EraseStmt>(next());
        auto name = at<NameExpr>(peek());
        name->name = identifier();
        name->lower = name->name.toLower();
        erase->target = std::move(name);
        return erase;
    }

    StmtPtr assignment(bool isSet)
    {
        const Token& start = peek();
        if (isSet)
            ++pos_;
        auto assign = at<AssignStmt>(start);
        assign->isSet = isSet;
        assign->target = postfixChain();
        checkAssignable(*assign->target);
        if (!accept(Tok::Equal))
            fail(ErrExpectedEquals);
        assign->value = expression();
        return assign;
    }

    void checkAssignable(const Expr& target) const
    {
        if (target.kind != ExprKind::Name && target.kind != ExprKind::Member && target.kind != ExprKind::Index)
            fail(ErrExpectedStatement);
    }

    StmtPtr callStatement()
    {
        const Token& start = next();
        auto call = at<CallStmt>(start);
        call->call = postfixChain();
        if (call->call->kind == ExprKind::Me || call->call->kind == ExprKind::Paren)
            failAt(ErrExpectedIdentifier, start);
        return call;
    }

    // A statement that starts with a name: "x = 1", "obj.y(2) = 3", "Foo 1, 2", "Foo(1)".
    StmtPtr assignmentOrCall()
    {
        const Token& start = peek();
        const size_t chainStart = pos_;
        ExprPtr target = postfixChain();
        if (is(Tok::Equal)) {
            ++pos_;
            checkAssignable(*target);
            auto assign = at<AssignStmt>(start);
            assign->target = std::move(target);
            assign->value = expression();
            return assign;
        }
        auto call = at<CallStmt>(start);
        if (target->kind == ExprKind::Me)
            failAt(ErrInvalidMe, start);
        ExprList* args = argumentsOf(*target);
        if (atStatementEnd()) {
            if (args && args->size() > 1)
                failAt(ErrParenthesesOnSubCall, start);
            if (args && args->size() == 1) // Foo(x) passes (x), by value
                wrapInParens(args->front());
            call->call = std::move(target);
            return call;
        }
        // More follows: the '(' after the name began the first argument, as in "Foo (1) + 2, 3".
        if (args) {
            pos_ = chainStart;
            target = postfixChain(true);
            args = argumentsOf(*target);
        }
        if (!args)
            fail(ErrExpectedEndOfStatement);
        do {
            args->push_back(expression());
        } while (accept(Tok::Comma));
        setHasParens(*target, false);
        call->call = std::move(target);
        return call;
    }

    static void wrapInParens(ExprPtr& arg)
    {
        if (arg->kind == ExprKind::Paren)
            return;
        auto paren = std::make_unique<ParenExpr>();
        paren->line = arg->line;
        paren->column = arg->column;
        paren->inner = std::move(arg);
        arg = std::move(paren);
    }

    static ExprList* argumentsOf(Expr& e)
    {
        if (e.kind == ExprKind::Name) {
            auto& name = static_cast<NameExpr&>(e);
            return &name.args;
        }
        if (e.kind == ExprKind::Member) {
            auto& member = static_cast<MemberExpr&>(e);
            return &member.args;
        }
        return nullptr;
    }

    static void setHasParens(Expr& e, bool value)
    {
        if (e.kind == ExprKind::Name)
            static_cast<NameExpr&>(e).hasParens = value;
        else if (e.kind == ExprKind::Member)
            static_cast<MemberExpr&>(e).hasParens = value;
    }

    // ---- expressions ------------------------------------------------------------------

    ExprList expressionList()
    {
        ExprList list;
        do {
            list.push_back(expression());
        } while (accept(Tok::Comma));
        return list;
    }

    // Arguments in parentheses; an omitted one ("f(1, , 3)") is passed as Empty.
    ExprList argumentList()
    {
        ExprList list;
        if (accept(Tok::RParen))
            return list;
        do {
            if (is(Tok::Comma) || is(Tok::RParen)) {
                auto omitted = at<LiteralExpr>(peek());
                list.push_back(std::move(omitted));
                continue;
            }
            list.push_back(expression());
        } while (accept(Tok::Comma));
        if (!accept(Tok::RParen))
            fail(ErrExpectedRParen);
        return list;
    }

    ExprPtr binary(BinaryOp op, ExprPtr left, ExprPtr right, const Token& at)
    {
        auto node = std::make_unique<BinaryExpr>();
        node->line = at.line;
        node->column = at.column;
        node->op = op;
        if (left->kind == ExprKind::Literal)
            node->literals |= LeftLiteral;
        if (right->kind == ExprKind::Literal)
            node->literals |= RightLiteral;
        // A flat chain of operators nests as deeply as parentheses do once it is a tree:
        // every later step (resolving, running, freeing) walks it recursively.
        node->chainLength = 1 + std::max(chainLength(*left), chainLength(*right));
        if (node->chainLength > limits::maxOperatorChain)
            fail(ErrNestingTooDeep);
        node->left = std::move(left);
        node->right = std::move(right);
        return node;
    }

    static int chainLength(const Expr& e)
    {
        return e.kind == ExprKind::Binary ? static_cast<const BinaryExpr&>(e).chainLength : 0;
    }

    ExprPtr expression()
    {
        DepthGuard guard(*this);
        return impExpression();
    }

    using Level = ExprPtr (Parser::*)();

    ExprPtr leftAssociative(Level operand, Kw keyword, BinaryOp op)
    {
        ExprPtr left = (this->*operand)();
        while (isKw(keyword)) {
            const Token& t = next();
            left = binary(op, std::move(left), (this->*operand)(), t);
        }
        return left;
    }

    ExprPtr impExpression() { return leftAssociative(&Parser::eqvExpression, Kw::Imp, BinaryOp::Imp); }
    ExprPtr eqvExpression() { return leftAssociative(&Parser::xorExpression, Kw::Eqv, BinaryOp::Eqv); }
    ExprPtr xorExpression() { return leftAssociative(&Parser::orExpression, Kw::Xor, BinaryOp::Xor); }
    ExprPtr orExpression() { return leftAssociative(&Parser::andExpression, Kw::Or, BinaryOp::Or); }
    ExprPtr andExpression() { return leftAssociative(&Parser::notExpression, Kw::And, BinaryOp::And); }

    ExprPtr notExpression()
    {
        if (isKw(Kw::Not)) {
            DepthGuard guard(*this);
            auto node = at<UnaryExpr>(next());
            node->op = UnaryOp::Not;
            node->operand = notExpression();
            return node;
        }
        return comparisonExpression();
    }

    bool comparisonOperator(BinaryOp& op) const
    {
        switch (peek().kind) {
        case Tok::Equal: op = BinaryOp::Equal; return true;
        case Tok::NotEqual: op = BinaryOp::NotEqual; return true;
        case Tok::Less: op = BinaryOp::Less; return true;
        case Tok::Greater: op = BinaryOp::Greater; return true;
        case Tok::LessEqual: op = BinaryOp::LessEqual; return true;
        case Tok::GreaterEqual: op = BinaryOp::GreaterEqual; return true;
        case Tok::Keyword:
            if (peek().keyword == Kw::Is) {
                op = BinaryOp::Is;
                return true;
            }
            return false;
        default: return false;
        }
    }

    ExprPtr comparisonExpression()
    {
        ExprPtr left = concatExpression();
        BinaryOp op;
        while (comparisonOperator(op)) {
            const Token& t = next();
            left = binary(op, std::move(left), concatExpression(), t);
        }
        return left;
    }

    ExprPtr concatExpression()
    {
        ExprPtr left = additiveExpression();
        while (is(Tok::Ampersand)) {
            const Token& t = next();
            left = binary(BinaryOp::Concat, std::move(left), additiveExpression(), t);
        }
        return left;
    }

    ExprPtr additiveExpression()
    {
        ExprPtr left = modExpression();
        while (is(Tok::Plus) || is(Tok::Minus)) {
            const Token& t = next();
            left = binary(t.kind == Tok::Plus ? BinaryOp::Add : BinaryOp::Subtract, std::move(left), modExpression(), t);
        }
        return left;
    }

    ExprPtr modExpression() { return leftAssociative(&Parser::intDivExpression, Kw::Mod, BinaryOp::Mod); }

    ExprPtr intDivExpression()
    {
        ExprPtr left = multiplicativeExpression();
        while (is(Tok::Backslash)) {
            const Token& t = next();
            left = binary(BinaryOp::IntDivide, std::move(left), multiplicativeExpression(), t);
        }
        return left;
    }

    ExprPtr multiplicativeExpression()
    {
        ExprPtr left = unaryExpression();
        while (is(Tok::Star) || is(Tok::Slash)) {
            const Token& t = next();
            left = binary(t.kind == Tok::Star ? BinaryOp::Multiply : BinaryOp::Divide, std::move(left),
                          unaryExpression(), t);
        }
        return left;
    }

    ExprPtr unaryExpression()
    {
        if (is(Tok::Minus) || is(Tok::Plus)) {
            DepthGuard guard(*this);
            const Token& t = next();
            ExprPtr operand = unaryExpression();
            if (t.kind == Tok::Minus && operand->kind == ExprKind::Literal) {
                auto& literal = static_cast<LiteralExpr&>(*operand);
                if (literal.value.isNumericType()) {
                    literal.value = negate(literal.value);
                    literal.line = t.line;
                    literal.column = t.column;
                    return operand;
                }
            }
            auto node = at<UnaryExpr>(t);
            node->op = t.kind == Tok::Minus ? UnaryOp::Negate : UnaryOp::Plus;
            node->operand = std::move(operand);
            return node;
        }
        return powerExpression();
    }

    ExprPtr powerExpression()
    {
        ExprPtr left = primary();
        while (is(Tok::Caret)) {
            const Token& t = next();
            ExprPtr right;
            if (is(Tok::Minus) || is(Tok::Plus)) {
                DepthGuard guard(*this);
                const Token& sign = next();
                auto node = at<UnaryExpr>(sign);
                node->op = sign.kind == Tok::Minus ? UnaryOp::Negate : UnaryOp::Plus;
                node->operand = primary();
                right = std::move(node);
            } else {
                right = primary();
            }
            left = binary(BinaryOp::Power, std::move(left), std::move(right), t);
        }
        return left;
    }

    ExprPtr literal(const Token& t, Variant value)
    {
        auto node = at<LiteralExpr>(t);
        node->value = std::move(value);
        return node;
    }

    ExprPtr primary()
    {
        DepthGuard guard(*this);
        const Token& t = peek();
        switch (t.kind) {
        case Tok::Literal: ++pos_; return literal(t, t.value);
        case Tok::LParen: {
            ++pos_;
            auto paren = at<ParenExpr>(t);
            paren->inner = expression();
            if (!accept(Tok::RParen))
                fail(ErrExpectedRParen);
            return paren;
        }
        case Tok::Identifier:
        case Tok::Dot: return postfixChain();
        case Tok::Keyword:
            switch (t.keyword) {
            case Kw::True: ++pos_; return literal(t, Variant::fromBool(true));
            case Kw::False: ++pos_; return literal(t, Variant::fromBool(false));
            case Kw::Empty: ++pos_; return literal(t, Variant());
            case Kw::Null: ++pos_; return literal(t, Variant::null());
            case Kw::Nothing: ++pos_; return literal(t, Variant::nothing());
            case Kw::Me: return postfixChain();
            case Kw::New: {
                ++pos_;
                auto node = at<NewExpr>(t);
                node->className = identifier();
                return node;
            }
            default: break;
            }
            break;
        default: break;
        }
        fail(ErrExpectedExpression);
    }

    // name, Me or .member, followed by (args) and .member parts. With stopAtFirstParen the
    // first argument list is left unparsed (the caller reads it as call arguments).
    ExprPtr postfixChain(bool stopAtFirstParen = false)
    {
        DepthGuard guard(*this);
        const Token& t = peek();
        ExprPtr current;
        if (t.kind == Tok::Identifier) {
            ++pos_;
            auto name = at<NameExpr>(t);
            name->name = t.text;
            name->lower = t.text.toLower();
            current = std::move(name);
        } else if (t.kind == Tok::Keyword && t.keyword == Kw::Me) {
            ++pos_;
            current = at<MeExpr>(t);
        } else if (t.kind == Tok::Dot) {
            ++pos_;
            auto member = at<MemberExpr>(t);
            member->name = memberName();
            member->lower = member->name.toLower();
            current = std::move(member);
        } else {
            fail(ErrExpectedExpression);
        }
        for (;;) {
            if (is(Tok::LParen)) {
                if (stopAtFirstParen && isLastParenGroup())
                    return current;
                ExprList* args = argumentsOf(*current);
                const bool canTakeArgs = args && args->empty() && !hasParens(*current);
                ++pos_;
                if (canTakeArgs) {
                    *args = argumentList();
                    setHasParens(*current, true);
                } else {
                    auto index = at<IndexExpr>(peek());
                    index->target = std::move(current);
                    index->args = argumentList();
                    current = std::move(index);
                }
                continue;
            }
            if (is(Tok::Dot) && !peek().spaceBefore) {
                const Token& dot = next();
                auto member = at<MemberExpr>(dot);
                member->object = std::move(current);
                member->name = memberName();
                member->lower = member->name.toLower();
                current = std::move(member);
                continue;
            }
            return current;
        }
    }

    static bool hasParens(const Expr& e)
    {
        if (e.kind == ExprKind::Name)
            return static_cast<const NameExpr&>(e).hasParens;
        if (e.kind == ExprKind::Member)
            return static_cast<const MemberExpr&>(e).hasParens;
        return true;
    }

    // True when the '(' at the current position opens the last group of the chain, that is,
    // its matching ')' is not followed by '.' or another '('.
    bool isLastParenGroup() const
    {
        int level = 0;
        for (size_t i = pos_; i < toks_.size(); ++i) {
            const Tok k = toks_[i].kind;
            if (k == Tok::LParen)
                ++level;
            else if (k == Tok::RParen && --level == 0) {
                const Tok after = i + 1 < toks_.size() ? toks_[i + 1].kind : Tok::EndOfText;
                return !((after == Tok::Dot && !toks_[i + 1].spaceBefore) || after == Tok::LParen);
            } else if (k == Tok::EndOfStatement || k == Tok::EndOfText)
                return true;
        }
        return true;
    }
};

} // namespace

std::unique_ptr<Program> parseProgram(const QString& text) { return Parser(tokenize(text)).program(); }

ExprPtr parseExpressionText(const QString& text) { return Parser(tokenize(text)).loneExpression(); }

} // namespace vbs
