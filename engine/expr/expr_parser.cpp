#include "engine/expr/expr_parser.h"

#include "engine/expr/expr_dataset.h"
#include "engine/expr/expr_element.h"
#include "engine/expr/expr_environment.h"
#include "engine/expr/expr_function_library.h"
#include "engine/expr/expr_messages.h"
#include "engine/expr/expr_text_scan.h"

#include <QLocale>
#include <cmath>
#include <limits>

class TRpEvParser::DepthGuard
{
public:
    explicit DepthGuard(TRpEvParser& parser) : m_parser(parser) { ++m_parser.m_depth; }
    ~DepthGuard() { --m_parser.m_depth; }
    bool tooDeep() const { return m_parser.m_depth > kMaxDepth; }

private:
    TRpEvParser& m_parser;
};

TRpEvParser::TRpEvParser(TRpEvParseContext context) : m_context(std::move(context)) {}

TRpEvParser::~TRpEvParser() = default;

TRpEvParser::Output TRpEvParser::parse(const QString& text)
{
    m_output = Output();
    m_depth = 0;
    relation(text);
    return std::move(m_output);
}

void TRpEvParser::append(std::unique_ptr<TRpEvElement> element)
{
    m_output.elements.push_back(std::move(element));
}

void TRpEvParser::emitError(const QString& message)
{
    auto error = std::make_unique<TRpEvElementError>(message);
    if (!m_output.firstError)
        m_output.firstError = error->error();
    append(std::move(error));
}

void TRpEvParser::relation(const QString& text)
{
    const DepthGuard guard(*this);
    if (guard.tooDeep())
        return emitError(QLatin1String(exprmsg::tooComplex));
    const std::vector<bool> topLevel = rpEvTopLevelMask(text);
    for (int i = 1; i < text.size(); ++i) {
        if (!topLevel[i])
            continue;
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        TRpEvOperator op;
        int length = 1;
        if (c == QLatin1Char('<')) {
            op = next == QLatin1Char('=') ? TRpEvOperator::LessOrEqual
                : next == QLatin1Char('>') ? TRpEvOperator::NotEqual
                                           : TRpEvOperator::Less;
        } else if (c == QLatin1Char('>')) {
            op = next == QLatin1Char('=') ? TRpEvOperator::GreaterOrEqual : TRpEvOperator::Greater;
        } else if (c == QLatin1Char('=')) {
            op = TRpEvOperator::Equal;
        } else {
            continue;
        }
        if (op == TRpEvOperator::LessOrEqual || op == TRpEvOperator::NotEqual || op == TRpEvOperator::GreaterOrEqual)
            length = 2;
        append(std::make_unique<TRpEvElementOperator>(op));
        sum(text.left(i));
        sum(text.mid(i + length));
        return;
    }
    sum(text);
}

// A level of binary operators: two symbols of equal precedence and one word operator.
// Their left operand is read at the next lower level, their right one at this level.
struct TRpEvParser::OperatorLevel {
    QChar symbol;
    QChar inverse; // the symbol whose right part is read with both exchanged
    TRpEvOperator symbolOperator;
    TRpEvOperator inverseOperator;
    bool symbolsMayBeSigns;
    const char* word;
    TRpEvOperator wordOperator;
    void (TRpEvParser::*same)(const QString&);
    void (TRpEvParser::*lower)(const QString&);
};

void TRpEvParser::sum(const QString& text)
{
    static const OperatorLevel sums = {u'+', u'-', TRpEvOperator::Plus, TRpEvOperator::Minus, true, "or",
                                       TRpEvOperator::Or, &TRpEvParser::sum, &TRpEvParser::product};
    operatorLevel(text, sums);
}

void TRpEvParser::product(const QString& text)
{
    static const OperatorLevel products = {u'*', u'/', TRpEvOperator::Multiply, TRpEvOperator::Divide, false, "and",
                                           TRpEvOperator::And, &TRpEvParser::product, &TRpEvParser::factor};
    operatorLevel(text, products);
}

void TRpEvParser::operatorLevel(const QString& text, const OperatorLevel& level)
{
    const DepthGuard guard(*this);
    if (guard.tooDeep())
        return emitError(QLatin1String(exprmsg::tooComplex));
    const std::vector<bool> topLevel = rpEvTopLevelMask(text);
    const QString word = QString::fromLatin1(level.word);
    for (int i = 1; i < text.size(); ++i) {
        if (!topLevel[i])
            continue;
        const QChar c = text[i];
        const bool symbol = c == level.symbol || c == level.inverse;
        if (symbol && (!level.symbolsMayBeSigns || rpEvIsBinarySign(text, i))) {
            // a - b + c is a - (b - c), a / b * c is a / (b / c): the right part is read
            // with the two symbols exchanged.
            const bool inverse = c == level.inverse;
            append(std::make_unique<TRpEvElementOperator>(inverse ? level.inverseOperator : level.symbolOperator));
            (this->*level.lower)(text.left(i));
            const QString right = text.mid(i + 1);
            (this->*level.same)(inverse ? rpEvSwapOperators(right, level.symbol, level.inverse, level.symbolsMayBeSigns)
                                        : right);
            return;
        }
        if (rpEvIsWordOperatorAt(text, i, word)) {
            append(std::make_unique<TRpEvElementOperator>(level.wordOperator));
            (this->*level.lower)(text.left(i));
            (this->*level.same)(text.mid(i + word.size() + 2));
            return;
        }
    }
    (this->*level.lower)(text);
}

