// TMemoryCursor: the records of a table file, optionally only those whose key columns hold
// given values, in the order of some columns.
#pragma once

#include "data/file_table.h"
#include "data/record_cursor.h"

struct TRecordRange {
    QStringList fields;  // the columns compared
    QVariantList values; // the values they must hold; a null matches nothing
};

class TMemoryCursor : public TRecordCursor {
public:
    // Raises EVelError when an order or range column does not exist.
    TMemoryCursor(std::shared_ptr<const TFileTable> table, const QStringList& orderFields, const TRecordRange& range);

    const TFieldDefs& fieldDefs() const override { return m_table->defs; }
    bool fetch(std::vector<QVariant>& values) override;
    int knownRecordCount() const override { return int(m_rows.size()); }
    std::shared_ptr<const void> recordsOwner() const override { return m_table; }
    const QVariant* fetchInPlace() override;

private:
    int column(const QString& fieldName) const;
    void applyRange(const TRecordRange& range);
    void applyOrder(const QStringList& orderFields);

    std::shared_ptr<const TFileTable> m_table;
    std::vector<int> m_rows;
    size_t m_next = 0;
};

namespace recordorder {

// Orders values of one column: nulls first, numbers by value, text without regard to case.
int compare(const QVariant& a, const QVariant& b);
// Whether a record value matches a range value (a null matches nothing).
bool matches(const QVariant& recordValue, const QVariant& wanted);

} // namespace recordorder
