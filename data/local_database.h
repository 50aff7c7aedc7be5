// TLocalDatabase: what a BDE dataset's DatabaseName stands for. It is an alias from the
// alias file (a Qt SQL driver and its options), an SQLite database file, or a directory
// whose Paradox, dBase and CSV files are its tables. Databases are opened once per name
// and shared by every dataset that names them.
#pragma once

#include "data/memory_cursor.h"
#include "data/record_cursor.h"

#include <QStringList>

#include <memory>

struct TIndexDef {
    QString name;       // empty for a primary index that has no name of its own
    QStringList fields;
    bool primary = false;
};

class TLocalDatabase {
public:
    virtual ~TLocalDatabase() = default;

    // The records of a table in the order of `orderFields` (the table's own order when
    // empty), limited to `range`. Raises EVelError with the engine's message.
    virtual std::unique_ptr<TRecordCursor> openTable(const QString& tableName, const QStringList& orderFields,
                                                     const TRecordRange& range) = 0;
    // Runs a statement with "?" placeholders bound to `values`.
    virtual std::unique_ptr<TRecordCursor> runQuery(const QString& statement, const QVariantList& values) = 0;

    // The table names the panels offer; system tables are left out.
    virtual QStringList tableNames() = 0;
    // The indexes of a table; the first entry always stands for the primary index (with
    // no fields when the table has no primary key).
    virtual QList<TIndexDef> indexDefs(const QString& tableName) = 0;
};

namespace localdatabases {

// The database that name stands for; raises EVelError when it names nothing usable.
std::shared_ptr<TLocalDatabase> open(const QString& databaseName);
// Forgets every open database (their connections close once no dataset uses them).
void closeAll();

// The alias names of the alias file, then nothing else: a file or directory is typed in.
QStringList databaseNames();
QStringList tableNames(const QString& databaseName);
QList<TIndexDef> indexDefs(const QString& databaseName, const QString& tableName);
// The index names the panels list: the secondary indexes (the primary one is shown apart).
QStringList indexNames(const QString& databaseName, const QString& tableName);

// The fields of an index by name; an empty name means the primary index. Raises
// "Index '<name>' not found" for an unknown name.
QStringList indexFields(const QList<TIndexDef>& defs, const QString& indexName);

} // namespace localdatabases
