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

namespace {

// Error messages quote the text they are about; a result holds no more than this anyway.
QString quoted(QStringView text)
{
    return text.left(kRpEvMaxText).toString();
}

} // namespace

// Counts the nesting of the parse; once the text is refused, every level stops at once.
class TRpEvParser::DepthGuard
{
public:
    explicit DepthGuard(TRpEvParser& parser) : m_parser(parser)
    {
        if (++m_parser.m_depth > kMaxDepth)
            m_parser.refuse();
    }
    ~DepthGuard() { --m_parser.m_depth; }
    bool stop() const { return m_parser.m_output.refusal.has_value(); }

private:
    TRpEvParser& m_parser;
};

TRpEvParser::TRpEvParser(TRpEvParseContext context) : m_context(std::move(context)) {}

TRpEvParser::~TRpEvParser() = default;

TRpEvParser::Output TRpEvParser::parse(const QString& text)
{
    m_output = Output();
    m_depth = 0;
    m_scanned = 0;
    m_scanBudget = kScanAllowance + kScansPerCharacter * std::size_t(text.size());
    // Each parenthesis costs two levels; text nested deeper is refused before any work.
    if (rpEvParenthesisDepth(text) > kMaxDepth / 2)
        refuse();
    else
        relation(text);
    if (m_output.refusal)
        m_output.elements.clear();
    return std::move(m_output);
}

void TRpEvParser::refuse()
{
    if (!m_output.refusal)
        m_output.refusal = TRpEvResult::error(QLatin1String(exprmsg::tooComplex));
}

bool TRpEvParser::scanned(qsizetype count)
{
    m_scanned += std::size_t(count);
    if (m_scanned > m_scanBudget)
        refuse();
    return !m_output.refusal;
}

void TRpEvParser::append(std::unique_ptr<TRpEvElement> element)
{
    if (m_output.elements.size() >= kMaxElements)
        return refuse();
    m_output.elements.push_back(std::move(element));
}

void TRpEvParser::emitError(const QString& message)
{
    append(std::make_unique<TRpEvElementError>(message));
}

void TRpEvParser::relation(QStringView text)
{
    const DepthGuard guard(*this);
    if (guard.stop())
        return;
    TRpEvNesting nesting;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!nesting.next(text[i]) || i == 0)
            continue;
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        TRpEvOperator op;
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
        const bool twoCharacters =
            op == TRpEvOperator::LessOrEqual || op == TRpEvOperator::NotEqual || op == TRpEvOperator::GreaterOrEqual;
        if (!scanned(i))
            return;
        append(std::make_unique<TRpEvElementOperator>(op));
        sum(text.left(i));
        sum(text.mid(i + (twoCharacters ? 2 : 1)));
        return;
    }
    if (scanned(text.size()))
        sum(text);
}

// A level of binary operators: two symbols of equal precedence and one word operator.
// Their left operand is read at the next lower level, their right one at this level.
struct TRpEvParser::OperatorLevel {
    QChar symbol;
    QChar inverse; // the symbol whose right part is read with both exchanged
    TRpEvOperator symbolOperator;
    TRpEvOperator inverseOperator;
    QLatin1String word;
    TRpEvOperator wordOperator;
    bool isSum; // sums read their operands as products, products as factors
};

void TRpEvParser::sum(QStringView text, bool exchanged)
{
    static const OperatorLevel sums = {u'+', u'-', TRpEvOperator::Plus, TRpEvOperator::Minus,
                                       QLatin1String("or"), TRpEvOperator::Or, true};
    operatorLevel(text, sums, exchanged);
}

void TRpEvParser::product(QStringView text, bool exchanged)
{
    static const OperatorLevel products = {u'*', u'/', TRpEvOperator::Multiply, TRpEvOperator::Divide,
                                           QLatin1String("and"), TRpEvOperator::And, false};
    operatorLevel(text, products, exchanged);
}

void TRpEvParser::operatorLevel(QStringView text, const OperatorLevel& level, bool exchanged)
{
    const DepthGuard guard(*this);
    if (guard.stop())
        return;
    const auto readLower = [&](QStringView part) { level.isSum ? product(part) : factor(part); };
    const auto readSame = [&](QStringView part, bool partExchanged) {
        level.isSum ? sum(part, partExchanged) : product(part, partExchanged);
    };
    TRpEvNesting nesting;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!nesting.next(text[i]) || i == 0)
            continue;
        QChar c = text[i];
        // A sum's "+" and "-" are operators only where they are not signs.
        const bool symbol = (c == level.symbol || c == level.inverse) && (!level.isSum || rpEvIsBinarySign(text, i));
        if (symbol) {
            if (!scanned(i))
                return;
            if (exchanged)
                c = c == level.symbol ? level.inverse : level.symbol;
            // a - b + c is a - (b - c), a / b * c is a / (b / c): the right part is read
            // with the two symbols exchanged.
            const bool inverse = c == level.inverse;
            append(std::make_unique<TRpEvElementOperator>(inverse ? level.inverseOperator : level.symbolOperator));
            readLower(text.left(i));
            readSame(text.mid(i + 1), exchanged != inverse);
            return;
        }
        if (rpEvIsWordOperatorAt(text, i, level.word)) {
            if (!scanned(i))
                return;
            append(std::make_unique<TRpEvElementOperator>(level.wordOperator));
            readLower(text.left(i));
            readSame(text.mid(i + level.word.size() + 2), exchanged);
            return;
        }
    }
    if (scanned(text.size()))
        readLower(text);
}

