// The field list from the field description file, and the alias file.
#include "data_fixture.h"

#include "core/settings/file_locations.h"
#include "data/alias_file.h"
#include "data/dataset_info.h"
#include "data/field.h"
#include "data/field_description.h"
#include "data/table.h"

#include <QFile>

namespace {

class FieldDescriptionTest : public DataFixture {
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        dsinfo::registerLocalEngine();
        programfiles::setProgramDirectory(folder.path());
        table = new TTable(root.get());
        table->setName(QStringLiteral("Customers"));
        table->setDatabaseName(makeDatabase(Engine::Sqlite));
        table->setTableName(QStringLiteral("CUSTOMER"));
    }
    void TearDown() override
    {
        programfiles::setProgramDirectory(QString());
        dsinfo::release();
        DataFixture::TearDown();
    }
    void writeFdx(const QByteArray& text)
    {
        QFile file(folder.filePath(QStringLiteral("Velmor.FDX")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    static QStringList texts(const QList<TFieldDescEntry>& entries)
    {
        QStringList list;
        for (const TFieldDescEntry& e : entries)
            list.append(e.text);
        return list;
    }
    TTable* table = nullptr;
};

TEST_F(FieldDescriptionTest, WithoutFileEveryFieldDefinitionIsListed)
{
    const auto entries = fielddescriptions::entriesFor(table, root.get());
    EXPECT_EQ(texts(entries), (QStringList{"Customers.ID", "Customers.NAME", "Customers.BALANCE", "Customers.JOINED"}));
    EXPECT_EQ(entries[0].dataSet, table);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(FieldDescriptionTest, HeadingsCaptionsAndAMissingCaption)
{
    writeFdx("-Customers\n-x|Money\r\nname|Customer name\nID|\nignored line\nBALANCE|Balance\nname|Second caption\n");
    const auto entries = fielddescriptions::entriesFor(table, root.get());
    EXPECT_EQ(texts(entries), (QStringList{"-Customers", "Money", "Customer name|Customers.name", "Balance|Customers.BALANCE",
                                           "Customer name|Customers.name"}));
    EXPECT_EQ(entries[0].dataSet, nullptr);
    EXPECT_EQ(entries[2].dataSet, table);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Invalid Field [ID] in %1").arg(folder.filePath(QStringLiteral("Velmor.FDX")))});
}

TEST_F(FieldDescriptionTest, DatasetOfAnotherContainerIsQualifiedByItsOwner)
{
    TComponent module;
    module.setName(QStringLiteral("DM"));
    auto* other = new TTable(&module);
    other->setName(QStringLiteral("T"));
    other->setDatabaseName(table->databaseName());
    other->setTableName(QStringLiteral("ORDERS"));
    EXPECT_EQ(texts(fielddescriptions::entriesFor(other, root.get())),
              (QStringList{"DM.T.ORDERNO", "DM.T.CUSTID", "DM.T.AMOUNT"}));
}

TEST_F(FieldDescriptionTest, DatasetThatCannotDescribeItselfIsReported)
{
    table->setTableName(QStringLiteral("NOPE"));
    EXPECT_TRUE(fielddescriptions::entriesFor(table, root.get()).isEmpty());
    EXPECT_EQ(messages, QStringList{"Exception on init of dataset : Report"});
}

TEST_F(DataFixture, AliasesNameDriversAndLocalDatabases)
{
    programfiles::setProgramDirectory(folder.path());
    const QString sqlite = makeDatabase(Engine::Sqlite);
    QFile file(folder.filePath(QString::fromLatin1(aliasfile::kFileName)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Demo]\nDatabase=test.sqlite\n[Files]\nDatabase=Csv\n[Odbc]\nDriver=ODBC\nDatabase=DRIVER={SQLite3},DATABASE=x\n");
    file.close();
    makeDatabase(Engine::Csv);
    EXPECT_EQ(localdatabases::databaseNames(), (QStringList{"Demo", "Files", "Odbc"}));
    const auto odbc = aliasfile::find(QStringLiteral("odbc"));
    ASSERT_TRUE(odbc.has_value());
    EXPECT_EQ(odbc->driver, QStringLiteral("QODBC"));
    EXPECT_EQ(odbc->database, QStringLiteral("DRIVER={SQLite3},DATABASE=x"));
    EXPECT_EQ(localdatabases::tableNames(QStringLiteral("demo")), (QStringList{"CUSTOMER", "EMPTY", "ORDERS"}));
    TTable table;
    table.setName(QStringLiteral("T"));
    table.setDatabaseName(QStringLiteral("Files"));
    table.setTableName(QStringLiteral("orders"));
    table.open();
    EXPECT_EQ(table.recordCount(), 3);
    programfiles::setProgramDirectory(QString());
}

} // namespace
