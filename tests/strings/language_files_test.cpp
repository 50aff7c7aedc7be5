#include "core/strings/language_files.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    QByteArray bytes;
    QStringList lines;
};

class SplitLanguageText : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLanguageText, SplitsAtEveryKindOfLineBreak)
{
    EXPECT_EQ(splitLanguageText(GetParam().bytes), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitLanguageText,
    ::testing::Values(SplitCase{"", {}},
                      SplitCase{"\n", {""}},
                      SplitCase{"a", {"a"}},
                      SplitCase{"a\n", {"a"}},
                      SplitCase{"a\n\nb", {"a", "", "b"}},
                      SplitCase{"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
                      SplitCase{"a\n\r\nb", {"a", "", "b"}},
                      SplitCase{"  padded  \n", {"  padded  "}}));

TEST(LanguageList, TakesLinesInPairsAndIgnoresAnOddLastLine)
{
    const QStringList fiveLines{"ENG", "English", "DEU", "Deutsch", "NLD"};
    EXPECT_EQ(languageListFromLines(fiveLines),
              (QList<LanguageListEntry>{{"ENG", "English"}, {"DEU", "Deutsch"}}));
    EXPECT_TRUE(languageListFromLines({"ENG"}).isEmpty());
    EXPECT_TRUE(languageListFromLines({}).isEmpty());
}

TEST(LanguageFileNames, JoinPrefixAndCode)
{
    EXPECT_EQ(languageListFileName(QStringLiteral("Layout")), QStringLiteral("Layout.LNG"));
    EXPECT_EQ(languageFileName(QStringLiteral("Layout"), QStringLiteral("DEU")), QStringLiteral("Layout.DEU"));
}

} // namespace
