#include "engine/expr/expr_element.h"

#include "engine/expr/expr_dataset.h"
#include "engine/expr/expr_evaluator.h"
#include "engine/expr/expr_messages.h"

TRpEvResult TRpEvElementOperator::value(TRpEvaluator& evaluator)
{
    const TRpEvResult left = evaluator.nextValue();
    const TRpEvResult right = evaluator.nextValue();
    // Arithmetic on floats is the most frequent case in reports; it skips the dispatch.
    if ((left.kind() == TRpEvKind::Float || right.kind() == TRpEvKind::Float) && left.isNumeric()
        && right.isNumeric()) {
        if (const auto result = rpEvFloatArithmetic(m_operator, left.numericValue(), right.numericValue()))
            return TRpEvResult::fromFloat(*result);
    }
    return rpEvApplyOperator(m_operator, left, right);
}

TRpEvResult TRpEvElementNot::value(TRpEvaluator& evaluator)
{
    const TRpEvResult operand = evaluator.nextValue();
    if (operand.isError())
        return operand;
    if (operand.kind() != TRpEvKind::Boolean)
        return TRpEvResult::error(QLatin1String(exprmsg::invalidNot));
    return TRpEvResult::boolean(!operand.booleanValue());
}

TRpEvElementDataField::TRpEvElementDataField(IRpEvDataSet* dataSet, int fieldIndex, IRpEvField* field)
    : m_dataSet(dataSet), m_fieldIndex(fieldIndex), m_field(field), m_fieldName(field->fieldName())
{
}

TRpEvResult TRpEvElementDataField::value(TRpEvaluator&)
{
    const IRpEvField* field = m_dataSet->usesDefaultFields() ? m_dataSet->field(m_fieldIndex) : m_field;
    if (!field)
        return TRpEvResult::error(exprmsg::unknownFunction(m_fieldName));
    return rpEvFieldResult(*field);
}

namespace {

// Reads a value without the general conversion machinery when it already has the type.
template <typename T>
T variantAs(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<T>())
        return *static_cast<const T*>(value.constData());
    return value.value<T>();
}

} // namespace

TRpEvResult rpEvFieldResult(const IRpEvField& field)
{
    switch (field.dataType()) {
    case TRpEvFieldType::String:
        return TRpEvResult::string(variantAs<QString>(field.value()));
    case TRpEvFieldType::Integer:
    case TRpEvFieldType::SmallInt:
    case TRpEvFieldType::Word: {
        const QVariant value = field.value();
        if (value.metaType() == QMetaType::fromType<int>())
            return TRpEvResult::integer(*static_cast<const int*>(value.constData()));
        return TRpEvResult::fromWideInteger(value.toLongLong());
    }
    case TRpEvFieldType::Float:
    case TRpEvFieldType::Currency:
    case TRpEvFieldType::BCD:
        return TRpEvResult::fromFloat(variantAs<double>(field.value()));
    case TRpEvFieldType::Boolean:
        return TRpEvResult::boolean(field.value().toBool());
    case TRpEvFieldType::Date:
    case TRpEvFieldType::DateTime:
        return TRpEvResult::string(field.displayText());
    case TRpEvFieldType::Other:
        break;
    }
    return TRpEvResult::error(exprmsg::fieldOfUnknownType(field.fieldName()));
}
