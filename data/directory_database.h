// TDirectoryDatabase: a directory whose Paradox (".db"), dBase (".dbf") and CSV (".csv")
// files are its tables. Statements run in an SQLite database in memory that holds a copy
// of every table, taken when first needed and taken again when a file changes; a table
// is named like its file ("customer.db") and, through a view, without the extension.
#pragma once

#include "data/local_database.h"

#include <QDateTime>
#include <QHash>
#include <QString>

class TDirectoryDatabase : public TLocalDatabase {
public:
    // Raises EVelError when the directory does not exist.
    explicit TDirectoryDatabase(const QString& directory);
    ~TDirectoryDatabase() override;

    std::unique_ptr<TRecordCursor> openTable(const QString& tableName, const QStringList& orderFields,
                                             const TRecordRange& range) override;
    std::unique_ptr<TRecordCursor> runQuery(const QString& statement, const QVariantList& values) override;
    // File names with their extensions ("customer.db").
    QStringList tableNames() override;
    QList<TIndexDef> indexDefs(const QString& tableName) override;

    // The path of the file a table name means: the name as given, else with one of the
    // table extensions; raises EVelError when there is none.
    QString tablePath(const QString& tableName) const;

private:
    struct LoadedTable {
        QDateTime modified;
        qint64 size = -1;
    };

    void openSqlCopy();
    void refreshSqlCopy();
    void copyTable(const QString& fileName);
    void dropTable(const QString& fileName);
    void createShortNames(const QStringList& files);

    QString m_directory;
    QString m_connection;
    QHash<QString, LoadedTable> m_loaded; // by file name
};
