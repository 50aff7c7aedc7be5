// TSqliteCursor: the records of a statement run straight through SQLite's C API on the
// connection of an SQLite database opened by Qt SQL. The statement is prepared once, the
// way each column's values become field values is decided once, and every value is made
// directly in its field's natural type. Columns, types and values are the ones the Qt SQL
// path gives; only the detour through Qt's result rows is left out.
#pragma once

#include "data/record_cursor.h"

struct sqlite3;
struct sqlite3_stmt;
class QSqlDatabase;

class TSqliteCursor : public TRecordCursor {
public:
    // Runs the statement (with "?" placeholders) bound to `values` up to its first record;
    // raises EVelError with SQLite's message when it fails. A statement without result
    // columns is refused before it runs.
    TSqliteCursor(sqlite3* connection, const QString& statement, const QVariantList& values);
    ~TSqliteCursor() override;
    TSqliteCursor(const TSqliteCursor&) = delete;
    TSqliteCursor& operator=(const TSqliteCursor&) = delete;

    const TFieldDefs& fieldDefs() const override { return m_defs; }
    bool fetch(std::vector<QVariant>& values) override;

    // How a column's stored values become field values, chosen from its field type.
    enum class Decoding { Text, Integer, Float, Boolean, Date, General };

private:
    void prepare(const QString& statement);
    void bind(const QVariantList& values);
    void step();
    void describe();
    void finish();
    void appendValue(std::vector<QVariant>& values, int column) const;

    sqlite3* m_connection;
    sqlite3_stmt* m_statement = nullptr;
    TFieldDefs m_defs;
    std::vector<Decoding> m_decodings;
    bool m_rowPending = false;
};

namespace sqlitecursors {

// The SQLite connection behind an open Qt SQL database of the SQLite driver; none for
// any other driver.
sqlite3* connectionOf(const QSqlDatabase& database);
// Binds a value to a 1-based parameter the way Qt's SQLite driver binds it, so that both
// paths select the same records; returns SQLite's result code.
int bindValue(sqlite3_stmt* statement, int index, const QVariant& value);

} // namespace sqlitecursors
