// Memos taller than their room: stretching the band, continuing on the next page, and
// the frame drawn around the height obtained.
#include "print_fixture.h"

namespace printtest {
namespace {

class MemoStretch : public PrintTest {
protected:
    MemoStretch()
    {
        memo = add<TRpMemo>(100, 50, 1500, 2 * lineHeight() + 1);
        memo->setAutoSize(false);
        memo->lines()->setLines({"first", "second", "third", "fourth", "fifth"});
        memo->prepare(context);
    }
    ~MemoStretch() override { memo->unprepare(); }

    std::vector<DrawnText> printAt(double y)
    {
        return drawnTexts(printPage([&] { memo->print(context, 0, y); }));
    }

    TRpMemo* memo;
};

TEST_F(MemoStretch, ContinuesOnTheNextPageWithItsRemainingLines)
{
    memo->setAutoStretch(true);
    context.expansionRoom = lineHeight() * 1.5; // room for one more line
    const std::vector<DrawnText> first = printAt(300);
    EXPECT_EQ(textsOf(first), (QStringList{"first", "second", "third"}));
    EXPECT_FALSE(memo->finished());
    // The band grew by what the third line needs below the designed height.
    EXPECT_NEAR(context.expansions.value(band), 3 * lineHeight() - (2 * lineHeight() + 1), 1e-6);

    context.expansions.clear();
    context.expansionRoom = lineHeight() * 5;
    const std::vector<DrawnText> second = printAt(300);
    EXPECT_EQ(textsOf(second), (QStringList{"fourth", "fifth"}));
    EXPECT_TRUE(memo->finished());
    // The continuation starts again at the control's top.
    ASSERT_FALSE(second.empty());
    EXPECT_NEAR(second[0].origin.y(), first[0].origin.y(), 0.5);

    // Printed again after finishing, the memo starts over from its first line.
    EXPECT_EQ(textsOf(printAt(300)).first(), QStringLiteral("first"));
}

TEST_F(MemoStretch, WithoutAutoStretchTheRestIsNotPrinted)
{
    context.expansionRoom = lineHeight() * 10;
    EXPECT_EQ(textsOf(printAt(300)), (QStringList{"first", "second"}));
    EXPECT_TRUE(memo->finished());
    EXPECT_FALSE(context.expansions.contains(band));
}

TEST_F(MemoStretch, ARefusedRequestOnAFreshPageEndsTheMemo)
{
    // Nothing more ever fits: the first print shows two lines, the continuation none, and
    // the memo gives up instead of asking for pages without end.
    memo->setAutoStretch(true);
    memo->size()->setNativeValue(TRpPrintableSize::HeightValue, 1);
    context.expansionRoom = 0;
    EXPECT_TRUE(printAt(300).empty());
    EXPECT_FALSE(memo->finished());
    EXPECT_TRUE(printAt(300).empty());
    EXPECT_TRUE(memo->finished());
}

TEST_F(MemoStretch, TheFrameAndFillCoverTheStretchedHeight)
{
    memo->setAutoStretch(true);
    memo->setColor(clYellow);
    memo->frame()->setDrawBottom(true);
    memo->frame()->setColor(clRed);
    memo->frame()->setWidth(2);
    context.expansionRoom = lineHeight() * 10;
    const QPicture page = printPage([&] { memo->print(context, 0, 300); });
    EXPECT_TRUE(memo->finished());
    const QImage image = renderPage(page, sink.devicePageSize());
    const double top = 350;
    const double stretchedBottom = top + 5 * lineHeight();
    const int x = int(1400 * factor());
    // Below the designed height the strip took the memo's colour ...
    EXPECT_EQ(image.pixelColor(x, int((top + 3.5 * lineHeight()) * factor())), QColor(Qt::yellow));
    // ... and the bottom frame line moved down to the stretched bottom.
    EXPECT_EQ(image.pixelColor(x, int(stretchedBottom * factor()) - 1), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(x, int((top + 2 * lineHeight()) * factor())), QColor(Qt::yellow));
}

TEST_F(MemoStretch, AControlOutsideABandCannotStretch)
{
    memo->setAutoStretch(true);
    memo->setParentControl(report);
    context.expansionRoom = lineHeight() * 10;
    memo->prepare(context);
    EXPECT_EQ(textsOf(printAt(0)), (QStringList{"first", "second"}));
    EXPECT_TRUE(context.expansions.isEmpty());
}

} // namespace
} // namespace printtest
