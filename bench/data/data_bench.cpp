// Walks a large table through TTable, reading every field's value as the report engine
// does, and the same records directly through SQLite's C API; prints rows per second and
// the ratio, the medians of five paired runs. Tables: 1,000,000 rows in an SQLite file, 100,000 rows in a CSV file.
#include "data/field.h"
#include "data/table.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int kSqliteRows = 1000000;
constexpr int kCsvRows = 100000;
constexpr int kRuns = 5;

struct Row {
    long long id;
    QByteArray name;
    double amount;
    long long quantity;
    QByteArray created;
};

Row rowAt(int i)
{
    return {i + 1, "Customer " + QByteArray::number(i % 9973), (i % 10007) * 0.25, i % 97,
            QDate(2000, 1, 1).addDays(i % 8000).toString(Qt::ISODate).toLatin1()};
}

bool check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        return false;
    }
    return true;
}

bool writeSqlite(const QString& path, int rows)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        return false;
    bool ok = check(sqlite3_exec(db,
                                 "CREATE TABLE BIG (ID INTEGER PRIMARY KEY, NAME VARCHAR(30), AMOUNT FLOAT, QTY INTEGER, "
                                 "CREATED DATE); BEGIN;",
                                 nullptr, nullptr, nullptr),
                    db);
    sqlite3_stmt* insert = nullptr;
    ok = ok && check(sqlite3_prepare_v2(db, "INSERT INTO BIG VALUES (?,?,?,?,?)", -1, &insert, nullptr), db);
    for (int i = 0; ok && i < rows; ++i) {
        const Row row = rowAt(i);
        sqlite3_bind_int64(insert, 1, row.id);
        sqlite3_bind_text(insert, 2, row.name.constData(), int(row.name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 3, row.amount);
        sqlite3_bind_int64(insert, 4, row.quantity);
        sqlite3_bind_text(insert, 5, row.created.constData(), int(row.created.size()), SQLITE_TRANSIENT);
        ok = check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    ok = ok && check(sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
    return ok;
}

bool writeCsv(const QString& path, int rows)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("ID,NAME,AMOUNT,QTY,CREATED\n");
    for (int i = 0; i < rows; ++i) {
        const Row row = rowAt(i);
        file.write(QByteArray::number(row.id) + ',' + row.name + ',' + QByteArray::number(row.amount) + ','
                   + QByteArray::number(row.quantity) + ',' + row.created + '\n');
    }
    return true;
}

// The reference: every column of every record read with the C API, text as UTF-8 bytes.
double walkDirect(const QString& path, qint64& checksum)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM BIG ORDER BY ID", -1, &select, nullptr);
    QElapsedTimer timer;
    timer.start();
    qint64 rows = 0;
    while (sqlite3_step(select) == SQLITE_ROW) {
        checksum += sqlite3_column_int64(select, 0);
        checksum += sqlite3_column_bytes(select, 1) + (sqlite3_column_text(select, 1) ? 1 : 0);
        checksum += qint64(sqlite3_column_double(select, 2));
        checksum += sqlite3_column_int64(select, 3);
        checksum += sqlite3_column_bytes(select, 4) + (sqlite3_column_text(select, 4) ? 1 : 0);
        ++rows;
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    sqlite3_finalize(select);
    sqlite3_close(db);
    return double(rows) / seconds;
}

// What a report does: open, then for every record read every field's value.
double walkTable(const QString& database, const QString& tableName, qint64& checksum, qint64& rows)
{
    QElapsedTimer timer;
    timer.start();
    TTable table;
    table.setName(QStringLiteral("Big"));
    table.setDatabaseName(database);
    table.setTableName(tableName);
    table.open();
    const QList<TField*> fields = table.fields();
    rows = 0;
    for (; !table.eof(); table.next()) {
        for (TField* field : fields) {
            const QVariant value = field->value();
            if (value.metaType().id() == QMetaType::QString)
                checksum += value.toString().size() + 1;
            else if (value.metaType().id() == QMetaType::QDate)
                checksum += value.toDate().day();
            else
                checksum += value.toLongLong();
        }
        ++rows;
    }
    return double(rows) / (double(timer.nsecsElapsed()) / 1e9);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs the reference and the table walk one after the other, several times, and reports
// the medians of their rates and of the ratio of each pair: a machine that speeds up or
// slows down between runs then moves both sides of a ratio alike.
void compare(const char* what, const std::function<double()>& direct, const std::function<double()>& table,
             const qint64& rows)
{
    std::vector<double> directRates, tableRates, ratios;
    for (int run = 0; run < kRuns; ++run) {
        directRates.push_back(direct());
        tableRates.push_back(table());
        ratios.push_back(directRates.back() / tableRates.back());
    }
    std::printf("%-36s %9lld rows  TTable %12.0f rows/s  C API %12.0f rows/s  ratio %.2f\n", what, (long long)rows,
                median(tableRates), median(directRates), median(ratios));
}

// A new modification time makes the next open read the file again instead of taking the
// table kept from the last read.
void markChanged(const QString& path, int run)
{
    QFile file(path);
    if (file.open(QIODevice::ReadWrite))
        file.setFileTime(QDateTime::currentDateTime().addSecs(run + 1), QFileDevice::FileModificationTime);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const QString sqlitePath = folder.filePath(QStringLiteral("big.sqlite"));
    const QString csvDir = folder.filePath(QStringLiteral("csv"));
    const QString csvReference = folder.filePath(QStringLiteral("csvref.sqlite"));
    QDir().mkpath(csvDir);
    if (!writeSqlite(sqlitePath, kSqliteRows) || !writeCsv(csvDir + QStringLiteral("/big.csv"), kCsvRows)
        || !writeSqlite(csvReference, kCsvRows)) {
        std::fprintf(stderr, "could not write the benchmark tables\n");
        return 1;
    }
    qint64 directSum = 0, tableSum = 0, rows = 0;
    try {
        compare(
            "SQLite table, 1,000,000 rows", [&] { return walkDirect(sqlitePath, directSum); },
            [&] { return walkTable(sqlitePath, QStringLiteral("BIG"), tableSum, rows); }, rows);
        const QString csvPath = csvDir + QStringLiteral("/big.csv");
        int run = 0;
        const auto csvDirect = [&] { return walkDirect(csvReference, directSum); };
        compare(
            "CSV table, 100,000 rows (first read)", csvDirect,
            [&] {
                markChanged(csvPath, run++);
                return walkTable(csvDir, QStringLiteral("big.csv"), tableSum, rows);
            },
            rows);
        compare(
            "CSV table, 100,000 rows (cached)", csvDirect,
            [&] { return walkTable(csvDir, QStringLiteral("big.csv"), tableSum, rows); }, rows);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    std::printf("checksums %lld %lld\n", (long long)directSum, (long long)tableSum);
    return 0;
}
