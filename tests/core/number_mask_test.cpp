#include "core/number_mask.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct NumberCase {
    const char* mask;
    double value;
    const char* plain;  // in the C locale
    const char* german; // decimal comma, point between thousands
};

class NumberMask : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberMask, FormatsInTheLocaleSeparators)
{
    const NumberCase& c = GetParam();
    const QString mask = QString::fromUtf8(c.mask);
    EXPECT_EQ(formatNumberMask(mask, c.value, QLocale::c()), QString::fromUtf8(c.plain)) << c.mask << " " << c.value;
    EXPECT_EQ(formatNumberMask(mask, c.value, QLocale(QLocale::German, QLocale::Germany)), QString::fromUtf8(c.german))
        << c.mask << " " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    DigitPlaces, NumberMask,
    ::testing::Values(NumberCase{"00000", 42, "00042", "00042"},
                      NumberCase{"00000", 1234567, "1234567", "1234567"},
                      NumberCase{"0##", 5, "005", "005"}, // every place from the first '0' on is shown
                      NumberCase{"#", 0, "", ""},
                      NumberCase{"#.##", 0.5, ".5", ",5"},
                      NumberCase{"#.##", 12, "12", "12"},
                      NumberCase{"0.0#", 1.5, "1.5", "1,5"},
                      NumberCase{"0.#0", 1.5, "1.50", "1,50"},
                      NumberCase{".00", 5.5, "5.50", "5,50"}, // integer digits are never dropped
                      NumberCase{"0.0.0", 5.25, "5.2.5", "5,2.5"}, // a second point is text
                      NumberCase{"0", 1e20, "100000000000000000000", "100000000000000000000"},
                      NumberCase{"0.00", 123456789012345678.0, "123456789012345680.00", "123456789012345680,00"}));

INSTANTIATE_TEST_SUITE_P(
    Grouping, NumberMask,
    ::testing::Values(NumberCase{"#,##0.00", 1234567.891, "1,234,567.89", "1.234.567,89"},
                      NumberCase{"#,##0.00", 0, "0.00", "0,00"},
                      NumberCase{"#,##0", 12, "12", "12"},
                      NumberCase{"#,##0", 1e20, "100,000,000,000,000,000,000", "100.000.000.000.000.000.000"},
                      NumberCase{"0.0,0", 1234.5, "1234.5,0", "1234,5,0"}, // after the point ',' is text
                      NumberCase{"#,##0-0", 123456, "123,45-6", "123.45-6"},
                      NumberCase{"#,##0 'EUR'", 1234, "1,234 EUR", "1.234 EUR"},
                      NumberCase{"#,##0;(#,##0)", -1234567.5, "(1,234,568)", "(1.234.568)"}));

// Half away from zero, on the decimal digits the value is written with.
INSTANTIATE_TEST_SUITE_P(
    Rounding, NumberMask,
    ::testing::Values(NumberCase{"0", 2.5, "3", "3"},
                      NumberCase{"0", -2.5, "-3", "-3"},
                      NumberCase{"0.0", 0.35, "0.4", "0,4"},
                      NumberCase{"0.00", 1.005, "1.01", "1,01"},
                      NumberCase{"0.00", -2.675, "-2.68", "-2,68"},
                      NumberCase{"0.0#", 1.257, "1.26", "1,26"},
                      NumberCase{"#,##0", 999.5, "1,000", "1.000"}));

INSTANTIATE_TEST_SUITE_P(
    Sections, NumberMask,
    ::testing::Values(NumberCase{"0.00;(0.00)", -3.5, "(3.50)", "(3,50)"},
                      NumberCase{"0.00;(0.00)", 3.5, "3.50", "3,50"},
                      NumberCase{"0.00;", -3.5, "-3.50", "-3,50"},
                      NumberCase{"$#,##0.00", -1500, "-$1,500.00", "-$1.500,00"},
                      NumberCase{"0.0", -0.04, "0.0", "0,0"},
                      NumberCase{"0.00;(0.00)", -0.001, "0.00", "0,00"},
                      NumberCase{"0;0.00", -0.4, "0.40", "0,40"}, // the section that shows it decides
                      NumberCase{"0.00;(0.00);'nothing'", 0.001, "nothing", "nothing"},
                      NumberCase{"0.0;(0.0);zero", -0.04, "zero", "zero"},
                      NumberCase{"0.0;(0.0);", 0, "0.0", "0,0"},
                      NumberCase{";(0.00)", 3.5, "3.5", "3,5"},
                      NumberCase{";(0.00)", -3.5, "(3.50)", "(3,50)"},
                      NumberCase{";;'z'", 0, "z", "z"},
                      NumberCase{";;'z'", -2.5, "-2.5", "-2,5"}));

