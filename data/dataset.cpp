#include "data/dataset.h"

#include "core/error.h"
#include "data/field.h"
#include "data/field_classes.h"
#include "data/record_cursor.h"

namespace {

const QVariant& nullValue()
{
    static const QVariant null;
    return null;
}

QStringList splitFieldList(const QString& fields)
{
    QStringList names;
    for (const QString& part : fields.split(u';', Qt::SkipEmptyParts)) {
        const QString name = part.trimmed();
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

// Keys compare numbers by value whatever their integer or float type.
QString keyText(const QVariant& value)
{
    if (value.isNull())
        return QStringLiteral("\x01");
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 17);
    default:
        return value.toString();
    }
}

} // namespace

TDataSet::TDataSet(TComponent* owner) : TComponent(owner) {}

TDataSet::~TDataSet()
{
    m_cursor.reset();
    for (TField* field : std::as_const(m_fields))
        field->m_dataSet = nullptr;
}

void TDataSet::setActive(bool active)
{
    if (isLoading()) {
        m_activeWhenLoaded = active;
        return;
    }
    if (active)
        open();
    else
        close();
}

void TDataSet::loaded()
{
    TComponent::loaded();
    if (!m_activeWhenLoaded)
        return;
    m_activeWhenLoaded = false;
    // A document with an unreachable database still loads; the dataset stays closed.
    try {
        open();
    } catch (const EVelError&) {
    }
}

void TDataSet::open()
{
    if (m_active)
        return;
    try {
        m_cursor = createCursor();
        m_fieldDefs = m_cursor->fieldDefs();
        bindFields();
    } catch (const EVelError& error) {
        m_cursor.reset();
        resetBuffer();
        throw EVelError(openErrorMessage(error.message()));
    }
    m_active = true;
    resetBuffer();
    m_knownCount = m_cursor->knownRecordCount();
    try {
        moveTo(0);
    } catch (const EVelError& error) {
        close();
        throw EVelError(openErrorMessage(error.message()));
    }
    m_bof = true;
    m_eof = m_records.rowCount() == 0;
    emit afterOpen();
    emit afterScroll();
}

void TDataSet::close()
{
    if (!m_active)
        return;
    emit beforeClose();
    m_active = false;
    m_cursor.reset();
    resetBuffer();
    if (hasDefaultFields()) {
        const QList<TField*> defaults = m_fields;
        for (TField* field : defaults)
            delete field;
    }
    for (TField* field : std::as_const(m_fields))
        field->bindColumn(-1);
    emit afterClose();
}

void TDataSet::refresh()
{
    if (!m_active)
        return;
    std::unique_ptr<TRecordCursor> cursor;
    try {
        cursor = createCursor();
    } catch (const EVelError& error) {
        close();
        throw EVelError(openErrorMessage(error.message()));
    }
    m_cursor = std::move(cursor);
    if (m_cursor->fieldDefs().size() != m_fieldDefs.size()) {
        close();
        open();
        return;
    }
    resetBuffer();
    m_knownCount = m_cursor->knownRecordCount();
    moveTo(0);
    m_bof = true;
    m_eof = m_records.rowCount() == 0;
    emit afterScroll();
}

void TDataSet::resetBuffer()
{
    m_records.reset(int(m_fieldDefs.size()));
    m_knownCount = -1;
    m_current = 0;
    m_allFetched = !m_cursor;
    m_eof = true;
    m_bof = true;
    m_lookupIndexes.clear();
}

bool TDataSet::fetchRow()
{
    if (m_allFetched)
        return false;
    if (!m_records.fetch(*m_cursor)) {
        m_allFetched = true;
        return false;
    }
    return true;
}

bool TDataSet::fetchUpTo(int row)
{
    while (m_records.rowCount() <= row) {
        if (!fetchRow())
            return false;
    }
    return true;
}

void TDataSet::fetchAll()
{
    while (fetchRow()) {
    }
}

void TDataSet::moveTo(int row)
{
    fetchUpTo(row);
    m_current = m_records.rowCount() == 0 ? 0 : std::clamp(row, 0, m_records.rowCount() - 1);
}

void TDataSet::first()
{
    if (!m_active)
        return;
    moveTo(0);
    m_bof = true;
    m_eof = m_records.rowCount() == 0;
    emit afterScroll();
}

void TDataSet::next()
{
    if (!m_active || m_eof)
        return;
    if (fetchUpTo(m_current + 1)) {
        ++m_current;
        m_bof = false;
        emit afterScroll();
    } else {
        m_eof = true;
    }
}

void TDataSet::prior()
{
    if (!m_active || m_bof)
        return;
    if (m_current > 0) {
        --m_current;
        m_eof = false;
        emit afterScroll();
    } else {
        m_bof = true;
    }
}

void TDataSet::last()
{
    if (!m_active)
        return;
    fetchAll();
    m_current = std::max(0, m_records.rowCount() - 1);
    m_eof = true;
    m_bof = m_records.rowCount() == 0;
    emit afterScroll();
}

int TDataSet::recordCount() const
{
    if (!m_active)
        return 0;
    if (m_allFetched)
        return m_records.rowCount();
    return m_knownCount;
}

