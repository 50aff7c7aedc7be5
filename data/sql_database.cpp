#include "data/sql_database.h"

#include "core/error.h"
#include "data/alias_file.h"
#include "data/sql_cursor.h"

#include <QLibrary>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>

#include <limits>

#include <sql.h>
#include <sqlext.h>

namespace {

int connectionCounter = 0;

// A table's records together with their number, counted by the engine before any is read.
class TCountedCursor : public TRecordCursor {
public:
    TCountedCursor(std::unique_ptr<TRecordCursor> cursor, int count) : m_cursor(std::move(cursor)), m_count(count) {}

    const TFieldDefs& fieldDefs() const override { return m_cursor->fieldDefs(); }
    bool fetch(std::vector<QVariant>& values) override { return m_cursor->fetch(values); }
    int knownRecordCount() const override { return m_count; }
    std::shared_ptr<const void> recordsOwner() const override { return m_cursor->recordsOwner(); }
    const QVariant* fetchInPlace() override { return m_cursor->fetchInPlace(); }

private:
    std::unique_ptr<TRecordCursor> m_cursor;
    int m_count;
};

// The number of records `from` (a FROM clause with its conditions) selects; -1 when the
// engine cannot tell.
int countRecords(const QSqlDatabase& db, const QString& from, const QVariantList& values)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(QStringLiteral("SELECT COUNT(*) ") + from))
        return -1;
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
    if (!query.exec() || !query.next())
        return -1;
    bool ok = false;
    const qlonglong count = query.value(0).toLongLong(&ok);
    return ok && count >= 0 && count <= std::numeric_limits<int>::max() ? int(count) : -1;
}

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

// The name as the engine's catalogue spells it, found without regard to case among
// `known`; a name the catalogue does not hold stays as typed, so the engine's own error
// names it.
QString spelledAs(const QString& name, const QStringList& known)
{
    if (known.contains(name))
        return name;
    for (const QString& candidate : known) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    return name;
}

QStringList fieldNamesOf(const QSqlRecord& record)
{
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names.append(record.fieldName(i));
    return names;
}

