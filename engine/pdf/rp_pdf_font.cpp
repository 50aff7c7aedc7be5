#include "engine/pdf/rp_pdf_font.h"

#include "engine/pdf/rp_pdf_bytes.h"
#include "engine/pdf/rp_pdf_file.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// Character map entries per bfchar block; the format allows at most 100.
constexpr int kMapBlockSize = 100;
// Widths carry two places so that laid-out positions need no adjustment for rounding.
constexpr int kWidthDecimals = 2;

void appendUtf16(TRpPdfBytes& out, char32_t character)
{
    if (character < 0x10000) {
        out.appendHex4(character);
        return;
    }
    const char32_t value = character - 0x10000;
    out.appendHex4(0xD800 + (value >> 10));
    out.appendHex4(0xDC00 + (value & 0x3FF));
}

} // namespace

TRpPdfFont::TRpPdfFont(const QRawFont& face, TRpTrueTypeMetrics metrics, int objectNumber, QByteArray resourceName,
                       QByteArray subsetTag)
    : m_face(face), m_metrics(std::move(metrics)), m_objectNumber(objectNumber),
      m_resourceName(std::move(resourceName)), m_subsetTag(std::move(subsetTag)),
      m_used(m_metrics.advances.size(), false), m_characters(m_metrics.advances.size(), 0)
{
}

void TRpPdfFont::use(quint32 glyph, char32_t character)
{
    if (glyph >= m_used.size())
        return;
    m_used[glyph] = true;
    if (m_characters[glyph] == 0)
        m_characters[glyph] = character;
}

double TRpPdfFont::width(quint32 glyph) const
{
    if (glyph >= m_metrics.advances.size())
        return 0;
    // Rounded as the widths array writes it, so positions computed from it match the reader's.
    return std::round(m_metrics.advances[glyph] * 100000.0 / m_metrics.unitsPerEm) / 100;
}

QByteArray TRpPdfFont::baseFontName() const
{
    QString name = m_metrics.postScriptName;
    if (name.isEmpty()) {
        name = m_face.familyName() + QLatin1Char('-') + m_face.styleName();
        name.remove(QLatin1Char(' '));
    }
    return m_subsetTag + '+' + name.toLatin1();
}

