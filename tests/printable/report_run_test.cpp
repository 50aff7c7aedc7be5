// Text controls in a real generation pass: a memo stretching over pages and page numbers
// in the page footer, read back from the recorded pages.
#include "print_fixture.h"

#include "engine/generation/rp_pass.h"

namespace printtest {
namespace {

class ReportRun : public ::testing::Test {
protected:
    ReportRun()
    {
        report = new TReport(&document);
        report->setNameUnchecked(QStringLiteral("Report"));
        report->page()->setPaperSize(TRpPaperSize::A4);
        for (int value : {TRpPage::TopMarginValue, TRpPage::BottomMarginValue, TRpPage::LeftMarginValue,
                          TRpPage::RightMarginValue})
            report->page()->setNativeValue(value, 100);
        int records = 1;
        report->handlers().onNeedData = [records](TReport&) mutable { return records-- > 0; };

        auto* footer = addBand(QStringLiteral("Footer"), TRpBandType::rbPageFooter, 100);
        auto* pageNumber = new TRpSysData(&document);
        pageNumber->setParentControl(footer);
        pageNumber->setText(QStringLiteral("Page "));
        pageNumber->setData(TRpSysDataType::rpsPageNumber);
        place(pageNumber, 0, 10, 500, 60);

        auto* detail = addBand(QStringLiteral("Detail"), TRpBandType::rbDetail, 100);
        memo = new TRpMemo(&document);
        memo->setParentControl(detail);
        memo->setAutoSize(false);
        place(memo, 0, 0, 1500, 80);
        for (int line = 1; line <= 120; ++line)
            memo->lines()->append(QStringLiteral("line %1").arg(line));
    }

    TRpBand* addBand(const QString& name, TRpBandType type, double height)
    {
        auto* band = new TRpBand(&document);
        band->setNameUnchecked(name);
        band->setBandType(type);
        band->setParentControl(report);
        band->size()->setNativeValue(TRpBandSize::HeightValue, height);
        return band;
    }

    void run()
    {
        TRpPassOptions options;
        options.sink = &sink;
        TRpPass pass(*report, std::move(options));
        ASSERT_EQ(pass.run(), TRpPassOutcome::Finished);
    }

    QStringList pageTexts(int page) const { return textsOf(drawnTexts(sink.page(page).value_or(QPicture()))); }

    TComponent document;
    TReport* report;
    TRpMemo* memo;
    TRpPrinter sink;
};

TEST_F(ReportRun, AStretchingMemoContinuesOnTheNextPagesWithItsRemainingLines)
{
    memo->setAutoStretch(true);
    run();
    ASSERT_GE(sink.pagesAvailable(), 2);
    QStringList memoLines;
    for (int page = 1; page <= sink.pagesAvailable(); ++page) {
        QStringList texts = pageTexts(page);
        ASSERT_FALSE(texts.isEmpty());
        EXPECT_EQ(texts.takeLast(), QStringLiteral("Page %1").arg(page)); // the footer comes last
        EXPECT_FALSE(texts.isEmpty()) << "page " << page << " holds no memo lines";
        memoLines += texts;
    }
    EXPECT_EQ(memoLines, memo->lines()->lines());
}

TEST_F(ReportRun, WithoutAutoStretchTheMemoKeepsToItsHeight)
{
    run();
    ASSERT_EQ(sink.pagesAvailable(), 1);
    EXPECT_EQ(pageTexts(1), (QStringList{"line 1", "line 2", "Page 1"}));
}

} // namespace
} // namespace printtest
