// The generation pass: empty reports, columns, page header and footer options, groups,
// stretching controls, margins, events, loop and strings bands and print conditions.
#include "generation_fixture.h"

#include "engine/export/rp_export_filter.h"
#include "engine/rp_bands.h"

#include <functional>

namespace {

// Feeds `count` records to a report without a dataset.
std::function<bool(TReport&)> records(int count)
{
    auto given = std::make_shared<int>(0);
    return [given, count](TReport&) { return (*given)++ < count; };
}

std::vector<int> pagesOf(const std::vector<ProbeHit>& hits)
{
    std::vector<int> result;
    for (const ProbeHit& hit : hits)
        result.push_back(hit.page);
    return result;
}

} // namespace

TEST_F(GenerationTest, EmptyReportPrintsHeaderDetailAndFooterOnceOnlyWithPrintIfEmpty)
{
    addProbe(addBand(QStringLiteral("Title"), TRpBandType::rbTitle, 100), QStringLiteral("T"));
    addProbe(addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 100), QStringLiteral("D"));
    addProbe(addBand(QStringLiteral("Summary"), TRpBandType::rbSummary, 100), QStringLiteral("S"));

    report->setPrintIfEmpty(true);
    EXPECT_EQ(runPass(), TRpPassOutcome::Finished);
    EXPECT_EQ(printOrder(), (QStringList{"T", "D", "S"}));
    EXPECT_EQ(pages(), 1);
    EXPECT_TRUE(report->available());

    log.clear();
    report->setPrintIfEmpty(false);
    EXPECT_EQ(runPass(), TRpPassOutcome::Finished);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(pages(), 0);
}

TEST_F(GenerationTest, EmptyDatasetFollowsPrintIfEmptyToo)
{
    createOrders({});
    report->setDataSet(ordersQuery());
    addProbe(addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 100), QStringLiteral("D"));
    report->setPrintIfEmpty(false);
    runPass();
    EXPECT_TRUE(log.empty());
    report->setPrintIfEmpty(true);
    runPass();
    EXPECT_EQ(printOrder(), QStringList{"D"});
}

TEST_F(GenerationTest, SecondColumnStartsAtColumnTopWithTheColumnHeaderReprinted)
{
    report->page()->setColumns(2);
    report->page()->setNativeValue(TRpPage::ColumnSpaceValue, 50);
    addBand(QStringLiteral("Title"), TRpBandType::rbTitle, 100);
    addProbe(addBand(QStringLiteral("ColumnHeader"), TRpBandType::rbColumnHeader, 50), QStringLiteral("CH"));
    auto* detail = addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 500);
    addProbe(detail, QStringLiteral("D"));
    report->handlers().onNeedData = records(8);

    runPass();

    const double detailWidth = detail->size()->nativeValue(TRpBandSize::WidthValue);
    EXPECT_EQ(detailWidth, 925); // (1900 - 50) / 2
    const auto headers = hitsOf(QStringLiteral("CH"));
    ASSERT_EQ(headers.size(), 2u);
    EXPECT_EQ(headers[0].y, 200); // below the title
    EXPECT_EQ(headers[1].column, 2);
    EXPECT_EQ(headers[1].x, 100 + 50 + detailWidth);
    EXPECT_EQ(headers[1].y, 200);
    const auto details = hitsOf(QStringLiteral("D"));
    ASSERT_EQ(details.size(), 8u);
    EXPECT_EQ(details[4].column, 1);
    EXPECT_EQ(details[4].y, 250 + 4 * 500);
    EXPECT_EQ(details[5].column, 2);
    EXPECT_EQ(details[5].y, 250);
    EXPECT_EQ(details[5].page, 1);
    EXPECT_EQ(pages(), 1);
}

struct PageBandCase {
    bool firstPageHeader;
    bool lastPageFooter;
    std::vector<int> headerPages;
    std::vector<int> footerPages;
};

void PrintTo(const PageBandCase& c, std::ostream* out)
{
    *out << "FirstPageHeader " << c.firstPageHeader << ", LastPageFooter " << c.lastPageFooter;
}

