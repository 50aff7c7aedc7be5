#include "data/directory_database.h"

#include "core/error.h"
#include "data/file_table.h"
#include "data/sql_cursor.h"
#include "data/value_conversion.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

namespace {

int connectionCounter = 0;

QString sqlError(const QSqlError& error)
{
    return (error.databaseText().isEmpty() ? error.text() : error.databaseText()).trimmed();
}

QString quotedName(const QString& name)
{
    QString escaped = name;
    escaped.replace(u'"', QLatin1String("\"\""));
    return u'"' + escaped + u'"';
}

void exec(QSqlQuery& query, const QString& statement)
{
    if (!query.exec(statement))
        throw EVelError(sqlError(query.lastError()));
}

} // namespace

TDirectoryDatabase::TDirectoryDatabase(const QString& directory) : m_directory(QDir(directory).absolutePath())
{
    if (!QFileInfo(m_directory).isDir())
        throw EVelError(QStringLiteral("Directory %1 does not exist").arg(directory));
}

TDirectoryDatabase::~TDirectoryDatabase()
{
    if (m_connection.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QStringList TDirectoryDatabase::tableNames()
{
    QStringList names;
    const QFileInfoList files = QDir(m_directory).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : files) {
        if (filetables::isTableFile(file.fileName()))
            names.append(file.fileName());
    }
    return names;
}

QString TDirectoryDatabase::tablePath(const QString& tableName) const
{
    const QString name = tableName.trimmed();
    if (name.isEmpty())
        throw EVelError(QStringLiteral("No table name given"));
    const QDir dir(m_directory);
    const QStringList files = dir.entryList(QDir::Files);
    const auto findFile = [&](const QString& wanted) -> QString {
        for (const QString& file : files) {
            if (file.compare(wanted, Qt::CaseInsensitive) == 0)
                return dir.filePath(file);
        }
        return {};
    };
    if (filetables::isTableFile(name)) {
        if (const QString path = findFile(name); !path.isEmpty())
            return path;
    }
    for (const QString& extension : filetables::extensions()) {
        if (const QString path = findFile(name + extension); !path.isEmpty())
            return path;
    }
    throw EVelError(QStringLiteral("Table %1 does not exist in %2").arg(name, m_directory));
}

std::unique_ptr<TRecordCursor> TDirectoryDatabase::openTable(const QString& tableName, const QStringList& orderFields,
                                                             const TRecordRange& range)
{
    return std::make_unique<TMemoryCursor>(filetables::load(tablePath(tableName)), orderFields, range);
}

QList<TIndexDef> TDirectoryDatabase::indexDefs(const QString& tableName)
{
    TIndexDef primary;
    primary.primary = true;
    primary.fields = filetables::load(tablePath(tableName))->primaryKey;
    return {primary};
}

std::unique_ptr<TRecordCursor> TDirectoryDatabase::runQuery(const QString& statement, const QVariantList& values)
{
    openSqlCopy();
    refreshSqlCopy();
    return sqlcursors::open(QSqlDatabase::database(m_connection, false), statement, values);
}

void TDirectoryDatabase::openSqlCopy()
{
    if (!m_connection.isEmpty())
        return;
    const QString name = QStringLiteral("velmor-directory-%1").arg(++connectionCounter);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(QStringLiteral(":memory:"));
    if (!db.open()) {
        const QString message = sqlError(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw EVelError(message);
    }
    m_connection = name;
}

void TDirectoryDatabase::refreshSqlCopy()
{
    const QStringList files = tableNames();
    bool changed = false;
    for (auto it = m_loaded.begin(); it != m_loaded.end();) {
        if (!files.contains(it.key())) {
            dropTable(it.key());
            it = m_loaded.erase(it);
            changed = true;
        } else {
            ++it;
        }
    }
    for (const QString& file : files) {
        const QFileInfo info(QDir(m_directory).filePath(file));
        const auto loaded = m_loaded.constFind(file);
        if (loaded != m_loaded.constEnd() && loaded->modified == info.lastModified() && loaded->size == info.size())
            continue;
        copyTable(file);
        m_loaded.insert(file, {info.lastModified(), info.size()});
        changed = true;
    }
    if (changed)
        createShortNames(files);
}

void TDirectoryDatabase::dropTable(const QString& fileName)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.exec(QStringLiteral("DROP TABLE IF EXISTS ") + quotedName(fileName));
}

// Each table is named like its file; a view named without the extension lets statements
// use the short name too (the first file in name order gets it when several share it).
void TDirectoryDatabase::createShortNames(const QStringList& files)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    QStringList done;
    for (const QString& file : files) {
        const QString base = QFileInfo(file).completeBaseName();
        if (done.contains(base, Qt::CaseInsensitive))
            continue;
        done.append(base);
        query.exec(QStringLiteral("DROP VIEW IF EXISTS ") + quotedName(base));
        exec(query, QStringLiteral("CREATE VIEW %1 AS SELECT * FROM %2").arg(quotedName(base), quotedName(file)));
    }
}

void TDirectoryDatabase::copyTable(const QString& fileName)
{
    const auto table = filetables::load(QDir(m_directory).filePath(fileName));
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    dropTable(fileName);
    const QString name = quotedName(fileName);
    QStringList columns;
    QStringList placeholders;
    for (const TFieldDef& def : table->defs) {
        columns.append(quotedName(def.name) + u' ' + valueconversion::declaredTypeOf(def));
        placeholders.append(QStringLiteral("?"));
    }
    QSqlQuery query(db);
    exec(query, QStringLiteral("CREATE TABLE %1 (%2)").arg(name, columns.join(QLatin1String(", "))));
    db.transaction();
    QSqlQuery insert(db);
    if (!insert.prepare(QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(name, placeholders.join(u','))))
        throw EVelError(sqlError(insert.lastError()));
    const int columnCount = int(table->defs.size());
    for (int row = 0; row < table->rowCount; ++row) {
        for (int column = 0; column < columnCount; ++column)
            insert.bindValue(column, valueconversion::toSqliteValue(table->at(row, column)));
        if (!insert.exec()) {
            db.rollback();
            throw EVelError(sqlError(insert.lastError()));
        }
    }
    db.commit();
}
