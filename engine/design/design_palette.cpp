#include "engine/design/design_palette.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

// "Small Fonts" is a Windows bitmap face; Linux desktops do not have it, so the labels
// use a small sans face that is installed nearly everywhere (fontconfig falls back to
// the default sans face when it is not).
const QString kRulerFontFamily = QStringLiteral("Liberation Sans");

int primaryScreenDepth()
{
    if (!qGuiApp)
        return 0;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 0;
}

} // namespace

TDesignPalette TDesignPalette::highColour()
{
    TDesignPalette palette;
    palette.minorRulerLine = {QColor(249, 249, 249), Qt::SolidLine};
    palette.majorRulerLine = {QColor(240, 240, 240), Qt::SolidLine};
    palette.rulerFontFamily = kRulerFontFamily;
    palette.rulerTextColor = QColor(112, 112, 112);
    palette.marginLine = {QColor(128, 128, 255), Qt::DotLine};
    palette.bandOutline = {QColor(96, 96, 96), Qt::DotLine};
    return palette;
}

TDesignPalette TDesignPalette::lowColour()
{
    TDesignPalette palette;
    palette.minorRulerLine = {QColor(192, 192, 192), Qt::DotLine};
    palette.majorRulerLine = {QColor(192, 192, 192), Qt::SolidLine};
    palette.rulerFontFamily = kRulerFontFamily;
    palette.rulerTextColor = QColor(192, 192, 192);
    palette.marginLine = {QColor(128, 128, 128), Qt::DashLine};
    palette.bandOutline = {QColor(128, 128, 128), Qt::SolidLine};
    return palette;
}

TDesignPalette TDesignPalette::forColourDepth(int bitsPerPixel)
{
    return bitsPerPixel > 8 || bitsPerPixel <= 0 ? highColour() : lowColour();
}

const TDesignPalette& TDesignPalette::current()
{
    static const TDesignPalette palette = forColourDepth(primaryScreenDepth());
    return palette;
}
