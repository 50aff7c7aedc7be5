// Persistent and lookup fields, their published properties and their display texts.
#include "data_fixture.h"

#include "core/property_access.h"
#include "data/field.h"
#include "data/field_classes.h"
#include "data/field_format.h"
#include "data/persistent_fields.h"
#include "data/table.h"
#include "data/unique_name.h"

#include "core/error.h"

#include <limits>

namespace {

class FieldsTest : public DataFixture {
protected:
    TTable* customers()
    {
        auto* table = new TTable(root.get());
        table->setName(QStringLiteral("Customers"));
        table->setDatabaseName(database.isEmpty() ? (database = makeDatabase(Engine::Sqlite)) : database);
        table->setTableName(QStringLiteral("CUSTOMER"));
        return table;
    }
    QString database;
};

TEST_F(FieldsTest, PersistentFieldsAreOwnedByTheDocumentNamedByClassAndSurviveClose)
{
    TTable* table = customers();
    const QList<TField*> fields = persistentfields::makePersistent(table, {"NAME", "JOINED", "ID"});
    ASSERT_EQ(fields.size(), 3);
    EXPECT_EQ(fields[0]->name(), QStringLiteral("StringField"));
    EXPECT_EQ(fields[1]->name(), QStringLiteral("DateField"));
    EXPECT_EQ(fields[2]->name(), QStringLiteral("IntegerField"));
    EXPECT_EQ(fields[0]->owner(), root.get());
    table->open();
    EXPECT_FALSE(table->hasDefaultFields());
    ASSERT_EQ(table->fieldCount(), 3); // only the persistent ones, in their own order
    EXPECT_EQ(table->fields()[0]->fieldName(), QStringLiteral("NAME"));
    EXPECT_EQ(table->fields()[0]->asString(), QStringLiteral("Ann"));
    table->close();
    EXPECT_EQ(table->fieldCount(), 3);
    persistentfields::resetToDefault(table);
    table->open();
    EXPECT_TRUE(table->hasDefaultFields());
    EXPECT_EQ(table->fieldCount(), 4);
}

TEST_F(FieldsTest, TwoStringFieldsGetTheSecondNameWithZero)
{
    TComponent owner;
    auto* first = new TStringField(&owner);
    auto* second = new TStringField(&owner);
    auto* third = new TIntegerField(&owner);
    EXPECT_EQ(componentnames::UniqueComponentName(first), QStringLiteral("StringField"));
    EXPECT_EQ(componentnames::UniqueComponentName(second), QStringLiteral("StringField0"));
    EXPECT_EQ(componentnames::UniqueComponentName(third), QStringLiteral("IntegerField"));
    auto* label = new TStringField(&owner);
    EXPECT_EQ(componentnames::UniqueComponentName(label, QStringLiteral("9db name-x")), QStringLiteral("adb_name_x"));
}

TEST_F(FieldsTest, PersistentFieldWhoseColumnIsGoneStopsTheOpenWithItsName)
{
    TTable* table = customers();
    auto* field = new TStringField(root.get());
    field->setFieldName(QStringLiteral("GONE"));
    field->setDataSet(table);
    try {
        table->open();
        FAIL() << "opened";
    } catch (const EVelError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("Field 'GONE' not found"))) << error.message().toStdString();
    }
    EXPECT_FALSE(table->active());
}

TEST_F(FieldsTest, LookupFieldFindsItsValueInTheLookupDataset)
{
    auto* orders = new TTable(root.get());
    orders->setName(QStringLiteral("Orders"));
    orders->setDatabaseName(makeDatabase(Engine::Sqlite));
    database = orders->databaseName();
    orders->setTableName(QStringLiteral("ORDERS"));
    TTable* names = customers();
    persistentfields::makePersistent(orders);
    auto* lookup = new TStringField(root.get());
    lookup->setFieldName(QStringLiteral("CustName"));
    lookup->setFieldKind(TFieldKind::fkLookup);
    lookup->setKeyFields(QStringLiteral("CUSTID"));
    lookup->setLookupDataSet(names);
    lookup->setLookupKeyFields(QStringLiteral("ID"));
    lookup->setLookupResultField(QStringLiteral("NAME"));
    lookup->setDataSet(orders);
    names->open();
    orders->open();
    QStringList shown;
    for (; !orders->eof(); orders->next())
        shown.append(orders->fieldByName(u"CustName")->asString());
    EXPECT_EQ(shown, (QStringList{"Ann", "Ann", "Cy"}));
    names->close();
    EXPECT_TRUE(orders->fieldByName(u"CustName")->isNull());
}