INSTANTIATE_TEST_SUITE_P(
    Literals, NumberMask,
    ::testing::Values(NumberCase{"0.00 \"kg\"", 12.345, "12.35 kg", "12,35 kg"},
                      NumberCase{"Total: 0", 12, "Total: 12", "Total: 12"},
                      NumberCase{"000-000", 12345, "012-345", "012-345"},
                      NumberCase{"0.0'x'0", 1.25, "1.2x5", "1,2x5"},
                      NumberCase{"'a;b'0", 5, "a;b5", "a;b5"},
                      NumberCase{"0 '#'", 5, "5 #", "5 #"},
                      NumberCase{"0 'units", 5, "5 units", "5 units"},
                      // Without digit places a section is text only.
                      NumberCase{"'0'", 5, "0", "0"},
                      NumberCase{"0;'overdrawn'", -5, "overdrawn", "overdrawn"},
                      NumberCase{"abc", -5, "-abc", "-abc"}));

INSTANTIATE_TEST_SUITE_P(
    Exponents, NumberMask,
    ::testing::Values(NumberCase{"0.00E+00", 12345, "1.23E+04", "1,23E+04"},
                      NumberCase{"0.00E+00", -12345, "-1.23E+04", "-1,23E+04"},
                      NumberCase{"0.00E+00", 0, "0.00E+00", "0,00E+00"},
                      NumberCase{"0.0E-0", 0.00123, "1.2E-3", "1,2E-3"},
                      NumberCase{"0.0E-0", 123, "1.2E2", "1,2E2"},
                      NumberCase{"0.00e-00", 1e-10, "1.00e-10", "1,00e-10"},
                      NumberCase{"##0.0E+00", 12345, "123.5E+02", "123,5E+02"},
                      NumberCase{".00E+00", 1234, ".12E+04", ",12E+04"},
                      NumberCase{"0.0E+0", 9.96, "1.0E+1", "1,0E+1"},
                      NumberCase{"0.0E+0", -1e-20, "-1.0E-20", "-1,0E-20"},
                      NumberCase{"0.0E+0;;'z'", 1e-20, "1.0E-20", "1,0E-20"},
                      NumberCase{"0.0E+0 'x'", 1234, "1.2E+3 x", "1,2E+3 x"},
                      NumberCase{"0.0E", 5, "5.0E", "5,0E"}));

// An empty mask, like an empty section, gives the general format.
INSTANTIATE_TEST_SUITE_P(
    GeneralFormat, NumberMask,
    ::testing::Values(NumberCase{"", 2.5, "2.5", "2,5"},
                      NumberCase{"", -3.5, "-3.5", "-3,5"},
                      NumberCase{"", 100, "100", "100"},
                      NumberCase{"", 0.1 + 0.2, "0.3", "0,3"},
                      NumberCase{"", 0.00001, "0.00001", "0,00001"},
                      NumberCase{"", 1e-6, "1E-6", "1E-6"},
                      NumberCase{"", 1.5e20, "1.5E20", "1,5E20"},
                      NumberCase{"", 123456789012345678.0, "1.23456789012346E17", "1,23456789012346E17"}));

TEST(NumberMaskEdges, HugeValuesShowTheirDecimalDigitsNotTheBinaryExpansion)
{
    EXPECT_EQ(formatNumberMask(QStringLiteral("0.00"), 1e300, QLocale::c()),
              QLatin1Char('1') + QString(300, QLatin1Char('0')) + QStringLiteral(".00"));
}

TEST(NumberMaskEdges, NoTextForValuesThatAreNotNumbers)
{
    for (const double value : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                               std::nan("")}) {
        EXPECT_FALSE(formatNumberMask(QStringLiteral("0.00"), value).has_value()) << value;
        EXPECT_FALSE(formatNumberMask(QString(), value).has_value()) << value;
    }
    EXPECT_EQ(formatFloatGeneral(std::numeric_limits<double>::infinity()), QStringLiteral("INF"));
    EXPECT_EQ(formatFloatGeneral(-std::numeric_limits<double>::infinity()), QStringLiteral("-INF"));
    EXPECT_EQ(formatFloatGeneral(std::nan("")), QStringLiteral("NAN"));
}

} // namespace
