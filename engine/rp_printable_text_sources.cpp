// The text each text control prints for the current record: fixed captions and lines,
// field values through their masks, expression values, system values, and memos with
// embedded expressions.
#include "engine/rp_printable.h"

#include "core/number_mask.h"
#include "engine/expr/expr_dataset.h"
#include "engine/expr/expr_evaluator.h"
#include "engine/rp_print_context.h"
#include "engine/rp_report.h"
#include "engine/text/date_time_mask.h"

#include <exception>
#include <optional>

namespace {

// The platform's day zero, for time values that carry no date.
const QDate kZeroDate(1899, 12, 30);

QString joinLines(const QStringList& lines)
{
    return lines.join(QLatin1Char('\n'));
}

QString numberText(const QString& mask, double value, const QString& fallback)
{
    return formatNumberMask(mask, value).value_or(fallback);
}

QDateTime dateTimeOf(const QVariant& value)
{
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return QDateTime(value.toDate(), QTime(0, 0));
    default:
        return value.toDateTime();
    }
}

// A time of day held as a time, or as text in the ISO form some engines keep times in.
std::optional<QTime> timeOf(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::QTime)
        return value.toTime();
    if (value.metaType().id() != QMetaType::QString)
        return std::nullopt;
    const QTime time = QTime::fromString(value.toString(), Qt::ISODateWithMs);
    return time.isValid() ? std::optional<QTime>(time) : std::nullopt;
}

// Fields the evaluator has no kind for: times go through the mask; memos and blobs give
// their whole text.
QString otherFieldText(const IRpEvField& field, const QString& mask)
{
    const QVariant value = field.value();
    if (const std::optional<QTime> time = timeOf(value); time && !mask.isEmpty())
        return rpFormatDateTime(mask, QDateTime(kZeroDate, *time));
    switch (value.metaType().id()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        return field.displayText();
    }
}

QString fieldText(const IRpEvField& field, const QString& mask)
{
    const TRpEvFieldType type = field.dataType();
    if (type == TRpEvFieldType::Other)
        return otherFieldText(field, mask);
    const QVariant value = field.value();
    if (mask.isEmpty() || value.isNull())
        return field.displayText();
    switch (type) {
    case TRpEvFieldType::Integer:
    case TRpEvFieldType::SmallInt:
    case TRpEvFieldType::Word:
    case TRpEvFieldType::Float:
    case TRpEvFieldType::Currency:
    case TRpEvFieldType::BCD:
        return numberText(mask, value.toDouble(), field.displayText());
    case TRpEvFieldType::Date:
    case TRpEvFieldType::DateTime:
        return rpFormatDateTime(mask, dateTimeOf(value));
    default:
        return field.displayText();
    }
}

QString booleanText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// The value of an evaluator; an evaluator that cannot give one yields its message.
TRpEvResult evaluate(TRpEvaluator& evaluator)
{
    try {
        return evaluator.value();
    } catch (const std::exception& error) {
        return TRpEvResult::error(QString::fromUtf8(error.what()));
    }
}

std::unique_ptr<TRpEvaluator> preparedEvaluator(TRpPrintContext& context, const QString& expression)
{
    auto evaluator = std::make_unique<TRpEvaluator>();
    evaluator->setDataSets(context.evaluatorDataSets());
    evaluator->setEnvironment(context.environment());
    evaluator->prepare(expression);
    return evaluator;
}

} // namespace

QString TRpLabel::printText(TRpPrintContext&)
{
    return m_caption;
}

QString TRpMemo::printText(TRpPrintContext&)
{
    return joinLines(m_lines->lines());
}

void TRpDBText::prepare(TRpPrintContext& context)
{
    TRpCustomLabel::prepare(context);
    m_evDataSet = m_dataSet ? context.evaluatorDataSet(m_dataSet) : nullptr;
    m_fieldIndex = m_evDataSet ? m_evDataSet->fieldIndex(m_dataField) : -1;
}

void TRpDBText::unprepare()
{
    TRpCustomLabel::unprepare();
    m_evDataSet = nullptr;
    m_fieldIndex = -1;
}

// The field is fetched by its index for every record: datasets that make their fields
// anew when they open would leave a kept field object dangling.
QString TRpDBText::printText(TRpPrintContext&)
{
    if (!m_evDataSet || m_fieldIndex < 0)
        return {};
    try {
        const IRpEvField* field = m_evDataSet->field(m_fieldIndex);
        return field ? fieldText(*field, m_mask) : QString();
    } catch (const std::exception&) {
        return {};
    }
}

