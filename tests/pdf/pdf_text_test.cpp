// Text: what pdftotext reads back, and how faces are embedded.
#include "pdf_test_support.h"

#include "engine/pdf/rp_pdf_device.h"
#include "engine/pdf/rp_pdf_engine.h"
#include "engine/text/glyph_layout.h"

#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QFont font(const char* family, int points, bool bold = false, bool italic = false)
{
    QFont result(QString::fromLatin1(family), points);
    result.setBold(bold);
    result.setItalic(italic);
    return result;
}

// Lines of pdftotext output without empty ones.
QStringList textLines(const QString& file)
{
    QStringList lines = pdftest::pdfText(file).split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = line.trimmed();
    lines.removeAll(QString());
    lines.removeAll(QStringLiteral("\f"));
    return lines;
}

// The font rows pdffonts lists: name, type, encoding, embedded, subset, unicode map.
QStringList fontRows(const QString& file)
{
    QStringList rows = pdftest::runTool(QStringLiteral("pdffonts"), {file}).output.split(QLatin1Char('\n'));
    rows = rows.mid(2);
    rows.removeAll(QString());
    return rows;
}

const QString kAccented = QStringLiteral("Crème brûlée à São Paulo – Ærø, Œuvre, Łódź");
const QString kEuro = QStringLiteral("Total 1.234,50 €");

TEST(PdfTextTest, PainterTextComesBackInEveryFace)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("text.pdf"));
    ASSERT_TRUE(pdftest::writePdf(
        file,
        {[](QPainter& painter, TRpPdfDevice&) {
            painter.setFont(font("Liberation Sans", 12));
            painter.drawText(QPointF(100, 200), kAccented);
            painter.drawText(QPointF(100, 400), kEuro);
            painter.setFont(font("Liberation Serif", 14));
            painter.drawText(QPointF(100, 600), QStringLiteral("Second font line"));
            painter.setFont(font("Liberation Sans", 12, true));
            painter.drawText(QPointF(100, 800), QStringLiteral("Bold line"));
            painter.setFont(font("Liberation Sans", 12, false, true));
            painter.drawText(QPointF(100, 1000), QStringLiteral("Italic line"));
        }},
        {210, 297}, 300));
    EXPECT_EQ(textLines(file), (QStringList{kAccented, kEuro, QStringLiteral("Second font line"),
                                            QStringLiteral("Bold line"), QStringLiteral("Italic line")}));

    const QStringList fonts = fontRows(file);
    ASSERT_EQ(fonts.size(), 4) << pdftest::runTool(QStringLiteral("pdffonts"), {file}).output.toStdString();
    const QRegularExpression embeddedSubset(QStringLiteral("^[A-Z]{6}\\+\\S+\\s+CID TrueType\\s+Identity-H\\s+yes yes yes"));
    QStringList names;
    for (const QString& row : fonts) {
        EXPECT_TRUE(embeddedSubset.match(row).hasMatch()) << row.toStdString();
        names << row.section(QLatin1Char(' '), 0, 0).mid(7);
    }
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("LiberationSans"), QStringLiteral("LiberationSans-Bold"),
                                  QStringLiteral("LiberationSans-Italic"), QStringLiteral("LiberationSerif")}));
}

TEST(PdfTextTest, OneFaceAtManySizesIsOneFont)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sizes.pdf"));
    ASSERT_TRUE(pdftest::writePdf(file, {[](QPainter& painter, TRpPdfDevice&) {
                                      for (int points = 6; points <= 30; points += 4) {
                                          painter.setFont(font("Liberation Sans", points));
                                          painter.drawText(QPointF(20, points * 10), QStringLiteral("Size %1").arg(points));
                                      }
                                  }}));
    EXPECT_EQ(fontRows(file).size(), 1);
    EXPECT_EQ(textLines(file).size(), 7);
}