class PageBandOptions : public GenerationTest, public ::testing::WithParamInterface<PageBandCase> {};

TEST_P(PageBandOptions, HeaderAndFooterFollowTheOptions)
{
    const PageBandCase& c = GetParam();
    TReportOptions options;
    options.setFlag(TReportOption::FirstPageHeader, c.firstPageHeader);
    options.setFlag(TReportOption::LastPageFooter, c.lastPageFooter);
    report->setOptions(options);
    addProbe(addBand(QStringLiteral("Header"), TRpBandType::rbPageHeader, 100), QStringLiteral("H"));
    addProbe(addBand(QStringLiteral("Footer"), TRpBandType::rbPageFooter, 100), QStringLiteral("F"));
    auto* detail = addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 100);
    detail->setForceNewPage(true);
    addProbe(detail, QStringLiteral("D"));
    report->handlers().onNeedData = records(3);

    runPass();

    EXPECT_EQ(pages(), 3);
    EXPECT_EQ(pagesOf(hitsOf(QStringLiteral("D"))), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(pagesOf(hitsOf(QStringLiteral("H"))), c.headerPages);
    EXPECT_EQ(pagesOf(hitsOf(QStringLiteral("F"))), c.footerPages);
    for (const ProbeHit& footer : hitsOf(QStringLiteral("F")))
        EXPECT_EQ(footer.y, 2970 - 100 - 100);
}

INSTANTIATE_TEST_SUITE_P(Options, PageBandOptions,
                         ::testing::Values(PageBandCase{true, true, {1, 2, 3}, {1, 2, 3}},
                                           PageBandCase{false, true, {2, 3}, {1, 2, 3}},
                                           PageBandCase{true, false, {1, 2, 3}, {1, 2}},
                                           PageBandCase{false, false, {2, 3}, {1, 2}}));

class GroupedOrders : public GenerationTest {
protected:
    void SetUp() override
    {
        createOrders({{1, "Berlin", "A", 10.0}, {2, "Berlin", "A", 20.0}, {3, "Berlin", "B", 5.0}, {4, "Paris", "C", 7.0}});
        report->setDataSet(ordersQuery());
        auto* outer = addGroup(QStringLiteral("City"), QStringLiteral("Orders.CITY"));
        auto* inner = addGroup(QStringLiteral("Customer"), QStringLiteral("Orders.CUSTOMER"));
        addProbe(outer, QStringLiteral("OH"), QStringLiteral("Orders.CITY"));
        addProbe(inner, QStringLiteral("IH"), QStringLiteral("Orders.CUSTOMER"));
        addProbe(outer->footerBand(), QStringLiteral("OF"), QStringLiteral("Orders.ID"));
        addProbe(inner->footerBand(), QStringLiteral("IF"), QStringLiteral("Orders.ID"));
        addProbe(addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 100), QStringLiteral("D"),
                 QStringLiteral("Orders.ID"));
    }

    TRpGroup* addGroup(const QString& name, const QString& expression)
    {
        auto* group = addBand<TRpGroup>(name, TRpBandType::rbGroupHeader, 100);
        group->setExpression(expression);
        group->setFooterBand(addBand(name + QStringLiteral("Footer"), TRpBandType::rbGroupFooter, 100));
        return group;
    }

    QStringList trace() const
    {
        QStringList result;
        for (const ProbeHit& hit : log)
            result.append(hit.probe + QLatin1Char(' ') + hit.value);
        return result;
    }
};

TEST_F(GroupedOrders, OuterChangeClosesInnerFirstAndFootersSeeTheGroupsLastRecord)
{
    ASSERT_EQ(runPass(), TRpPassOutcome::Finished);
    EXPECT_EQ(trace(), (QStringList{"OH Berlin", "IH A", "D 1", "D 2", "IF 2", "IH B", "D 3", "IF 3", "OF 3",
                                    "OH Paris", "IH C", "D 4", "IF 4", "OF 4"}));
}

