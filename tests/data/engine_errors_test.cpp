// Engine failures come back as errors with their message, never as crashes.
#include "data_fixture.h"

#include "core/error.h"
#include "core/strings.h"
#include "data/field.h"
#include "data/local_database.h"
#include "data/query.h"
#include "data/table.h"

#include <QDir>
#include <QFile>

namespace {

QString openError(TDataSet& dataSet)
{
    try {
        dataSet.open();
    } catch (const EVelError& error) {
        EXPECT_FALSE(dataSet.active());
        return error.message();
    }
    return QStringLiteral("<opened>");
}

TEST_F(DataFixture, MissingTableGivesTheTableMessage)
{
    for (Engine engine : {Engine::Sqlite, Engine::Paradox}) {
        TTable table;
        table.setName(QStringLiteral("T1"));
        table.setDatabaseName(makeDatabase(engine));
        table.setTableName(QStringLiteral("NOPE"));
        EXPECT_TRUE(openError(table).startsWith(QStringLiteral("Can't open table  T1. exception "))) << engineName(engine);
        EXPECT_TRUE(openError(table).contains(QStringLiteral("NOPE")));
    }
}

TEST_F(DataFixture, BadStatementGivesTheQueryMessageWithTheEngineText)
{
    TQuery query;
    query.setName(QStringLiteral("Q1"));
    query.setDatabaseName(makeDatabase(Engine::Sqlite));
    query.sql()->setText(QStringLiteral("SELEKT * FROM CUSTOMER"));
    const QString message = openError(query);
    EXPECT_TRUE(message.startsWith(QStringLiteral("Can't open query Q1. exception "))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("syntax error"))) << message.toStdString();
}

TEST_F(DataFixture, UnknownDatabaseAndBrokenFilesAreErrors)
{
    TTable table;
    table.setName(QStringLiteral("T1"));
    table.setDatabaseName(folder.filePath(QStringLiteral("no/such/place")));
    table.setTableName(QStringLiteral("X"));
    EXPECT_TRUE(openError(table).contains(QStringLiteral("Unknown database")));

    const QString dir = folder.filePath(QStringLiteral("broken"));
    QDir().mkpath(dir);
    for (const char* name : {"junk.db", "junk.dbf"}) {
        QFile file(dir + u'/' + QString::fromLatin1(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(300, '\x7f'));
        file.close();
        TTable junk;
        junk.setName(QStringLiteral("J"));
        junk.setDatabaseName(dir);
        junk.setTableName(QString::fromLatin1(name));
        EXPECT_TRUE(openError(junk).startsWith(QStringLiteral("Can't open table  J. exception "))) << name;
    }
    // A file that is no SQLite database.
    TTable notSqlite;
    notSqlite.setName(QStringLiteral("S"));
    notSqlite.setDatabaseName(dir + QStringLiteral("/junk.db"));
    notSqlite.setTableName(QStringLiteral("X"));
    EXPECT_TRUE(openError(notSqlite).startsWith(QStringLiteral("Can't open table  S. exception ")));
}

TEST_F(DataFixture, CataloguesListTablesAndIndexes)
{
    const QString sqlite = makeDatabase(Engine::Sqlite);
    EXPECT_EQ(localdatabases::tableNames(sqlite), (QStringList{"CUSTOMER", "EMPTY", "ORDERS"}));
    EXPECT_EQ(localdatabases::indexNames(sqlite, QStringLiteral("ORDERS")), QStringList{"ByCust"});
    const QList<TIndexDef> defs = localdatabases::indexDefs(sqlite, QStringLiteral("ORDERS"));
    EXPECT_TRUE(defs[0].primary);
    EXPECT_EQ(defs[0].fields, QStringList{"ORDERNO"});
    EXPECT_EQ(localdatabases::tableNames(makeDatabase(Engine::Dbase)), (QStringList{"customer.dbf", "empty.dbf", "orders.dbf"}));
}

TEST_F(DataFixture, IndexNameOrdersByThatIndex)
{
    TTable table;
    table.setName(QStringLiteral("T"));
    table.setDatabaseName(makeDatabase(Engine::Sqlite));
    table.setTableName(QStringLiteral("ORDERS"));
    table.setIndexName(QStringLiteral("ByCust"));
    table.open();
    EXPECT_EQ(table.fieldByName(u"CUSTID")->asInteger(), 1);
    table.close();
    table.setIndexName(QStringLiteral("NoIndex"));
    EXPECT_TRUE(openError(table).contains(QStringLiteral("Index 'NoIndex' not found")));
}

} // namespace
