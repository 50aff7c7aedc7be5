// The orders benchmark: N orders (1,000; 10,000; 100,000) of five fields in SQLite,
// grouped by city with a group footer sum, page header and footer with page numbers and
// a summary with count and sum, rendered to PDF and, separately, to an uncompressed
// prepared report. Each measurement runs in a process of its own so that its peak
// memory is its own, and the median of three runs is shown; the floor is the time reading
// the rows alone takes.
//
// velmor_report_bench            every N, both outputs, and the floor
// velmor_report_bench --one KIND N DATABASE   one measurement (KIND: pdf, rpp, read)
#include "data/field.h"
#include "data/query.h"
#include "engine/generation/rp_pass.h"
#include "engine/rp_bands.h"
#include "engine/rp_new_band.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"
#include "engine/sink/rp_printer.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <sqlite3.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const char* const kCities[] = {"Berlin", "Lyon", "Madrid", "Oslo", "Porto", "Turin", "Vienna", "Zurich"};

bool writeOrders(const QString& path, int rows)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        return false;
    bool ok = sqlite3_exec(db,
                           "CREATE TABLE ORDERS (ID INTEGER PRIMARY KEY, CITY VARCHAR(20), CUSTOMER VARCHAR(30), "
                           "ORDER_DATE DATE, AMOUNT FLOAT); BEGIN;",
                           nullptr, nullptr, nullptr)
        == SQLITE_OK;
    sqlite3_stmt* insert = nullptr;
    ok = ok && sqlite3_prepare_v2(db, "INSERT INTO ORDERS VALUES (?,?,?,?,?)", -1, &insert, nullptr) == SQLITE_OK;
    for (int i = 0; ok && i < rows; ++i) {
        const QByteArray customer = "Customer " + QByteArray::number(i % 997);
        const QByteArray date = QDate(2020, 1, 1).addDays(i % 1500).toString(Qt::ISODate).toLatin1();
        sqlite3_bind_int(insert, 1, i + 1);
        sqlite3_bind_text(insert, 2, kCities[(i * 7) % 8], -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 3, customer.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, date.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 5, (i % 1009) * 1.25);
        ok = sqlite3_step(insert) == SQLITE_DONE;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    ok = ok && sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// The orders report; positions in tenths of a millimetre.
class OrdersReport {
public:
    explicit OrdersReport(const QString& database)
    {
        m_report = new TReport(&m_root);
        m_report->setNameUnchecked(QStringLiteral("Report"));
        m_report->page()->setPaperSize(TRpPaperSize::A4);
        m_query = new TQuery(&m_root);
        m_query->setNameUnchecked(QStringLiteral("Orders"));
        m_query->setDatabaseName(database);
        m_query->sql()->setText(QStringLiteral("SELECT ID, CITY, CUSTOMER, ORDER_DATE, AMOUNT FROM ORDERS ORDER BY CITY, ID"));
        m_report->setDataSet(m_query);
        build();
    }

    TReport& report() { return *m_report; }
    TQuery& query() { return *m_query; }

private:
    template <class Band = TRpBand>
    Band* band(const QString& name, TRpBandType type, double height)
    {
        return rpNewBand<Band>(&m_root, m_report, name, type, height);
    }

    template <class Control>
    Control* control(TControl* parent, double left, double width, TAlignment alignment = TAlignment::taLeftJustify)
    {
        auto* control = new Control(&m_root);
        control->setNameUnchecked(QStringLiteral("C%1").arg(++m_controls));
        control->setParentControl(parent);
        control->size()->setNativeValue(TRpPrintableSize::LeftValue, left);
        control->size()->setNativeValue(TRpPrintableSize::TopValue, 5);
        control->size()->setNativeValue(TRpPrintableSize::WidthValue, width);
        control->size()->setNativeValue(TRpPrintableSize::HeightValue, 40);
        control->setAlignment(alignment);
        return control;
    }

    void field(TControl* parent, const QString& name, double left, double width, TAlignment alignment = TAlignment::taLeftJustify,
               const QString& mask = {})
    {
        auto* text = control<TRpDBText>(parent, left, width, alignment);
        text->setDataSet(m_query);
        text->setDataField(name);
        text->setMask(mask);
    }

    TRpExpr* expression(TControl* parent, const QString& text, double left, double width, TAlignment alignment,
                        const QString& mask = {})
    {
        auto* expr = control<TRpExpr>(parent, left, width, alignment);
        expr->setExpression(text);
        expr->setMask(mask);
        return expr;
    }

    void build()
    {
        TRpBand* header = band(QStringLiteral("PageHeader"), TRpBandType::rbPageHeader, 60);
        control<TRpLabel>(header, 0, 1000)->setCaption(QStringLiteral("Orders by city"));
        auto* pageNumber = control<TRpSysData>(header, 1500, 400, TAlignment::taRightJustify);
        pageNumber->setData(TRpSysDataType::rpsPageNumber);
        TRpBand* footer = band(QStringLiteral("PageFooter"), TRpBandType::rbPageFooter, 60);
        expression(footer, QStringLiteral("'Page '+STR(PAGENUMBER)"), 1500, 400, TAlignment::taRightJustify);

        auto* city = band<TRpGroup>(QStringLiteral("CityGroup"), TRpBandType::rbGroupHeader, 55);
        city->setExpression(QStringLiteral("Orders.CITY"));
        field(city, QStringLiteral("CITY"), 0, 800);
        TRpBand* cityFooter = band(QStringLiteral("CityFooter"), TRpBandType::rbGroupFooter, 55);
        city->setFooterBand(cityFooter);
        expression(cityFooter, QStringLiteral("SUM(Orders.AMOUNT)"), 1400, 500, TAlignment::taRightJustify,
                   QStringLiteral("#,##0.00"))
            ->setResetAfterPrint(true);

        TRpBand* detail = band(QStringLiteral("Detail"), TRpBandType::rbDetail, 50);
        field(detail, QStringLiteral("ID"), 0, 200, TAlignment::taRightJustify);
        field(detail, QStringLiteral("CITY"), 250, 300);
        field(detail, QStringLiteral("CUSTOMER"), 600, 500);
        field(detail, QStringLiteral("ORDER_DATE"), 1150, 250);
        field(detail, QStringLiteral("AMOUNT"), 1450, 450, TAlignment::taRightJustify, QStringLiteral("#,##0.00"));

        TRpBand* summary = band(QStringLiteral("Summary"), TRpBandType::rbSummary, 60);
        expression(summary, QStringLiteral("COUNT"), 0, 500, TAlignment::taLeftJustify);
        expression(summary, QStringLiteral("SUM(Orders.AMOUNT)"), 1400, 500, TAlignment::taRightJustify,
                   QStringLiteral("#,##0.00"));
    }

    TComponent m_root;
    TReport* m_report;
    TQuery* m_query;
    int m_controls = 0;
};

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// One measurement; prints "pages seconds peak-kB".
int measure(const QString& kind, const QString& database, const QString& output)
{
    OrdersReport orders(database);
    QElapsedTimer timer;
    timer.start();
    int pages = 0;
    if (kind == QLatin1String("read")) {
        TQuery& query = orders.query();
        query.open();
        double checksum = 0;
        for (query.first(); !query.eof(); query.next()) {
            for (TField* field : query.fields())
                checksum += field->value().toString().size();
        }
        pages = checksum > 0 ? 0 : -1;
    } else {
        TRpPrinter sink;
        if (kind == QLatin1String("pdf")) {
            sink.setDestination(TRpDestination::Pdf);
            sink.setPdfFile(output);
        }
        TRpPassOptions options;
        options.sink = &sink;
        TRpPass pass(orders.report(), options);
        if (pass.run() != TRpPassOutcome::Finished)
            return 1;
        pages = sink.pagesGenerated();
        if (kind == QLatin1String("rpp"))
            sink.saveToFile(output);
    }
    std::printf("%d %.3f %ld\n", pages, timer.elapsed() / 1000.0, peakKilobytes());
    return 0;
}

struct Result {
    int pages = 0;
    double seconds = 0;
    double megabytes = 0;
};

bool runOne(const QString& kind, const QString& database, const QString& output, Result& result)
{
    QProcess process;
    process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--one"), kind, database, output});
    if (!process.waitForFinished(-1) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s run failed: %s\n", qPrintable(kind), process.readAllStandardError().constData());
        return false;
    }
    const QList<QByteArray> parts = process.readAllStandardOutput().trimmed().split(' ');
    if (parts.size() != 3)
        return false;
    result = {parts[0].toInt(), parts[1].toDouble(), parts[2].toDouble() / 1024.0};
    return true;
}

// The run of median time among three, so that one disturbed run does not decide a ratio.
bool runMedian(const QString& kind, const QString& database, const QString& output, Result& result)
{
    std::vector<Result> runs(3);
    for (Result& run : runs) {
        if (!runOne(kind, database, output, run))
            return false;
    }
    std::sort(runs.begin(), runs.end(), [](const Result& a, const Result& b) { return a.seconds < b.seconds; });
    result = runs[1];
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args.at(1) == QLatin1String("--one")) {
        const int status = measure(args.at(2), args.at(3), args.at(4));
        return status;
    }

    QTemporaryDir dir;
    std::printf("%8s %6s %7s %9s %9s %8s %9s %9s %8s\n", "rows", "pages", "read s", "pdf s", "pdf MB", "pdf/read",
                "rpp s", "rpp MB", "rpp/read");
    double previousPdf = 0;
    for (int rows : {1000, 10000, 100000}) {
        const QString database = dir.filePath(QStringLiteral("orders-%1.db").arg(rows));
        if (!writeOrders(database, rows)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(database));
            return 1;
        }
        Result read, pdf, rpp;
        if (!runMedian(QStringLiteral("read"), database, {}, read)
            || !runMedian(QStringLiteral("pdf"), database, dir.filePath(QStringLiteral("orders-%1.pdf").arg(rows)), pdf)
            || !runMedian(QStringLiteral("rpp"), database, dir.filePath(QStringLiteral("orders-%1.rpp").arg(rows)), rpp))
            return 1;
        const double floor = std::max(read.seconds, 0.001);
        std::printf("%8d %6d %7.3f %9.3f %9.1f %8.1f %9.3f %9.1f %8.1f\n", rows, pdf.pages, read.seconds, pdf.seconds,
                    pdf.megabytes, pdf.seconds / floor, rpp.seconds, rpp.megabytes, rpp.seconds / floor);
        if (previousPdf > 0)
            std::printf("%8s growth of the PDF time for ten times the rows: %.1f\n", "", pdf.seconds / previousPdf);
        previousPdf = pdf.seconds;
    }
    std::printf("targets: 100,000 rows to PDF under 2.5 s and 150 MB; ten times the rows at most eleven times the time\n");
    return 0;
}