TEST_F(GroupedOrders, ForceNewPageOnAGroupHeaderStartsEachLaterGroupOnItsOwnPage)
{
    qobject_cast<TRpGroup*>(document.findComponent(u"City"))->setForceNewPage(true);
    runPass();
    EXPECT_EQ(pagesOf(hitsOf(QStringLiteral("OH"))), (std::vector<int>{1, 2}));
    EXPECT_EQ(pages(), 2);
}

TEST_F(GroupedOrders, ReprintedGroupHeaderFollowsAPageBreak)
{
    auto* city = qobject_cast<TRpGroup*>(document.findComponent(u"City"));
    city->setReprintOnNewPage(true);
    auto* detail = qobject_cast<TRpCustomBand*>(document.findComponent(u"Detail"));
    detail->size()->setNativeValue(TRpBandSize::HeightValue, 1000);
    runPass();
    // Berlin: header 100, inner header 100, details of 1000 each: the second detail
    // moves to page 2, where the city header is printed again first.
    const auto headers = hitsOf(QStringLiteral("OH"));
    ASSERT_GE(headers.size(), 2u);
    EXPECT_EQ(headers[0].page, 1);
    EXPECT_EQ(headers[1].page, 2);
    EXPECT_EQ(headers[1].value, "Berlin");
    EXPECT_EQ(headers[1].y, 100);
}

TEST_F(GroupedOrders, PrintConditionsInHintsSkipBandsWhenFalse)
{
    document.findComponent(u"Detail")->setProperty("Hint", QStringLiteral("Orders.AMOUNT > 8"));
    TRpPassOptions options;
    options.bandConditions = true;
    runPass(options);
    EXPECT_EQ(valuesOf(QStringLiteral("D")), (QStringList{"1", "2"}));

    log.clear();
    runPass();
    EXPECT_EQ(valuesOf(QStringLiteral("D")), (QStringList{"1", "2", "3", "4"}));
}

TEST_F(GenerationTest, StretchingControlContinuesOnTheNextPageAlone)
{
    auto* detail = addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 100);
    TProbe* memo = addProbe(detail, QStringLiteral("M"));
    memo->neededHeight = 4500;
    addProbe(detail, QStringLiteral("Fixed"));
    addProbe(addBand(QStringLiteral("Summary"), TRpBandType::rbSummary, 100), QStringLiteral("S"));
    report->handlers().onNeedData = records(1);

    runPass();

    const auto memoHits = hitsOf(QStringLiteral("M"));
    ASSERT_GE(memoHits.size(), 2u);
    EXPECT_EQ(memoHits.front().page, 1);
    EXPECT_GT(memoHits.back().page, 1);
    EXPECT_EQ(memoHits.back().y, 100); // at the top of the new page
    EXPECT_EQ(pagesOf(hitsOf(QStringLiteral("Fixed"))), std::vector<int>{1});
    const auto summary = hitsOf(QStringLiteral("S"));
    ASSERT_EQ(summary.size(), 1u);
    EXPECT_EQ(summary[0].page, memoHits.back().page);
    EXPECT_GT(summary[0].y, 100 + 100);
}

namespace {

// Asks its band for more room once per entry of `requests` when it prints.
struct Asker : TRpPrintable {
    using TRpPrintable::TRpPrintable;
    std::vector<double> requests;
    std::vector<std::optional<double>>* answers = nullptr;
    void print(TRpPrintContext& context, double, double) override
    {
        for (double extra : requests)
            answers->push_back(context.requestExpansion(qobject_cast<TRpCustomBand*>(parentControl()), extra));
    }
};

} // namespace

TEST_F(GenerationTest, ExpansionGrowsByEachRequestOfAControlUpToTheSpaceLeft)
{
    auto* detail = addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 100);
    std::vector<std::optional<double>> answers;
    auto* asker = new Asker(&document);
    asker->answers = &answers;
    asker->requests = {300, 200, 2770 - 100 - 500 + 1};
    asker->setParentControl(detail);
    report->handlers().onNeedData = records(1);

    runPass();

    EXPECT_EQ(answers, (std::vector<std::optional<double>>{500 - 200, 500, std::nullopt}));
}

