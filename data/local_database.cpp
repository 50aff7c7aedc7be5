#include "data/local_database.h"

#include "core/error.h"
#include "data/alias_file.h"
#include "data/directory_database.h"
#include "data/sql_database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace localdatabases {

namespace {

QHash<QString, std::shared_ptr<TLocalDatabase>>& openDatabases()
{
    static QHash<QString, std::shared_ptr<TLocalDatabase>> databases;
    return databases;
}

// Connections are closed while the application object still exists: Qt SQL's own
// registry of connections is gone by the time static objects are destroyed.
bool closesWithTheApplication = false;

void closeAtExit()
{
    closesWithTheApplication = false;
    closeAll();
}

void closeWithTheApplication()
{
    if (closesWithTheApplication)
        return;
    closesWithTheApplication = true;
    qAddPostRoutine(closeAtExit);
}

std::shared_ptr<TLocalDatabase> openPath(const QString& path, const QString& shownName)
{
    const QFileInfo info(path);
    if (info.isDir())
        return std::make_shared<TDirectoryDatabase>(info.absoluteFilePath());
    if (info.isFile()) {
        TDatabaseAlias file;
        file.driver = QStringLiteral("QSQLITE");
        file.database = info.absoluteFilePath();
        return std::make_shared<TSqlDatabase>(file);
    }
    throw EVelError(QStringLiteral("Unknown database: %1").arg(shownName));
}

std::shared_ptr<TLocalDatabase> openAlias(const TDatabaseAlias& alias)
{
    if (alias.driver.isEmpty())
        return openPath(alias.database, alias.name);
    return std::make_shared<TSqlDatabase>(alias);
}

} // namespace

std::shared_ptr<TLocalDatabase> open(const QString& databaseName)
{
    // No database name means the current directory, as for tables named by their path.
    const QString name = databaseName.trimmed().isEmpty() ? QDir::currentPath() : databaseName.trimmed();
    const std::optional<TDatabaseAlias> alias = aliasfile::find(name);
    const QString key = alias ? QStringLiteral("alias:") + alias->name.toLower()
                              : QStringLiteral("path:") + QFileInfo(name).absoluteFilePath();
    auto& databases = openDatabases();
    if (auto it = databases.constFind(key); it != databases.constEnd())
        return *it;
    auto database = alias ? openAlias(*alias) : openPath(name, name);
    closeWithTheApplication();
    databases.insert(key, database);
    return database;
}

void closeAll()
{
    openDatabases().clear();
}

QStringList databaseNames()
{
    QStringList names;
    for (const TDatabaseAlias& alias : aliasfile::read(aliasfile::path()))
        names.append(alias.name);
    return names;
}

QStringList tableNames(const QString& databaseName)
{
    return open(databaseName)->tableNames();
}

QList<TIndexDef> indexDefs(const QString& databaseName, const QString& tableName)
{
    return open(databaseName)->indexDefs(tableName);
}

QStringList indexNames(const QString& databaseName, const QString& tableName)
{
    QStringList names;
    const QList<TIndexDef> defs = indexDefs(databaseName, tableName);
    for (qsizetype i = 1; i < defs.size(); ++i)
        names.append(defs[i].name);
    return names;
}

QStringList indexFields(const QList<TIndexDef>& defs, const QString& indexName)
{
    if (indexName.trimmed().isEmpty())
        return defs.isEmpty() ? QStringList() : defs.first().fields;
    for (const TIndexDef& def : defs) {
        if (def.name.compare(indexName.trimmed(), Qt::CaseInsensitive) == 0)
            return def.fields;
    }
    throw EVelError(QStringLiteral("Index '%1' not found").arg(indexName.trimmed()));
}

} // namespace localdatabases
