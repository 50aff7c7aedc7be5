// A report on an A4 page painted into an image at 96 pixels per inch, with helpers to
// look at what the painting left in the image.
#pragma once

#include "support/test_support.h"

#include "engine/design/design_paint.h"
#include "engine/rp_bands.h"
#include "engine/rp_new_band.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"

#include <QImage>

#include <gtest/gtest.h>

#include <functional>

namespace designtest {

inline constexpr int kPixelsPerInch = 96;
// What the image holds where nothing was painted.
inline const QColor kUnpainted(1, 2, 3);

class DesignPaintTest : public ::testing::Test {
protected:
    DesignPaintTest();

    // Sets the four margins, in native units.
    void setMargins(double left, double top, double right, double bottom);
    // A band of `type` stacked below the others; its height in native units.
    TRpBand* addBand(TRpBandType type, double height, const QString& name = {});

    // A control on `parent` at pixel bounds at the current zoom.
    template <class Control>
    Control* addControl(TControl* parent, int left, int top, int width, int height)
    {
        auto* control = new Control(&document);
        control->setParentControl(parent);
        control->setBounds(left, top, width, height);
        return control;
    }

    // The whole report painted (or only `exposed`), on an image that starts unpainted.
    QImage paint(const TDesignPalette& palette = TDesignPalette::highColour());
    QImage paint(const QRect& exposed, const TDesignPalette& palette = TDesignPalette::highColour());

    // A band's bounds in report pixels.
    static QRect boundsOf(const TControl& control) { return control.bounds(); }

    TComponent document;
    TReport* report;
};

// How many pixels of `rect` satisfy `test`.
int countPixels(const QImage& image, const QRect& rect, const std::function<bool(QColor)>& test);
int countColor(const QImage& image, const QRect& rect, const QColor& color);
// Pixels clearly darker than the ruler lines: text ink and frames.
int countInk(const QImage& image, const QRect& rect);
// The columns between the first and the last that hold ink in `rect`; 0 when none.
int inkWidth(const QImage& image, const QRect& rect);

} // namespace designtest
