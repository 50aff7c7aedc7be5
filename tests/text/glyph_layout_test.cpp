#include "engine/text/glyph_layout.h"

#include <QFontMetricsF>
#include <QImage>

#include <gtest/gtest.h>

namespace {

constexpr int kPrinterDpi = 1200;

QFont reportFont(bool bold = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(10);
    font.setBold(bold);
    return font;
}

// Qt's own measurement of the same text at the same resolution.
double qtWidth(const QFont& font, const QString& text)
{
    QImage device(10, 10, QImage::Format_RGB32);
    device.setDotsPerMeterX(qRound(kPrinterDpi / 0.0254));
    device.setDotsPerMeterY(qRound(kPrinterDpi / 0.0254));
    return QFontMetricsF(font, &device).horizontalAdvance(text);
}

int glyphCount(const TRpGlyphLine& line)
{
    int count = 0;
    for (const TRpGlyphRun& run : line.runs)
        count += int(run.glyphs.size());
    return count;
}

struct WidthCase {
    const char* text;
    bool bold;
    bool oneGlyphPerCharacter;
};

class GlyphLayoutWidth : public testing::TestWithParam<WidthCase> {};

// Whichever way a line is laid out, its width agrees with Qt's shaper to a fraction of a
// per cent, so text placed by the layout lines up with text Qt draws.
TEST_P(GlyphLayoutWidth, AgreesWithQtsMeasurement)
{
    const WidthCase& c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    const QFont font = reportFont(c.bold);
    const TRpGlyphLine line = rpLayoutGlyphLine(font, kPrinterDpi, text);
    EXPECT_NEAR(line.advance, qtWidth(font, text), qtWidth(font, text) * 0.005 + 0.5);
    ASSERT_FALSE(line.runs.isEmpty());
    if (c.oneGlyphPerCharacter) {
        ASSERT_EQ(line.runs.size(), 1);
        const TRpGlyphRun& run = line.runs.first();
        ASSERT_EQ(run.glyphs.size(), text.size());
        for (qsizetype i = 0; i < text.size(); ++i)
            EXPECT_EQ(run.characters.at(i), char32_t(text.at(i).unicode()));
        for (qsizetype i = 1; i < run.positions.size(); ++i)
            EXPECT_GT(run.positions.at(i).x(), run.positions.at(i - 1).x());
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, GlyphLayoutWidth,
                         testing::Values(WidthCase{"Customer 42", false, true}, WidthCase{"AVATAR Type", false, true},
                                         WidthCase{"1,234.50", true, true},
                                         WidthCase{"\xc3\x86r\xc3\xb8sk\xc3\xb8\x62ing \xe2\x82\xac 12", false, true},
                                         WidthCase{"Cafe\xcc\x81 au lait", false, false},
                                         WidthCase{"\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d", false, false}));

TEST(GlyphLayout, EmptyTextHasNoGlyphs)
{
    const TRpGlyphLine line = rpLayoutGlyphLine(reportFont(), kPrinterDpi, QString());
    EXPECT_TRUE(line.runs.isEmpty());
    EXPECT_EQ(line.advance, 0);
}

// A character the report font lacks is drawn from a fallback face, not as a missing box.
TEST(GlyphLayout, MissingGlyphsComeFromAnotherFace)
{
    const QString text = QString::fromUtf8("Total \xe2\x88\x91 \xe2\x9c\x93");
    const TRpGlyphLine line = rpLayoutGlyphLine(reportFont(), kPrinterDpi, text);
    ASSERT_GT(glyphCount(line), 0);
    for (const TRpGlyphRun& run : line.runs)
        EXPECT_FALSE(run.glyphs.contains(0u)) << run.font.familyName().toStdString();
}

// Right-to-left lines are laid out by the shaper, which reverses them.
TEST(GlyphLayout, RightToLeftGoesThroughTheShaper)
{
    const QString text = QStringLiteral("abc");
    const TRpGlyphLine line = rpLayoutGlyphLine(reportFont(), kPrinterDpi, text, Qt::RightToLeft);
    ASSERT_EQ(glyphCount(line), 3);
    EXPECT_NEAR(line.advance, qtWidth(reportFont(), text), 1.0);
}

TEST(GlyphLayout, FacesFollowTheResolution)
{
    const QRawFont printer = rpRawFont(reportFont(), kPrinterDpi);
    const double printerSize = printer.pixelSize();
    const QRawFont screen = rpRawFont(reportFont(), 96);
    EXPECT_NEAR(printerSize, 10 * kPrinterDpi / 72.0, 1.0);
    EXPECT_NEAR(screen.pixelSize(), 10 * 96 / 72.0, 1.0);
    EXPECT_EQ(rpDeviceFont(reportFont(true), kPrinterDpi).weight(), QFont::Bold);
}

} // namespace
