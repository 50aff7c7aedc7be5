// Layouts in which a new page could never hold what has to go on it: the pass stops with
// an error naming the cause instead of recursing or producing pages without end. And the
// bands a page or column starts with, which never break again.
#include "generation_fixture.h"

#include "core/error.h"
#include "engine/rp_bands.h"

#include <functional>
#include <stdexcept>

namespace {

// A4 with margins of 100: 2870 down to the bottom margin, 2770 between the margins.
constexpr double kUsable = 2770;

// Gives `count` records to a report without a dataset.
std::function<bool(TReport&)> records(int count)
{
    auto given = std::make_shared<int>(0);
    return [given, count](TReport&) { return (*given)++ < count; };
}

struct Layout {
    const char* name;
    double pageHeader = 0;
    double pageFooter = 0;
    bool firstPageHeader = false;
    int columns = 1;
    double detail = 100;
    int details = 3;
    double summary = 0;
    bool summaryForcesPage = false;
    double footerNeeds = 0; // room a stretching control on the page footer asks for
    const char* error;
};

void PrintTo(const Layout& layout, std::ostream* out)
{
    *out << layout.name;
}

class ImpossibleLayout : public GenerationTest, public ::testing::WithParamInterface<Layout> {
protected:
    // Stops an endless run, so that the test fails instead of filling the disk.
    void limitPages()
    {
        report->handlers().onStartPage = [this](TReport&) {
            if (++startedPages > 200)
                throw std::runtime_error("the pass does not stop producing pages");
        };
    }
    int startedPages = 0;
};

TEST_P(ImpossibleLayout, StopsWithAnErrorThatNamesTheCause)
{
    const Layout& layout = GetParam();
    TReportOptions options;
    options.setFlag(TReportOption::FirstPageHeader, layout.firstPageHeader);
    report->setOptions(options);
    report->page()->setColumns(layout.columns);
    if (layout.pageHeader > 0)
        addProbe(addBand(QStringLiteral("PageHeader"), TRpBandType::rbPageHeader, layout.pageHeader),
                 QStringLiteral("H"));
    if (layout.pageFooter > 0) {
        auto* footer = addProbe(addBand(QStringLiteral("PageFooter"), TRpBandType::rbPageFooter, layout.pageFooter),
                                QStringLiteral("F"));
        footer->neededHeight = layout.footerNeeds;
    }
    addProbe(addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, layout.detail), QStringLiteral("D"));
    if (layout.summary > 0) {
        auto* summary = addBand(QStringLiteral("Summary"), TRpBandType::rbSummary, layout.summary);
        summary->setForceNewPage(layout.summaryForcesPage);
        addProbe(summary, QStringLiteral("S"));
    }
    report->handlers().onNeedData = records(layout.details);
    limitPages();

    try {
        runPass();
        FAIL() << "the pass finished";
    } catch (const EVelError& error) {
        EXPECT_EQ(error.message(), QString::fromUtf8(layout.error));
    }
    EXPECT_TRUE(report->available());
    EXPECT_LE(startedPages, 3);
}

const char* const kHeaderNoRoom = "Band PageHeader does not fit on a page: the page header, column header and page "
                                  "footer leave it too little room";
const char* const kFooterNoRoom = "Band PageFooter does not fit on a page: the page header, column header and page "
                                  "footer leave it too little room";
const char* const kNoRoomOnPage1 = "No room is left for the report on page 1: the page header, column header and "
                                   "page footer take the whole page";

INSTANTIATE_TEST_SUITE_P(
    Layouts, ImpossibleLayout,
    ::testing::Values(
        Layout{"header and footer taller than the page, header on page 1", 1500, 1500, true, 1, 100, 3, 0, false, 0,
               kHeaderNoRoom},
        Layout{"header and footer taller than the page, first break on page 1", 1500, 1500, false, 1, 1000, 3, 0,
               false, 0, kHeaderNoRoom},
        Layout{"header and footer fill the page exactly", kUsable / 2, kUsable / 2, true, 1, 100, 3, 0, false, 0,
               kNoRoomOnPage1},
        Layout{"footer taller than the page", 0, 3000, false, 1, 100, 3, 0, false, 0, kNoRoomOnPage1},
        Layout{"footer taller than the page, two columns and a summary forcing a page", 0, 3000, false, 2, 100, 1,
               100, true, 0, kNoRoomOnPage1},
        Layout{"two columns and a summary forcing a page below a header and footer with no room", 1500, 1500, false,
               2, 100, 1, 100, true, 0, kHeaderNoRoom},
        Layout{"a stretching control on the page footer", 0, 100, false, 1, 1000, 3, 0, false, 5000,
               kFooterNoRoom}),
    [](const ::testing::TestParamInfo<Layout>& info) { return "Layout" + std::to_string(info.index); });

// Starting a column prints the column header and reprints group headers; a band printed
// there stands at the top of a fresh column, so its own request for a new page or column
// is already met.
TEST_F(GenerationTest, BandsAColumnStartsWithDoNotBreakAgain)
{
    report->page()->setColumns(2);
    auto* columnHeader = addBand(QStringLiteral("ColumnHeader"), TRpBandType::rbColumnHeader, 100);
    columnHeader->setForceNewPage(true);
    addProbe(columnHeader, QStringLiteral("CH"));
    auto* group = addBand<TRpGroup>(QStringLiteral("Group"), TRpBandType::rbGroupHeader, 100);
    group->setExpression(QStringLiteral("1"));
    group->setReprintOnNewPage(true);
    group->setForceNewColumn(true);
    addProbe(group, QStringLiteral("G"));
    addProbe(addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 1000), QStringLiteral("D"));
    report->handlers().onNeedData = records(6);

    ASSERT_EQ(runPass(), TRpPassOutcome::Finished);

    // Page 1 column 1: column header, group header (its forced column is the first one
    // a report asks for and only arms the flag), two details. Every later column starts
    // with the column header, a new page also with the reprinted group header; each
    // column holds two details.
    QStringList placed;
    for (const ProbeHit& hit : log)
        placed << QStringLiteral("%1 p%2c%3").arg(hit.probe).arg(hit.page).arg(hit.column);
    EXPECT_EQ(placed, (QStringList{"CH p1c1", "G p1c1", "D p1c1", "D p1c1", "CH p1c2", "D p1c2", "D p1c2",
                                   "CH p2c1", "G p2c1", "D p2c1", "D p2c1"}));
}

} // namespace
