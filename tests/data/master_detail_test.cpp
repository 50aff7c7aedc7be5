// A detail table or query following its master as the master moves.
#include "data_fixture.h"

#include "data/data_source.h"
#include "data/field.h"
#include "data/params.h"
#include "data/query.h"
#include "data/table.h"

#include "core/strings.h"

namespace {

class MasterDetailTest : public DataFixture, public ::testing::WithParamInterface<Engine> {
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        database = makeDatabase(GetParam());
        master = new TTable(root.get());
        master->setName(QStringLiteral("Customers"));
        master->setDatabaseName(database);
        master->setTableName(QStringLiteral("CUSTOMER"));
        source = new TDataSource(root.get());
        source->setName(QStringLiteral("CustomersSource"));
        source->setDataSet(master);
    }

    QList<qint64> column(TDataSet* dataSet, const char* fieldName)
    {
        QList<qint64> values;
        for (dataSet->first(); !dataSet->eof(); dataSet->next())
            values.append(dataSet->fieldByName(QString::fromLatin1(fieldName))->asInteger());
        return values;
    }

    QString database;
    TTable* master = nullptr;
    TDataSource* source = nullptr;
};

TEST_P(MasterDetailTest, DetailTableShowsTheRowsOfTheCurrentMasterRecord)
{
    auto* detail = new TTable(root.get());
    detail->setName(QStringLiteral("Orders"));
    detail->setDatabaseName(database);
    detail->setTableName(QStringLiteral("ORDERS"));
    detail->setIndexFieldNames(QStringLiteral("CUSTID"));
    detail->setMasterSource(source);
    detail->setMasterFields(QStringLiteral("ID"));
    master->open();
    detail->open();
    EXPECT_EQ(column(detail, "ORDERNO"), (QList<qint64>{100, 101}));
    master->next(); // Bob has no orders
    EXPECT_TRUE(detail->active());
    EXPECT_TRUE(detail->eof() && detail->bof());
    master->next();
    EXPECT_EQ(column(detail, "ORDERNO"), (QList<qint64>{102}));
    master->first();
    EXPECT_EQ(column(detail, "ORDERNO"), (QList<qint64>{100, 101}));
}

TEST_P(MasterDetailTest, DetailQueryFillsUnboundParametersFromTheMaster)
{
    auto* detail = new TQuery(root.get());
    detail->setName(QStringLiteral("OrderQuery"));
    detail->setDatabaseName(database);
    detail->sql()->setText(QStringLiteral("SELECT ORDERNO FROM ORDERS WHERE CUSTID = :ID ORDER BY ORDERNO"));
    detail->setDataSource(source);
    ASSERT_EQ(detail->params()->count(), 1);
    EXPECT_FALSE(detail->params()->param(0)->bound());
    master->open();
    detail->open();
    EXPECT_EQ(column(detail, "ORDERNO"), (QList<qint64>{100, 101}));
    master->last();
    EXPECT_EQ(column(detail, "ORDERNO"), (QList<qint64>{102}));
    master->prior();
    EXPECT_TRUE(detail->isEmpty());
}

TEST_P(MasterDetailTest, BoundParameterKeepsItsOwnValueWhateverTheMaster)
{
    auto* detail = new TQuery(root.get());
    detail->setName(QStringLiteral("OrderQuery"));
    detail->setDatabaseName(database);
    detail->sql()->setText(QStringLiteral("SELECT ORDERNO FROM ORDERS WHERE CUSTID = :ID"));
    detail->setDataSource(source);
    detail->params()->paramByName(u"ID")->setValue(3);
    master->open();
    detail->open();
    EXPECT_EQ(column(detail, "ORDERNO"), (QList<qint64>{102}));
    master->next();
    EXPECT_EQ(column(detail, "ORDERNO"), (QList<qint64>{102}));
}

INSTANTIATE_TEST_SUITE_P(AllEngines, MasterDetailTest,
                         ::testing::Values(Engine::Sqlite, Engine::Paradox, Engine::Dbase, Engine::Csv),
                         [](const auto& info) { return std::string(engineName(info.param)); });

} // namespace