QByteArray TRpPdfFont::widthsArray() const
{
    // Runs of consecutive glyphs share one entry: first [w1 w2 ...].
    TRpPdfBytes out;
    out << '[';
    size_t glyph = 0;
    while (glyph < m_used.size()) {
        if (!m_used[glyph]) {
            ++glyph;
            continue;
        }
        out.appendInt(static_cast<int64_t>(glyph));
        out << '[';
        bool first = true;
        for (; glyph < m_used.size() && m_used[glyph]; ++glyph) {
            if (!first)
                out << ' ';
            out.appendReal(width(static_cast<quint32>(glyph)), kWidthDecimals);
            first = false;
        }
        out << ']';
    }
    out << ']';
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

QByteArray TRpPdfFont::toUnicodeMap() const
{
    std::vector<size_t> mapped;
    for (size_t glyph = 0; glyph < m_used.size(); ++glyph) {
        if (m_used[glyph] && m_characters[glyph] != 0)
            mapped.push_back(glyph);
    }
    TRpPdfBytes out;
    out << "/CIDInit/ProcSet findresource begin\n12 dict begin\nbegincmap\n"
           "/CIDSystemInfo<</Registry(Adobe)/Ordering(UCS)/Supplement 0>>def\n"
           "/CMapName/Adobe-Identity-UCS def\n/CMapType 2 def\n"
           "1 begincodespacerange\n<0000><FFFF>\nendcodespacerange\n";
    for (size_t start = 0; start < mapped.size(); start += kMapBlockSize) {
        const size_t end = std::min(mapped.size(), start + kMapBlockSize);
        out.appendInt(static_cast<int64_t>(end - start));
        out << " beginbfchar\n";
        for (size_t i = start; i < end; ++i) {
            out << '<';
            out.appendHex4(static_cast<uint32_t>(mapped[i]));
            out << "><";
            appendUtf16(out, m_characters[mapped[i]]);
            out << ">\n";
        }
        out << "endbfchar\n";
    }
    out << "endcmap\nCMapName currentdict/CMap defineresource pop\nend\nend\n";
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

int TRpPdfFont::descriptorFlags() const
{
    constexpr int kFixedPitch = 1, kSerif = 2, kSymbolic = 4, kItalic = 64;
    int flags = kSymbolic; // glyphs are addressed by index, not by a standard encoding
    if (m_metrics.fixedPitch)
        flags |= kFixedPitch;
    if (m_metrics.serif)
        flags |= kSerif;
    if (m_metrics.italicAngle != 0 || m_face.style() != QFont::StyleNormal)
        flags |= kItalic;
    return flags;
}

void TRpPdfFont::write(TRpPdfFile& file) const
{
    // A face whose tables cannot be subset goes without its file; readers then substitute.
    const QByteArray subset = rpSubsetTrueType([this](const char* tag) { return m_face.fontTable(tag); }, m_used);
    const int cidFont = file.reserveObject();
    const int descriptor = file.reserveObject();
    const int fontFile = subset.isEmpty() ? 0 : file.reserveObject();
    const int toUnicode = file.reserveObject();
    const QByteArray name = baseFontName();
    const auto scaled = [this](int units) {
        return static_cast<int64_t>(units) * 1000 / m_metrics.unitsPerEm;
    };

    file.beginObject(m_objectNumber);
    TRpPdfBytes& type0 = file.body();
    type0 << "<</Type/Font/Subtype/Type0/BaseFont";
    type0.appendName(name.toStdString());
    type0 << "/Encoding/Identity-H/DescendantFonts[";
    type0.appendInt(cidFont);
    type0 << " 0 R]/ToUnicode ";
    type0.appendInt(toUnicode);
    type0 << " 0 R>>";
    file.endObject();

    file.beginObject(cidFont);
    TRpPdfBytes& cid = file.body();
    cid << "<</Type/Font/Subtype/CIDFontType2/BaseFont";
    cid.appendName(name.toStdString());
    cid << "/CIDSystemInfo<</Registry(Adobe)/Ordering(Identity)/Supplement 0>>/FontDescriptor ";
    cid.appendInt(descriptor);
    cid << " 0 R/CIDToGIDMap/Identity/DW ";
    cid.appendReal(width(0), kWidthDecimals);
    cid << "/W" << widthsArray() << ">>";
    file.endObject();

    file.beginObject(descriptor);
    TRpPdfBytes& desc = file.body();
    desc << "<</Type/FontDescriptor/FontName";
    desc.appendName(name.toStdString());
    desc << "/Flags ";
    desc.appendInt(descriptorFlags());
    desc << "/FontBBox[";
    for (const int value : {m_metrics.xMin, m_metrics.yMin, m_metrics.xMax, m_metrics.yMax}) {
        desc.appendInt(scaled(value));
        desc << ' ';
    }
    desc << "]/ItalicAngle ";
    desc.appendReal(m_metrics.italicAngle, 2);
    desc << "/Ascent ";
    desc.appendInt(scaled(m_metrics.ascent));
    desc << "/Descent ";
    desc.appendInt(scaled(m_metrics.descent));
    desc << "/CapHeight ";
    desc.appendInt(scaled(m_metrics.capHeight));
    // No table holds the stem width; this estimate from the weight class is what
    // readers use only for substitution.
    desc << "/StemV ";
    desc.appendInt(10 + m_metrics.weightClass / 5);
    if (fontFile != 0) {
        desc << "/FontFile2 ";
        desc.appendInt(fontFile);
        desc << " 0 R";
    }
    desc << ">>";
    file.endObject();

    if (fontFile != 0)
        file.writeStream(fontFile, "/Length1 " + std::to_string(subset.size()), subset);
    file.writeStream(toUnicode, {}, toUnicodeMap());
}
