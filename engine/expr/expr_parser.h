// Turns expression text into the evaluator's prefix list of elements. The text is split
// at top-level operators (outside quotes, square brackets and parentheses): relations,
// then sums, then products, then factors.
#pragma once

#include "engine/expr/expr_result.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class IRpEvDataSet;
class TRpEvElement;
class TRpEvEnvironment;
class TRpEvFunctionLibrary;

struct TRpEvParseContext
{
    const TRpEvFunctionLibrary* library;
    QList<IRpEvDataSet*> dataSets;
    TRpEvEnvironment* environment;
};

class TRpEvParser
{
public:
    struct Output
    {
        std::vector<std::unique_ptr<TRpEvElement>> elements;
        std::optional<TRpEvResult> firstError;
    };

    // Deeper nesting than this is refused, so that hostile text cannot exhaust the stack.
    static constexpr int kMaxDepth = 1000;

    explicit TRpEvParser(TRpEvParseContext context);
    ~TRpEvParser();
    Output parse(const QString& text);

private:
    class DepthGuard;
    struct OperatorLevel;

    void relation(const QString& text);
    void sum(const QString& text);
    void product(const QString& text);
    void operatorLevel(const QString& text, const OperatorLevel& level);
    void factor(const QString& text);
    void numberConstant(const QString& text);
    void functionOrVariable(const QString& text);
    void functionCall(const QString& text, int openParen);
    void variableReference(const QString& name);
    bool dataFieldReference(const QString& name);

    void append(std::unique_ptr<TRpEvElement> element);
    void emitError(const QString& message);

    TRpEvParseContext m_context;
    Output m_output;
    int m_depth = 0;
};
