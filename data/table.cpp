#include "data/table.h"

#include "core/error.h"
#include "core/strings/program_texts.h"
#include "data/data_source.h"
#include "data/field.h"
#include "data/local_database.h"

namespace {

QStringList fieldList(const QString& text)
{
    QStringList names;
    for (const QString& part : text.split(u';', Qt::SkipEmptyParts)) {
        if (!part.trimmed().isEmpty())
            names.append(part.trimmed());
    }
    return names;
}

} // namespace

TTable::TTable(TComponent* owner) : TDBDataSet(owner) {}

void TTable::setTableName(const QString& name)
{
    checkInactive();
    m_tableName = name;
}

void TTable::setIndexName(const QString& name)
{
    m_indexName = name;
    if (!name.isEmpty())
        m_indexFieldNames.clear();
    relink();
}

void TTable::setIndexFieldNames(const QString& names)
{
    m_indexFieldNames = names;
    if (!names.isEmpty())
        m_indexName.clear();
    relink();
}

void TTable::setMasterSource(TDataSource* source)
{
    m_masterSource = source;
    followMaster(source);
    relink();
}

void TTable::setMasterFields(const QString& fields)
{
    m_masterFields = fields;
    relink();
}

void TTable::relink()
{
    if (active() && !isLoading())
        refresh();
}

QList<TIndexDef> TTable::indexDefs()
{
    return database()->indexDefs(m_tableName);
}

QStringList TTable::currentIndexFields()
{
    if (!m_indexFieldNames.trimmed().isEmpty())
        return fieldList(m_indexFieldNames);
    return localdatabases::indexFields(indexDefs(), m_indexName);
}

bool TTable::masterLinkActive() const
{
    return m_masterSource && m_masterSource->dataSet() && m_masterSource->dataSet()->active()
           && !fieldList(m_masterFields).isEmpty();
}

QVariantList TTable::masterValues() const
{
    QVariantList values;
    TDataSet* master = m_masterSource->dataSet();
    for (const QString& name : fieldList(m_masterFields))
        values.append(master->fieldByName(name)->value());
    return values;
}

std::unique_ptr<TRecordCursor> TTable::createCursor()
{
    const QStringList order = currentIndexFields();
    TRecordRange range;
    m_rangeValues.clear();
    if (masterLinkActive()) {
        range.values = masterValues();
        if (order.size() < range.values.size())
            throw EVelError(QStringLiteral("%1: The master fields %2 do not match the index fields %3")
                                .arg(name(), m_masterFields, order.join(u';')));
        range.fields = order.mid(0, range.values.size());
        m_rangeValues = range.values;
    }
    return database()->openTable(m_tableName, order, range);
}

QString TTable::openErrorMessage(const QString& engineMessage) const
{
    return formatOpenError(programTexts().cantOpenTable, engineMessage);
}

void TTable::masterChanged()
{
    if (!active())
        return;
    const QVariantList values = masterLinkActive() ? masterValues() : QVariantList();
    if (values == m_rangeValues)
        return;
    // A detail that cannot follow its master is closed rather than showing wrong records.
    try {
        refresh();
    } catch (const EVelError&) {
    }
}
