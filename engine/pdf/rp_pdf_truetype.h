// TrueType faces for embedding: the metrics the font descriptor and widths need, read
// from the face's own tables, and a subset of the face with only the glyphs a document
// used (other glyphs keep their index but lose their outline).
//
// The tables are outside bytes: every read is bounds-checked and a damaged face gives
// empty results, never a crash.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

// Returns one table of the face by its four-letter tag, empty when the face has none.
using TRpFontTableReader = std::function<QByteArray(const char* tag)>;

struct TRpTrueTypeMetrics {
    int unitsPerEm = 1000;
    int numGlyphs = 0;
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    int ascent = 0;
    int descent = 0;
    int capHeight = 0;
    int weightClass = 400;
    double italicAngle = 0;
    bool fixedPitch = false;
    bool serif = false;
    QString postScriptName;
    std::vector<uint16_t> advances; // by glyph index, font units
};

// False when the face lacks the tables every TrueType face has (head, hhea, maxp, hmtx)
// or they are damaged.
bool rpReadTrueTypeMetrics(const TRpFontTableReader& table, TRpTrueTypeMetrics* metrics);

// True when the face holds TrueType outlines (a 'glyf' table), which can be embedded.
bool rpHasTrueTypeOutlines(const TRpFontTableReader& table);

// A complete TrueType file of the face where every glyph not in `used` (by glyph index)
// is empty, except glyph 0 and the components of kept composite glyphs. Empty when the
// face's tables cannot be read.
QByteArray rpSubsetTrueType(const TRpFontTableReader& table, const std::vector<bool>& used);
