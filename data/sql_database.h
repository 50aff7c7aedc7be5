// TSqlDatabase: a database reached through a Qt SQL driver (an SQLite file or an alias).
#pragma once

#include "data/local_database.h"

#include <QString>

struct TDatabaseAlias;

class TSqlDatabase : public TLocalDatabase {
public:
    // Opens the connection; raises EVelError with the driver's message.
    explicit TSqlDatabase(const TDatabaseAlias& alias);
    ~TSqlDatabase() override;

    std::unique_ptr<TRecordCursor> openTable(const QString& tableName, const QStringList& orderFields,
                                             const TRecordRange& range) override;
    std::unique_ptr<TRecordCursor> runQuery(const QString& statement, const QVariantList& values) override;
    QStringList tableNames() override;
    QList<TIndexDef> indexDefs(const QString& tableName) override;

    QString connectionName() const { return m_connection; }

private:
    QString quoted(const QString& identifier) const;
    // A table name as the engine's catalogue spells it (PostgreSQL folds names to lower
    // case, Firebird to upper case, and both quote what they are given).
    QString catalogueName(const QString& tableName) const;
    QList<TIndexDef> sqliteSecondaryIndexes(const QString& tableName);

    QString m_connection;
    bool m_sqlite = false;
};