void sortByName(QList<TIndexDef>& defs)
{
    std::sort(defs.begin(), defs.end(), [](const TIndexDef& a, const TIndexDef& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
}

// Rows of (index name, field name), ordered by index and then field position.
QList<TIndexDef> indexesFromRows(QSqlQuery& rows)
{
    QList<TIndexDef> defs;
    while (rows.next()) {
        const QString name = rows.value(0).toString().trimmed();
        if (defs.isEmpty() || defs.last().name != name)
            defs.append(TIndexDef{name, {}, false});
        defs.last().fields.append(rows.value(1).toString().trimmed());
    }
    sortByName(defs);
    return defs;
}

QList<TIndexDef> catalogueIndexes(const QSqlDatabase& db, const QString& statement, const QString& table)
{
    QSqlQuery rows(db);
    rows.setForwardOnly(true);
    if (!rows.prepare(statement))
        throw EVelError(errorText(rows.lastError()));
    rows.addBindValue(table);
    if (!rows.exec())
        throw EVelError(errorText(rows.lastError()));
    return indexesFromRows(rows);
}

// PostgreSQL: the table is named the way the server reads an identifier, quotes included.
QList<TIndexDef> postgresSecondaryIndexes(const QSqlDatabase& db, const QString& quotedTable)
{
    return catalogueIndexes(db, QStringLiteral(
        "SELECT ic.relname, a.attname FROM pg_index x "
        "JOIN pg_class ic ON ic.oid = x.indexrelid "
        "JOIN LATERAL unnest(x.indkey) WITH ORDINALITY AS k(attnum, position) ON true "
        "JOIN pg_attribute a ON a.attrelid = x.indrelid AND a.attnum = k.attnum "
        "WHERE x.indrelid = CAST(? AS regclass) AND NOT x.indisprimary "
        "ORDER BY ic.relname, k.position"), quotedTable);
}

QList<TIndexDef> firebirdSecondaryIndexes(const QSqlDatabase& db, const QString& table)
{
    return catalogueIndexes(db, QStringLiteral(
        "SELECT TRIM(i.RDB$INDEX_NAME), TRIM(s.RDB$FIELD_NAME) FROM RDB$INDICES i "
        "JOIN RDB$INDEX_SEGMENTS s ON s.RDB$INDEX_NAME = i.RDB$INDEX_NAME "
        "WHERE i.RDB$RELATION_NAME = ? AND NOT EXISTS (SELECT 1 FROM RDB$RELATION_CONSTRAINTS c "
        "WHERE c.RDB$INDEX_NAME = i.RDB$INDEX_NAME AND c.RDB$CONSTRAINT_TYPE = 'PRIMARY KEY') "
        "ORDER BY i.RDB$INDEX_NAME, s.RDB$FIELD_POSITION"), table);
}

// ODBC lists indexes through SQLStatistics on the Qt driver's connection handle. The
// functions come from the driver manager the Qt ODBC driver has already loaded.
struct OdbcCatalogue {
    decltype(&SQLAllocHandle) allocHandle = nullptr;
    decltype(&SQLFreeHandle) freeHandle = nullptr;
    decltype(&SQLStatisticsW) statistics = nullptr;
    decltype(&SQLFetch) fetch = nullptr;
    decltype(&SQLGetData) getData = nullptr;

    bool load()
    {
        QLibrary manager(QStringLiteral("odbc"), 2);
        allocHandle = reinterpret_cast<decltype(allocHandle)>(manager.resolve("SQLAllocHandle"));
        freeHandle = reinterpret_cast<decltype(freeHandle)>(manager.resolve("SQLFreeHandle"));
        statistics = reinterpret_cast<decltype(statistics)>(manager.resolve("SQLStatisticsW"));
        fetch = reinterpret_cast<decltype(fetch)>(manager.resolve("SQLFetch"));
        getData = reinterpret_cast<decltype(getData)>(manager.resolve("SQLGetData"));
        return allocHandle && freeHandle && statistics && fetch && getData;
    }

    // Column `column` of the current row as text; empty for a null.
    QString text(SQLHSTMT statement, SQLUSMALLINT column) const
    {
        SQLWCHAR buffer[256] = {};
        SQLLEN length = 0;
        if (!SQL_SUCCEEDED(getData(statement, column, SQL_C_WCHAR, buffer, sizeof(buffer), &length))
            || length == SQL_NULL_DATA)
            return {};
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(buffer));
    }
};

QList<TIndexDef> odbcIndexes(const QSqlDatabase& db, const QString& table)
{
    OdbcCatalogue odbc;
    const QVariant handle = db.driver()->handle();
    if (!odbc.load() || !handle.isValid() || handle.metaType() != QMetaType::fromType<SQLHANDLE>())
        return {};
    SQLHDBC connection = *static_cast<SQLHDBC const*>(handle.constData());
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(odbc.allocHandle(SQL_HANDLE_STMT, connection, &statement)))
        return {};
    std::u16string name = table.toStdU16String();
    QList<TIndexDef> defs;
    if (SQL_SUCCEEDED(odbc.statistics(statement, nullptr, 0, nullptr, 0,
                                      reinterpret_cast<SQLWCHAR*>(name.data()), SQL_NTS, SQL_INDEX_ALL, SQL_QUICK))) {
        // Columns: 4 NON_UNIQUE, 6 INDEX_NAME, 7 TYPE, 9 COLUMN_NAME, in index and position order.
        while (SQL_SUCCEEDED(odbc.fetch(statement))) {
            if (odbc.text(statement, 7).toInt() == SQL_TABLE_STAT)
                continue;
            const QString indexName = odbc.text(statement, 6);
            if (defs.isEmpty() || defs.last().name != indexName)
                defs.append(TIndexDef{indexName, {}, odbc.text(statement, 4).toInt() == SQL_FALSE});
            defs.last().fields.append(odbc.text(statement, 9));
        }
    }
    odbc.freeHandle(SQL_HANDLE_STMT, statement);
    return defs;
}