void TRpEvParser::factor(QStringView untrimmed)
{
    const DepthGuard guard(*this);
    if (guard.stop())
        return;
    const QStringView text = untrimmed.trimmed();
    if (text.isEmpty())
        return emitError(exprmsg::errorInExpression(QString()));
    if (text.left(3).compare(QLatin1String("not"), Qt::CaseInsensitive) == 0) {
        append(std::make_unique<TRpEvElementNot>());
        return sum(text.mid(3));
    }
    const QChar first = text[0];
    const auto enclosedIn = [&](QChar close) { return text.size() >= 2 && text.endsWith(close); };
    if (first == QLatin1Char('\'')) {
        if (!enclosedIn(QLatin1Char('\'')))
            return emitError(exprmsg::missing(QStringLiteral("'")));
        return append(std::make_unique<TRpEvElementString>(text.mid(1, text.size() - 2).left(kRpEvMaxText).toString()));
    }
    if (first == QLatin1Char('(')) {
        if (!enclosedIn(QLatin1Char(')')))
            return emitError(exprmsg::missing(QStringLiteral(")")));
        return relation(text.mid(1, text.size() - 2));
    }
    if (first == QLatin1Char('+'))
        return factor(text.mid(1));
    if (first == QLatin1Char('-')) {
        // A leading minus reads as 0 minus the rest.
        append(std::make_unique<TRpEvElementOperator>(TRpEvOperator::Minus));
        append(std::make_unique<TRpEvElementConstant>(TRpEvResult::integer(0)));
        return sum(text.mid(1), true);
    }
    if (rpEvIsAsciiDigit(first))
        return numberConstant(text);
    if (first.isLetter())
        return functionOrVariable(text);
    if (first == QLatin1Char('[')) {
        if (!enclosedIn(QLatin1Char(']')))
            return emitError(exprmsg::missing(QStringLiteral("]")));
        return variableReference(text.mid(1, text.size() - 2).trimmed().toString());
    }
    emitError(exprmsg::errorInExpression(quoted(text)));
}

void TRpEvParser::numberConstant(QStringView text)
{
    static const QString numberCharacters = QStringLiteral("+-.0123456789Ee");
    bool onlyDigits = true;
    for (const QChar c : text) {
        if (!numberCharacters.contains(c))
            return emitError(exprmsg::illegalNumericCharacter(quoted(text)));
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
    QString localised = text.toString();
    localised.replace(QLatin1Char('.'), locale.decimalPoint());
    const double value = onlyDigits ? text.toDouble(&ok) : locale.toDouble(localised, &ok);
    if (!ok || !std::isfinite(value))
        return emitError(exprmsg::illegalNumericCharacter(quoted(text)));
    append(std::make_unique<TRpEvElementConstant>(TRpEvResult::fromFloat(value)));
}

void TRpEvParser::functionOrVariable(QStringView text)
{
    const qsizetype openParen = text.indexOf(QLatin1Char('('));
    if (openParen >= 0)
        return functionCall(text, openParen);
    const QString name = text.toString();
    if (const TRpEvFunctionEntry* entry = m_context.library->find(name)) {
        append(entry->create());
        return append(std::make_unique<TRpEvElementArgumentEnd>());
    }
    variableReference(name);
}

void TRpEvParser::functionCall(QStringView text, qsizetype openParen)
{
    if (!text.endsWith(QLatin1Char(')')))
        return emitError(exprmsg::missing(QStringLiteral(")")));
    const QString name = quoted(text.left(openParen).trimmed());
    const TRpEvFunctionEntry* entry = m_context.library->find(name);
    if (!entry)
        return emitError(exprmsg::unknownFunction(name));
    append(entry->create());
    const QStringView arguments = text.mid(openParen + 1, text.size() - openParen - 2);
    if (!scanned(arguments.size()))
        return;
    TRpEvNesting nesting;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= arguments.size() && !m_output.refusal; ++i) {
        const bool atEnd = i == arguments.size();
        if (!atEnd && !(nesting.next(arguments[i]) && arguments[i] == QLatin1Char(',')))
            continue;
        const QStringView argument = arguments.mid(start, i - start);
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