TRpExpr::~TRpExpr() = default;

void TRpExpr::prepare(TRpPrintContext& context)
{
    TRpCustomLabel::prepare(context);
    m_evaluator = preparedEvaluator(context, m_expression);
    m_evaluator->reset();
    if (m_evaluator->isAggregate())
        context.registerAggregate(m_master ? m_master.get() : context.report(), this);
}

void TRpExpr::unprepare()
{
    TRpCustomLabel::unprepare();
    m_evaluator.reset();
}

void TRpExpr::aggregateStep()
{
    if (m_evaluator)
        m_evaluator->aggregateStep();
}

QString TRpExpr::printText(TRpPrintContext&)
{
    if (!m_evaluator)
        return {};
    const TRpEvResult result = evaluate(*m_evaluator);
    switch (result.kind()) {
    case TRpEvKind::Integer:
    case TRpEvKind::Float:
        return m_mask.isEmpty() ? result.displayText() : numberText(m_mask, result.numericValue(), result.displayText());
    case TRpEvKind::Boolean:
        return booleanText(result.booleanValue());
    default:
        return result.text();
    }
}

void TRpExpr::printCompleted()
{
    if (m_resetAfterPrint && m_evaluator)
        m_evaluator->reset();
}

QString TRpExpr::designCaption() const
{
    return m_expression.isEmpty() ? QStringLiteral("(none)") : m_expression;
}

QString TRpSysData::printText(TRpPrintContext& context)
{
    const QDateTime now = context.printTime();
    switch (m_data) {
    case TRpSysDataType::rpsTime:
        return m_text + rpFormatDateTime(QStringLiteral("t"), now);
    case TRpSysDataType::rpsDate:
        return m_text + rpFormatDateTime(QStringLiteral("c"), QDateTime(now.date(), QTime(0, 0)));
    case TRpSysDataType::rpsDateTime:
        return m_text + rpFormatDateTime(QStringLiteral("c"), now);
    case TRpSysDataType::rpsPageNumber:
        return m_text + QString::number(context.pageNumber());
    case TRpSysDataType::rpsReportTitle: {
        const TReport* owner = context.report() ? context.report() : report();
        return m_text + (owner ? owner->reportTitle() : QString());
    }
    case TRpSysDataType::rpsDetailCount:
        return m_text + QString::number(context.detailCount());
    case TRpSysDataType::rpsDetailNo:
        return m_text + QString::number(context.detailNumber());
    }
    return m_text;
}

QString TRpSysData::designCaption() const
{
    static const char* const names[] = {"Time", "Date", "Date/Time", "Page#", "Report title", "Detail count",
                                        "Detail no"};
    return m_text + QLatin1Char('(') + QLatin1String(names[int(m_data)]) + QLatin1Char(')');
}

TRpExprMemo::~TRpExprMemo() = default;

// Every "{expression}" is taken out of its line and remembered with its place. A "{"
// without a "}" after it, or braces around nothing, end the scan of the line.
void TRpExprMemo::prepare(TRpPrintContext& context)
{
    TRpCustomLabel::prepare(context);
    m_strippedLines = m_lines->lines();
    m_embedded.clear();
    for (int index = 0; index < m_strippedLines.size(); ++index) {
        QString& line = m_strippedLines[index];
        for (;;) {
            const qsizetype open = line.indexOf(QLatin1Char('{'));
            const qsizetype close = open < 0 ? -1 : line.indexOf(QLatin1Char('}'), open + 1);
            if (close < 0 || close == open + 1)
                break;
            const QString expression = line.mid(open + 1, close - open - 1);
            line.remove(open, close - open + 1);
            m_embedded.push_back({index, open, preparedEvaluator(context, expression)});
        }
    }
}

void TRpExprMemo::unprepare()
{
    TRpCustomLabel::unprepare();
    m_embedded.clear();
    m_strippedLines.clear();
}

// Results go in from the last expression to the first, so earlier places stay valid.
QString TRpExprMemo::printText(TRpPrintContext&)
{
    QStringList lines = m_strippedLines;
    for (auto it = m_embedded.rbegin(); it != m_embedded.rend(); ++it) {
        const TRpEvResult result = evaluate(*it->evaluator);
        QString text;
        if (result.kind() == TRpEvKind::Boolean)
            text = booleanText(result.booleanValue());
        else if (!result.isError())
            text = result.displayText();
        lines[it->line].insert(it->position, text);
    }
    if (m_removeBlankLines)
        lines.removeIf([](const QString& line) { return line.isEmpty(); });
    return joinLines(lines);
}
