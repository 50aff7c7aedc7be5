// Statements: parameters learnt from the text, always bound; SQL over a directory.
#include "data_fixture.h"

#include "data/field.h"
#include "data/params.h"
#include "data/query.h"

#include "core/strings.h"

#include <QFile>
#include <QThread>

namespace {

struct ParseCase {
    const char* sql;
    const char* text;
    QStringList names;
};

TEST(SqlParams, FindsParametersOutsideQuotesAndComments)
{
    const ParseCase cases[] = {
        {"select * from t where a = :A and b = :b2", "select * from t where a = ? and b = ?", {"A", "b2"}},
        {"select ':NOT' from t where x = :X", "select ':NOT' from t where x = ?", {"X"}},
        {"select \"a:b\" -- :C\nfrom t /* :D */ where y=:Y", "select \"a:b\" -- :C\nfrom t /* :D */ where y=?", {"Y"}},
        {"select a::int from t where z = :Z or z = :z", "select a::int from t where z = ? or z = ?", {"Z"}},
        {"select * from t where n = :\"my name\"", "select * from t where n = ?", {"my name"}},
        {"select 'it''s :Q' from t", "select 'it''s :Q' from t", {}},
    };
    for (const ParseCase& c : cases) {
        const auto parsed = sqlparams::parse(QString::fromLatin1(c.sql));
        EXPECT_EQ(parsed.text, QString::fromLatin1(c.text)) << c.sql;
        EXPECT_EQ(parsed.names, c.names) << c.sql;
    }
}

TEST(SqlParams, NewStatementKeepsValuesOfParametersItStillHas)
{
    TQuery query;
    query.sql()->setText(QStringLiteral("select * from t where a = :A and b = :B"));
    query.params()->paramByName(u"B")->setValue(QStringLiteral("kept"));
    query.sql()->setText(QStringLiteral("select * from t where b = :B and c = :C"));
    ASSERT_EQ(query.params()->count(), 2);
    EXPECT_EQ(query.params()->param(0)->name(), QStringLiteral("B"));
    EXPECT_EQ(query.params()->param(0)->value().toString(), QStringLiteral("kept"));
    EXPECT_TRUE(query.params()->param(0)->bound());
    EXPECT_FALSE(query.params()->param(1)->bound());
}

class QueryTest : public DataFixture, public ::testing::WithParamInterface<Engine> {};

TEST_P(QueryTest, BoundValuesAreValuesNeverStatementText)
{
    auto* query = new TQuery(root.get());
    query->setName(QStringLiteral("Q"));
    query->setDatabaseName(makeDatabase(GetParam()));
    query->sql()->setText(QStringLiteral("SELECT NAME FROM CUSTOMER WHERE NAME = :N OR ID = :ID"));
    query->params()->paramByName(u"N")->setValue(QStringLiteral("x' OR '1'='1"));
    query->params()->paramByName(u"ID")->setValue(3);
    query->open();
    ASSERT_FALSE(query->isEmpty());
    EXPECT_EQ(query->fieldByName(u"NAME")->asString(), QStringLiteral("Cy"));
    query->next();
    EXPECT_TRUE(query->eof());
    query->close();
    query->params()->paramByName(u"N")->setValue(QStringLiteral("Ann"));
    query->open();
    EXPECT_EQ(query->fieldByName(u"NAME")->asString(), QStringLiteral("Ann"));
}

TEST_P(QueryTest, DateColumnsKeepTheirTypeThroughStatements)
{
    auto* query = new TQuery(root.get());
    query->setName(QStringLiteral("Q"));
    query->setDatabaseName(makeDatabase(GetParam()));
    query->sql()->setText(QStringLiteral("SELECT JOINED, BALANCE FROM CUSTOMER ORDER BY ID"));
    query->open();
    EXPECT_EQ(query->fieldByName(u"JOINED")->dataType(), TFieldType::ftDate);
    EXPECT_EQ(query->fieldByName(u"JOINED")->value().toDate(), QDate(2020, 1, 2));
    query->next();
    EXPECT_TRUE(query->fieldByName(u"BALANCE")->isNull());
}

INSTANTIATE_TEST_SUITE_P(AllEngines, QueryTest,
                         ::testing::Values(Engine::Sqlite, Engine::Paradox, Engine::Dbase, Engine::Csv),
                         [](const auto& info) { return std::string(engineName(info.param)); });

TEST_F(DataFixture, DirectoryQuerySeesAFileThatChanged)
{
    const QString dir = makeDatabase(Engine::Csv);
    TQuery query;
    query.setName(QStringLiteral("Q"));
    query.setDatabaseName(dir);
    query.sql()->setText(QStringLiteral("SELECT COUNT(*) AS N FROM customer"));
    query.open();
    EXPECT_EQ(query.fieldByName(u"N")->asInteger(), 3);
    query.close();
    QFile file(dir + QStringLiteral("/customer.csv"));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("4,Dee,1,2022-02-02\n");
    file.close();
    query.open();
    EXPECT_EQ(query.fieldByName(u"N")->asInteger(), 4);
}

TEST_F(DataFixture, DirectoryQueryNamesTablesWithOrWithoutExtension)
{
    TQuery query;
    query.setName(QStringLiteral("Q"));
    query.setDatabaseName(makeDatabase(Engine::Paradox));
    query.sql()->setText(QStringLiteral("SELECT c.NAME, o.AMOUNT FROM \"customer.db\" c JOIN orders o ON o.CUSTID = c.ID ORDER BY o.ORDERNO"));
    query.open();
    EXPECT_EQ(query.fieldByName(u"NAME")->asString(), QStringLiteral("Ann"));
    query.last();
    EXPECT_EQ(query.fieldByName(u"NAME")->asString(), QStringLiteral("Cy"));
    EXPECT_DOUBLE_EQ(query.fieldByName(u"AMOUNT")->asFloat(), 9);
}

} // namespace
