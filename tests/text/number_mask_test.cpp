#include "engine/text/number_mask.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct NumberCase {
    const char* mask;
    double value;
    const char* english;
    const char* german;
};

class NumberMask : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberMask, FormatsInTheLocaleSeparators)
{
    const NumberCase& c = GetParam();
    const QString mask = QString::fromUtf8(c.mask);
    EXPECT_EQ(rpFormatNumber(mask, c.value, QLocale(QLocale::English, QLocale::UnitedStates)), QString::fromUtf8(c.english))
        << c.mask << " " << c.value;
    EXPECT_EQ(rpFormatNumber(mask, c.value, QLocale(QLocale::German, QLocale::Germany)), QString::fromUtf8(c.german))
        << c.mask << " " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberMask,
    ::testing::Values(
        NumberCase{"#,##0.00", 1234567.891, "1,234,567.89", "1.234.567,89"},
        NumberCase{"#,##0.00", 0, "0.00", "0,00"},
        NumberCase{"#,##0.00", -1234.5, "-1,234.50", "-1.234,50"},
        NumberCase{"#,##0", 999.5, "1,000", "1.000"},
        NumberCase{"0.0", 2.25, "2.3", "2,3"},
        NumberCase{"0.0", 7, "7.0", "7,0"},
        NumberCase{"0.0", -0.04, "0.0", "0,0"},
        NumberCase{"00000", 42, "00042", "00042"},
        NumberCase{"00000", 1234567, "1234567", "1234567"},
        NumberCase{"0.00;(0.00)", -3.5, "(3.50)", "(3,50)"},
        NumberCase{"0.00;(0.00)", 3.5, "3.50", "3,50"},
        NumberCase{"0.00;(0.00);'nothing'", 0.001, "nothing", "nothing"},
        NumberCase{"#.##", 0.5, ".5", ",5"},
        NumberCase{"#.##", 12, "12", "12"},
        NumberCase{"0.0#", 1.5, "1.5", "1,5"},
        NumberCase{"0.0#", 1.257, "1.26", "1,26"},
        NumberCase{"$#,##0.00", 1500, "$1,500.00", "$1.500,00"},
        NumberCase{"0.00 \"kg\"", 12.345, "12.35 kg", "12,35 kg"},
        NumberCase{"000-000", 12345, "012-345", "012-345"},
        NumberCase{"0.00E+00", 12345, "1.23E+04", "1,23E+04"},
        NumberCase{"0.0E-0", 0.00123, "1.2E-3", "1,2E-3"},
        NumberCase{"0.0E-0", 123, "1.2E2", "1,2E2"}));

TEST(NumberMaskEdges, EmptyMaskGivesTheGeneralFormat)
{
    EXPECT_EQ(rpFormatNumber(QString(), 2.5, QLocale(QLocale::German, QLocale::Germany)), QStringLiteral("2,5"));
    EXPECT_EQ(rpFormatNumber(QString(), 100, QLocale(QLocale::English, QLocale::UnitedStates)), QStringLiteral("100"));
}

TEST(NumberMaskEdges, NoTextForValuesThatAreNotNumbers)
{
    EXPECT_FALSE(rpFormatNumber(QStringLiteral("0.00"), std::numeric_limits<double>::infinity()).has_value());
    EXPECT_FALSE(rpFormatNumber(QStringLiteral("0.00"), std::nan("")).has_value());
}

TEST(NumberMaskEdges, UnterminatedQuoteKeepsTheRestAsText)
{
    EXPECT_EQ(rpFormatNumber(QStringLiteral("0 'units"), 5, QLocale::c()), QStringLiteral("5 units"));
}

} // namespace
