// velmor-run's report outputs, run as a user would: exit statuses, PDF text read back
// with pdftotext, PNG sizes, prepared report headers and export contents.
#include "runner_support.h"

#include "data/params.h"
#include "data/query.h"
#include "document/class_registration.h"
#include "document/vel_design.h"
#include "engine/rp_bands.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"
#include "engine/sink/rp_printer.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace runnertest;

TEST_F(RunnerTest, WrongUsageExitsWithStatusTwo)
{
    const QString report = example("grouped_list.vtx");
    const QList<QStringList> cases = {
        {QStringLiteral("--pdf")},
        {QStringLiteral("--pdf"), path("a.pdf")},
        {QStringLiteral("--pdf"), path("a.pdf"), report, report},
        {QStringLiteral("--export"), QStringLiteral("xls"), path("a.xls"), report},
        {QStringLiteral("--png"), path("png"), QStringLiteral("--dpi"), QStringLiteral("0"), report},
        {QStringLiteral("--param"), QStringLiteral("NOVALUE"), QStringLiteral("--pdf"), path("a.pdf"), report},
        {QStringLiteral("--quiet"), report},
        {QStringLiteral("--pdf"), path("a.pdf"), QStringLiteral("--bogus"), report},
    };
    for (const QStringList& args : cases) {
        const RunResult result = run(args);
        EXPECT_EQ(result.exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(result.err.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(path("a.pdf")));
}

TEST_F(RunnerTest, MissingOrDamagedFilesExitWithStatusOne)
{
    RunResult result = run({QStringLiteral("--pdf"), path("a.pdf"), path("missing.vtx")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_FALSE(result.err.isEmpty());

    ASSERT_TRUE(testsupport::writeFile(path("damaged.rpp"), QByteArray("not a prepared report")));
    result = run({QStringLiteral("--pdf"), path("a.pdf"), path("damaged.rpp")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_FALSE(result.err.isEmpty());
    EXPECT_FALSE(QFile::exists(path("a.pdf")));

    result = run({QStringLiteral("--pdf"), path("no-folder/a.pdf"), example("loop_strings.vtx")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_FALSE(result.err.isEmpty());
}

TEST_F(RunnerTest, PrintingOnAPrinterThatDoesNotExistFails)
{
    const RunResult result =
        run({QStringLiteral("--print"), QStringLiteral("no-such-printer-here"), example("loop_strings.vtx")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(QLatin1String("no-such-printer-here"))) << result.err.toStdString();
}

struct ExampleCase {
    const char* file;
    QStringList texts;
};

void PrintTo(const ExampleCase& c, std::ostream* out)
{
    *out << c.file;
}

class ExampleRender : public RunnerTest, public ::testing::WithParamInterface<ExampleCase> {};

TEST_P(ExampleRender, RendersToAPdfWithItsText)
{
    const ExampleCase& c = GetParam();
    const QString pdf = path(QStringLiteral("out.pdf"));
    const RunResult result = run({QStringLiteral("--quiet"), QStringLiteral("--pdf"), pdf, example(c.file)});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_GE(pdfPages(pdf), 1);
    const QString text = pdfText(pdf);
    for (const QString& expected : c.texts)
        EXPECT_TRUE(text.contains(expected)) << c.file << ": no \"" << expected.toStdString() << "\" in\n"
                                             << text.left(2000).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ExampleRender,
    ::testing::Values(ExampleCase{"grouped_list.vtx", {"Orders by city", "Total Berlin", "Orders: 120", "37,454.50"}},
                      ExampleCase{"invoice.vtx", {"Invoice 1", "Invoice 12", "Invoice total", "Product"}},
                      ExampleCase{"multi_column.vtx", {"Customer", "City"}},
                      ExampleCase{"loop_strings.vtx", {"3 x 7 = 21", "10 x 7 = 70", "Weekday: Friday"}}));

TEST_F(RunnerTest, SeveralOutputsInOneRunAgree)
{
    const QString report = example("grouped_list.vtx");
    const RunResult result =
        run({QStringLiteral("--quiet"), QStringLiteral("--pdf"), path("r.pdf"), QStringLiteral("--png"), path("png"),
             QStringLiteral("--dpi"), QStringLiteral("50"), QStringLiteral("--rpp"), path("r.rpp"),
             QStringLiteral("--export"), QStringLiteral("csv"), path("r.csv"), report});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();

    const int pages = pdfPages(path("r.pdf"));
    ASSERT_GE(pages, 2);
    const QStringList pngs = QDir(path("png")).entryList({QStringLiteral("page-*.png")}, QDir::Files, QDir::Name);
    EXPECT_EQ(pngs.size(), pages);
    EXPECT_EQ(pngs.first(), QStringLiteral("page-001.png"));
    const QImage first(QDir(path("png")).filePath(pngs.first()));
    EXPECT_EQ(first.size(), QSize(413, 585)); // A4 at 50 dpi

    const QByteArray rpp = testsupport::readFile(path("r.rpp"));
    ASSERT_GT(rpp.size(), 128);
    EXPECT_EQ(qFromLittleEndian<quint16>(rpp.constData()), 3);
    EXPECT_EQ(qFromLittleEndian<quint16>(rpp.constData() + 2), 305);
    EXPECT_EQ(qFromLittleEndian<qint32>(rpp.constData() + 8), pages);
    EXPECT_EQ(rpp.at(25), 0);

    const QString csv = QString::fromUtf8(testsupport::readFile(path("r.csv")));
    EXPECT_TRUE(csv.contains(QLatin1String("\"Berlin\""))) << csv.left(500).toStdString();
    EXPECT_TRUE(csv.contains(QLatin1String("\r\n")));
}

TEST_F(RunnerTest, PreparedReportGivesTheSamePagesAgain)
{
    const QString report = example("loop_strings.vtx");
    ASSERT_EQ(run({QStringLiteral("--quiet"), QStringLiteral("--rpp"), path("plain.rpp"), report}).exitCode, 0);
    ASSERT_EQ(run({QStringLiteral("--quiet"), QStringLiteral("--compress"), QStringLiteral("--rpp"), path("packed.rpp"),
                   report})
                  .exitCode,
              0);
    EXPECT_EQ(testsupport::readFile(path("packed.rpp")).at(25), 1);

    const RunResult result = run({QStringLiteral("--pdf"), path("again.pdf"), QStringLiteral("--png"), path("png"),
                                  path("packed.rpp")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(pdfText(path("again.pdf")).contains(QLatin1String("Weekday: Monday")));
    EXPECT_EQ(QDir(path("png")).entryList({QStringLiteral("*.png")}).size(), pdfPages(path("again.pdf")));

    TRpPrinter plain, packed;
    plain.loadFromFile(path("plain.rpp"));
    packed.loadFromFile(path("packed.rpp"));
    ASSERT_EQ(plain.pagesAvailable(), packed.pagesAvailable());
    for (int page = 1; page <= plain.pagesAvailable(); ++page) {
        const QPicture a = *plain.page(page);
        const QPicture b = *packed.page(page);
        EXPECT_EQ(QByteArray(a.data(), a.size()), QByteArray(b.data(), b.size())) << "page " << page;
    }

    EXPECT_EQ(run({QStringLiteral("--export"), QStringLiteral("txt"), path("x.txt"), path("packed.rpp")}).exitCode, 1);
}

TEST_F(RunnerTest, CompressingAPreparedReportSplayCodesItsPages)
{
    ASSERT_EQ(run({QStringLiteral("--quiet"), QStringLiteral("--rpp"), path("plain.rpp"), example("grouped_list.vtx")})
                  .exitCode,
              0);
    const RunResult result =
        run({QStringLiteral("--compress"), QStringLiteral("--rpp"), path("packed.rpp"), path("plain.rpp")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();

    const QByteArray plainBytes = testsupport::readFile(path("plain.rpp"));
    const QByteArray packedBytes = testsupport::readFile(path("packed.rpp"));
    EXPECT_EQ(plainBytes.at(25), 0);
    EXPECT_EQ(packedBytes.at(25), 1);
    EXPECT_LT(packedBytes.size(), plainBytes.size());
    TRpPrinter plain, packed;
    plain.loadFromFile(path("plain.rpp"));
    packed.loadFromFile(path("packed.rpp"));
    ASSERT_GT(plain.pagesAvailable(), 1);
    ASSERT_EQ(packed.pagesAvailable(), plain.pagesAvailable());
    EXPECT_EQ(packed.pageSize(), plain.pageSize());
    for (int page = 1; page <= plain.pagesAvailable(); ++page) {
        const QPicture a = *plain.page(page);
        const QPicture b = *packed.page(page);
        EXPECT_EQ(QByteArray(a.data(), a.size()), QByteArray(b.data(), b.size())) << "page " << page;
    }
}

namespace runnertest {

void writeCityReport(const QString& fileName, const QString& database)
{
    classregistration::registerStorableClasses();
    TfrmVelDesign document;
    TReport* report = document.report();
    auto* query = new TQuery(&document);
    query->setNameUnchecked(QStringLiteral("Orders"));
    query->setDatabaseName(database);
    query->sql()->setText(QStringLiteral("SELECT ID, CITY FROM ORDERS WHERE CITY = :CITY ORDER BY ID"));
    TParam* city = query->params()->findParam(u"CITY");
    ASSERT_NE(city, nullptr);
    city->setDataType(TFieldType::ftString);
    report->setDataSet(query);
    auto* detail = new TRpBand(&document);
    detail->setNameUnchecked(QStringLiteral("Detail"));
    detail->setParentControl(report);
    detail->size()->setNativeValue(TRpBandSize::HeightValue, 50);
    auto* text = new TRpDBText(&document);
    text->setNameUnchecked(QStringLiteral("CityText"));
    text->setParentControl(detail);
    text->size()->setNativeValue(TRpPrintableSize::WidthValue, 600);
    text->size()->setNativeValue(TRpPrintableSize::HeightValue, 45);
    text->setDataSet(query);
    text->setDataField(QStringLiteral("CITY"));
    ASSERT_TRUE(document.saveToFile(fileName)) << document.lastError().toStdString();
}

} // namespace runnertest

TEST_F(RunnerTest, ParametersComeFromTheCommandLine)
{
    const QString report = path(QStringLiteral("city.vtx"));
    writeCityReport(report, kExamples + QStringLiteral("/velmor_examples.db"));

    ASSERT_EQ(run({QStringLiteral("--param"), QStringLiteral("CITY=Oslo"), QStringLiteral("--export"),
                   QStringLiteral("txt"), path("oslo.txt"), report})
                  .exitCode,
              0);
    const QString oslo = QString::fromUtf8(testsupport::readFile(path("oslo.txt")));
    EXPECT_TRUE(oslo.contains(QLatin1String("Oslo")));
    EXPECT_FALSE(oslo.contains(QLatin1String("Lyon")));

    const RunResult given = run({QStringLiteral("--param"), QStringLiteral("city=Lyon"), QStringLiteral("--export"),
                                 QStringLiteral("html"), path("given.htm"), report});
    ASSERT_EQ(given.exitCode, 0) << given.err.toStdString();
    const QString html = QString::fromUtf8(testsupport::readFile(path("given.htm")));
    EXPECT_TRUE(html.contains(QLatin1String("<TABLE")));
    EXPECT_TRUE(html.contains(QLatin1String("<TD>Lyon</TD>"))) << html.left(500).toStdString();
    EXPECT_FALSE(html.contains(QLatin1String("Oslo")));

    const RunResult unknown = run({QStringLiteral("--param"), QStringLiteral("COUNTRY=Spain"), QStringLiteral("--pdf"),
                                   path("u.pdf"), report});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains(QLatin1String("COUNTRY")));
}
