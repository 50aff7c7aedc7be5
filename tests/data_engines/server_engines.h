// The database servers the dataset layer reaches through aliases, one case per way in:
// PostgreSQL through the Qt driver, Firebird embedded and through its server, and ODBC
// to SQLite and to PostgreSQL. Each case makes a fresh database of its own, so tests can
// run side by side, and knows the column types its engine spells.
#pragma once

#include <QString>

#include <functional>
#include <ostream>

namespace serverengines {

enum class Engine { Postgres, FirebirdEmbedded, FirebirdServer, OdbcSqlite, OdbcPostgres };

const char* engineName(Engine engine);
inline void PrintTo(Engine engine, std::ostream* out)
{
    *out << engineName(engine);
}
inline const Engine allEngines[] = {Engine::Postgres, Engine::FirebirdEmbedded, Engine::FirebirdServer,
                                    Engine::OdbcSqlite, Engine::OdbcPostgres};

// The column types of one engine for the columns the test tables hold.
struct ColumnTypes {
    const char* smallInteger;
    const char* largeInteger;
    const char* floating;
    const char* numeric;
    const char* boolean;
    const char* date;
    const char* time;
    const char* timestamp;
    const char* memo;
    const char* blob;
};

// The alias file section that reaches a database (Driver, Database, Host, ... lines).
struct Connection {
    QString driver;   // the name written as the alias's Driver
    QString database; // file, database name or ODBC connection string
    QString host;
    int port = -1;
    QString user;
    QString password;
};

// A database made for one test. Dropping it removes it from the server.
class TestDatabase {
public:
    TestDatabase() = default;
    TestDatabase(Connection connection, std::function<void()> drop)
        : m_connection(std::move(connection)), m_drop(std::move(drop)) {}
    TestDatabase(TestDatabase&&) = default;
    TestDatabase& operator=(TestDatabase&&) = default;
    ~TestDatabase();

    const Connection& connection() const { return m_connection; }
    void drop();

private:
    Connection m_connection;
    std::function<void()> m_drop;
};

const ColumnTypes& columnTypes(Engine engine);

// Why the engine cannot be reached here, or empty when it can.
QString unavailableReason(Engine engine);

// A fresh, empty database of the engine in `folder` (for file databases) or on its
// server; raises std::runtime_error with the engine's message when it cannot be made.
TestDatabase createDatabase(Engine engine, const QString& folder);

// Whether a missing service fails the run (CI) instead of skipping the test.
bool servicesRequired();

} // namespace serverengines
