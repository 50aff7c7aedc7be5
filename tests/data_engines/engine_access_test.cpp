// Reading through an alias: tables in the order of named fields, statements with bound
// parameters, the catalogue the panels list, and engine failures with their message.
#include "engine_fixture.h"

#include "core/error.h"
#include "core/strings.h"
#include "data/field.h"
#include "data/local_database.h"
#include "data/params.h"
#include "data/query.h"
#include "data/table.h"

namespace {

class EngineAccess : public EngineTest {
protected:
    TTable* makeTable(const QString& tableName, const QString& name = QStringLiteral("T1"))
    {
        auto* table = new TTable(root.get());
        table->setName(name);
        table->setDatabaseName(alias());
        table->setTableName(tableName);
        return table;
    }

    TQuery* makeQuery(const QString& statement)
    {
        auto* query = new TQuery(root.get());
        query->setName(QStringLiteral("Q1"));
        query->setDatabaseName(alias());
        query->sql()->setText(statement);
        return query;
    }

    static QString openError(TDataSet& dataSet)
    {
        try {
            dataSet.open();
        } catch (const EVelError& error) {
            EXPECT_FALSE(dataSet.active());
            return error.message();
        }
        return QStringLiteral("<opened>");
    }
};

QStringList lowerCase(QStringList names)
{
    for (QString& name : names)
        name = name.toLower();
    return names;
}

struct OrderCase {
    const char* indexFieldNames;
    std::vector<qint64> ids;
};

TEST_P(EngineAccess, IndexFieldNamesOrderTheRecords)
{
    // BIGV holds 9, 200 and 9000000000: ordered as numbers, not as text.
    const OrderCase cases[] = {
        {"NAME", {2, 3, 1}},
        {"BIGV", {2, 1, 3}},
        {"ACTIVE;SMALLV", {1, 2, 3}},
        {"name", {2, 3, 1}},
    };
    TTable* table = makeTable(QStringLiteral("PEOPLE"));
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.indexFieldNames);
        table->close();
        table->setIndexFieldNames(QString::fromLatin1(c.indexFieldNames));
        table->open();
        EXPECT_EQ(remainingIds(*table), c.ids);
    }
}

TEST_P(EngineAccess, TableNamesAreFoundWhateverTheirCase)
{
    for (const char* name : {"PEOPLE", "people", "People"}) {
        SCOPED_TRACE(name);
        TTable* table = makeTable(QString::fromLatin1(name));
        table->setIndexFieldNames(QStringLiteral("ID"));
        table->open();
        EXPECT_EQ(remainingIds(*table), (std::vector<qint64>{1, 2, 3}));
        delete table;
    }
}

TEST_P(EngineAccess, ParametersAreBoundNotPasted)
{
    TQuery* query = makeQuery(QStringLiteral("SELECT ID, NAME FROM PEOPLE WHERE NAME = :NAME OR SMALLV = :SMALL"));
    TParam* name = query->params()->paramByName(u"NAME");
    query->params()->paramByName(u"SMALL")->setValue(-1000);
    // A quote inside the value would break a statement the value was pasted into.
    name->setValue(QStringLiteral("O'Brien"));
    query->open();
    EXPECT_EQ(remainingIds(*query), std::vector<qint64>{3});
    query->close();
    name->setValue(QStringLiteral("x' OR '1'='1"));
    query->open();
    EXPECT_TRUE(query->isEmpty());
    query->close();
    query->params()->paramByName(u"SMALL")->setValue(-7);
    query->open();
    EXPECT_EQ(query->fieldByName(u"NAME")->asString(), QStringLiteral("Adams"));
    EXPECT_EQ(remainingIds(*query), std::vector<qint64>{2});
}

TEST_P(EngineAccess, CatalogueListsUserTablesAndTheirIndexes)
{
    EXPECT_EQ(lowerCase(localdatabases::tableNames(alias())), (QStringList{"gaps", "people"}));
    for (const char* table : {"PEOPLE", "people"}) {
        SCOPED_TRACE(table);
        EXPECT_EQ(lowerCase(localdatabases::indexNames(alias(), QString::fromLatin1(table))), QStringList{"by_name"});
        const QList<TIndexDef> defs = localdatabases::indexDefs(alias(), QString::fromLatin1(table));
        ASSERT_EQ(defs.size(), 2);
        EXPECT_TRUE(defs[0].primary);
        EXPECT_EQ(lowerCase(defs[0].fields), QStringList{"id"});
        EXPECT_EQ(lowerCase(defs[1].fields), QStringList{"name"});
    }
    EXPECT_TRUE(localdatabases::indexNames(alias(), QStringLiteral("GAPS")).isEmpty());
}

TEST_P(EngineAccess, IndexNameOrdersByThatIndex)
{
    TTable* table = makeTable(QStringLiteral("PEOPLE"));
    const QStringList indexes = localdatabases::indexNames(alias(), QStringLiteral("PEOPLE"));
    ASSERT_EQ(indexes.size(), 1);
    table->setIndexName(indexes.first());
    table->open();
    EXPECT_EQ(remainingIds(*table), (std::vector<qint64>{2, 3, 1}));
}

TEST_P(EngineAccess, EngineFailuresCarryTheEngineMessage)
{
    TTable* table = makeTable(QStringLiteral("NOPE"));
    const QString tableError = openError(*table);
    EXPECT_TRUE(tableError.startsWith(QStringLiteral("Can't open table  T1. exception "))) << tableError.toStdString();
    EXPECT_TRUE(tableError.contains(QStringLiteral("NOPE"), Qt::CaseInsensitive)) << tableError.toStdString();

    TQuery* query = makeQuery(QStringLiteral("SELECT NOSUCHCOLUMN FROM PEOPLE"));
    const QString queryError = openError(*query);
    EXPECT_TRUE(queryError.startsWith(QStringLiteral("Can't open query Q1. exception "))) << queryError.toStdString();
    EXPECT_TRUE(queryError.contains(QStringLiteral("NOSUCHCOLUMN"), Qt::CaseInsensitive)) << queryError.toStdString();

    TTable* badOrder = makeTable(QStringLiteral("PEOPLE"), QStringLiteral("T2"));
    badOrder->setIndexFieldNames(QStringLiteral("NOSUCHFIELD"));
    const QString orderError = openError(*badOrder);
    EXPECT_TRUE(orderError.startsWith(QStringLiteral("Can't open table  T2. exception "))) << orderError.toStdString();
    EXPECT_TRUE(orderError.contains(QStringLiteral("NOSUCHFIELD"), Qt::CaseInsensitive)) << orderError.toStdString();
}

INSTANTIATE_FOR_ENGINES(EngineAccess);

} // namespace