// ODBC reports the primary key's own index among the others; it is shown apart.
QList<TIndexDef> withoutPrimary(QList<TIndexDef> defs, const TIndexDef& primary)
{
    defs.removeIf([&primary](const TIndexDef& def) {
        const bool sameName = !primary.name.isEmpty() && def.name.compare(primary.name, Qt::CaseInsensitive) == 0;
        // A unique index over exactly the key's fields is the key's own index.
        return sameName || (def.primary && !primary.fields.isEmpty() && def.fields == primary.fields);
    });
    for (TIndexDef& def : defs)
        def.primary = false;
    sortByName(defs);
    return defs;
}

// PostgreSQL's ODBC driver hands booleans over as the text "1" and "0" unless told
// otherwise; a report wants them as booleans.
QString odbcConnectionString(const QString& driver, const QString& database)
{
    if (driver != QLatin1String("QODBC") || !database.contains(QLatin1String("{PostgreSQL"), Qt::CaseInsensitive)
        || database.contains(QLatin1String("BoolsAsChar"), Qt::CaseInsensitive))
        return database;
    QString text = database.trimmed();
    if (!text.endsWith(u';'))
        text += u';';
    return text + QStringLiteral("BoolsAsChar=0");
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
    db.setDatabaseName(odbcConnectionString(driver, alias.database));
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
    const QString table = catalogueName(tableName);
    const bool namesFields = !orderFields.isEmpty() || !range.fields.isEmpty();
    const QStringList known = namesFields ? fieldNamesOf(db.record(table)) : QStringList();
    // SQLite takes an unknown quoted name for a text constant and would silently not
    // order; a table whose columns are known refuses a field it does not have.
    const auto field = [&](const QString& name) {
        const QString spelled = spelledAs(name, known);
        if (!known.isEmpty() && !known.contains(spelled))
            throw EVelError(QStringLiteral("Field '%1' not found").arg(name));
        return db.driver()->escapeIdentifier(spelled, QSqlDriver::FieldName);
    };
    QString from = QStringLiteral("FROM ") + quoted(table);
    QVariantList values;
    const qsizetype compared = std::min(range.fields.size(), range.values.size());
    for (qsizetype i = 0; i < compared; ++i) {
        from += i == 0 ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ");
        from += field(range.fields[i]) + QStringLiteral(" = ?");
        values.append(range.values[i]);
    }
    QString order;
    for (qsizetype i = 0; i < orderFields.size(); ++i) {
        order += i == 0 ? QStringLiteral(" ORDER BY ") : QStringLiteral(", ");
        order += field(orderFields[i]);
    }
    auto cursor = sqlcursors::open(db, QStringLiteral("SELECT * ") + from + order, values);
    // A table in a local file is counted cheaply; a server's may be large and is not.
    if (!m_sqlite)
        return cursor;
    return std::make_unique<TCountedCursor>(std::move(cursor), countRecords(db, from, values));
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
    const QString table = catalogueName(tableName);
    const QSqlIndex primary = db.primaryIndex(table);
    TIndexDef primaryDef;
    primaryDef.primary = true;
    primaryDef.name = primary.name();
    for (int i = 0; i < primary.count(); ++i)
        primaryDef.fields.append(primary.fieldName(i));
    QList<TIndexDef> defs{primaryDef};
    const QString driver = db.driverName();
    if (m_sqlite)
        defs.append(sqliteSecondaryIndexes(tableName));
    else if (driver == QLatin1String("QPSQL"))
        defs.append(postgresSecondaryIndexes(db, quoted(table)));
    else if (driver == QLatin1String("QIBASE"))
        defs.append(firebirdSecondaryIndexes(db, table));
    else if (driver == QLatin1String("QODBC"))
        defs.append(withoutPrimary(odbcIndexes(db, table), primaryDef));
    return defs;
}

QString TSqlDatabase::catalogueName(const QString& tableName) const
{
    const QString bare = stripQuotes(tableName);
    // SQLite finds its names without regard to case itself; a quoted name is meant exactly.
    if (m_sqlite || bare != tableName.trimmed())
        return bare;
    const QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    return spelledAs(bare, db.tables(QSql::Tables) + db.tables(QSql::Views));
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
