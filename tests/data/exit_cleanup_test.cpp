// A program that ends with datasets still open, on every kind of database, ends cleanly:
// the connections close while the application still exists, without a warning. The
// program is this test binary run again with only the disabled child test.
#include "table_files.h"

#include "core/component.h"
#include "core/strings.h"
#include "data/query.h"
#include "data/table.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr const char* kFolderVariable = "VELMOR_EXIT_TEST_FOLDER";

TQuery* openQuery(TComponent* owner, const QString& database, const QString& sql)
{
    auto* query = new TQuery(owner);
    query->setDatabaseName(database);
    query->sql()->setText(sql);
    query->open();
    return query;
}

TTable* openTable(TComponent* owner, const QString& database, const QString& tableName)
{
    auto* table = new TTable(owner);
    table->setDatabaseName(database);
    table->setTableName(tableName);
    table->open();
    return table;
}

} // namespace

// Run only by the test below, in a process of its own, on the tables it wrote: the
// datasets are the first users of Qt SQL there, as in a program that only reads.
TEST(ExitCleanup, DISABLED_ChildLeavesItsDatasetsOpen)
{
    const QDir folder(qEnvironmentVariable(kFolderVariable));
    ASSERT_TRUE(folder.exists());
    const QString sqlite = folder.filePath(QStringLiteral("test.sqlite"));
    const QString otherSqlite = folder.filePath(QStringLiteral("other.sqlite"));
    const QString csv = folder.filePath(QStringLiteral("csv"));
    const QString paradox = folder.filePath(QStringLiteral("paradox"));
    const QString dbase = folder.filePath(QStringLiteral("dbase"));
    // One document is never freed, another only after the application has ended, and
    // the databases of a third stay cached after it is gone.
    auto* leaked = new TComponent;
    openQuery(leaked, sqlite, QStringLiteral("SELECT * FROM CUSTOMER"));
    openQuery(leaked, csv, QStringLiteral("SELECT * FROM customer"));
    static std::unique_ptr<TComponent> freedLate = std::make_unique<TComponent>();
    openTable(freedLate.get(), otherSqlite, QStringLiteral("ORDERS"))->next();
    openQuery(freedLate.get(), paradox, QStringLiteral("SELECT * FROM orders"));
    {
        TComponent gone;
        openQuery(&gone, dbase, QStringLiteral("SELECT * FROM customer"));
        openQuery(&gone, sqlite, QStringLiteral("SELECT * FROM ORDERS"));
    }
    EXPECT_TRUE(qobject_cast<TDataSet*>(leaked->components().first())->active());
}

TEST(ExitCleanup, OpenDatasetsAtExitNeitherCrashNorWarn)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    tablefiles::writeSqlite(folder.filePath(QStringLiteral("test.sqlite")));
    tablefiles::writeSqlite(folder.filePath(QStringLiteral("other.sqlite")));
    tablefiles::writeCsv(folder.filePath(QStringLiteral("csv")));
    tablefiles::writeParadox(folder.filePath(QStringLiteral("paradox")));
    tablefiles::writeDbase(folder.filePath(QStringLiteral("dbase")));
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kFolderVariable), folder.path());
    // The never-freed document is left on purpose; a sanitizer build is not to call it a leak.
    const QString sanitizer = environment.value(QStringLiteral("ASAN_OPTIONS"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       (sanitizer.isEmpty() ? QString() : sanitizer + u':') + QStringLiteral("detect_leaks=0"));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_also_run_disabled_tests"),
                 QStringLiteral("--gtest_filter=ExitCleanup.DISABLED_ChildLeavesItsDatasetsOpen")});
    ASSERT_TRUE(child.waitForFinished(120000));
    const QString output = QString::fromLocal8Bit(child.readAllStandardOutput());
    const QString errors = QString::fromLocal8Bit(child.readAllStandardError());
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << errors.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString() << errors.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
    for (const char* warning : {"QSqlDatabase", "QSqlQuery", "still in use", "ERROR", "runtime error"})
        EXPECT_FALSE(errors.contains(QLatin1String(warning))) << errors.toStdString();
}