TEST_F(FieldsTest, PublishedPropertiesCarryTheStoredSettingsOnly)
{
    TStringField field;
    field.setFieldName(QStringLiteral("NAME"));
    const auto stored = [&](const char* name) {
        return props::shouldStore(&field, *props::find(field.metaObject(), QString::fromLatin1(name)));
    };
    EXPECT_TRUE(stored("FieldName"));
    EXPECT_FALSE(stored("DisplayLabel")); // follows the field name
    EXPECT_FALSE(stored("Visible"));
    EXPECT_FALSE(stored("Value"));
    EXPECT_FALSE(stored("FieldKind"));
    field.setDisplayLabel(QStringLiteral("Customer name"));
    field.setVisible(false);
    field.setFieldKind(TFieldKind::fkLookup);
    EXPECT_TRUE(stored("DisplayLabel"));
    EXPECT_TRUE(stored("Visible"));
    EXPECT_EQ(props::getText(&field, u"FieldKind"), QStringLiteral("fkLookup"));

    // Copying every stored property by its text gives the same field.
    TStringField copy;
    for (const QMetaProperty& property : props::published(field.metaObject())) {
        if (props::shouldStore(&field, property)) {
            ASSERT_TRUE(props::setText(&copy, QString::fromLatin1(property.name()),
                                       props::getText(&field, QString::fromLatin1(property.name()))));
        }
    }
    EXPECT_EQ(copy.displayLabel(), QStringLiteral("Customer name"));
    EXPECT_FALSE(copy.visible());
    EXPECT_TRUE(copy.isLookup());
}

// The mask language has its own table of cases (tests/core); a field adds the user's
// locale and its plain text where a mask gives none.
TEST(FieldFormat, NumbersFollowTheirMaskOrShowTheirPlainText)
{
    EXPECT_EQ(fieldformat::formatFloat(-1234.5, QStringLiteral("#,##0.00;(#,##0.00)")), QStringLiteral("(1,234.50)"));
    EXPECT_EQ(fieldformat::formatFloat(1e20, QString()), QStringLiteral("1E+20"));
    EXPECT_EQ(fieldformat::formatFloat(std::numeric_limits<double>::infinity(), QStringLiteral("0.00")), QStringLiteral("inf"));
}

TEST(FieldFormat, DatesFollowTheirPicture)
{
    const QDateTime when(QDate(2021, 3, 4), QTime(15, 7, 9));
    struct Case {
        const char* format;
        const char* text;
    };
    const Case cases[] = {
        {"dd/mm/yyyy", "04/03/2021"}, {"d/m/yy", "4/3/21"},        {"hh:nn:ss", "15:07:09"},
        {"hh:mm", "15:07"},           {"h:nn am/pm", "3:07 pm"},   {"mmmm yyyy", "March 2021"},
        {"ddd d mmm", "Thu 4 Mar"},   {"yyyy-mm-dd 'at' hh", "2021-03-04 at 15"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fieldformat::formatDateTime(when, QString::fromLatin1(c.format)), QString::fromLatin1(c.text)) << c.format;
}

TEST_F(FieldsTest, DisplayTextUsesFormatsAndBooleanDisplayValues)
{
    TTable* table = customers();
    persistentfields::makePersistent(table);
    auto* balance = qobject_cast<TFloatField*>(table->findField(u"BALANCE"));
    auto* joined = qobject_cast<TDateTimeField*>(table->findField(u"JOINED"));
    ASSERT_TRUE(balance && joined);
    balance->setDisplayFormat(QStringLiteral("#,##0.00"));
    joined->setDisplayFormat(QStringLiteral("dd.mm.yyyy"));
    table->open();
    EXPECT_EQ(balance->displayText(), QStringLiteral("10.50"));
    EXPECT_EQ(joined->displayText(), QStringLiteral("02.01.2020"));
    EXPECT_EQ(joined->asString(), QStringLiteral("1/2/2020"));
    table->next();
    EXPECT_EQ(balance->displayText(), QString());
}

} // namespace
