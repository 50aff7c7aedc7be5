// Columns of every kind come back as the field class of their kind with their values,
// whether a table or a statement reads them, and nulls stay null.
#include "engine_fixture.h"

#include "core/strings.h"
#include "data/field.h"
#include "data/params.h"
#include "data/query.h"
#include "data/table.h"

#include <cmath>
#include <functional>

namespace {

using enginedata::Person;

struct ColumnCase {
    const char* column;
    const char* fieldClass;
    std::function<bool(const TField&, const Person&)> holds;
};

bool nearly(double a, double b)
{
    return std::abs(a - b) < 1e-9;
}

const ColumnCase columnCases[] = {
    {"ID", "TIntegerField", [](const TField& f, const Person& p) { return f.asInteger() == p.id; }},
    {"NAME", "TStringField", [](const TField& f, const Person& p) { return f.asString() == p.name; }},
    {"SMALLV", "TSmallintField", [](const TField& f, const Person& p) { return f.asInteger() == p.smallValue; }},
    {"BIGV", "TIntegerField", [](const TField& f, const Person& p) { return f.asInteger() == p.largeValue; }},
    {"RATE", "TFloatField", [](const TField& f, const Person& p) { return nearly(f.asFloat(), p.rate); }},
    {"AMOUNT", "TBCDField", [](const TField& f, const Person& p) { return nearly(f.asFloat(), p.amount); }},
    {"ACTIVE", "TBooleanField", [](const TField& f, const Person& p) { return f.asBoolean() == p.active; }},
    {"BORN", "TDateField", [](const TField& f, const Person& p) { return f.value().toDate() == p.born; }},
    {"STARTS", "TTimeField", [](const TField& f, const Person& p) { return f.value().toTime() == p.starts; }},
    {"STAMP", "TDateTimeField", [](const TField& f, const Person& p) { return f.asDateTime() == p.stamp; }},
    {"NOTES", "TMemoField", [](const TField& f, const Person& p) { return f.asString() == p.notes; }},
    {"PHOTO", "TBlobField", [](const TField& f, const Person& p) { return f.value().toByteArray() == p.photo; }},
};

class EngineFields : public EngineTest {
protected:
    // Every column of the current record holds the person's value.
    void expectPerson(TDataSet& dataSet, const Person& person)
    {
        for (const ColumnCase& c : columnCases) {
            SCOPED_TRACE(c.column);
            TField* field = dataSet.findField(QString::fromLatin1(c.column));
            ASSERT_NE(field, nullptr);
            EXPECT_FALSE(field->isNull());
            EXPECT_TRUE(c.holds(*field, person)) << "read " << field->asString().toStdString();
        }
    }

    // The class a column gets on this engine: its kind's class, unless the engine itself
    // does not tell that kind apart.
    const char* expectedClass(const ColumnCase& c) const
    {
        struct EngineLimit {
            serverengines::Engine engine;
            const char* column;
            const char* fieldClass;
        };
        static const EngineLimit limits[] = {
            // Qt's Firebird driver reports text and binary blobs alike.
            {serverengines::Engine::FirebirdEmbedded, "NOTES", "TBlobField"},
            {serverengines::Engine::FirebirdServer, "NOTES", "TBlobField"},
            // SQLite has no exact numerics; its ODBC driver reports NUMERIC columns as DOUBLE.
            {serverengines::Engine::OdbcSqlite, "AMOUNT", "TFloatField"},
        };
        for (const EngineLimit& limit : limits) {
            if (limit.engine == engine() && qstrcmp(limit.column, c.column) == 0)
                return limit.fieldClass;
        }
        return c.fieldClass;
    }

    void expectFieldClasses(TDataSet& dataSet) const
    {
        for (const ColumnCase& c : columnCases) {
            TField* field = dataSet.findField(QString::fromLatin1(c.column));
            ASSERT_NE(field, nullptr) << c.column;
            EXPECT_STREQ(field->metaObject()->className(), expectedClass(c))
                << dataSet.name().toStdString() << "." << c.column;
        }
    }

    TTable* makeTable(const QString& tableName)
    {
        auto* table = new TTable(root.get());
        table->setName(QStringLiteral("T1"));
        table->setDatabaseName(alias());
        table->setTableName(tableName);
        return table;
    }

    TQuery* makePersonQuery(qint64 id)
    {
        auto* query = new TQuery(root.get());
        query->setName(QStringLiteral("Q1"));
        query->setDatabaseName(alias());
        query->sql()->setText(QStringLiteral("SELECT * FROM PEOPLE WHERE ID = :ID"));
        query->params()->paramByName(u"ID")->setValue(id);
        return query;
    }
};

TEST_P(EngineFields, TableReadsEveryKindOfValue)
{
    TTable* table = makeTable(QStringLiteral("PEOPLE"));
    table->setIndexFieldNames(QStringLiteral("ID"));
    table->open();
    for (const Person& person : enginedata::people()) {
        SCOPED_TRACE(person.name.toStdString());
        ASSERT_FALSE(table->eof());
        expectPerson(*table, person);
        table->next();
    }
    EXPECT_TRUE(table->eof());
}

TEST_P(EngineFields, QueryReadsEveryKindOfValue)
{
    TQuery* query = makePersonQuery(3);
    query->open();
    ASSERT_FALSE(query->isEmpty());
    expectPerson(*query, enginedata::personWithId(3));
}

TEST_P(EngineFields, NullsStayNullInEveryKind)
{
    TTable* table = makeTable(QStringLiteral("GAPS"));
    table->open();
    ASSERT_FALSE(table->eof());
    for (const ColumnCase& c : columnCases) {
        SCOPED_TRACE(c.column);
        TField* field = table->findField(QString::fromLatin1(c.column));
        ASSERT_NE(field, nullptr);
        if (QLatin1String(c.column) == QLatin1String("ID"))
            continue;
        EXPECT_TRUE(field->isNull()) << "read " << field->asString().toStdString();
        EXPECT_EQ(field->asString(), QString());
    }
    EXPECT_EQ(remainingIds(*table), std::vector<qint64>{1});
}

TEST_P(EngineFields, FieldClassesFollowTheColumnKind)
{
    TTable* table = makeTable(QStringLiteral("PEOPLE"));
    table->open();
    expectFieldClasses(*table);
    TQuery* query = makePersonQuery(1);
    query->open();
    expectFieldClasses(*query);
}

INSTANTIATE_FOR_ENGINES(EngineFields);

} // namespace
