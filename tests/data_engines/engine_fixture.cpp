#include "engine_fixture.h"

#include "core/settings/file_locations.h"
#include "data/alias_file.h"
#include "data/dataset.h"
#include "data/field.h"
#include "data/local_database.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <stdexcept>

using serverengines::Engine;

namespace enginedata {

const std::vector<Person>& people()
{
    static const std::vector<Person> rows{
        {1, "Zed", 5, 200, 0.25, 10.5, false, QDate(2001, 12, 31), QTime(23, 59, 58),
         QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)), "memo of Zed", QByteArray("\x00\x01", 2)},
        {2, "Adams", -7, 9, -1.5, -3.25, true, QDate(1980, 2, 29), QTime(0, 0, 1),
         QDateTime(QDate(2021, 6, 1), QTime(10, 11, 12)), "a", QByteArray("\xff", 1)},
        {3, "O'Brien", 300, Q_INT64_C(9000000000), 2.5, 1234.56, true, QDate(2020, 1, 2), QTime(8, 30, 15),
         QDateTime(QDate(2020, 1, 2), QTime(8, 30, 15)), "line one\nline two", QByteArray("\x00\xff\x10", 3)},
    };
    return rows;
}

const Person& personWithId(qint64 id)
{
    for (const Person& person : people()) {
        if (person.id == id)
            return person;
    }
    throw std::out_of_range("no such person");
}

const QStringList& columnNames()
{
    static const QStringList names{"ID",   "NAME",   "SMALLV", "BIGV",  "RATE",  "AMOUNT",
                                   "ACTIVE", "BORN", "STARTS", "STAMP", "NOTES", "PHOTO"};
    return names;
}

} // namespace enginedata

namespace {

QString createTableStatement(const QString& table, const serverengines::ColumnTypes& types)
{
    return QStringLiteral("CREATE TABLE %1 (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(30), SMALLV %2, "
                          "BIGV %3, RATE %4, AMOUNT %5, ACTIVE %6, BORN %7, STARTS %8, STAMP %9, NOTES %10, PHOTO %11)")
        .arg(table, QLatin1String(types.smallInteger), QLatin1String(types.largeInteger),
             QLatin1String(types.floating), QLatin1String(types.numeric), QLatin1String(types.boolean),
             QLatin1String(types.date), QLatin1String(types.time), QLatin1String(types.timestamp))
        .arg(QLatin1String(types.memo), QLatin1String(types.blob));
}

void run(QSqlQuery& query, const QString& statement)
{
    if (!query.exec(statement))
        throw std::runtime_error((statement + QStringLiteral(": ") + query.lastError().text()).toStdString());
}

void insertPerson(QSqlDatabase& db, const enginedata::Person& person)
{
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO PEOPLE (ID, NAME, SMALLV, BIGV, RATE, AMOUNT, ACTIVE, BORN, STARTS, "
                                  "STAMP, NOTES, PHOTO) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QVariantList values{person.id,     person.name,  person.smallValue, person.largeValue,
                              person.rate,   person.amount, person.active,    person.born,
                              person.starts, person.stamp, person.notes,      person.photo};
    for (int i = 0; i < values.size(); ++i)
        insert.bindValue(i, values[i]);
    if (!insert.exec())
        throw std::runtime_error(("INSERT INTO PEOPLE: " + insert.lastError().text()).toStdString());
}

} // namespace

std::string engineCaseName(const ::testing::TestParamInfo<Engine>& info)
{
    return serverengines::engineName(info.param);
}

void EngineTest::SetUp()
{
    const QString reason = serverengines::unavailableReason(engine());
    if (!reason.isEmpty()) {
        if (serverengines::servicesRequired())
            FAIL() << serverengines::engineName(engine()) << " is required with CI=true but " << reason.toStdString();
        GTEST_SKIP() << serverengines::engineName(engine()) << " skipped: " << reason.toStdString();
    }
    ASSERT_TRUE(folder.isValid());
    try {
        m_database = serverengines::createDatabase(engine(), folder.path());
        fillTables();
    } catch (const std::exception& error) {
        FAIL() << serverengines::engineName(engine()) << ": " << error.what();
    }
    writeAliasFile();
    programfiles::setProgramDirectory(folder.path());
    root = std::make_unique<TComponent>();
    root->setName(QStringLiteral("Report"));
}

void EngineTest::TearDown()
{
    root.reset();
    localdatabases::closeAll();
    programfiles::setProgramDirectory({});
    try {
        m_database.drop();
    } catch (const std::exception& error) {
        ADD_FAILURE() << "dropping the test database: " << error.what();
    }
}

void EngineTest::fillTables()
{
    const serverengines::Connection& connection = m_database.connection();
    const QString name = QStringLiteral("fill-") + QString::fromLatin1(serverengines::engineName(engine()));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(aliasfile::qtDriverName(connection.driver), name);
        db.setDatabaseName(connection.database);
        db.setHostName(connection.host);
        db.setPort(connection.port);
        db.setUserName(connection.user);
        db.setPassword(connection.password);
        if (!db.open())
            throw std::runtime_error(("cannot open the test database: " + db.lastError().text()).toStdString());
        QSqlQuery query(db);
        const serverengines::ColumnTypes& types = serverengines::columnTypes(engine());
        run(query, createTableStatement(QStringLiteral("PEOPLE"), types));
        run(query, createTableStatement(QStringLiteral("GAPS"), types));
        run(query, QStringLiteral("CREATE INDEX BY_NAME ON PEOPLE (NAME)"));
        run(query, QStringLiteral("INSERT INTO GAPS (ID) VALUES (1)"));
        for (const enginedata::Person& person : enginedata::people())
            insertPerson(db, person);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

void EngineTest::writeAliasFile()
{
    const serverengines::Connection& connection = m_database.connection();
    QString text = QStringLiteral("[%1]\nDriver=%2\nDatabase=%3\n").arg(alias(), connection.driver, connection.database);
    if (!connection.host.isEmpty())
        text += QStringLiteral("Host=%1\n").arg(connection.host);
    if (connection.port > 0)
        text += QStringLiteral("Port=%1\n").arg(connection.port);
    if (!connection.user.isEmpty())
        text += QStringLiteral("User=%1\n").arg(connection.user);
    if (!connection.password.isEmpty())
        text += QStringLiteral("Password=%1\n").arg(connection.password);
    QFile file(folder.filePath(QString::fromLatin1(aliasfile::kFileName)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

std::vector<qint64> EngineTest::remainingIds(TDataSet& dataSet)
{
    std::vector<qint64> ids;
    for (; !dataSet.eof(); dataSet.next())
        ids.push_back(dataSet.fieldByName(u"ID")->asInteger());
    return ids;
}
