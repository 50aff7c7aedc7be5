// The field list of a design window: every field of the document's datasets and of
// the datasets of linked datamodules, named by owner.
#include "design_fixture.h"

#include "data/data_notices.h"
#include "data/dataset_info.h"
#include "data/table.h"
#include "design/designer.h"
#include "document/vel_data_module.h"
#include "document/vel_data_module_link.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

QString writeDatabase(const QString& path)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("field-list-test"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery query(db);
        query.exec(QStringLiteral("CREATE TABLE CUSTOMER (ID INTEGER, NAME TEXT)"));
        query.exec(QStringLiteral("CREATE TABLE ORDERS (ORDERNO INTEGER, TOTAL REAL, SHIPPED TEXT)"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("field-list-test"));
    return path;
}

class FieldListTest : public DesignTest {
protected:
    void SetUp() override
    {
        DesignTest::SetUp();
        dsinfo::registerLocalEngine();
        datanotices::setMessageDisplay([this](const QString& text) { messages.append(text); });
        database = writeDatabase(path(QStringLiteral("shop.sqlite")));
    }
    void TearDown() override
    {
        datanotices::setMessageDisplay({});
        DesignTest::TearDown();
        dsinfo::release();
    }
    TTable* addTable(TComponent* owner, const QString& name, const QString& table)
    {
        auto* dataSet = new TTable(owner);
        dataSet->setName(name);
        dataSet->setDatabaseName(database);
        dataSet->setTableName(table);
        return dataSet;
    }
    QString database;
};

} // namespace

TEST_F(FieldListTest, ListsTheDocumentsAndTheLinkedDatamodulesFields)
{
    addTable(window->document(), QStringLiteral("Customers"), QStringLiteral("CUSTOMER"));
    TVelDataModule* module = TVelApplication::instance().createDataModule();
    module->setName(QStringLiteral("Shop"));
    addTable(module, QStringLiteral("Orders"), QStringLiteral("ORDERS"));
    auto* link = new TVelDataModuleLink(window->document());
    link->setName(QStringLiteral("ShopLink"));
    link->setDataModule(module);

    EXPECT_EQ(TVelDesigner::fieldNames(window),
              (QStringList{"Customers.ID", "Customers.NAME", "Shop.Orders.ORDERNO", "Shop.Orders.TOTAL",
                           "Shop.Orders.SHIPPED"}));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
}

TEST_F(FieldListTest, ADatasetThatCannotOpenIsReportedAndTheOthersStayListed)
{
    addTable(window->document(), QStringLiteral("Broken"), QStringLiteral("NO_SUCH_TABLE"));
    addTable(window->document(), QStringLiteral("Customers"), QStringLiteral("CUSTOMER"));
    EXPECT_EQ(TVelDesigner::fieldNames(window), (QStringList{"Customers.ID", "Customers.NAME"}));
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_TRUE(messages.first().startsWith(QLatin1String("Exception on init of dataset : ")))
        << messages.first().toStdString();
}

TEST_F(FieldListTest, AnEditOfTheDocumentMakesTheListBeBuiltAgain)
{
    addTable(window->document(), QStringLiteral("Customers"), QStringLiteral("CUSTOMER"));
    ASSERT_EQ(window->fieldList().size(), 2);
    addTable(window->document(), QStringLiteral("Orders"), QStringLiteral("ORDERS"));
    EXPECT_EQ(window->fieldList().size(), 2) << "kept while nothing was edited";
    TRpLabel* a = addLabel("A", {10, 10, 40, 20});
    click(at(a));
    key(Qt::Key_Delete);
    EXPECT_EQ(window->fieldList().size(), 5);
}
