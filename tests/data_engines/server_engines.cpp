#include "server_engines.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>

#include <stdexcept>

namespace serverengines {

namespace {

QString environment(const char* name)
{
    return qEnvironmentVariable(name);
}

// A name no other test process uses at the same time.
QString uniqueName(const char* prefix)
{
    static int counter = 0;
    return QStringLiteral("%1_%2_%3").arg(QLatin1String(prefix)).arg(QCoreApplication::applicationPid()).arg(++counter);
}

[[noreturn]] void fail(const QString& message)
{
    throw std::runtime_error(message.toStdString());
}

bool odbcDriverInstalled(const QString& driver)
{
    QProcess odbcinst;
    odbcinst.start(QStringLiteral("odbcinst"), {QStringLiteral("-q"), QStringLiteral("-d")});
    if (!odbcinst.waitForFinished(10000))
        return false;
    return QString::fromUtf8(odbcinst.readAllStandardOutput()).contains(u'[' + driver + u']');
}

QString postgresReason()
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        return QStringLiteral("the Qt PostgreSQL driver (QPSQL) is not installed");
    if (environment("VELMOR_PG_PORT").isEmpty())
        return QStringLiteral("no PostgreSQL server: VELMOR_PG_PORT is not set (run scripts/services start DIR "
                              "and source DIR/env)");
    return {};
}

QString firebirdReason()
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QIBASE")))
        return QStringLiteral("the Qt Firebird driver (QIBASE) is not installed");
    if (QStandardPaths::findExecutable(QStringLiteral("isql-fb")).isEmpty())
        return QStringLiteral("isql-fb, which creates the Firebird test databases, is not installed");
    return {};
}

QString firebirdServerReason()
{
    if (QString reason = firebirdReason(); !reason.isEmpty())
        return reason;
    if (environment("VELMOR_FB_DIR").isEmpty() || environment("VELMOR_FB_PASSWORD").isEmpty())
        return QStringLiteral("no Firebird server: VELMOR_FB_DIR and VELMOR_FB_PASSWORD are not set (run "
                              "scripts/services start DIR and source DIR/env)");
    return {};
}

QString odbcReason(const QString& driver)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
        return QStringLiteral("the Qt ODBC driver (QODBC) is not installed");
    if (!odbcDriverInstalled(driver))
        return QStringLiteral("the ODBC driver \"%1\" is not registered with unixODBC").arg(driver);
    return {};
}

// Runs statements on a connection of its own, for making and dropping databases.
void runAdministration(const Connection& connection, const QString& driver, const QString& statement)
{
    const QString name = uniqueName("admin");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, name);
        db.setDatabaseName(connection.database);
        db.setHostName(connection.host);
        db.setPort(connection.port);
        db.setUserName(connection.user);
        db.setPassword(connection.password);
        if (!db.open())
            fail(QStringLiteral("cannot connect to %1: %2").arg(connection.database, db.lastError().text()));
        QSqlQuery query(db);
        if (!query.exec(statement))
            fail(QStringLiteral("%1: %2").arg(statement, query.lastError().text()));
    }
    QSqlDatabase::removeDatabase(name);
}

Connection postgresServer()
{
    Connection server;
    server.driver = QStringLiteral("PostgreSQL");
    server.database = environment("VELMOR_PG_DATABASE").isEmpty() ? QStringLiteral("postgres")
                                                                  : environment("VELMOR_PG_DATABASE");
    server.host = environment("VELMOR_PG_HOST").isEmpty() ? QStringLiteral("127.0.0.1") : environment("VELMOR_PG_HOST");
    server.port = environment("VELMOR_PG_PORT").toInt();
    server.user = environment("VELMOR_PG_USER").isEmpty() ? QStringLiteral("postgres") : environment("VELMOR_PG_USER");
    return server;
}

