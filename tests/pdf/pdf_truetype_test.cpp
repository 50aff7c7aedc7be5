// Reading and subsetting TrueType faces, including damaged tables.
#include "engine/pdf/rp_pdf_truetype.h"

#include <QFile>
#include <QPainterPath>
#include <QRawFont>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <map>

namespace {

const QString kFontFile = QStringLiteral("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf");

QByteArray fontFileData()
{
    QFile file(kFontFile);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QRawFont liberationSans()
{
    return QRawFont(fontFileData(), 48);
}

TRpFontTableReader readerOf(const QRawFont& face)
{
    return [face](const char* tag) { return face.fontTable(tag); };
}

std::vector<bool> usedGlyphs(const QRawFont& face, const QString& text)
{
    std::vector<bool> used(65536, false);
    for (const quint32 glyph : face.glyphIndexesForString(text))
        used[glyph] = true;
    return used;
}

TEST(PdfTrueTypeTest, MetricsOfARealFace)
{
    const QRawFont face = liberationSans();
    TRpTrueTypeMetrics metrics;
    ASSERT_TRUE(rpReadTrueTypeMetrics(readerOf(face), &metrics));
    EXPECT_EQ(metrics.unitsPerEm, 2048);
    EXPECT_EQ(metrics.postScriptName, QStringLiteral("LiberationSans"));
    EXPECT_GT(metrics.ascent, 0);
    EXPECT_LT(metrics.descent, 0);
    EXPECT_GT(metrics.capHeight, 0);
    EXPECT_EQ(metrics.weightClass, 400);
    EXPECT_FALSE(metrics.fixedPitch);
    ASSERT_EQ(metrics.advances.size(), static_cast<size_t>(metrics.numGlyphs));
    const quint32 a = face.glyphIndexesForString(QStringLiteral("a")).constFirst();
    // Liberation Sans' "a" is 1139 units wide, as in Arial.
    EXPECT_EQ(metrics.advances[a], 1139);
    EXPECT_TRUE(rpHasTrueTypeOutlines(readerOf(face)));
}

TEST(PdfTrueTypeTest, SubsetKeepsUsedGlyphsAndTheirComponentsOnly)
{
    const QRawFont face = liberationSans();
    // "Á" is a composite of "A" and the acute accent in this face.
    const QByteArray subset = rpSubsetTrueType(readerOf(face), usedGlyphs(face, QStringLiteral("Áb")));
    ASSERT_FALSE(subset.isEmpty());
    EXPECT_LT(subset.size(), face.fontTable("glyf").size() / 2);

    const QRawFont reread = QRawFont(subset, 48);
    ASSERT_TRUE(reread.isValid());
    const auto glyph = [&](const QString& c) { return face.glyphIndexesForString(c).constFirst(); };
    const auto outline = [&](const QRawFont& f, quint32 g) { return f.pathForGlyph(g).boundingRect(); };
    for (const QString& kept : {QStringLiteral("Á"), QStringLiteral("b")}) {
        EXPECT_FALSE(outline(reread, glyph(kept)).isEmpty()) << kept.toStdString();
        EXPECT_EQ(outline(reread, glyph(kept)), face.pathForGlyph(glyph(kept)).boundingRect());
    }
    for (const QString& dropped : {QStringLiteral("c"), QStringLiteral("Z"), QStringLiteral("€")})
        EXPECT_TRUE(outline(reread, glyph(dropped)).isEmpty()) << dropped.toStdString();
    // The advances stay, so the widths of every glyph keep their place.
    EXPECT_EQ(reread.advancesForGlyphIndexes(QList<quint32>{glyph(QStringLiteral("c"))}),
              face.advancesForGlyphIndexes(QList<quint32>{glyph(QStringLiteral("c"))}));
}

TEST(PdfTrueTypeTest, DamagedTablesGiveEmptyResultsNotCrashes)
{
    const QRawFont face = liberationSans();
    std::map<QByteArray, QByteArray> tables;
    for (const char* tag : {"head", "hhea", "maxp", "hmtx", "loca", "glyf", "cmap", "post", "name", "OS/2"})
        tables[tag] = face.fontTable(tag);
    const std::vector<bool> used = usedGlyphs(face, QStringLiteral("Hello Á"));
    QRandomGenerator random(20240611);
    for (int round = 0; round < 200; ++round) {
        std::map<QByteArray, QByteArray> damaged = tables;
        auto victim = damaged.begin();
        std::advance(victim, random.bounded(static_cast<int>(damaged.size())));
        QByteArray& data = victim->second;
        if (round % 3 == 0) {
            data.truncate(random.bounded(static_cast<int>(data.size()) + 1));
        } else {
            for (int flips = 0; flips < 16 && !data.isEmpty(); ++flips)
                data[random.bounded(static_cast<int>(data.size()))] = static_cast<char>(random.bounded(256));
        }
        const TRpFontTableReader reader = [&damaged](const char* tag) {
            const auto found = damaged.find(tag);
            return found == damaged.end() ? QByteArray() : found->second;
        };
        TRpTrueTypeMetrics metrics;
        if (rpReadTrueTypeMetrics(reader, &metrics)) {
            EXPECT_GT(metrics.unitsPerEm, 0);
        }
        const QByteArray subset = rpSubsetTrueType(reader, used);
        EXPECT_LT(subset.size(), 4 * fontFileData().size());
    }
}

TEST(PdfTrueTypeTest, FacesWithoutTrueTypeOutlinesAreRecognised)
{
    const QRawFont face = liberationSans();
    const TRpFontTableReader withoutGlyf = [&face](const char* tag) {
        return QByteArray(tag) == "glyf" ? QByteArray() : face.fontTable(tag);
    };
    EXPECT_FALSE(rpHasTrueTypeOutlines(withoutGlyf));
    EXPECT_TRUE(rpSubsetTrueType(withoutGlyf, usedGlyphs(face, QStringLiteral("a"))).isEmpty());
    EXPECT_FALSE(rpReadTrueTypeMetrics([](const char*) { return QByteArray(); }, nullptr));
}

} // namespace