TEST_F(GenerationTest, ExpansionFollowsTheControlThatNeedsMostRoom)
{
    auto* detail = addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 100);
    addProbe(addBand(QStringLiteral("Summary"), TRpBandType::rbSummary, 100), QStringLiteral("S"));
    std::vector<std::optional<double>> answers;
    for (const std::vector<double>& requests : {std::vector<double>{300}, std::vector<double>{200, 200}}) {
        auto* asker = new Asker(&document);
        asker->answers = &answers;
        asker->requests = requests;
        asker->setParentControl(detail);
    }
    report->handlers().onNeedData = records(1);

    runPass();

    EXPECT_EQ(answers, (std::vector<std::optional<double>>{300, 300, 400}));
    const auto summary = hitsOf(QStringLiteral("S"));
    ASSERT_EQ(summary.size(), 1u);
    EXPECT_EQ(summary[0].y, 100 + 100 + 400);
}

TEST_F(GenerationTest, MarginsLargerThanThePageAreResetForThePassOnly)
{
    setMargins(2000);
    addProbe(addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 100), QStringLiteral("D"));
    runPass();
    const auto hits = hitsOf(QStringLiteral("D"));
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].x, 0);
    EXPECT_EQ(hits[0].y, 0);
    EXPECT_EQ(report->page()->nativeValue(TRpPage::LeftMarginValue), 2000);
    EXPECT_EQ(report->page()->nativeValue(TRpPage::TopMarginValue), 2000);
}

TEST_F(GenerationTest, AlignToBottomPlacesTheBandAboveThePageFooters)
{
    addBand(QStringLiteral("Footer"), TRpBandType::rbPageFooter, 150);
    addProbe(addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 100), QStringLiteral("D"));
    auto* summary = addBand(QStringLiteral("Summary"), TRpBandType::rbSummary, 200);
    summary->setAlignToBottom(true);
    addProbe(summary, QStringLiteral("S"));
    runPass();
    const auto hits = hitsOf(QStringLiteral("S"));
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].y, 2970 - 100 - 200 - 150);
}

TEST_F(GenerationTest, ReportBeforePrintCanRefuseThePass)
{
    addProbe(addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 100), QStringLiteral("D"));
    report->handlers().beforePrint = [](TReport&) { return false; };
    EXPECT_EQ(runPass(), TRpPassOutcome::Refused);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(sink->state(), TRpPrinterState::Ready);
    EXPECT_TRUE(report->available());
}

TEST_F(GenerationTest, EventsArriveInPassOrder)
{
    QStringList events;
    auto* detail = addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 1500);
    addProbe(detail, QStringLiteral("D"));
    report->handlers().onNeedData = records(3);
    report->handlers().beforePrint = [&](TReport&) { events << "BeforePrint"; return true; };
    report->handlers().onStartPage = [&](TReport& r) { events << "StartPage"; };
    report->handlers().onEndPage = [&](TReport&) { events << "EndPage"; };
    auto number = std::make_shared<int>(0);
    detail->handlers().beforePrint = [&, number](TRpCustomBand&) {
        events << "BandBefore";
        return ++*number != 2; // the second record is suppressed
    };
    detail->handlers().afterPrint = [&](TRpCustomBand&, bool printed) { events << (printed ? "Printed" : "Skipped"); };

    runPass();

    EXPECT_EQ(events, (QStringList{"BeforePrint", "BandBefore", "StartPage", "Printed", "BandBefore", "Skipped",
                                   "BandBefore", "EndPage", "StartPage", "Printed", "EndPage"}));
    EXPECT_EQ(hitsOf(QStringLiteral("D")).size(), 2u);
}

