// System values in a real generation pass, read back from the recorded pages: the detail
// count of a table in a local SQLite file, and times taken when each value prints.
#include "print_fixture.h"

#include "data/table.h"
#include "engine/generation/rp_pass.h"
#include "engine/text/date_time_mask.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace printtest {
namespace {

class SystemValuesRun : public ::testing::Test {
protected:
    SystemValuesRun()
    {
        report = new TReport(&document);
        report->setNameUnchecked(QStringLiteral("Report"));
        report->page()->setPaperSize(TRpPaperSize::A4);
        detail = new TRpBand(&document);
        detail->setNameUnchecked(QStringLiteral("Detail"));
        detail->setBandType(TRpBandType::rbDetail);
        detail->setParentControl(report);
        detail->size()->setNativeValue(TRpBandSize::HeightValue, 100);
    }

    TRpSysData* addSystemValue(TRpSysDataType data)
    {
        auto* value = new TRpSysData(&document);
        value->setParentControl(detail);
        value->setData(data);
        place(value, 0, 10, 1500, 60);
        return value;
    }

    void createTable(const QString& path, int rows)
    {
        const QString connection = QStringLiteral("system-values");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(path);
            ASSERT_TRUE(db.open());
            QSqlQuery query(db);
            ASSERT_TRUE(query.exec(QStringLiteral("CREATE TABLE ITEMS (ID INTEGER PRIMARY KEY)")));
            for (int id = 1; id <= rows; ++id)
                ASSERT_TRUE(query.exec(QStringLiteral("INSERT INTO ITEMS VALUES (%1)").arg(id)))
                    << query.lastError().text().toStdString();
            db.close();
        }
        QSqlDatabase::removeDatabase(connection);
    }

    QStringList printedTexts()
    {
        TRpPrinter sink;
        TRpPassOptions options;
        options.sink = &sink;
        TRpPass pass(*report, std::move(options));
        EXPECT_EQ(pass.run(), TRpPassOutcome::Finished);
        QStringList texts;
        for (int page = 1; page <= sink.pagesAvailable(); ++page)
            texts += textsOf(drawnTexts(sink.page(page).value_or(QPicture())));
        return texts;
    }

    TComponent document;
    TReport* report;
    TRpBand* detail;
};

TEST_F(SystemValuesRun, DetailCountOfALocalSqliteTableIsItsNumberOfRecords)
{
    QTemporaryDir dir;
    for (const int rows : {5, 1, 0}) {
        const QString path = dir.filePath(QStringLiteral("items%1.db").arg(rows));
        createTable(path, rows);
        auto* table = new TTable(&document);
        table->setDatabaseName(path);
        table->setTableName(QStringLiteral("ITEMS"));
        report->setDataSet(table);
        report->setPrintIfEmpty(true);
        addSystemValue(TRpSysDataType::rpsDetailCount)->setText(QStringLiteral("of "));

        const QString count = QStringLiteral("of %1").arg(rows);
        EXPECT_EQ(printedTexts(), QStringList(std::max(rows, 1), count)) << rows;

        delete detail->controls().constLast();
        table->close();
        delete table;
    }
}

TEST_F(SystemValuesRun, TimeAndDateTimeAreTakenWhenTheyPrint)
{
    auto records = std::make_shared<int>(0);
    report->handlers().onNeedData = [records](TReport&) { return (*records)++ < 2; };
    addSystemValue(TRpSysDataType::rpsDateTime);
    // Each print may fall in the second before the band prints or the one after it.
    std::vector<QStringList> possible;
    detail->handlers().beforePrint = [&](TRpCustomBand&) {
        // The second record waits for the clock to pass into the next second.
        const QDateTime now = QDateTime::currentDateTime();
        if (!possible.empty())
            while (QDateTime::currentDateTime().toSecsSinceEpoch() == now.toSecsSinceEpoch()) {
            }
        possible.push_back({rpFormatDateTime(QStringLiteral("c"), QDateTime::currentDateTime())});
        return true;
    };
    detail->handlers().afterPrint = [&](TRpCustomBand&, bool) {
        possible.back().append(rpFormatDateTime(QStringLiteral("c"), QDateTime::currentDateTime()));
    };

    const QStringList printed = printedTexts();

    ASSERT_EQ(printed.size(), 2);
    ASSERT_EQ(possible.size(), 2u);
    EXPECT_NE(printed[0], printed[1]);
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(possible[i].contains(printed[i])) << printed[i].toStdString();
}

} // namespace
} // namespace printtest
