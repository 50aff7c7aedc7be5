// The export filters: what each writes for the text lines a report run hands over.
#include "engine/export/rp_ascii_export_filter.h"
#include "engine/export/rp_csv_export_filter.h"
#include "engine/export/rp_export_filter_library.h"
#include "engine/export/rp_html_export_filter.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

// The report font of every test: 10 points, black. Its size is 35.28 native units.
TRpExportFont reportFont()
{
    return {QFont(QStringLiteral("Liberation Sans"), 10), QColor(Qt::black)};
}

TRpExportFont fontOf(int points, QColor colour = Qt::black)
{
    return {QFont(QStringLiteral("Liberation Sans"), points), colour};
}

class ExportFilter : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_folder.filePath(name); }

    // Runs one export: start, then for every page newPage, its lines and endPage, then finish.
    template <typename Page>
    QString run(TRpExportFilter& filter, const QString& name, int pages, Page drawPage)
    {
        filter.setFileName(path(name));
        filter.start(2100, 2970, reportFont());
        for (int page = 1; page <= pages; ++page) {
            filter.newPage();
            drawPage(filter, page);
            filter.endPage();
        }
        filter.finish();
        return QString::fromUtf8(testsupport::readFile(path(name)));
    }

    static void text(TRpExportFilter& filter, const QString& text, double x, double y,
                     Qt::Alignment alignment = Qt::AlignLeft, const TRpExportFont& font = reportFont())
    {
        filter.textOut(font, Qt::white, text, alignment, y, x);
    }

    QTemporaryDir m_folder;
};

TEST_F(ExportFilter, LibraryListsTheThreeFiltersInOrderForTheSaveDialog)
{
    const TRpExportFilterLibrary& library = rpExportFilters();
    ASSERT_EQ(library.entries().size(), 3u);
    EXPECT_EQ(library.saveDialogFilter(),
              QStringLiteral("Prepared report file(*.RPP)|*.RPP|Comma Separated (*.CSV)|*.CSV"
                             "|HTML document (*.HTM)|*.HTM|Text file (*.TXT)|*.TXT"));
    EXPECT_EQ(rpLoadDialogFilter(), QStringLiteral("Prepared report file (*.RPP)|*.RPP"));
    const std::unique_ptr<TRpExportFilter> html = library.create(1, QStringLiteral("out.htm"));
    ASSERT_NE(html, nullptr);
    EXPECT_EQ(html->description(), QStringLiteral("HTML document for web publishing"));
    EXPECT_TRUE(html->continuousOutput());
    EXPECT_EQ(html->fileName(), QStringLiteral("out.htm"));
    EXPECT_FALSE(library.create(1, {})->active());
    EXPECT_EQ(library.create(3, {}), nullptr);
    EXPECT_EQ(library.create(-1, {}), nullptr);
}

TEST_F(ExportFilter, FiltersDescribeThemselves)
{
    const TRpExportFilter base;
    EXPECT_EQ(base.name(), QStringLiteral("Abstract filter"));
    EXPECT_EQ(base.description(), QStringLiteral("Abstract non-working export filter"));
    EXPECT_FALSE(base.continuousOutput());
    EXPECT_EQ(TRpAbstractExportFilter().name(), QStringLiteral("RpAbstract"));
    EXPECT_EQ(TRpCommaSeparatedFilter().description(), QStringLiteral("Comma separated text file"));
    EXPECT_FALSE(TRpCommaSeparatedFilter().continuousOutput());
    EXPECT_EQ(TRpAsciiExportFilter().description(), QStringLiteral("Text export (ASCII) filter"));
    EXPECT_FALSE(TRpAsciiExportFilter().continuousOutput());
}

TEST_F(ExportFilter, StartAndFinishSwitchTheActiveFlag)
{
    TRpCommaSeparatedFilter filter;
    filter.setFileName(path(QStringLiteral("flag.csv")));
    EXPECT_FALSE(filter.active());
    filter.start(2100, 2970, reportFont());
    EXPECT_TRUE(filter.active());
    EXPECT_EQ(filter.lineCount(), 84); // 2970 / 35.28
    filter.finish();
    EXPECT_FALSE(filter.active());
}