TEST_F(GenerationTest, LoopAndStringsBandsGiveTheirCounterToExpressions)
{
    addProbe(addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 100), QStringLiteral("D"));
    auto* loop = addBand<TRpLoopBand>(QStringLiteral("Loop1"), TRpBandType::rbSubDetail, 100);
    loop->setPrintCount(3);
    addProbe(loop, QStringLiteral("L"), QStringLiteral("Loop1"));
    auto* strings = addBand<TRpStringsBand>(QStringLiteral("Names"), TRpBandType::rbSubDetail, 100);
    strings->items()->setLines({QStringLiteral("north"), QStringLiteral("south")});
    strings->setPrintBefore(true);
    addProbe(strings, QStringLiteral("S"), QStringLiteral("Names"));
    report->handlers().onNeedData = records(1);

    runPass();

    EXPECT_EQ(printOrder(), (QStringList{"S", "S", "D", "L", "L", "L"}));
    EXPECT_EQ(valuesOf(QStringLiteral("L")), (QStringList{"0", "1", "2"}));
    EXPECT_EQ(valuesOf(QStringLiteral("S")), (QStringList{"north", "south"}));
}

TEST_F(GenerationTest, PageAndColumnNumbersAreConstantsOfThePass)
{
    auto* detail = addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 1500);
    addProbe(detail, QStringLiteral("D"), QStringLiteral("PAGENUMBER"));
    report->setReportTitle(QStringLiteral("Orders"));
    addProbe(addBand(QStringLiteral("Summary"), TRpBandType::rbSummary, 100), QStringLiteral("S"),
             QStringLiteral("REPORTTITLE"));
    report->handlers().onNeedData = records(3);
    runPass();
    EXPECT_EQ(valuesOf(QStringLiteral("D")), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(valuesOf(QStringLiteral("S")), QStringList{"Orders"});
    EXPECT_EQ(pages(), 3);
}

TEST_F(GenerationTest, CancellingTheSinkStopsAtTheNextRecordAndAbortsTheDocument)
{
    auto* detail = addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 100);
    addProbe(detail, QStringLiteral("D"));
    report->handlers().onNeedData = [](TReport&) { return true; };
    int printed = 0;
    detail->handlers().afterPrint = [&](TRpCustomBand&, bool) {
        if (++printed == 5)
            sink->cancel();
    };
    EXPECT_EQ(runPass(), TRpPassOutcome::Cancelled);
    EXPECT_EQ(hitsOf(QStringLiteral("D")).size(), 5u);
    EXPECT_EQ(sink->state(), TRpPrinterState::Finished);
    EXPECT_TRUE(report->available());
}

namespace {

class RecordingFilter : public TRpExportFilter {
public:
    QStringList calls;
    void start(int, int, const TRpExportFont&) override { calls << "start"; setActive(true); }
    void newPage() override { calls << "newPage"; }
    void endPage() override { calls << "endPage"; }
    void finish() override { calls << "finish"; setActive(false); }
};

} // namespace

TEST_F(GenerationTest, ExportPassCountsPagesWithoutDrawing)
{
    auto* detail = addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 1500);
    addProbe(detail, QStringLiteral("D"));
    report->handlers().onNeedData = records(2);
    RecordingFilter filter;
    TRpPassOptions options;
    options.exportFilter = &filter;
    EXPECT_EQ(runPass(options), TRpPassOutcome::Finished);
    EXPECT_EQ(filter.calls, (QStringList{"start", "newPage", "endPage", "newPage", "endPage", "finish"}));
    EXPECT_EQ(pagesOf(hitsOf(QStringLiteral("D"))), (std::vector<int>{1, 2}));
}

TEST_F(GenerationTest, AFailingOutputRaisesAndLeavesTheReportAvailable)
{
    addProbe(addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 100), QStringLiteral("D"));
    TRpPrinter pdf;
    pdf.setDestination(TRpDestination::Pdf);
    pdf.setPdfFile(dir.filePath(QStringLiteral("missing-folder/out.pdf")));
    TRpPassOptions options;
    options.sink = &pdf;
    report->setUnits(TRpUnit::MM);
    TRpPass pass(*report, options);
    EXPECT_THROW(pass.run(), std::exception);
    EXPECT_TRUE(report->available());
    EXPECT_EQ(report->units(), TRpUnit::MM);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("missing-folder/out.pdf"))));
}
