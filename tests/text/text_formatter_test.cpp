#include "engine/text/text_formatter.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

// Every character is 10 units wide, so widths are easy to reason about.
double fixedWidth(const QString& text)
{
    return 10.0 * text.size();
}

QStringList layout(const QString& text, double width, bool wordWrap = true, bool autoSize = false)
{
    return rpFormatText(text, {width, wordWrap, autoSize}, fixedWidth);
}

struct LayoutCase {
    const char* name;
    QString text;
    double width;
    bool wordWrap;
    bool autoSize;
    QStringList lines;
};

class TextLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(TextLayout, BreaksIntoTheExpectedLines)
{
    const LayoutCase& c = GetParam();
    EXPECT_EQ(layout(c.text, c.width, c.wordWrap, c.autoSize), c.lines) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextLayout,
    ::testing::Values(
        LayoutCase{"ThreeWordsTwoFit", "one two six", 70, true, false, {"one two", "six"}},
        LayoutCase{"WithoutWrapOnlyTheFirstLine", "one two six", 70, false, false, {"one two"}},
        LayoutCase{"TrailingBlankDoesNotCountForTheFit", "abc def", 30, true, false, {"abc", "def"}},
        LayoutCase{"HyphenEndsAWord", "well-known", 50, true, false, {"well-", "known"}},
        LayoutCase{"WideWordIsSplitAcrossLines", "abcdefgh", 30, true, false, {"abc", "def", "gh"}},
        LayoutCase{"WideWordIsCutWithoutWrap", "abcdefgh xy", 30, false, false, {"abc"}},
        LayoutCase{"WideWordAfterOtherWordsStartsANewLine", "ab abcdefg", 40, true, false, {"ab", "abcd", "efg"}},
        LayoutCase{"EmptyWidthDropsTheWord", "abc", 0, true, false, {}},
        LayoutCase{"ParagraphsAtEveryKindOfBreak", "ab\r\ncd\ref\ngh", 100, true, false, {"ab", "cd", "ef", "gh"}},
        LayoutCase{"EmptyParagraphKeepsItsLine", "ab\r\n\r\ncd", 100, true, false, {"ab", "", "cd"}},
        LayoutCase{"WithoutWrapEachParagraphKeepsItsFirstLine", "one two\rsix ten", 30, false, false, {"one", "six"}},
        LayoutCase{"AutoSizeKeepsParagraphsWhole", "one two six\r\nten", 20, true, true, {"one two six", "ten"}}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

TEST(TextLayoutMeasure, UsesTheGivenWidthsNotCharacterCounts)
{
    // "W" is three times as wide as any other letter: "aW" no longer fits in 30.
    auto measure = [](const QString& text) {
        double width = 0;
        for (QChar c : text)
            width += c == QLatin1Char('W') ? 30 : 10;
        return width;
    };
    EXPECT_EQ(rpFormatText("aa aW", {30, true, false}, measure), (QStringList{"aa", "a", "W"}));
}

} // namespace
