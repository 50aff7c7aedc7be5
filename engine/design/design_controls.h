// Printable controls on the design surface: the common box every control shows, and
// what each class draws inside it.
#pragma once

#include <QPoint>
#include <QRect>

#include <functional>

class QMetaObject;
class TDesignPaintContext;
class TRpPrintable;

namespace rpdesign {

// Draws what a class of control shows inside its box, after the box itself. `area` is
// the control's rectangle in report pixels.
using TDesignContentPainter =
    std::function<void(TDesignPaintContext& context, const TRpPrintable& control, const QRect& area)>;

// Registers the content painter of a class and its descendants; the painter of the most
// specific registered class is used; an empty painter removes the class's own. Text
// controls, shapes and images come registered.
void registerContentPainter(const QMetaObject& controlClass, TDesignContentPainter painter);

// Draws a control whose parent's top-left is `parentOrigin` in report pixels: filled
// white unless it is transparent, black corner marks, its frame at the zoom, then its
// class's content. Nothing is drawn when it lies outside the exposed area.
void drawControl(TDesignPaintContext& context, const TRpPrintable& control, const QPoint& parentOrigin);

} // namespace rpdesign
