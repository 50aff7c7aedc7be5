#include "engine/generation/rp_page_geometry.h"

#include "engine/rp_units.h"

TRpPageGeometry TRpPageGeometry::of(const TRpPage& page)
{
    TRpPageGeometry geometry;
    geometry.width = page.nativeValue(TRpPage::WidthValue);
    geometry.length = page.nativeValue(TRpPage::LengthValue);
    geometry.topMargin = page.nativeValue(TRpPage::TopMarginValue);
    geometry.bottomMargin = page.nativeValue(TRpPage::BottomMarginValue);
    geometry.leftMargin = page.nativeValue(TRpPage::LeftMarginValue);
    geometry.rightMargin = page.nativeValue(TRpPage::RightMarginValue);
    geometry.columnSpace = page.nativeValue(TRpPage::ColumnSpaceValue);
    geometry.columns = page.columns() < 1 ? 1 : page.columns();
    geometry.landscape = page.orientation() == TPrinterOrientation::poLandscape;
    if (geometry.width - geometry.leftMargin - geometry.rightMargin < 0) {
        geometry.leftMargin = 0;
        geometry.rightMargin = 0;
    }
    if (geometry.length - geometry.topMargin - geometry.bottomMargin < 0) {
        geometry.topMargin = 0;
        geometry.bottomMargin = 0;
    }
    return geometry;
}

double TRpPageGeometry::defaultColumnStep() const
{
    const int step = int(width - (leftMargin + rightMargin) - columnSpace * (columns - 1));
    return double(step / columns);
}
