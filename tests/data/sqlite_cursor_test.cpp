// SQLite databases are read through SQLite's own API; these tests hold that path to the
// Qt SQL one: the same column names and types, the same values of the same types for
// every pairing of declared type and stored value, the same bound parameters, and errors
// with SQLite's message.
#include "core/error.h"
#include "data/sql_cursor.h"
#include "data/sqlite_cursor.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sqlite3.h>

namespace {

struct Records {
    TFieldDefs defs;
    std::vector<QVariant> values;
};

Records readAll(TRecordCursor& cursor)
{
    Records records{cursor.fieldDefs(), {}};
    while (cursor.fetch(records.values)) {
    }
    return records;
}

QString describe(const QVariant& value)
{
    return QStringLiteral("%1(%2)").arg(QString::fromLatin1(value.typeName() ? value.typeName() : "null"),
                                        value.toString());
}

class SqliteCursorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
            db.setDatabaseName(folder.filePath(QStringLiteral("mixed.sqlite")));
            ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        }
        // Every declared type meets values of every storage class, as files written by
        // other programs hold them.
        run("CREATE TABLE T (I INTEGER, S VARCHAR(20), F FLOAT, B BOOLEAN, D DATE, DT DATETIME, TM TIME, "
            "C CURRENCY, N DECIMAL(10,2), BL BLOB, M MEMO, W WORD, X, \"a.b\" TEXT)");
        run("INSERT INTO T VALUES (1, 'one', 1.5, 1, '2020-01-02', '2020-01-02 10:11:12.345', '10:11:12', "
            "2.25, 3.14, x'00ff', 'memo', 7, 'x', 'dot')");
        run("INSERT INTO T VALUES (NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, "
            "NULL)");
        run("INSERT INTO T VALUES ('abc', 42, '1.5', 'yes', '2020-02-30', '2020-01-02', '2020-01-02 10:11:12', "
            "1, '3.14', 'text', 12, '65535', 2.5, x'41')");
        run("INSERT INTO T VALUES ('12.7', 1.5, 'x', 'n', '2020-01-02 10:00', 2458850.5, 'noon', 'x', 7, x'', "
            "x'4142', -1, x'00', 3)");
        run("INSERT INTO T VALUES (3.6, x'414243', 7, 0.0, '2020/01/02', 'bad', 36000.5, 1.25, NULL, 5, 2.5, "
            "'12.9', NULL, '')");
        run("INSERT INTO T VALUES (-9007199254740993, '', -0.0, 2, 2458850.5, '2020-01-02T10:11:12', '', '', '', "
            "'', '', 'w', '', 'ü')");
    }

    void TearDown() override { QSqlDatabase::removeDatabase(kConnection); }

    static QSqlDatabase database() { return QSqlDatabase::database(kConnection, false); }

    void run(const char* statement)
    {
        QSqlQuery query(database());
        ASSERT_TRUE(query.exec(QString::fromUtf8(statement))) << query.lastError().text().toStdString();
    }

    // Reads the statement both ways and compares definitions and values.
    void expectSameRecords(const QString& statement, const QVariantList& values = {})
    {
        SCOPED_TRACE(statement.toStdString());
        TSqlCursor qt(database(), statement, values);
        TSqliteCursor direct(sqlitecursors::connectionOf(database()), statement, values);
        const Records expected = readAll(qt);
        const Records actual = readAll(direct);
        ASSERT_EQ(actual.defs.size(), expected.defs.size());
        for (qsizetype i = 0; i < expected.defs.size(); ++i) {
            EXPECT_EQ(actual.defs[i].name.toStdString(), expected.defs[i].name.toStdString());
            EXPECT_EQ(actual.defs[i].dataType, expected.defs[i].dataType) << expected.defs[i].name.toStdString();
            EXPECT_EQ(actual.defs[i].size, expected.defs[i].size);
            EXPECT_EQ(actual.defs[i].precision, expected.defs[i].precision);
            EXPECT_EQ(actual.defs[i].required, expected.defs[i].required);
        }
        ASSERT_EQ(actual.values.size(), expected.values.size());
        const size_t columns = size_t(expected.defs.size());
        for (size_t i = 0; i < expected.values.size(); ++i) {
            const QVariant& want = expected.values[i];
            const QVariant& got = actual.values[i];
            const bool same = want.isNull() == got.isNull() && want.metaType() == got.metaType() && want == got;
            EXPECT_TRUE(same) << "record " << i / columns << " column "
                              << expected.defs[qsizetype(i % columns)].name.toStdString() << ": Qt "
                              << describe(want).toStdString() << ", SQLite " << describe(got).toStdString();
        }
    }

    static QString errorOf(const std::function<void()>& open)
    {
        try {
            open();
        } catch (const EVelError& error) {
            return error.message();
        }
        return QStringLiteral("(no error)");
    }

    static constexpr const char* kConnection = "sqlite-cursor-test";
    QTemporaryDir folder;
};

