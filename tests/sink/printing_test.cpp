// Printing: straight to a PDF file or a printer, and replaying recorded pages, with
// copies and page ranges. The printer here writes PDF, so no real printer is needed.
#include "engine/sink/rp_errors.h"
#include "engine/sink/rp_page_target.h"
#include "engine/sink/rp_printer.h"
#include "sink_test_pages.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

QString runTool(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPageCount(const QString& pdf)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(runTool(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString pdfPageSize(const QString& pdf)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+ x [0-9.]+)"))
                                              .match(runTool(QStringLiteral("pdfinfo"), {pdf}));
    return match.captured(1);
}

// The page numbers the test pages print, in the order the PDF holds them.
QList<int> printedPageNumbers(const QString& pdf)
{
    const QString text = runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QList<int> numbers;
    QRegularExpressionMatchIterator it = QRegularExpression(QStringLiteral("Page (\\d+) of the report")).globalMatch(text);
    while (it.hasNext())
        numbers << it.next().captured(1).toInt();
    return numbers;
}

std::unique_ptr<TRpPrinterTarget> pdfPrinter(const QString& fileName)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(fileName);
    return std::make_unique<TRpPrinterTarget>(std::move(printer));
}

class Printing : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_folder.filePath(name); }
    QTemporaryDir m_folder;
};

TEST_F(Printing, PdfDestinationDrawsEveryPageAtItsOwnResolution)
{
    TRpPrinter sink;
    sink.setDestination(TRpDestination::Pdf);
    sink.setPdfFile(path(QStringLiteral("out.pdf")), 600);
    int afterPrint = 0;
    sink.onAfterPrint = [&] { ++afterPrint; };
    sinktest::generate(sink, 3);
    EXPECT_DOUBLE_EQ(sink.factorX(), 600.0 / 254.0);
    EXPECT_EQ(afterPrint, 1);
    EXPECT_EQ(sink.state(), TRpPrinterState::Finished);
    EXPECT_EQ(pdfPageCount(path(QStringLiteral("out.pdf"))), 3);
    EXPECT_TRUE(pdfPageSize(path(QStringLiteral("out.pdf"))).startsWith(QStringLiteral("595")));
    EXPECT_EQ(printedPageNumbers(path(QStringLiteral("out.pdf"))), QList<int>({1, 2, 3}));
    EXPECT_FALSE(sink.page(1).has_value()); // nothing is recorded when printing
}

TEST_F(Printing, DirectPrintingSkipsPagesOutsideTheRange)
{
    TRpPrinter sink;
    sink.setDestination(TRpDestination::Printer);
    sink.setTarget(pdfPrinter(path(QStringLiteral("range.pdf"))));
    TRpPrinterSettings settings;
    settings.firstPage = 2;
    settings.lastPage = 3;
    sink.setSettings(settings);
    sinktest::generate(sink, 5);
    EXPECT_EQ(sink.pagesGenerated(), 5);
    EXPECT_EQ(sink.pagesAvailable(), 2);
    EXPECT_EQ(printedPageNumbers(path(QStringLiteral("range.pdf"))), QList<int>({2, 3}));
}

TEST_F(Printing, LandscapePaperIsPrintedLandscape)
{
    TRpPrinter sink;
    sink.setDestination(TRpDestination::Printer);
    sink.setTarget(pdfPrinter(path(QStringLiteral("wide.pdf"))));
    TRpPrinterSettings settings;
    settings.pageWidth = 2970;
    settings.pageLength = 2100;
    settings.landscape = true;
    sink.setSettings(settings);
    sinktest::generate(sink, 1);
    EXPECT_TRUE(pdfPageSize(path(QStringLiteral("wide.pdf"))).startsWith(QStringLiteral("842")))
        << pdfPageSize(path(QStringLiteral("wide.pdf"))).toStdString();
}

TEST_F(Printing, RecordedPagesPrintWithCopiesAndRange)
{
    TRpPrinter sink;
    sinktest::generate(sink, 3);
    const std::unique_ptr<TRpPrinterTarget> target = pdfPrinter(path(QStringLiteral("copies.pdf")));
    TRpPrinterSettings settings;
    settings.copies = 2;
    settings.firstPage = 2;
    sink.printPages(*target, settings);
    const QList<int> expected = target->makesCopies() ? QList<int>{2, 3} : QList<int>{2, 3, 2, 3};
    EXPECT_EQ(printedPageNumbers(path(QStringLiteral("copies.pdf"))), expected);
}

TEST_F(Printing, RecordedPagesNeedAFinishedDocument)
{
    TRpPrinter sink;
    TRpPdfTarget target(path(QStringLiteral("never.pdf")));
    EXPECT_THROW(sink.printPages(target, {}), ERpPrinterError);
    sink.beginDocument();
    EXPECT_THROW(sink.printPages(target, {}), ERpPrinterError);
}

TEST_F(Printing, AnUnwritablePdfGivesAnErrorAndAnAbortKeepsTheOldFile)
{
    TRpPrinter failing;
    failing.setDestination(TRpDestination::Pdf);
    failing.setPdfFile(path(QStringLiteral("no/folder/out.pdf")));
    failing.beginDocument();
    EXPECT_THROW(failing.newPage(), ERpPrinterError);

    const QString existing = path(QStringLiteral("existing.pdf"));
    ASSERT_TRUE(testsupport::writeFile(existing, "old contents"));
    TRpPrinter aborted;
    aborted.setDestination(TRpDestination::Pdf);
    aborted.setPdfFile(existing);
    aborted.beginDocument();
    aborted.newPage();
    sinktest::drawPage(aborted, 1);
    aborted.abort();
    EXPECT_EQ(testsupport::readFile(existing), "old contents");
}

TEST_F(Printing, PageRangeSelection)
{
    struct Case {
        int first, last, page;
        bool included;
    };
    const Case cases[] = {{0, 0, 1, true}, {0, 0, 999, true}, {2, 0, 1, false}, {2, 0, 9, true},
                          {0, 3, 3, true}, {0, 3, 4, false}, {2, 3, 2, true}, {2, 3, 4, false}};
    for (const Case& c : cases) {
        TRpPrinterSettings settings;
        settings.firstPage = c.first;
        settings.lastPage = c.last;
        EXPECT_EQ(settings.includesPage(c.page), c.included) << c.first << ".." << c.last << " page " << c.page;
    }
}

} // namespace
