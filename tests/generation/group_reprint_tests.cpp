// Group headers reprinted after a page break while a sub-detail runs: the running
// print-before sub-detail's headers come first, then the report's own, then those of a
// running print-after sub-detail.
#include "generation_fixture.h"

#include "engine/rp_bands.h"

namespace {

class ReprintOrder : public GenerationTest, public ::testing::WithParamInterface<bool> {
protected:
    TRpGroup* addReprintedGroup(const QString& name, const QString& probe)
    {
        auto* group = addBand<TRpGroup>(name, TRpBandType::rbGroupHeader, 100);
        group->setExpression(QStringLiteral("1"));
        group->setReprintOnNewPage(true);
        addProbe(group, probe);
        return group;
    }

    QStringList probesOnPage(int page) const
    {
        QStringList result;
        for (const ProbeHit& hit : log) {
            if (hit.page == page)
                result.append(hit.probe);
        }
        return result;
    }
};

TEST_P(ReprintOrder, PrintBeforeChildrenThenOwnThenPrintAfterChildren)
{
    const bool printBefore = GetParam();
    auto records = std::make_shared<int>(0);
    report->handlers().onNeedData = [records](TReport&) { return (*records)++ < 1; };
    addReprintedGroup(QStringLiteral("Group"), QStringLiteral("G"));
    addProbe(addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 100), QStringLiteral("D"));

    // Lines of 1000 each: the third no longer fits on page 1.
    auto* lines = addBand<TRpSubDetail>(QStringLiteral("Lines"), TRpBandType::rbSubDetail, 1000);
    lines->setPrintBefore(printBefore);
    auto lineCount = std::make_shared<int>(0);
    lines->needDataHandler = [lineCount](TRpSubDetail&) { return (*lineCount)++ < 4; };
    addProbe(lines, QStringLiteral("L"));
    addReprintedGroup(QStringLiteral("LinesGroup"), QStringLiteral("LG"))->setMaster(lines);

    ASSERT_EQ(runPass(), TRpPassOutcome::Finished);

    const QStringList firstPage = printBefore ? QStringList{"G", "LG", "L", "L"} : QStringList{"G", "D", "LG", "L", "L"};
    EXPECT_EQ(probesOnPage(1), firstPage);
    const QStringList reprinted = printBefore ? QStringList{"LG", "G"} : QStringList{"G", "LG"};
    EXPECT_EQ(probesOnPage(2).mid(0, 3), reprinted + QStringList{"L"});
}

INSTANTIATE_TEST_SUITE_P(SubDetail, ReprintOrder, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "PrintBefore" : "PrintAfter";
                         });

} // namespace
