#include "engine/pdf/rp_pdf_truetype.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// Big-endian reads that answer 0 beyond the end of the table.
uint16_t u16(const QByteArray& data, qsizetype offset)
{
    if (offset < 0 || offset + 2 > data.size())
        return 0;
    return qFromBigEndian<uint16_t>(data.constData() + offset);
}

int16_t s16(const QByteArray& data, qsizetype offset)
{
    return static_cast<int16_t>(u16(data, offset));
}

uint32_t u32(const QByteArray& data, qsizetype offset)
{
    if (offset < 0 || offset + 4 > data.size())
        return 0;
    return qFromBigEndian<uint32_t>(data.constData() + offset);
}

void put16(QByteArray& data, qsizetype offset, uint16_t value)
{
    qToBigEndian<uint16_t>(value, data.data() + offset);
}

void put32(QByteArray& data, qsizetype offset, uint32_t value)
{
    qToBigEndian<uint32_t>(value, data.data() + offset);
}

void append16(QByteArray& data, uint16_t value)
{
    char bytes[2];
    qToBigEndian<uint16_t>(value, bytes);
    data.append(bytes, 2);
}

void append32(QByteArray& data, uint32_t value)
{
    char bytes[4];
    qToBigEndian<uint32_t>(value, bytes);
    data.append(bytes, 4);
}

void padTo4(QByteArray& data)
{
    while (data.size() % 4 != 0)
        data.append('\0');
}

uint32_t tableChecksum(const QByteArray& data)
{
    uint32_t sum = 0;
    const qsizetype whole = data.size() / 4 * 4;
    for (qsizetype offset = 0; offset < whole; offset += 4)
        sum += u32(data, offset);
    if (whole < data.size()) {
        unsigned char tail[4] = {0, 0, 0, 0};
        std::memcpy(tail, data.constData() + whole, static_cast<size_t>(data.size() - whole));
        sum += qFromBigEndian<uint32_t>(tail);
    }
    return sum;
}

// Keeps the letters a PostScript font name may hold.
QString cleanPostScriptName(const QString& name)
{
    QString clean;
    for (const QChar c : name) {
        if (c.unicode() > 32 && c.unicode() < 127 && !QStringLiteral("[](){}<>/%#").contains(c))
            clean.append(c);
    }
    return clean;
}

QString readPostScriptName(const QByteArray& name)
{
    const int count = u16(name, 2);
    const int storage = u16(name, 4);
    QString macName;
    for (int i = 0; i < count; ++i) {
        const qsizetype record = 6 + 12 * i;
        if (record + 12 > name.size())
            break;
        const int platform = u16(name, record);
        const int nameId = u16(name, record + 6);
        const int length = u16(name, record + 8);
        const qsizetype offset = storage + u16(name, record + 10);
        if (nameId != 6 || offset + length > name.size())
            continue;
        if (platform == 3 || platform == 0) {
            QString text;
            for (int k = 0; k + 1 < length; k += 2)
                text.append(QChar(u16(name, offset + k)));
            return cleanPostScriptName(text);
        }
        if (platform == 1)
            macName = cleanPostScriptName(QString::fromLatin1(name.constData() + offset, length));
    }
    return macName;
}

struct TGlyphTable {
    QByteArray glyf;
    std::vector<uint32_t> offsets; // numGlyphs + 1 entries, monotone, within glyf
};

// Reads loca into start offsets; a damaged entry makes its glyph empty.
bool readGlyphOffsets(const QByteArray& head, const QByteArray& loca, int numGlyphs, TGlyphTable* glyphs)
{
    const bool longOffsets = s16(head, 50) == 1;
    const qsizetype needed = static_cast<qsizetype>(numGlyphs + 1) * (longOffsets ? 4 : 2);
    if (numGlyphs <= 0 || loca.size() < needed)
        return false;
    const auto glyfSize = static_cast<uint32_t>(glyphs->glyf.size());
    glyphs->offsets.resize(static_cast<size_t>(numGlyphs) + 1);
    uint32_t previous = 0;
    for (int i = 0; i <= numGlyphs; ++i) {
        uint32_t offset = longOffsets ? u32(loca, 4 * i) : 2u * u16(loca, 2 * i);
        offset = std::clamp(offset, previous, glyfSize);
        glyphs->offsets[static_cast<size_t>(i)] = offset;
        previous = offset;
    }
    return true;
}

