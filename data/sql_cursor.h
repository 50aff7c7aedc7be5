// TSqlCursor: the records of a statement run through a Qt SQL connection, with every
// parameter bound, never pasted into the text.
#pragma once

#include "data/record_cursor.h"

#include <QSqlQuery>

#include <memory>

class QSqlDatabase;

class TSqlCursor : public TRecordCursor {
public:
    // Runs the statement (with "?" placeholders) bound to `values`; raises EVelError with
    // the driver's message when it fails.
    TSqlCursor(const QSqlDatabase& database, const QString& statement, const QVariantList& values);

    const TFieldDefs& fieldDefs() const override { return m_defs; }
    bool fetch(std::vector<QVariant>& values) override;

private:
    void describe(const QString& driver);

    QSqlQuery m_query;
    TFieldDefs m_defs;
};

namespace sqlcursors {

// The cursor over a statement of a Qt SQL database: SQLite's own for an SQLite database,
// a TSqlCursor for every other driver.
std::unique_ptr<TRecordCursor> open(const QSqlDatabase& database, const QString& statement, const QVariantList& values);

} // namespace sqlcursors