TEST_F(SqliteCursorTest, EveryDeclaredTypeMeetsEveryStoredValueAsThroughQt)
{
    expectSameRecords(QStringLiteral("SELECT * FROM T"));
    expectSameRecords(QStringLiteral("SELECT * FROM T ORDER BY S DESC"));
}

TEST_F(SqliteCursorTest, ColumnsWithoutDeclaredTypeTakeTheFirstRecordsType)
{
    const QStringList statements = {
        QStringLiteral("SELECT 1 + 1 AS TWO, 'a' || 'b', 2.5, NULL, x'01', I AS \"q.r\", T.S, COUNT(*) OVER () FROM T"),
        QStringLiteral("SELECT X, UPPER(S) FROM T"),
        QStringLiteral("SELECT X, UPPER(S) FROM T ORDER BY X DESC"),
        QStringLiteral("SELECT MAX(I), SUM(F), AVG(N) FROM T"),
        QStringLiteral("SELECT * FROM T WHERE 0"),
        QStringLiteral("SELECT 1 AS ONE, 'x' AS TEXT WHERE 0"),
        QStringLiteral("SELECT t1.I, t2.S FROM T t1 JOIN T t2 ON t1.I = t2.I"),
        QStringLiteral("PRAGMA table_info(T)"),
    };
    for (const QString& statement : statements)
        expectSameRecords(statement);
}

TEST_F(SqliteCursorTest, ParametersAreBoundAsThroughQt)
{
    const QVariantList values = {
        QStringLiteral("text"),
        QString(),
        QStringLiteral(""),
        qint64(-9007199254740993),
        int(7),
        uint(4000000000u),
        qulonglong(18000000000000000000ull),
        true,
        false,
        2.5,
        QDate(2020, 1, 2),
        QDate(),
        QDateTime(QDate(2020, 1, 2), QTime(10, 11, 12, 345)),
        QDateTime(),
        QTime(10, 11, 12, 5),
        QTime(),
        QByteArray("\x00\x01", 2),
        QByteArray(),
        QVariant(),
        QVariant(QMetaType::fromType<int>()),
        QVariant(QMetaType::fromType<QString>()),
        short(-3),
    };
    for (const QVariant& value : values) {
        SCOPED_TRACE(describe(value).toStdString());
        expectSameRecords(QStringLiteral("SELECT ? AS V, typeof(?) AS T"), {value, value});
    }
    expectSameRecords(QStringLiteral("SELECT * FROM T WHERE S = ? OR D = ? OR I = ?"),
                      {QStringLiteral("one"), QDate(2020, 1, 2), qint64(-9007199254740993)});
}

TEST_F(SqliteCursorTest, ErrorsCarrySqlitesMessage)
{
    struct Case {
        const char* statement;
        QVariantList values;
        const char* message;
    };
    const Case cases[] = {
        {"SELEC * FROM T", {}, "near \"SELEC\": syntax error"},
        {"SELECT * FROM NOPE", {}, "no such table: NOPE"},
        {"SELECT NOPE FROM T", {}, "no such column: NOPE"},
        {"SELECT 1; SELECT 2", {}, "Unable to execute multiple statements at a time"},
        {"SELECT * FROM T WHERE I = ?", {}, "Parameter count mismatch"},
        {"SELECT 1", {1}, "Parameter count mismatch"},
        {"SELECT abs(-9223372036854775807 - 1)", {}, "integer overflow"},
        {"DELETE FROM T", {}, "The statement returns no records"},
    };
    for (const Case& c : cases) {
        const QString statement = QString::fromUtf8(c.statement);
        EXPECT_EQ(errorOf([&] { TSqliteCursor(sqlitecursors::connectionOf(database()), statement, c.values); }),
                  QString::fromUtf8(c.message))
            << c.statement;
    }
    // A statement that selects nothing is refused before it changes anything.
    QSqlQuery count(database());
    ASSERT_TRUE(count.exec(QStringLiteral("SELECT COUNT(*) FROM T")) && count.next());
    EXPECT_EQ(count.value(0).toInt(), 6);
}

TEST_F(SqliteCursorTest, OnlySqliteDatabasesAreReadThroughSqlite)
{
    EXPECT_NE(sqlitecursors::connectionOf(database()), nullptr);
    auto cursor = sqlcursors::open(database(), QStringLiteral("SELECT 1"), {});
    EXPECT_NE(dynamic_cast<TSqliteCursor*>(cursor.get()), nullptr);
    {
        QSqlDatabase closed = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("sqlite-closed"));
        EXPECT_EQ(sqlitecursors::connectionOf(closed), nullptr);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("sqlite-closed"));
}

} // namespace
