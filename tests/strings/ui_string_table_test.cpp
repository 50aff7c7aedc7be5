#include "core/strings/ui_string_table.h"
#include "core/strings/ui_strings.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct BuiltInCase {
    int id;
    const char* text;
};

const BuiltInCase kBuiltInCases[] = {
    {33264, "&Ok"},
    {33265, "Accept these settings"},
    {31001, "rbTitle|Title band"},
    {31006, "rbGroupHeader|Group header "},
    {31011, "rbChild|Child for other band"},
    {33000, "Velmor"},
    {33028, "Report has changed ! <>Save report now ?"},
    {33026, "Can't open table  %s. exception "},
    {33398, "Keep controls in parent "},
    {33392, "Datamodule %S has changed.|Save ?"},
    {33044, "File menu"},
    {33064, "Close the active report"},
    {33089, "&Send to back"},
    {33134, "&Select a language for Velmor"},
    {33415, "Call printer setupdialog before preview"},
    {33631, ""},  // present in the id space, no text known
    {33003, ""},  // a gap
    {0, ""},
    {-1, ""},
    {INT_MAX, ""},
    {INT_MIN, ""},
};

class BuiltInText : public ::testing::TestWithParam<BuiltInCase> {};

TEST_P(BuiltInText, AnswersTheTableTextOrEmpty)
{
    EXPECT_EQ(builtInUiString(GetParam().id), QString::fromUtf8(GetParam().text));
    EXPECT_EQ(LoadUiString(GetParam().id), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Table, BuiltInText, ::testing::ValuesIn(kBuiltInCases));

TEST(BuiltInTable, HoldsOnlyIdsOfTheTwoRanges)
{
    const QList<int> ids = builtInUiStringIds();
    ASSERT_GT(ids.size(), 200);
    for (int id : ids) {
        const bool bandText = id >= 31001 && id <= 31011;
        const bool windowText = id >= 33000 && id <= 33631;
        EXPECT_TRUE(bandText || windowText) << id;
        EXPECT_FALSE(builtInUiString(id).isEmpty()) << id;
    }
}

TEST(BuiltInTable, BandTextsNameEveryBandTypeInOrder)
{
    const char* const types[] = {"rbTitle", "rbPageHeader", "rbDetail", "rbPageFooter",
                                 "rbSummary", "rbGroupHeader", "rbGroupFooter", "rbSubDetail",
                                 "rbColumnHeader", "rbOverlay", "rbChild"};
    for (int i = 0; i < 11; ++i)
        EXPECT_TRUE(builtInUiString(31001 + i).startsWith(QLatin1String(types[i]) + QLatin1Char('|'))) << i;
}

TEST(TableParser, KeepsQuotesAndBlanksInsideTheTextAndSkipsMalformedLines)
{
    const QByteArray text =
        "# comment 1\t\"not an entry\"\n"
        "1\t\"plain\"\r\n"
        "2\t\"say \"hi\" \"\n"
        "3\t\"\"\n"
        "x\t\"bad id\"\n"
        "4 \"no tab\"\n"
        "5\tno quotes\n"
        "6\t\"unclosed\n"
        "\n"
        "7\t\"last, no line break\"";
    const QHash<int, QString> table = parseUiStringTable(text);
    EXPECT_EQ(table.value(1), QStringLiteral("plain"));
    EXPECT_EQ(table.value(2), QStringLiteral("say \"hi\" "));
    EXPECT_TRUE(table.contains(3));
    EXPECT_EQ(table.value(3), QString());
    EXPECT_EQ(table.value(7), QStringLiteral("last, no line break"));
    EXPECT_EQ(table.size(), 4);
}

struct MessageCase {
    const char* input;
    const char* expected;
};

class MessageText : public ::testing::TestWithParam<MessageCase> {};

TEST_P(MessageText, BreaksLinesAndDropsAccelerators)
{
    EXPECT_EQ(toMessageText(QString::fromUtf8(GetParam().input)), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, MessageText,
                         ::testing::Values(MessageCase{"&File", "File"},
                                           MessageCase{"a<>b<>c", "a\n\rb\n\rc"},
                                           MessageCase{"Save &&All & more", "Save All  more"},
                                           MessageCase{"<<>>", "<\n\r>"},
                                           MessageCase{"", ""}));

TEST(LoadMessageString, TurnsTheBuiltInQuestionIntoTwoLines)
{
    EXPECT_EQ(LoadMessageString(33028), QStringLiteral("Report has changed ! \n\rSave report now ?"));
    EXPECT_EQ(LoadMessageString(33043), QStringLiteral("File"));
    EXPECT_EQ(LoadMessageString(33003), QString());
}

} // namespace
