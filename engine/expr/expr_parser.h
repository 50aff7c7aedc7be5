// Turns expression text into the evaluator's prefix list of elements. The text is split
// at top-level operators (outside quotes, square brackets and parentheses): relations,
// then sums, then products, then factors. Parts of the text are read through views, so
// that parsing never copies what is left of the text.
#pragma once

#include "engine/expr/expr_result.h"

#include <QList>
#include <QString>
#include <QStringView>
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
        // Set when the text is refused as a whole (too deeply nested or too long a list);
        // the elements are then empty.
        std::optional<TRpEvResult> refusal;
    };

    // Deeper nesting than this is refused, so that hostile text cannot exhaust the stack.
    static constexpr int kMaxDepth = 1000;
    // More elements than this are refused, so that hostile text cannot exhaust memory.
    static constexpr std::size_t kMaxElements = 100000;

    // Reading text splits it again at every level; text whose levels would together read
    // more characters than this allowance plus a number per character is refused.
    static constexpr std::size_t kScanAllowance = 4000000;
    static constexpr std::size_t kScansPerCharacter = 8;

    explicit TRpEvParser(TRpEvParseContext context);
    ~TRpEvParser();
    Output parse(const QString& text);

private:
    class DepthGuard;
    struct OperatorLevel;

    void relation(QStringView text);
    // `exchanged`: the part stands right of a "-" (or "/"), so its top-level "+" and "-"
    // (or "*" and "/") are read as each other.
    void sum(QStringView text, bool exchanged = false);
    void product(QStringView text, bool exchanged = false);
    void operatorLevel(QStringView text, const OperatorLevel& level, bool exchanged);
    void factor(QStringView text);
    void numberConstant(QStringView text);
    void functionOrVariable(QStringView text);
    void functionCall(QStringView text, qsizetype openParen);
    void variableReference(const QString& name);
    bool dataFieldReference(const QString& name);

    void append(std::unique_ptr<TRpEvElement> element);
    void emitError(const QString& message);
    void refuse();
    // Counts characters read; false (and the text refused) once past the budget.
    bool scanned(qsizetype count);

    TRpEvParseContext m_context;
    Output m_output;
    int m_depth = 0;
    std::size_t m_scanned = 0;
    std::size_t m_scanBudget = 0;
};