void TRpEvParser::factor(const QString& untrimmed)
{
    const DepthGuard guard(*this);
    if (guard.tooDeep())
        return emitError(QLatin1String(exprmsg::tooComplex));
    const QString text = untrimmed.trimmed();
    if (text.isEmpty())
        return emitError(exprmsg::errorInExpression(text));
    if (text.left(3).compare(QLatin1String("not"), Qt::CaseInsensitive) == 0) {
        append(std::make_unique<TRpEvElementNot>());
        return sum(text.mid(3));
    }
    const QChar first = text[0];
    const auto enclosedIn = [&](QChar close) { return text.size() >= 2 && text.endsWith(close); };
    if (first == QLatin1Char('\'')) {
        if (!enclosedIn(QLatin1Char('\'')))
            return emitError(exprmsg::missing(QStringLiteral("'")));
        return append(std::make_unique<TRpEvElementString>(text.mid(1, text.size() - 2)));
    }
    if (first == QLatin1Char('(')) {
        if (!enclosedIn(QLatin1Char(')')))
            return emitError(exprmsg::missing(QStringLiteral(")")));
        return relation(text.mid(1, text.size() - 2));
    }
    if (first == QLatin1Char('+'))
        return factor(text.mid(1));
    if (first == QLatin1Char('-'))
        return sum(QStringLiteral("0-") + text.mid(1));
    if (rpEvIsAsciiDigit(first))
        return numberConstant(text);
    if (first.isLetter())
        return functionOrVariable(text);
    if (first == QLatin1Char('[')) {
        if (!enclosedIn(QLatin1Char(']')))
            return emitError(exprmsg::missing(QStringLiteral("]")));
        return variableReference(text.mid(1, text.size() - 2).trimmed());
    }
    emitError(exprmsg::errorInExpression(text));
}

void TRpEvParser::numberConstant(const QString& text)
{
    static const QString numberCharacters = QStringLiteral("+-.0123456789Ee");
    bool onlyDigits = true;
    for (const QChar c : text) {
        if (!numberCharacters.contains(c))
            return emitError(exprmsg::illegalNumericCharacter(text));
        onlyDigits = onlyDigits && rpEvIsAsciiDigit(c);
    }
    bool ok = false;
    if (onlyDigits) {
        const qint64 wide = text.toLongLong(&ok);
        if (ok && wide <= std::numeric_limits<qint32>::max())
            return append(std::make_unique<TRpEvElementConstant>(TRpEvResult::integer(qint32(wide))));
    }
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    QString localised = text;
    localised.replace(QLatin1Char('.'), locale.decimalPoint());
    const double value = onlyDigits ? text.toDouble(&ok) : locale.toDouble(localised, &ok);
    if (!ok || !std::isfinite(value))
        return emitError(exprmsg::illegalNumericCharacter(text));
    append(std::make_unique<TRpEvElementConstant>(TRpEvResult::fromFloat(value)));
}

void TRpEvParser::functionOrVariable(const QString& text)
{
    const int openParen = text.indexOf(QLatin1Char('('));
    if (openParen >= 0)
        return functionCall(text, openParen);
    if (const TRpEvFunctionEntry* entry = m_context.library->find(text)) {
        append(entry->create());
        return append(std::make_unique<TRpEvElementArgumentEnd>());
    }
    variableReference(text);
}

void TRpEvParser::functionCall(const QString& text, int openParen)
{
    if (!text.endsWith(QLatin1Char(')')))
        return emitError(exprmsg::missing(QStringLiteral(")")));
    const QString name = text.left(openParen).trimmed();
    const TRpEvFunctionEntry* entry = m_context.library->find(name);
    if (!entry)
        return emitError(exprmsg::unknownFunction(name));
    append(entry->create());
    const QString arguments = text.mid(openParen + 1, text.size() - openParen - 2);
    const std::vector<bool> topLevel = rpEvTopLevelMask(arguments);
    int start = 0;
    for (int i = 0; i <= arguments.size(); ++i) {
        const bool atEnd = i == arguments.size();
        if (!atEnd && !(topLevel[i] && arguments[i] == QLatin1Char(',')))
            continue;
        const QString argument = arguments.mid(start, i - start);
        if (!(atEnd && argument.trimmed().isEmpty()))
            relation(argument);
        start = i + 1;
    }
    append(std::make_unique<TRpEvElementArgumentEnd>());
}

bool TRpEvParser::dataFieldReference(const QString& name)
{
    const auto emitField = [&](IRpEvDataSet* dataSet, const QString& fieldName) {
        const int index = dataSet->fieldIndex(fieldName);
        IRpEvField* field = index >= 0 ? dataSet->field(index) : nullptr;
        if (field)
            append(std::make_unique<TRpEvElementDataField>(dataSet, index, field));
        return field != nullptr;
    };
    const int dot = name.indexOf(QLatin1Char('.'));
    for (IRpEvDataSet* dataSet : m_context.dataSets) {
        if (!dataSet)
            continue;
        if (dot < 0) {
            if (emitField(dataSet, name))
                return true;
        } else if (dataSet->name().compare(name.left(dot), Qt::CaseInsensitive) == 0) {
            return emitField(dataSet, name.mid(dot + 1));
        }
    }
    return false;
}

void TRpEvParser::variableReference(const QString& name)
{
    if (dataFieldReference(name))
        return;
    std::shared_ptr<TRpEvVariable> variable;
    if (m_context.environment)
        variable = m_context.environment->find(name);
    if (!variable)
        variable = TRpEvEnvironment::global().find(name);
    if (!variable)
        return emitError(exprmsg::unknownFunction(name));
    append(std::make_unique<TRpEvElementWrapper>(variable));
}