TEST_F(ExportFilter, CsvPutsEqualXInOneColumnAndXZeroInNone)
{
    TRpCommaSeparatedFilter filter;
    const QString csv = run(filter, QStringLiteral("grid.csv"), 1, [](TRpExportFilter& f, int) {
        text(f, QStringLiteral("Name"), 100, 200);      // header band
        text(f, QStringLiteral("Total"), 900, 200);
        text(f, QStringLiteral("Ann"), 100.4, 400);     // detail band, same column after rounding
        text(f, QStringLiteral("12"), 900, 400);
        text(f, QStringLiteral("nowhere"), 0, 400);     // no column
        text(f, QStringLiteral("Bob"), 100, 600);
    });
    EXPECT_EQ(csv, QStringLiteral("\"Name\",\"Total\"\r\n"
                                  "\"Ann\",\"12\"\r\n"
                                  "\"Bob\",\"\"\r\n"));
    EXPECT_EQ(filter.columnCount(), 2);
    EXPECT_EQ(filter.lineCount(), 3);
}

TEST_F(ExportFilter, CsvKeepsTheFirstTextOfACellAndDoublesQuotes)
{
    TRpCommaSeparatedFilter filter;
    const QString csv = run(filter, QStringLiteral("cells.csv"), 2, [](TRpExportFilter& f, int page) {
        text(f, QStringLiteral("say \"hi\", page %1").arg(page), 50, 50);
        text(f, QStringLiteral("second"), 50, 50);
    });
    EXPECT_EQ(csv, QStringLiteral("\"say \"\"hi\"\", page 1\"\r\n\"say \"\"hi\"\", page 2\"\r\n"));
}

TEST_F(ExportFilter, HtmlMarksOnlyCellsThatDifferFromTheReportFont)
{
    TRpHTMLDocumentFilter filter;
    const QString html = run(filter, QStringLiteral("page.htm"), 1, [](TRpExportFilter& f, int) {
        text(f, QStringLiteral("plain"), 100, 100);
        text(f, QStringLiteral("red"), 500, 100, Qt::AlignLeft, fontOf(10, QColor(255, 0, 0)));
        text(f, QStringLiteral("big"), 100, 300, Qt::AlignLeft, fontOf(14));
        text(f, QStringLiteral("small blue"), 500, 300, Qt::AlignLeft, fontOf(8, QColor(0x12, 0x34, 0xab)));
    });
    EXPECT_EQ(html, QStringLiteral("<TABLE WIDTH=100% CELLPADDING=2 BORDER=0>"
                                   "<TR><TD>plain</TD><TD><FONT COLOR=\"#FF0000\">red</FONT></TD></TR>\r\n"
                                   "<TR><TD><FONT  SIZE=+2>big</FONT></TD>"
                                   "<TD><FONT COLOR=\"#1234AB\" SIZE=-1>small blue</FONT></TD></TR>\r\n"
                                   "</TABLE>"));
}

TEST_F(ExportFilter, HtmlEscapesMarkupInCellText)
{
    TRpHTMLDocumentFilter filter;
    const QString html = run(filter, QStringLiteral("escape.htm"), 1, [](TRpExportFilter& f, int) {
        text(f, QStringLiteral("<b>R&D</b> > 3"), 100, 100);
    });
    EXPECT_TRUE(html.contains(QStringLiteral("<TD>&lt;b&gt;R&amp;D&lt;/b&gt; &gt; 3</TD>"))) << html.toStdString();
}

