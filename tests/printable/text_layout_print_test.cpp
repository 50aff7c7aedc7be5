// Text controls on a page: wrapping, cutting, alignment, auto size, frames, fills and
// the print hook, read back from the recorded page.
#include "print_fixture.h"

#include <QPainter>

namespace printtest {
namespace {

class LabelPrint : public PrintTest {
protected:
    TRpLabel* label(const QString& caption, double width, double height)
    {
        auto* control = add<TRpLabel>(100, 50, width, height);
        control->setCaption(caption);
        control->setAutoSize(false);
        return control;
    }
};

TEST_F(LabelPrint, ThreeWordsInTwoWordsOfWidthWrapOntoTwoLines)
{
    TRpLabel* control = label(QStringLiteral("one two six"), textWidth(QStringLiteral("one two")) + 5, 3 * lineHeight());
    const std::vector<DrawnText> texts = drawnTexts(printOnce(control));
    ASSERT_EQ(textsOf(texts), (QStringList{"one two", "six"}));
    EXPECT_NEAR(texts[1].origin.y() - texts[0].origin.y(), lineHeight() * factor(), 1.0);
    EXPECT_NEAR(texts[0].origin.x(), texts[1].origin.x(), 0.5);
}

TEST_F(LabelPrint, WithoutWordWrapOnlyTheFirstLinePrints)
{
    TRpLabel* control = label(QStringLiteral("one two six"), textWidth(QStringLiteral("one two")) + 5, 3 * lineHeight());
    control->setWordWrap(false);
    EXPECT_EQ(textsOf(drawnTexts(printOnce(control))), (QStringList{"one two"}));
}

TEST_F(LabelPrint, AWordWiderThanTheControlIsCutAtTheRight)
{
    const QString word = QStringLiteral("Extraordinarily");
    const double width = textWidth(word) / 2;
    TRpLabel* control = label(word, width, lineHeight() * 1.2);
    const QStringList texts = textsOf(drawnTexts(printOnce(control)));
    ASSERT_EQ(texts.size(), 1);
    const QString kept = texts.first();
    EXPECT_FALSE(kept.isEmpty());
    EXPECT_TRUE(word.startsWith(kept)) << kept.toStdString();
    EXPECT_LE(textWidth(kept), width);
    EXPECT_GT(textWidth(word.left(kept.size() + 1)), width);
}

TEST_F(LabelPrint, LinesThatDoNotFitTheHeightAreNotPrintedWithoutStretch)
{
    TRpLabel* control = label(QStringLiteral("one two six"), textWidth(QStringLiteral("one")) + 5, 2.5 * lineHeight());
    EXPECT_EQ(textsOf(drawnTexts(printOnce(control))), (QStringList{"one", "two"}));
    EXPECT_TRUE(control->finished());
}

struct AlignCase {
    TAlignment alignment;
    double expectedOffset; // fraction of the free space left of the text
};

class LabelAlignment : public LabelPrint, public ::testing::WithParamInterface<AlignCase> {};

TEST_P(LabelAlignment, PlacesTheTextInThePrintWidth)
{
    const double width = 1000;
    TRpLabel* control = label(QStringLiteral("Total"), width, lineHeight() * 1.5);
    control->setAlignment(GetParam().alignment);
    const std::vector<DrawnText> texts = drawnTexts(printOnce(control, 200, 0));
    ASSERT_EQ(texts.size(), 1u);
    const double expectedLeft = (300 + GetParam().expectedOffset * (width - textWidth(QStringLiteral("Total")))) * factor();
    EXPECT_NEAR(texts[0].origin.x(), expectedLeft, 1.5);
}

INSTANTIATE_TEST_SUITE_P(Alignments, LabelAlignment,
                         ::testing::Values(AlignCase{TAlignment::taLeftJustify, 0.0},
                                           AlignCase{TAlignment::taRightJustify, 1.0},
                                           AlignCase{TAlignment::taCenter, 0.5}));

TEST_F(LabelPrint, AutoSizeKeepsTheRightEdgeOfRightAlignedText)
{
    TRpLabel* control = label(QStringLiteral("Total"), 1000, 10);
    control->setAutoSize(true);
    control->setAlignment(TAlignment::taRightJustify);
    const std::vector<DrawnText> texts = drawnTexts(printOnce(control));
    ASSERT_EQ(texts.size(), 1u); // the height grew to take one line
    EXPECT_NEAR(texts[0].origin.x() + texts[0].width, 1100 * factor(), 1.5);
    // The stored size is the design; a run does not change it.
    EXPECT_DOUBLE_EQ(control->size()->nativeValue(TRpPrintableSize::WidthValue), 1000);
    EXPECT_DOUBLE_EQ(control->size()->nativeValue(TRpPrintableSize::HeightValue), 10);
}

TEST_F(LabelPrint, AlignToBandPutsTheControlAgainstTheBandEdge)
{
    TRpLabel* control = label(QStringLiteral("Total"), 500, lineHeight() * 1.5);
    control->setAlignment(TAlignment::taRightJustify);
    control->setAlignToBand(true);
    const std::vector<DrawnText> texts = drawnTexts(printOnce(control));
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NEAR(texts[0].origin.x() + texts[0].width, 1900 * factor(), 1.5);
}

TEST_F(LabelPrint, TheFrameWidthIsInPointsAndMovesTheTextOrigin)
{
    TRpLabel* plain = label(QStringLiteral("Framed"), 800, lineHeight() * 2);
    const std::vector<DrawnText> before = drawnTexts(printOnce(plain));
    plain->frame()->setWidth(6);
    plain->frame()->setDrawLeft(true);
    plain->frame()->setDrawTop(true);
    plain->frame()->setColor(clBlue);
    const QPicture page = printOnce(plain);
    const std::vector<DrawnText> after = drawnTexts(page);
    ASSERT_EQ(before.size(), 1u);
    ASSERT_EQ(after.size(), 1u);
    const double sixPoints = 6 * 254.0 / 72.0 * factor();
    EXPECT_NEAR(after[0].origin.x() - before[0].origin.x(), sixPoints, 0.5);
    EXPECT_NEAR(after[0].origin.y() - before[0].origin.y(), sixPoints, 0.5);

    // The left frame line covers six points inside the control, and nothing outside it.
    const QImage image = renderPage(page, sink.devicePageSize());
    const int y = int(std::lround((50 + lineHeight()) * factor()));
    const int left = int(std::lround(100 * factor()));
    EXPECT_EQ(image.pixelColor(left + 1, y), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(left + int(sixPoints) - 1, y), QColor(Qt::blue));
    EXPECT_NE(image.pixelColor(left + int(sixPoints) + 2, y), QColor(Qt::blue));
    EXPECT_NE(image.pixelColor(left - 2, y), QColor(Qt::blue));
}

TEST_F(LabelPrint, OpaqueLabelsFillTheirRectangleAndTransparentOnesDoNot)
{
    TRpLabel* control = label(QString(), 500, 200);
    control->setColor(clYellow);
    const QPoint inside(int(300 * factor()), int(150 * factor()));
    EXPECT_EQ(renderPage(printOnce(control), sink.devicePageSize()).pixelColor(inside), QColor(Qt::yellow));
    control->setTransparent(true);
    EXPECT_EQ(renderPage(printOnce(control), sink.devicePageSize()).pixelColor(inside), QColor(Qt::white));
}

TEST_F(LabelPrint, ThePrintHookChangesTheTextForThisPrintOnly)
{
    TRpLabel* control = label(QStringLiteral("design"), 800, lineHeight() * 1.5);
    int calls = 0;
    control->setPrintHandler([&calls](TRpCustomLabel&, QString& text) {
        ++calls;
        text = text.toUpper() + QString::number(calls);
    });
    EXPECT_EQ(textsOf(drawnTexts(printOnce(control))), (QStringList{"DESIGN1"}));
    EXPECT_EQ(textsOf(drawnTexts(printOnce(control))), (QStringList{"DESIGN2"}));
    EXPECT_EQ(control->caption(), QStringLiteral("design"));
}

TEST_F(LabelPrint, DisabledControlsPrintNothing)
{
    TRpLabel* control = label(QStringLiteral("hidden"), 800, lineHeight() * 1.5);
    control->setEnabled(false);
    EXPECT_TRUE(drawnTexts(printOnce(control)).empty());
}

} // namespace
} // namespace printtest