const QVariant& TDataSet::columnValue(int column) const
{
    if (m_records.rowCount() == 0 || column < 0 || column >= m_records.columnCount())
        return nullValue();
    return m_records.at(m_current, column);
}

std::unique_ptr<TRecordCursor> TDataSet::createCursor()
{
    throw EVelError(QStringLiteral("%1: Missing data provider or data packet").arg(name()));
}

TFieldDefs TDataSet::describeColumns()
{
    return createCursor()->fieldDefs();
}

QString TDataSet::openErrorMessage(const QString& engineMessage) const
{
    return engineMessage;
}

void TDataSet::updateFieldDefs()
{
    if (m_active)
        return;
    m_fieldDefs = describeColumns();
}

void TDataSet::bindFields()
{
    if (m_fields.isEmpty()) {
        createDefaultFields();
        return;
    }
    for (TField* field : std::as_const(m_fields)) {
        if (field->isLookup()) {
            field->bindColumn(-1);
            continue;
        }
        const int column = fielddefs::indexOf(m_fieldDefs, field->fieldName());
        if (column < 0)
            throw EVelError(QStringLiteral("%1: Field '%2' not found").arg(name(), field->fieldName()));
        field->bindColumn(column);
    }
}

void TDataSet::createDefaultFields()
{
    for (int column = 0; column < m_fieldDefs.size(); ++column) {
        const TFieldDef& def = m_fieldDefs[column];
        TField* field = fieldclasses::create(def.dataType, this);
        field->setFieldName(def.name);
        field->setSize(def.size);
        field->setRequired(def.required);
        if (fieldtypes::isFloat(def.dataType) && def.dataType != TFieldType::ftFloat)
            field->setPrecision(def.precision);
        field->setDataSet(this);
        field->bindColumn(column);
    }
}

bool TDataSet::hasDefaultFields() const
{
    return !m_fields.isEmpty() && m_fields.first()->owner() == this;
}

void TDataSet::clearFields()
{
    if (m_active)
        throw EVelError(QStringLiteral("%1: Cannot perform this operation on an open dataset").arg(name()));
    const QList<TField*> fields = m_fields;
    for (TField* field : fields)
        delete field;
}

TField* TDataSet::findField(QStringView fieldName) const
{
    for (TField* field : m_fields) {
        if (fieldName.compare(field->fieldName(), Qt::CaseInsensitive) == 0)
            return field;
    }
    return nullptr;
}

TField* TDataSet::fieldByName(QStringView fieldName) const
{
    if (TField* field = findField(fieldName))
        return field;
    throw EVelError(QStringLiteral("%1: Field '%2' not found").arg(name(), fieldName.toString()));
}

// Only TField::setDataSet attaches and detaches, and only when the field's dataset
// changes, so a field is never attached twice. Neither step scans the whole list when
// fields come and go in order (closing frees the first first, an owner frees the last
// first): a table of some hundred thousand columns would otherwise take minutes.
void TDataSet::attachField(TField* field)
{
    m_fields.append(field);
}

void TDataSet::detachField(TField* field)
{
    if (!m_fields.isEmpty() && m_fields.first() == field) {
        m_fields.removeFirst();
        return;
    }
    const qsizetype at = m_fields.lastIndexOf(field);
    if (at >= 0)
        m_fields.removeAt(at);
}

void TDataSet::moveField(TField* field, int index)
{
    const qsizetype from = m_fields.indexOf(field);
    if (from < 0)
        return;
    m_fields.move(from, std::clamp<qsizetype>(index, 0, m_fields.size() - 1));
}

void TDataSet::notification(TComponent* component, Operation operation)
{
    TComponent::notification(component, operation);
}

int TDataSet::columnOf(QStringView fieldName) const
{
    return fielddefs::indexOf(m_fieldDefs, fieldName);
}

QString TDataSet::lookupKey(const QVariantList& values) const
{
    QString key;
    for (const QVariant& value : values) {
        key += keyText(value);
        key += QChar(0x1f);
    }
    return key;
}

QVariant TDataSet::lookup(const QString& keyFields, const QVariantList& keyValues, const QString& resultField)
{
    if (!m_active)
        return {};
    const int resultColumn = columnOf(resultField);
    const QStringList keys = splitFieldList(keyFields);
    if (resultColumn < 0 || keys.isEmpty() || keys.size() != keyValues.size())
        return {};
    for (const QVariant& value : keyValues) {
        if (value.isNull())
            return {};
    }
    auto indexIt = m_lookupIndexes.find(keyFields.toUpper());
    if (indexIt == m_lookupIndexes.end()) {
        LookupIndex index;
        for (const QString& key : keys) {
            const int column = columnOf(key);
            if (column < 0)
                return {};
            index.keyColumns.append(column);
        }
        fetchAll();
        // From the last record back, so that the first matching record wins.
        for (int row = m_records.rowCount() - 1; row >= 0; --row) {
            QVariantList values;
            for (int column : std::as_const(index.keyColumns))
                values.append(m_records.at(row, column));
            index.rows.insert(lookupKey(values), row);
        }
        indexIt = m_lookupIndexes.insert(keyFields.toUpper(), std::move(index));
    }
    const auto rowIt = indexIt->rows.constFind(lookupKey(keyValues));
    if (rowIt == indexIt->rows.constEnd())
        return {};
    return m_records.at(*rowIt, resultColumn);
}