TEST_F(ExportFilter, HtmlWithoutAFileNameWritesIntoMemoryOnePageATable)
{
    TRpHTMLDocumentFilter filter;
    filter.start(2100, 2970, reportFont());
    for (int page = 1; page <= 2; ++page) {
        filter.newPage();
        text(filter, QStringLiteral("p%1").arg(page), 100, 100);
        filter.endPage();
    }
    filter.finish();
    EXPECT_EQ(QString::fromUtf8(filter.memoryOutput()),
              QStringLiteral("<TABLE WIDTH=100% CELLPADDING=2 BORDER=0><TR><TD>p1</TD></TR>\r\n</TABLE>"
                             "<TABLE WIDTH=100% CELLPADDING=2 BORDER=0><TR><TD>p2</TD></TR>\r\n</TABLE>"));
}

TEST(HtmlSizeSteps, FollowThePointSizeBands)
{
    const std::pair<int, int> cases[] = {{1, 0},  {8, 0},  {9, 1},  {10, 1}, {11, 2}, {12, 2}, {13, 3},
                                         {14, 3}, {15, 4}, {18, 4}, {19, 5}, {24, 5}, {25, 7}, {72, 7}};
    for (const auto& [points, step] : cases)
        EXPECT_EQ(rpHtmlSizeStep(points), step) << points;
}

TEST_F(ExportFilter, TextPlacesLinesAtCharacterCellsAndSkipsBlankLines)
{
    // Cells are 35.28 native units; columns are x / 35.28 * 1.7.
    TRpAsciiExportFilter filter;
    const QString txt = run(filter, QStringLiteral("page.txt"), 1, [](TRpExportFilter& f, int) {
        text(f, QStringLiteral("Title"), 0, 35.28);
        text(f, QStringLiteral("Left"), 0, 35.28 * 4);
        text(f, QStringLiteral("Mid"), 207.5, 35.28 * 4);   // column 10
        text(f, QStringLiteral("123.45"), 622.6, 35.28 * 6, Qt::AlignRight); // ends at column 30
    });
    EXPECT_EQ(txt, QStringLiteral("Title\r\n"
                                  "Left      Mid\r\n"
                                  "                        123.45\r\n"));
    EXPECT_EQ(filter.linesPerPage(), 84);
}

TEST_F(ExportFilter, TextOverwritesAndKeepsTextInsideTheLine)
{
    TRpAsciiExportFilter filter;
    const QString txt = run(filter, QStringLiteral("over.txt"), 2, [](TRpExportFilter& f, int page) {
        text(f, QStringLiteral("abcdefgh"), 0, 0);
        text(f, QStringLiteral("XY"), 41.5, 0);                               // column 2
        text(f, QStringLiteral("far too long"), 20, 35.28, Qt::AlignRight);    // would start left of 0
        text(f, QStringLiteral("lost"), 0, 35.28 * 300);                      // below the page buffer
        text(f, QStringLiteral("page %1").arg(page), 0, 35.28 * 200);          // last buffer line
    });
    const QString page1 = QStringLiteral("abXYefgh\r\nfar too long\r\npage 1\r\n");
    EXPECT_EQ(txt, page1 + QString(page1).replace(QStringLiteral("page 1"), QStringLiteral("page 2")));
}

TEST_F(ExportFilter, UnwritableFileIsAClearErrorAndAnUnfinishedExportKeepsTheOldFile)
{
    TRpCommaSeparatedFilter filter;
    filter.setFileName(path(QStringLiteral("no/folder/out.csv")));
    EXPECT_THROW(filter.start(2100, 2970, reportFont()), ERpExportError);
    TRpCommaSeparatedFilter unnamed;
    EXPECT_THROW(unnamed.start(2100, 2970, reportFont()), ERpExportError);

    const QString existing = path(QStringLiteral("old.txt"));
    ASSERT_TRUE(testsupport::writeFile(existing, "old export"));
    {
        TRpAsciiExportFilter cancelled;
        cancelled.setFileName(existing);
        cancelled.start(2100, 2970, reportFont());
        text(cancelled, QStringLiteral("new"), 0, 0);
        cancelled.endPage();
    } // the run was cancelled: no finish
    EXPECT_EQ(testsupport::readFile(existing), "old export");
}

} // namespace