QByteArray glyphData(const TGlyphTable& glyphs, size_t glyph)
{
    const uint32_t start = glyphs.offsets[glyph];
    const uint32_t end = glyphs.offsets[glyph + 1];
    return glyphs.glyf.mid(start, end - start);
}

// The glyph indexes a composite glyph is built from.
std::vector<uint16_t> componentsOf(const QByteArray& glyph)
{
    constexpr uint16_t kArgsAreWords = 0x0001, kHasScale = 0x0008, kMoreComponents = 0x0020,
                       kHasXYScale = 0x0040, kHasTwoByTwo = 0x0080;
    std::vector<uint16_t> components;
    if (s16(glyph, 0) >= 0)
        return components;
    qsizetype offset = 10;
    uint16_t flags = kMoreComponents;
    while ((flags & kMoreComponents) && offset + 4 <= glyph.size() && components.size() < 1024) {
        flags = u16(glyph, offset);
        components.push_back(u16(glyph, offset + 2));
        offset += 4 + ((flags & kArgsAreWords) ? 4 : 2);
        if (flags & kHasScale)
            offset += 2;
        else if (flags & kHasXYScale)
            offset += 4;
        else if (flags & kHasTwoByTwo)
            offset += 8;
    }
    return components;
}

std::vector<bool> keptGlyphs(const TGlyphTable& glyphs, const std::vector<bool>& used, int numGlyphs)
{
    std::vector<bool> kept(static_cast<size_t>(numGlyphs), false);
    std::vector<size_t> pending{0};
    for (size_t glyph = 0; glyph < used.size() && glyph < kept.size(); ++glyph) {
        if (used[glyph])
            pending.push_back(glyph);
    }
    while (!pending.empty()) {
        const size_t glyph = pending.back();
        pending.pop_back();
        if (kept[glyph])
            continue;
        kept[glyph] = true;
        for (const uint16_t component : componentsOf(glyphData(glyphs, glyph))) {
            if (component < kept.size() && !kept[component])
                pending.push_back(component);
        }
    }
    return kept;
}

struct TTableEntry {
    std::array<char, 4> tag;
    QByteArray data;
};

QByteArray assembleFont(std::vector<TTableEntry> tables)
{
    std::sort(tables.begin(), tables.end(), [](const TTableEntry& a, const TTableEntry& b) {
        return std::memcmp(a.tag.data(), b.tag.data(), 4) < 0;
    });
    const auto count = static_cast<uint16_t>(tables.size());
    uint16_t entrySelector = 0;
    while ((2u << entrySelector) <= count)
        ++entrySelector;
    const auto searchRange = static_cast<uint16_t>(16u << entrySelector);

    QByteArray font;
    append32(font, 0x00010000);
    append16(font, count);
    append16(font, searchRange);
    append16(font, entrySelector);
    append16(font, static_cast<uint16_t>(count * 16 - searchRange));
    uint32_t offset = 12 + 16u * count;
    qsizetype headOffset = -1;
    for (const TTableEntry& table : tables) {
        font.append(table.tag.data(), 4);
        append32(font, tableChecksum(table.data));
        append32(font, offset);
        append32(font, static_cast<uint32_t>(table.data.size()));
        if (std::memcmp(table.tag.data(), "head", 4) == 0)
            headOffset = offset;
        offset += static_cast<uint32_t>((table.data.size() + 3) / 4 * 4);
    }
    for (const TTableEntry& table : tables) {
        font.append(table.data);
        padTo4(font);
    }
    if (headOffset >= 0)
        put32(font, headOffset + 8, 0xB1B0AFBAu - tableChecksum(font));
    return font;
}

} // namespace

bool rpHasTrueTypeOutlines(const TRpFontTableReader& table)
{
    return !table("glyf").isEmpty() && !table("loca").isEmpty();
}

