// The colours, pen styles and font of the design surface. Screens that show more than
// 256 colours get soft greys and a blue margin; palette screens get plain greys that
// their few colours can show.
#pragma once

#include <QColor>
#include <QString>

struct TDesignLine {
    QColor color;
    Qt::PenStyle style = Qt::SolidLine;
};

struct TDesignPalette {
    TDesignLine minorRulerLine;
    TDesignLine majorRulerLine;
    // Ruler labels and band captions: the face, its size in points and its colour.
    QString rulerFontFamily;
    int rulerFontPoints = 6;
    QColor rulerTextColor;
    TDesignLine marginLine; // also the column lines
    TDesignLine bandOutline;

    static TDesignPalette highColour();
    static TDesignPalette lowColour();
    // The palette for a screen of `bitsPerPixel`; 0 or less means the depth is unknown.
    static TDesignPalette forColourDepth(int bitsPerPixel);
    // The palette of the primary screen, chosen at the first call and kept.
    static const TDesignPalette& current();
};
