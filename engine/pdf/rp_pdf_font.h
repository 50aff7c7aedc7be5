// One embedded face of a PDF document: a Type0 font with Identity-H encoding over a
// CIDFontType2 whose glyph ids are the face's own glyph indexes, the widths and
// characters of the glyphs the document used, and the face subset to those glyphs.
#pragma once

#include "engine/pdf/rp_pdf_truetype.h"

#include <QByteArray>
#include <QRawFont>

#include <vector>

class TRpPdfFile;

class TRpPdfFont {
public:
    // `resourceName` is the name pages use for the font ("F1"); `subsetTag` the six
    // capital letters that mark the embedded face as a subset.
    TRpPdfFont(const QRawFont& face, TRpTrueTypeMetrics metrics, int objectNumber, QByteArray resourceName,
               QByteArray subsetTag);

    int objectNumber() const { return m_objectNumber; }
    const QByteArray& resourceName() const { return m_resourceName; }

    // Records that the glyph is drawn for the character (0 when it stands for none).
    void use(quint32 glyph, char32_t character);
    // The advance of the glyph in thousandths of the font size, as the widths array says.
    double width(quint32 glyph) const;

    // Writes the font dictionaries, the subset face and the character map.
    void write(TRpPdfFile& file) const;

private:
    QByteArray baseFontName() const;
    QByteArray widthsArray() const;
    QByteArray toUnicodeMap() const;
    int descriptorFlags() const;

    QRawFont m_face;
    TRpTrueTypeMetrics m_metrics;
    int m_objectNumber;
    QByteArray m_resourceName;
    QByteArray m_subsetTag;
    std::vector<bool> m_used;
    std::vector<char32_t> m_characters;
};
