// The page a generation pass lays bands on, in native units, read once from the report.
#pragma once

class TRpPage;

struct TRpPageGeometry {
    double width = 0;
    double length = 0;
    double topMargin = 0;
    double bottomMargin = 0;
    double leftMargin = 0;
    double rightMargin = 0;
    double columnSpace = 0;
    int columns = 1;
    bool landscape = false;

    // The page's values, with a pair of margins that leaves no room reset to 0 (the
    // report itself keeps its values).
    static TRpPageGeometry of(const TRpPage& page);

    // Where the page footer area ends: the page length less the bottom margin.
    double printableLength() const { return length - bottomMargin; }
    // The height between the top and bottom margins.
    double usableHeight() const { return length - topMargin - bottomMargin; }
    // The width of one column when no detail band gives it.
    double defaultColumnStep() const;
};
