#include "engine/sink/rp_paper_sizes.h"

#include <array>
#include <cmath>

namespace {

struct PaperEntry {
    double width;
    double length;
};

// Ordinal order: Letter, LetterSmall, Tabloid, Ledger, Legal, Statement, Executive, A3,
// A4, A4Small, A5, B4, B5, Folio, Quarto, 10x14, 11x17, Note, Env9, Env10, Env11, Env12,
// Env14, CSheet, DSheet, ESheet.
constexpr std::array<PaperEntry, kRpLastFixedPaperSize> kPapers{{
    {215.9, 279.4}, {215.9, 279.4}, {279.4, 431.8}, {431.8, 279.4}, {215.9, 355.6},
    {139.7, 215.9}, {190.5, 254},   {297, 420},     {210, 297},     {210, 297},
    {148, 210},     {250, 354},     {182, 257},     {215.9, 330.2}, {215, 275},
    {254, 355.6},   {279.4, 431.8}, {215.9, 279},   {98.43, 225.4}, {104.8, 241.3},
    {114.3, 263.5}, {101.6, 279.4}, {127, 292.1},   {100, 100},     {100, 100},
    {100, 100},
}};

long fourMillimetreUnits(double millimetres) { return static_cast<long>(std::trunc(millimetres / 4)); }

} // namespace

QSizeF rpPaperSizeMillimetres(int paperSize)
{
    if (paperSize < kRpFirstPaperSize || paperSize > kRpLastFixedPaperSize)
        return {};
    const PaperEntry& entry = kPapers[static_cast<size_t>(paperSize - 1)];
    return {entry.width, entry.length};
}

TRpDetectedPaper rpDetectPaperSize(double widthMillimetres, double lengthMillimetres)
{
    const long width = fourMillimetreUnits(widthMillimetres);
    const long length = fourMillimetreUnits(lengthMillimetres);
    TRpDetectedPaper detected;
    for (int paperSize = kRpFirstPaperSize; paperSize <= kRpLastFixedPaperSize; ++paperSize) {
        const QSizeF paper = rpPaperSizeMillimetres(paperSize);
        const long paperWidth = fourMillimetreUnits(paper.width());
        const long paperLength = fourMillimetreUnits(paper.height());
        if (width == paperWidth && length == paperLength)
            detected = {paperSize, false};
        else if (width == paperLength && length == paperWidth)
            detected = {paperSize, true};
    }
    return detected;
}
