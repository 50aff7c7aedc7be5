#include "engine/rp_types.h"

#include <QString>

#include <array>

PaperDimensions paperDimensions(TRpPaperSize paper)
{
    static const std::array<PaperDimensions, 28> table{{
        {0, 0},          // Default
        {215.9, 279.4},  // Letter
        {215.9, 279.4},  // LetterSmall
        {279.4, 431.8},  // Tabloid
        {431.8, 279.4},  // Ledger
        {215.9, 355.6},  // Legal
        {139.7, 215.9},  // Statement
        {190.5, 254},    // Executive
        {297, 420},      // A3
        {210, 297},      // A4
        {210, 297},      // A4Small
        {148, 210},      // A5
        {250, 354},      // B4
        {182, 257},      // B5
        {215.9, 330.2},  // Folio
        {215, 275},      // Quarto
        {254, 355.6},    // rp10X14
        {279.4, 431.8},  // rp11X17
        {215.9, 279},    // Note
        {98.43, 225.4},  // Env9
        {104.8, 241.3},  // Env10
        {114.3, 263.5},  // Env11
        {101.6, 279.4},  // Env12
        {127, 292.1},    // Env14
        {100, 100},      // CSheet
        {100, 100},      // DSheet
        {100, 100},      // ESheet
        {0, 0},          // Custom
    }};
    const auto index = std::size_t(paper);
    return index < table.size() ? table[index] : PaperDimensions{};
}

QString bandBaseName(TRpBandType type)
{
    static const char* const names[] = {"TitleBand",       "PageHeaderBand",  "DetailBand",    "PageFooterBand",
                                        "SummaryBand",     "GroupHeaderBand", "GroupFooterBand", "SubDetailBand",
                                        "ColumnHeaderBand", "OverlayBand",    "ChildBand"};
    return QString::fromLatin1(names[int(type)]);
}

QString bandTypeDisplayName(TRpBandType type)
{
    static const char* const names[] = {"Title",        "Page Header",  "Detail",   "Page Footer",
                                        "Summary",      "Group Header", "Group Footer", "Sub Detail",
                                        "Column Header", "Overlay",     "Child"};
    return QString::fromLatin1(names[int(type)]);
}
