// Opening, walking and reading the same customers table through every engine.
#include "data_fixture.h"

#include "data/field.h"
#include "data/field_classes.h"
#include "data/table.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

namespace {

class EngineTest : public DataFixture, public ::testing::WithParamInterface<Engine> {
protected:
    TTable* openTable(const QString& tableName)
    {
        auto* table = new TTable(root.get());
        table->setName(QStringLiteral("Customers"));
        table->setDatabaseName(makeDatabase(GetParam()));
        table->setTableName(tableName);
        table->open();
        return table;
    }
};

TEST_P(EngineTest, WalksForwardAndBackWithEofAndBofAtBothEnds)
{
    TTable* table = openTable(QStringLiteral("CUSTOMER"));
    ASSERT_TRUE(table->active());
    EXPECT_TRUE(table->bof());
    EXPECT_FALSE(table->eof());
    QList<qint64> ids;
    while (!table->eof()) {
        ids.append(table->fieldByName(u"ID")->asInteger());
        table->next();
    }
    EXPECT_EQ(ids, (QList<qint64>{1, 2, 3}));
    EXPECT_EQ(table->recNo(), 2); // Eof stays on the last record
    EXPECT_EQ(table->recordCount(), 3);
    table->prior();
    EXPECT_FALSE(table->eof());
    EXPECT_EQ(table->fieldByName(u"ID")->asInteger(), 2);
    table->prior();
    table->prior();
    EXPECT_TRUE(table->bof());
    EXPECT_EQ(table->fieldByName(u"NAME")->asString(), QStringLiteral("Ann"));
    table->last();
    EXPECT_TRUE(table->eof());
    EXPECT_EQ(table->fieldByName(u"NAME")->asString(), QStringLiteral("Cy"));
    table->first();
    EXPECT_TRUE(table->bof());
    EXPECT_EQ(table->fieldByName(u"ID")->asInteger(), 1);
}

TEST_P(EngineTest, EmptyTableIsAtBothEndsAndHasNullFields)
{
    TTable* table = openTable(QStringLiteral("EMPTY"));
    EXPECT_TRUE(table->eof());
    EXPECT_TRUE(table->bof());
    EXPECT_TRUE(table->isEmpty());
    EXPECT_EQ(table->recNo(), -1);
    table->next();
    table->prior();
    EXPECT_TRUE(table->eof());
    EXPECT_TRUE(table->bof());
    ASSERT_EQ(table->fieldCount(), 4);
    EXPECT_TRUE(table->fieldByName(u"NAME")->isNull());
    EXPECT_EQ(table->recordCount(), 0);
}

TEST_P(EngineTest, MapsColumnsToFieldClassesAndKeepsNulls)
{
    TTable* table = openTable(QStringLiteral("customer"));
    EXPECT_TRUE(fieldtypes::isInteger(table->fieldByName(u"ID")->dataType()));
    EXPECT_NE(qobject_cast<TStringField*>(table->fieldByName(u"NAME")), nullptr);
    EXPECT_TRUE(fieldtypes::isFloat(table->fieldByName(u"BALANCE")->dataType()));
    EXPECT_NE(qobject_cast<TDateField*>(table->fieldByName(u"JOINED")), nullptr);
    EXPECT_DOUBLE_EQ(table->fieldByName(u"BALANCE")->asFloat(), 10.5);
    EXPECT_EQ(table->fieldByName(u"JOINED")->value().toDate(), QDate(2020, 1, 2));
    table->next();
    EXPECT_TRUE(table->fieldByName(u"BALANCE")->isNull());
    EXPECT_EQ(table->fieldByName(u"BALANCE")->asString(), QString());
    table->next();
    EXPECT_TRUE(table->fieldByName(u"JOINED")->isNull());
    EXPECT_DOUBLE_EQ(table->fieldByName(u"BALANCE")->asFloat(), -2.25);
}

TEST_P(EngineTest, DefaultFieldsBelongToTheDatasetAndGoWhenItCloses)
{
    TTable* table = openTable(QStringLiteral("CUSTOMER"));
    ASSERT_EQ(table->fieldCount(), 4);
    EXPECT_TRUE(table->hasDefaultFields());
    QPointer<TField> name = table->fieldByName(u"NAME");
    EXPECT_EQ(name->owner(), table);
    table->close();
    EXPECT_TRUE(name.isNull());
    EXPECT_EQ(table->fieldCount(), 0);
    EXPECT_EQ(root->componentCount(), 1);
}

TEST_P(EngineTest, OrdersByIndexFieldNames)
{
    TTable* table = openTable(QStringLiteral("CUSTOMER"));
    table->setIndexFieldNames(QStringLiteral("NAME"));
    table->close();
    table->setIndexFieldNames(QStringLiteral("BALANCE"));
    table->open();
    QList<qint64> ids;
    for (table->first(); !table->eof(); table->next())
        ids.append(table->fieldByName(u"ID")->asInteger());
    EXPECT_EQ(ids, (QList<qint64>{2, 3, 1})); // a null sorts first
}

INSTANTIATE_TEST_SUITE_P(AllEngines, EngineTest,
                         ::testing::Values(Engine::Sqlite, Engine::Paradox, Engine::Dbase, Engine::Csv),
                         [](const auto& info) { return std::string(engineName(info.param)); });

// Records of table files are read where the shared copy of the file holds them; a table
// that is open keeps its copy when the file changes and another dataset reads the new one.
class ChangedTableFile : public DataFixture {};

TEST_F(ChangedTableFile, AnOpenTableKeepsTheRecordsItOpenedWith)
{
    const QString directory = makeDatabase(Engine::Csv);
    const auto openCustomers = [&](const QString& name) {
        auto* table = new TTable(root.get());
        table->setName(name);
        table->setDatabaseName(directory);
        table->setTableName(QStringLiteral("customer.csv"));
        table->open();
        return table;
    };
    TTable* before = openCustomers(QStringLiteral("Before"));
    before->next();

    QFile file(QDir(directory).filePath(QStringLiteral("customer.csv")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("ID,NAME\n7,Zed\n");
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(10), QFileDevice::FileModificationTime));
    file.close();
    TTable* after = openCustomers(QStringLiteral("After"));
    EXPECT_EQ(after->fieldByName(u"NAME")->asString(), QStringLiteral("Zed"));

    EXPECT_EQ(before->fieldByName(u"ID")->asInteger(), 2);
    before->last();
    EXPECT_EQ(before->fieldByName(u"NAME")->asString(), QStringLiteral("Cy"));
    before->first();
    EXPECT_EQ(before->fieldByName(u"NAME")->asString(), QStringLiteral("Ann"));
    before->refresh();
    EXPECT_EQ(before->recordCount(), 1);
    EXPECT_EQ(before->fieldByName(u"ID")->asInteger(), 7);
}

} // namespace
