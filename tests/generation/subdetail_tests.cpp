// Sub-detail bands over a detail query that follows the main dataset, and aggregate
// expression controls summing what their controller prints.
#include "generation_fixture.h"

#include "data/data_source.h"
#include "engine/export/rp_export_filter.h"
#include "engine/rp_bands.h"

namespace {

// Keeps the text of every printed line.
class TextFilter : public TRpExportFilter {
public:
    QStringList texts;
    void textOut(const TRpExportFont&, const QColor&, const QString& text, Qt::Alignment, double, double) override
    {
        texts << text;
    }
};

class MasterDetail : public GenerationTest {
protected:
    void SetUp() override
    {
        createOrders({{1, "Berlin", "A", 10.0}, {2, "Berlin", "A", 20.0}, {3, "Berlin", "B", 5.0}, {4, "Paris", "C", 7.0}});
        auto* customers = ordersQuery(QStringLiteral("SELECT DISTINCT CUSTOMER FROM ORDERS ORDER BY CUSTOMER"));
        customers->setNameUnchecked(QStringLiteral("Customers"));
        auto* source = new TDataSource(&document);
        source->setNameUnchecked(QStringLiteral("CustomersSource"));
        source->setDataSet(customers);
        orders = ordersQuery(QStringLiteral("SELECT * FROM ORDERS WHERE CUSTOMER = :CUSTOMER ORDER BY ID"));
        orders->setDataSource(source);
        report->setDataSet(customers);
        addProbe(addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 100), QStringLiteral("C"),
                 QStringLiteral("Customers.CUSTOMER"));
        lines = addBand<TRpSubDetail>(QStringLiteral("Lines"), TRpBandType::rbSubDetail, 100);
        lines->setDataSet(orders);
        lines->bands()->setHasHeader(true);
        lines->bands()->setHasFooter(true);
        addProbe(lines->headerBand(), QStringLiteral("H"));
        addProbe(lines, QStringLiteral("L"), QStringLiteral("Orders.ID"));
        addProbe(lines->footerBand(), QStringLiteral("F"));
    }

    QStringList trace() const
    {
        QStringList result;
        for (const ProbeHit& hit : log)
            result.append(hit.value.isEmpty() ? hit.probe : hit.probe + QLatin1Char(' ') + hit.value);
        return result;
    }

    TQuery* orders = nullptr;
    TRpSubDetail* lines = nullptr;
};

} // namespace

TEST_F(MasterDetail, SubDetailPrintsItsRecordsBetweenHeaderAndFooterAfterEachMasterRecord)
{
    ASSERT_EQ(runPass(), TRpPassOutcome::Finished);
    EXPECT_EQ(trace(), (QStringList{"C A", "H", "L 1", "L 2", "F", "C B", "H", "L 3", "F", "C C", "H", "L 4", "F"}));
}

TEST_F(MasterDetail, PrintBeforeRunsTheSubDetailAheadOfTheDetailBand)
{
    lines->setPrintBefore(true);
    runPass();
    EXPECT_EQ(trace().mid(0, 5), (QStringList{"H", "L 1", "L 2", "F", "C A"}));
}

TEST_F(MasterDetail, EmptySubDetailPrintsOnlyWithItsPrintIfEmpty)
{
    orders->sql()->setText(QStringLiteral("SELECT * FROM ORDERS WHERE CUSTOMER = :CUSTOMER AND ID > 3"));
    lines->setPrintIfEmpty(false);
    runPass();
    EXPECT_EQ(trace(), (QStringList{"C A", "C B", "C C", "H", "L 4", "F"}));
}

TEST_F(GenerationTest, AggregatesSumWhatTheirControllerPrintsAndRestartAfterPrinting)
{
    createOrders({{1, "Berlin", "A", 10.0}, {2, "Berlin", "A", 20.0}, {3, "Berlin", "B", 5.0}, {4, "Paris", "C", 7.0}});
    report->setDataSet(ordersQuery());
    auto* city = addBand<TRpGroup>(QStringLiteral("City"), TRpBandType::rbGroupHeader, 100);
    city->setExpression(QStringLiteral("Orders.CITY"));
    city->setFooterBand(addBand(QStringLiteral("CityFooter"), TRpBandType::rbGroupFooter, 100));
    addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 100);
    auto expression = [&](TControl* band, const QString& text, bool reset) {
        auto* expr = new TRpExpr(&document);
        expr->setNameUnchecked(names::defaultName(&document, u"TRpExpr"));
        expr->setParentControl(band);
        expr->size()->setNativeValue(TRpPrintableSize::WidthValue, 500);
        expr->size()->setNativeValue(TRpPrintableSize::HeightValue, 45);
        expr->setExpression(text);
        expr->setResetAfterPrint(reset);
    };
    expression(city->footerBand(), QStringLiteral("SUM(Orders.AMOUNT)"), true);
    auto* summary = addBand(QStringLiteral("Summary"), TRpBandType::rbSummary, 100);
    expression(summary, QStringLiteral("SUM(Orders.AMOUNT)"), false);
    expression(summary, QStringLiteral("COUNT"), false);

    TextFilter filter;
    TRpPassOptions options;
    options.exportFilter = &filter;
    ASSERT_EQ(runPass(options), TRpPassOutcome::Finished);
    EXPECT_EQ(filter.texts, (QStringList{"35", "7", "42", "4"}));
}

TEST_F(GenerationTest, ChildOfAPageFooterPrintsInTheFooterAreaOnEveryPage)
{
    auto* footer = addBand(QStringLiteral("Footer"), TRpBandType::rbPageFooter, 100);
    footer->setHasChild(true);
    TRpChildBand* child = footer->childBand();
    child->size()->setNativeValue(TRpBandSize::HeightValue, 50);
    addProbe(child, QStringLiteral("FC"));
    addProbe(addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 1500), QStringLiteral("D"));
    report->handlers().onNeedData = [n = 0](TReport&) mutable { return n++ < 3; };

    runPass();

    const auto hits = hitsOf(QStringLiteral("FC"));
    ASSERT_EQ(hits.size(), 3u);
    for (const ProbeHit& hit : hits)
        EXPECT_EQ(hit.y, 2970 - 100 - 150 + 100); // below its parent, inside the footer space
}

TEST_F(GenerationTest, ControlsOnTheReportItselfPrintOnEveryPage)
{
    addProbe(report, QStringLiteral("Stamp"), {}, 1000);
    addProbe(addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 1500), QStringLiteral("D"));
    report->handlers().onNeedData = [n = 0](TReport&) mutable { return n++ < 3; };
    runPass();
    const auto hits = hitsOf(QStringLiteral("Stamp"));
    ASSERT_EQ(hits.size(), 3u);
    EXPECT_EQ(hits[2].page, 3);
    EXPECT_EQ(hits[0].y, 1000);
}