TEST(PdfTextTest, GlyphLinesDrawnDirectlyComeBackWithTheirPlace)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("glyphs.pdf"));
    const int resolution = 600;
    ASSERT_TRUE(pdftest::writePdf(
        file,
        {[&](QPainter& painter, TRpPdfDevice& device) {
            const TRpGlyphLine left = rpLayoutGlyphLine(font("Liberation Sans", 10), resolution, kEuro);
            const TRpGlyphLine right = rpLayoutGlyphLine(font("DejaVu Sans", 10, true), resolution, kAccented);
            // A painter transform set just before counts, though QPainter has not passed it on.
            painter.translate(0, 1000);
            device.drawGlyphLine(QPointF(600, 0), left, Qt::black);
            device.engine().drawGlyphLine(QPointF(600, 500), right, QColor(0, 0, 255));
        }},
        {210, 297}, resolution));
    EXPECT_EQ(textLines(file), (QStringList{kEuro, kAccented}));
    // Placed at 1 inch from the left, 1 2/3 inch from the top (the baseline): bounding box in points.
    const QString boxes = pdftest::runTool(QStringLiteral("pdftotext"),
                                           {QStringLiteral("-bbox"), file, QStringLiteral("-")})
                              .output;
    const QRegularExpression firstWord(QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">Total"));
    const QRegularExpressionMatch match = firstWord.match(boxes);
    ASSERT_TRUE(match.hasMatch()) << boxes.toStdString();
    EXPECT_NEAR(match.captured(1).toDouble(), 72, 1);
    EXPECT_LT(match.captured(2).toDouble(), 120);
    EXPECT_NEAR(match.captured(3).toDouble(), 120, 4) << "the baseline sits near the bottom of the box";
}

TEST(PdfTextTest, KernedTextKeepsTheLaidOutWidth)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("kern.pdf"));
    const int resolution = 300;
    const QFont kerned = font("DejaVu Sans", 20);
    const TRpGlyphLine line = rpLayoutGlyphLine(kerned, resolution, QStringLiteral("AVAVAVAVAVAV To Ty"));
    ASSERT_TRUE(pdftest::writePdf(file, {[&](QPainter&, TRpPdfDevice& device) {
                                      device.drawGlyphLine(QPointF(300, 600), line, Qt::black);
                                  }},
                                  {210, 297}, resolution));
    const QByteArray content = pdftest::uncompressedContent(file);
    EXPECT_TRUE(content.contains("]TJ")) << "kerning needs adjustments: " << content.toStdString();
    const QString boxes = pdftest::runTool(QStringLiteral("pdftotext"),
                                           {QStringLiteral("-bbox"), file, QStringLiteral("-")})
                              .output;
    const QRegularExpression lastWord(QStringLiteral("xMax=\"([0-9.]+)\"[^>]*>Ty<"));
    const QRegularExpressionMatch match = lastWord.match(boxes);
    ASSERT_TRUE(match.hasMatch()) << boxes.toStdString();
    const double expectedRight = (300 + line.advance) * 72.0 / resolution;
    EXPECT_NEAR(match.captured(1).toDouble(), expectedRight, 0.5);
}

TEST(PdfTextTest, TextStateIsWrittenOnlyWhenItChanges)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("state.pdf"));
    ASSERT_TRUE(pdftest::writePdf(file, {[](QPainter& painter, TRpPdfDevice&) {
                                      painter.setFont(font("Liberation Sans", 10));
                                      painter.setBrush(Qt::white);
                                      painter.setPen(Qt::NoPen);
                                      for (int row = 0; row < 20; ++row) {
                                          painter.drawRect(QRectF(50, 20 + row * 30, 200, 25));
                                          painter.setPen(Qt::black);
                                          painter.drawText(QPointF(55, 40 + row * 30), QStringLiteral("Row %1").arg(row));
                                          painter.setPen(Qt::NoPen);
                                      }
                                  }}));
    const QByteArray content = pdftest::uncompressedContent(file);
    EXPECT_EQ(content.count(" Tf"), 1) << content.toStdString();
    EXPECT_EQ(content.count("BT "), 20);
    // White for each rectangle, black for each text: one switch each way per row.
    EXPECT_EQ(content.count("1 g\n"), 20);
    EXPECT_EQ(content.count("0 g\n"), 20);
    EXPECT_EQ(content.count("q\n"), 0) << "no save without a clip or transform";
    EXPECT_EQ(textLines(file).size(), 20);
}

} // namespace
