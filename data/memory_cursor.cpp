#include "data/memory_cursor.h"

#include "core/error.h"

#include <QDateTime>

#include <algorithm>
#include <numeric>

namespace recordorder {

namespace {

bool isNumber(const QVariant& value)
{
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
    case QMetaType::Bool:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

template <class T>
int order(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

int compare(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull() ? 0 : (a.isNull() ? -1 : 1);
    if (isNumber(a) && isNumber(b)) {
        if (a.metaType().id() == QMetaType::LongLong && b.metaType().id() == QMetaType::LongLong)
            return order(a.toLongLong(), b.toLongLong());
        return order(a.toDouble(), b.toDouble());
    }
    if (a.metaType() == b.metaType()) {
        switch (a.metaType().id()) {
        case QMetaType::QDate:
            return order(a.toDate(), b.toDate());
        case QMetaType::QTime:
            return order(a.toTime(), b.toTime());
        case QMetaType::QDateTime:
            return order(a.toDateTime(), b.toDateTime());
        default:
            break;
        }
    }
    return a.toString().compare(b.toString(), Qt::CaseInsensitive);
}

bool matches(const QVariant& recordValue, const QVariant& wanted)
{
    if (recordValue.isNull() || wanted.isNull())
        return false;
    if (isNumber(recordValue) || isNumber(wanted)) {
        bool okA = false, okB = false;
        const double a = recordValue.toDouble(&okA);
        const double b = wanted.toDouble(&okB);
        return okA && okB && a == b;
    }
    if (recordValue.metaType() == wanted.metaType())
        return recordValue == wanted;
    if (recordValue.metaType().id() == QMetaType::QDate && wanted.metaType().id() == QMetaType::QDateTime)
        return recordValue.toDate().startOfDay() == wanted.toDateTime();
    if (recordValue.metaType().id() == QMetaType::QDateTime && wanted.metaType().id() == QMetaType::QDate)
        return recordValue.toDateTime() == wanted.toDate().startOfDay();
    return recordValue.toString() == wanted.toString();
}

} // namespace recordorder

TMemoryCursor::TMemoryCursor(std::shared_ptr<const TFileTable> table, const QStringList& orderFields,
                             const TRecordRange& range)
    : m_table(std::move(table))
{
    m_rows.resize(size_t(m_table->rowCount));
    std::iota(m_rows.begin(), m_rows.end(), 0);
    applyRange(range);
    applyOrder(orderFields);
}

int TMemoryCursor::column(const QString& fieldName) const
{
    const int index = fielddefs::indexOf(m_table->defs, fieldName);
    if (index < 0)
        throw EVelError(QStringLiteral("Field '%1' not found").arg(fieldName));
    return index;
}

void TMemoryCursor::applyRange(const TRecordRange& range)
{
    if (range.fields.isEmpty())
        return;
    QList<int> columns;
    for (const QString& name : range.fields)
        columns.append(column(name));
    const qsizetype compared = std::min(columns.size(), range.values.size());
    std::erase_if(m_rows, [&](int row) {
        for (qsizetype i = 0; i < compared; ++i) {
            if (!recordorder::matches(m_table->at(row, columns[i]), range.values[i]))
                return true;
        }
        return false;
    });
}

void TMemoryCursor::applyOrder(const QStringList& orderFields)
{
    if (orderFields.isEmpty())
        return;
    QList<int> columns;
    for (const QString& name : orderFields)
        columns.append(column(name));
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](int a, int b) {
        for (int c : std::as_const(columns)) {
            const int result = recordorder::compare(m_table->at(a, c), m_table->at(b, c));
            if (result != 0)
                return result < 0;
        }
        return false;
    });
}

bool TMemoryCursor::fetch(std::vector<QVariant>& values)
{
    if (m_next >= m_rows.size())
        return false;
    const int row = m_rows[m_next++];
    const int columns = int(m_table->defs.size());
    for (int c = 0; c < columns; ++c)
        values.push_back(m_table->at(row, c));
    return true;
}

const QVariant* TMemoryCursor::fetchInPlace()
{
    if (m_next >= m_rows.size())
        return nullptr;
    const int row = m_rows[m_next++];
    // A table without columns still has its records; any address that is not null says so.
    static const QVariant noValues;
    return m_table->defs.isEmpty() ? &noValues : &m_table->at(row, 0);
}
