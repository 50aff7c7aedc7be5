#include "data/ev_dataset.h"

#include "data/dataset.h"
#include "data/field.h"

TField* TEvField::field() const
{
    return m_dataSet ? m_dataSet->fields().value(m_index) : nullptr;
}

QString TEvField::fieldName() const
{
    TField* f = field();
    return f ? f->fieldName() : QString();
}

TRpEvFieldType TEvField::dataType() const
{
    TField* f = field();
    switch (f ? f->dataType() : TFieldType::ftUnknown) {
    case TFieldType::ftString:
    case TFieldType::ftFixedChar:
    case TFieldType::ftWideString:
        return TRpEvFieldType::String;
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc:
    case TFieldType::ftLargeint:
        return TRpEvFieldType::Integer;
    case TFieldType::ftSmallint:
        return TRpEvFieldType::SmallInt;
    case TFieldType::ftWord:
        return TRpEvFieldType::Word;
    case TFieldType::ftFloat:
        return TRpEvFieldType::Float;
    case TFieldType::ftCurrency:
        return TRpEvFieldType::Currency;
    case TFieldType::ftBCD:
        return TRpEvFieldType::BCD;
    case TFieldType::ftBoolean:
        return TRpEvFieldType::Boolean;
    case TFieldType::ftDate:
        return TRpEvFieldType::Date;
    case TFieldType::ftDateTime:
        return TRpEvFieldType::DateTime;
    default:
        return TRpEvFieldType::Other;
    }
}

QVariant TEvField::value() const
{
    TField* f = field();
    return f ? f->value() : QVariant();
}

QString TEvField::displayText() const
{
    TField* f = field();
    return f ? f->displayText() : QString();
}

TEvDataSet::TEvDataSet(TDataSet* dataSet) : m_dataSet(dataSet) {}

TEvDataSet::~TEvDataSet() = default;

QString TEvDataSet::name() const
{
    return m_dataSet ? m_dataSet->name() : QString();
}

int TEvDataSet::fieldIndex(const QString& fieldName) const
{
    if (!m_dataSet)
        return -1;
    TField* f = m_dataSet->findField(fieldName);
    return f ? f->index() : -1;
}

IRpEvField* TEvDataSet::field(int index) const
{
    if (!m_dataSet || index < 0 || index >= m_dataSet->fieldCount())
        return nullptr;
    if (size_t(index) >= m_fields.size())
        m_fields.resize(size_t(index) + 1);
    if (!m_fields[size_t(index)])
        m_fields[size_t(index)] = std::make_unique<TEvField>(m_dataSet, index);
    return m_fields[size_t(index)].get();
}

bool TEvDataSet::usesDefaultFields() const
{
    return !m_dataSet || m_dataSet->fields().isEmpty() || m_dataSet->hasDefaultFields();
}
