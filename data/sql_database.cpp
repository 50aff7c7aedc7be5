#include "data/sql_database.h"

#include "core/error.h"
#include "data/alias_file.h"
#include "data/sql_cursor.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

int connectionCounter = 0;

QString errorText(const QSqlError& error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.trimmed();
}

// A table name typed with its file extension or schema prefix stays one identifier
// unless the engine knows a table of the dotted form.
QString stripQuotes(const QString& name)
{
    QString bare = name.trimmed();
    if (bare.size() >= 2 && (bare.startsWith(u'"') || bare.startsWith(u'[')))
        bare = bare.mid(1, bare.size() - 2);
    return bare;
}

} // namespace

TSqlDatabase::TSqlDatabase(const TDatabaseAlias& alias)
{
    const QString driver = alias.driver.isEmpty() ? QStringLiteral("QSQLITE") : alias.driver;
    if (!QSqlDatabase::isDriverAvailable(driver))
        throw EVelError(QStringLiteral("The database driver %1 is not installed").arg(driver));
    m_connection = QStringLiteral("velmor-data-%1").arg(++connectionCounter);
    m_sqlite = driver == QLatin1String("QSQLITE");
    QSqlDatabase db = QSqlDatabase::addDatabase(driver, m_connection);
    db.setDatabaseName(alias.database);
    if (!alias.host.isEmpty())
        db.setHostName(alias.host);
    if (alias.port > 0)
        db.setPort(alias.port);
    if (!alias.user.isEmpty())
        db.setUserName(alias.user);
    if (!alias.password.isEmpty())
        db.setPassword(alias.password);
    QString options = alias.options;
    // A report only reads: an SQLite file is opened read-only, so a mistyped name is an
    // error instead of a new empty database.
    if (m_sqlite)
        options = options.isEmpty() ? QStringLiteral("QSQLITE_OPEN_READONLY") : options + QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    if (!db.open()) {
        const QString message = errorText(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
        throw EVelError(message.isEmpty() ? QStringLiteral("Could not open database %1").arg(alias.database) : message);
    }
}

TSqlDatabase::~TSqlDatabase()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QString TSqlDatabase::quoted(const QString& identifier) const
{
    const QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    return db.driver()->escapeIdentifier(stripQuotes(identifier), QSqlDriver::TableName);
}

std::unique_ptr<TRecordCursor> TSqlDatabase::openTable(const QString& tableName, const QStringList& orderFields,
                                                       const TRecordRange& range)
{
    if (tableName.trimmed().isEmpty())
        throw EVelError(QStringLiteral("No table name given"));
    const QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QString statement = QStringLiteral("SELECT * FROM ") + quoted(tableName);
    QVariantList values;
    const qsizetype compared = std::min(range.fields.size(), range.values.size());
    for (qsizetype i = 0; i < compared; ++i) {
        statement += i == 0 ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ");
        statement += db.driver()->escapeIdentifier(range.fields[i], QSqlDriver::FieldName) + QStringLiteral(" = ?");
        values.append(range.values[i]);
    }
    for (qsizetype i = 0; i < orderFields.size(); ++i) {
        statement += i == 0 ? QStringLiteral(" ORDER BY ") : QStringLiteral(", ");
        statement += db.driver()->escapeIdentifier(orderFields[i], QSqlDriver::FieldName);
    }
    return sqlcursors::open(db, statement, values);
}

std::unique_ptr<TRecordCursor> TSqlDatabase::runQuery(const QString& statement, const QVariantList& values)
{
    return sqlcursors::open(QSqlDatabase::database(m_connection, false), statement, values);
}

QStringList TSqlDatabase::tableNames()
{
    QStringList names = QSqlDatabase::database(m_connection, false).tables(QSql::Tables);
    names.removeIf([](const QString& name) { return name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive); });
    names.sort(Qt::CaseInsensitive);
    return names;
}

QList<TIndexDef> TSqlDatabase::indexDefs(const QString& tableName)
{
    const QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    const QSqlIndex primary = db.primaryIndex(stripQuotes(tableName));
    TIndexDef primaryDef;
    primaryDef.primary = true;
    primaryDef.name = primary.name();
    for (int i = 0; i < primary.count(); ++i)
        primaryDef.fields.append(primary.fieldName(i));
    QList<TIndexDef> defs{primaryDef};
    if (m_sqlite)
        defs.append(sqliteSecondaryIndexes(tableName));
    return defs;
}

QList<TIndexDef> TSqlDatabase::sqliteSecondaryIndexes(const QString& tableName)
{
    QList<TIndexDef> defs;
    const QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery list(db);
    if (!list.exec(QStringLiteral("PRAGMA index_list(%1)").arg(quoted(tableName))))
        return defs;
    while (list.next()) {
        const QString origin = list.value(QStringLiteral("origin")).toString();
        if (origin == QLatin1String("pk"))
            continue;
        TIndexDef def;
        def.name = list.value(QStringLiteral("name")).toString();
        QSqlQuery info(db);
        if (info.exec(QStringLiteral("PRAGMA index_info(%1)").arg(quoted(def.name)))) {
            while (info.next())
                def.fields.append(info.value(QStringLiteral("name")).toString());
        }
        defs.append(def);
    }
    std::sort(defs.begin(), defs.end(), [](const TIndexDef& a, const TIndexDef& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return defs;
}
