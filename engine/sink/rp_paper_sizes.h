// The engine's paper sizes in millimetres, by paper size ordinal (1 = Letter ... 26 =
// ESheet; 0 Default and 27 Custom have no fixed size), and the detection of the paper
// of a loaded prepared report from its page size.
#pragma once

#include <QSizeF>

constexpr int kRpFirstPaperSize = 1;
constexpr int kRpLastFixedPaperSize = 26;
constexpr int kRpCustomPaperSize = 27;

// Portrait width and length in millimetres; an empty size outside 1..26.
QSizeF rpPaperSizeMillimetres(int paperSize);

struct TRpDetectedPaper {
    int paperSize = 0; // 0 when nothing matched
    bool landscape = false;
};

// Matches a page size in millimetres against every fixed paper size, both in portrait
// and crosswise, comparing sizes in whole units of 4 mm; the last match wins.
TRpDetectedPaper rpDetectPaperSize(double widthMillimetres, double lengthMillimetres);