// A new database on the test cluster; its name is lower case, as PostgreSQL folds it.
TestDatabase createPostgresDatabase(const std::function<Connection(const Connection& server, const QString& name)>& reach)
{
    const Connection server = postgresServer();
    const QString name = uniqueName("velmor");
    runAdministration(server, QStringLiteral("QPSQL"), QStringLiteral("CREATE DATABASE ") + name);
    return TestDatabase(reach(server, name), [server, name] {
        runAdministration(server, QStringLiteral("QPSQL"),
                          QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
    });
}

// isql-fb makes the database file; the Qt driver cannot create one.
void createFirebirdFile(const QString& target, const QString& password)
{
    QString statement = QStringLiteral("CREATE DATABASE '%1' USER 'SYSDBA'").arg(target);
    if (!password.isEmpty())
        statement += QStringLiteral(" PASSWORD '%1'").arg(password);
    statement += QStringLiteral(";\n");
    QProcess isql;
    isql.setProcessChannelMode(QProcess::MergedChannels);
    isql.start(QStandardPaths::findExecutable(QStringLiteral("isql-fb")), {QStringLiteral("-q")});
    isql.write(statement.toUtf8());
    isql.closeWriteChannel();
    if (!isql.waitForFinished(30000) || isql.exitCode() != 0)
        fail(QStringLiteral("isql-fb could not create %1: %2").arg(target, QString::fromUtf8(isql.readAll())));
    const QString output = QString::fromUtf8(isql.readAll()).trimmed();
    if (!output.isEmpty())
        fail(QStringLiteral("isql-fb could not create %1: %2").arg(target, output));
}

TestDatabase createFirebirdEmbedded(const QString& folder)
{
    Connection connection;
    connection.driver = QStringLiteral("Firebird");
    connection.database = QDir(folder).filePath(QStringLiteral("embedded.fdb"));
    connection.user = QStringLiteral("SYSDBA");
    createFirebirdFile(connection.database, {});
    return TestDatabase(connection, [] {});
}

TestDatabase createFirebirdOnServer()
{
    Connection connection;
    connection.driver = QStringLiteral("Firebird");
    connection.database = QDir(environment("VELMOR_FB_DIR")).filePath(uniqueName("velmor") + QStringLiteral(".fdb"));
    connection.host = environment("VELMOR_FB_HOST").isEmpty() ? QStringLiteral("127.0.0.1") : environment("VELMOR_FB_HOST");
    connection.port = environment("VELMOR_FB_PORT").isEmpty() ? 3050 : environment("VELMOR_FB_PORT").toInt();
    connection.user = QStringLiteral("SYSDBA");
    connection.password = environment("VELMOR_FB_PASSWORD");
    createFirebirdFile(QStringLiteral("%1/%2:%3").arg(connection.host).arg(connection.port).arg(connection.database),
                       connection.password);
    const QString file = connection.database;
    return TestDatabase(connection, [file] { QFile::remove(file); });
}

TestDatabase createOdbcSqlite(const QString& folder)
{
    Connection connection;
    connection.driver = QStringLiteral("ODBC");
    connection.database = QStringLiteral("DRIVER={SQLite3};Database=%1").arg(QDir(folder).filePath(QStringLiteral("odbc.sqlite")));
    return TestDatabase(connection, [] {});
}

Connection odbcPostgres(const Connection& server, const QString& name)
{
    Connection connection;
    connection.driver = QStringLiteral("ODBC");
    connection.database = QStringLiteral("DRIVER={PostgreSQL Unicode};Server=%1;Port=%2;Database=%3;UID=%4")
                              .arg(server.host)
                              .arg(server.port)
                              .arg(name, server.user);
    return connection;
}

} // namespace

const char* engineName(Engine engine)
{
    switch (engine) {
    case Engine::Postgres:
        return "Postgres";
    case Engine::FirebirdEmbedded:
        return "FirebirdEmbedded";
    case Engine::FirebirdServer:
        return "FirebirdServer";
    case Engine::OdbcSqlite:
        return "OdbcSqlite";
    default:
        return "OdbcPostgres";
    }
}

TestDatabase::~TestDatabase()
{
    try {
        drop();
    } catch (const std::exception&) {
    }
}

void TestDatabase::drop()
{
    if (auto drop = std::exchange(m_drop, {}))
        drop();
}

const ColumnTypes& columnTypes(Engine engine)
{
    static const ColumnTypes postgres{"SMALLINT", "BIGINT", "DOUBLE PRECISION", "NUMERIC(10,2)", "BOOLEAN",
                                      "DATE",     "TIME",   "TIMESTAMP",        "TEXT",          "BYTEA"};
    static const ColumnTypes firebird{"SMALLINT", "BIGINT", "DOUBLE PRECISION", "NUMERIC(10,2)", "BOOLEAN",
                                      "DATE",     "TIME",   "TIMESTAMP",        "BLOB SUB_TYPE TEXT",
                                      "BLOB SUB_TYPE BINARY"};
    static const ColumnTypes sqlite{"SMALLINT", "BIGINT", "DOUBLE", "NUMERIC(10,2)", "BOOLEAN",
                                    "DATE",     "TIME",   "TIMESTAMP", "TEXT",       "BLOB"};
    switch (engine) {
    case Engine::Postgres:
    case Engine::OdbcPostgres:
        return postgres;
    case Engine::FirebirdEmbedded:
    case Engine::FirebirdServer:
        return firebird;
    default:
        return sqlite;
    }
}

QString unavailableReason(Engine engine)
{
    switch (engine) {
    case Engine::Postgres:
        return postgresReason();
    case Engine::FirebirdEmbedded:
        return firebirdReason();
    case Engine::FirebirdServer:
        return firebirdServerReason();
    case Engine::OdbcSqlite:
        return odbcReason(QStringLiteral("SQLite3"));
    default:
        if (QString reason = postgresReason(); !reason.isEmpty())
            return reason;
        return odbcReason(QStringLiteral("PostgreSQL Unicode"));
    }
}

TestDatabase createDatabase(Engine engine, const QString& folder)
{
    switch (engine) {
    case Engine::Postgres:
        return createPostgresDatabase([](const Connection& server, const QString& name) {
            Connection connection = server;
            connection.database = name;
            return connection;
        });
    case Engine::FirebirdEmbedded:
        return createFirebirdEmbedded(folder);
    case Engine::FirebirdServer:
        return createFirebirdOnServer();
    case Engine::OdbcSqlite:
        return createOdbcSqlite(folder);
    default:
        return createPostgresDatabase(odbcPostgres);
    }
}

bool servicesRequired()
{
    return environment("CI") == QLatin1String("true");
}

} // namespace serverengines

// PostgreSQL's ODBC driver keeps a few hundred bytes of every statement it fails to
// prepare; the tests of engine errors make it do so on purpose.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:psqlodbcw.so\n";
}
