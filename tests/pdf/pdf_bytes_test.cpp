// Number forms of page content: short, rounded, never "-0" or exponents.
#include "engine/pdf/rp_pdf_bytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct TRealCase {
    double value;
    int decimals;
    const char* text;
};

TEST(PdfBytesTest, RealsAreRoundedWithoutTrailingZeros)
{
    const TRealCase cases[] = {
        {0, 2, "0"},          {1, 2, "1"},           {1.5, 2, "1.5"},          {2.25, 2, "2.25"},
        {-3.14159, 2, "-3.14"}, {-0.001, 2, "0"},     {0.005, 2, "0.01"},       {1234567.891, 1, "1234567.9"},
        {9.999, 2, "10"},     {100, 3, "100"},       {0.1, 3, "0.1"},          {-12.5, 0, "-13"},
        {1e-7, 6, "0"},       {0.000001, 6, "0.000001"}, {std::numeric_limits<double>::quiet_NaN(), 2, "0"},
        {std::numeric_limits<double>::infinity(), 2, "0"},
    };
    for (const TRealCase& c : cases) {
        TRpPdfBytes bytes;
        bytes.appendReal(c.value, c.decimals);
        EXPECT_EQ(bytes.view(), c.text) << c.value << " with " << c.decimals << " places";
    }
}

TEST(PdfBytesTest, IntegersHexAndNames)
{
    TRpPdfBytes bytes;
    bytes.appendInt(-9223372036854775807LL - 1);
    bytes << ' ';
    bytes.appendInt(0);
    bytes << ' ';
    bytes.appendHex4(0x20AC);
    bytes.appendName("Liberation Sans#(1)");
    EXPECT_EQ(bytes.view(), "-9223372036854775808 0 20AC/Liberation#20Sans#23#281#29");
}

TEST(PdfBytesTest, TextStringsAreUtf16WithByteOrderMark)
{
    TRpPdfBytes bytes;
    bytes.appendTextString(QStringLiteral("A€"));
    EXPECT_EQ(bytes.view(), "<FEFF004120AC>");
}

} // namespace