bool rpReadTrueTypeMetrics(const TRpFontTableReader& table, TRpTrueTypeMetrics* metrics)
{
    const QByteArray head = table("head");
    const QByteArray hhea = table("hhea");
    const QByteArray maxp = table("maxp");
    const QByteArray hmtx = table("hmtx");
    if (head.size() < 54 || hhea.size() < 36 || maxp.size() < 6)
        return false;
    TRpTrueTypeMetrics result;
    result.unitsPerEm = u16(head, 18);
    if (result.unitsPerEm < 16 || result.unitsPerEm > 16384)
        return false;
    result.numGlyphs = u16(maxp, 4);
    result.xMin = s16(head, 36);
    result.yMin = s16(head, 38);
    result.xMax = s16(head, 40);
    result.yMax = s16(head, 42);
    result.ascent = s16(hhea, 4);
    result.descent = s16(hhea, 6);
    result.capHeight = result.ascent;

    const int metricCount = std::min<int>(u16(hhea, 34), static_cast<int>(hmtx.size() / 4));
    if (metricCount <= 0)
        return false;
    result.advances.resize(static_cast<size_t>(std::max(result.numGlyphs, metricCount)));
    for (size_t glyph = 0; glyph < result.advances.size(); ++glyph) {
        const int entry = std::min<int>(static_cast<int>(glyph), metricCount - 1);
        result.advances[glyph] = u16(hmtx, 4 * entry);
    }

    const QByteArray os2 = table("OS/2");
    if (os2.size() >= 78) {
        result.weightClass = u16(os2, 4);
        const int familyClass = u16(os2, 30) >> 8;
        result.serif = familyClass >= 1 && familyClass <= 7;
        if (u16(os2, 0) >= 2 && os2.size() >= 90)
            result.capHeight = s16(os2, 88);
    }
    const QByteArray post = table("post");
    if (post.size() >= 16) {
        result.italicAngle = static_cast<int32_t>(u32(post, 4)) / 65536.0;
        result.fixedPitch = u32(post, 12) != 0;
    }
    result.postScriptName = readPostScriptName(table("name"));
    *metrics = std::move(result);
    return true;
}

QByteArray rpSubsetTrueType(const TRpFontTableReader& table, const std::vector<bool>& used)
{
    QByteArray head = table("head");
    const QByteArray maxp = table("maxp");
    const QByteArray hhea = table("hhea");
    const QByteArray hmtx = table("hmtx");
    TGlyphTable glyphs;
    glyphs.glyf = table("glyf");
    const int numGlyphs = u16(maxp, 4);
    if (head.size() < 54 || hhea.isEmpty() || hmtx.isEmpty() || glyphs.glyf.isEmpty()
        || !readGlyphOffsets(head, table("loca"), numGlyphs, &glyphs))
        return {};

    const std::vector<bool> kept = keptGlyphs(glyphs, used, numGlyphs);
    QByteArray glyf;
    QByteArray loca;
    for (size_t glyph = 0; glyph < kept.size(); ++glyph) {
        append32(loca, static_cast<uint32_t>(glyf.size()));
        if (kept[glyph]) {
            glyf.append(glyphData(glyphs, glyph));
            padTo4(glyf);
        }
    }
    append32(loca, static_cast<uint32_t>(glyf.size()));

    put32(head, 8, 0);      // checkSumAdjustment, set once the file is assembled
    put16(head, 50, 1);     // long loca offsets
    std::vector<TTableEntry> tables{{{'h', 'e', 'a', 'd'}, head},
                                    {{'h', 'h', 'e', 'a'}, hhea},
                                    {{'m', 'a', 'x', 'p'}, maxp},
                                    {{'h', 'm', 't', 'x'}, hmtx},
                                    {{'l', 'o', 'c', 'a'}, loca},
                                    {{'g', 'l', 'y', 'f'}, glyf}};
    for (const char* tag : {"cvt ", "fpgm", "prep", "cmap", "post", "name", "OS/2"}) {
        QByteArray data = table(tag);
        if (!data.isEmpty())
            tables.push_back({{tag[0], tag[1], tag[2], tag[3]}, std::move(data)});
    }
    return assembleFont(std::move(tables));
}
