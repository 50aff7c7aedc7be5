// The alignment palette's operations on a selection of controls, in screen pixels of
// the design surface. The first control is the reference the others are aligned to.
#pragma once

#include <QList>

class TControl;

namespace alignment {

enum Operation {
    AlignLefts = 0,
    AlignHorizontalCentres = 1,
    CentreHorizontallyInBand = 2,
    SpaceHorizontally = 3,
    AlignRights = 4,
    AlignTops = 5,
    AlignVerticalCentres = 6,
    CentreVerticallyInBand = 7,
    SpaceVertically = 8,
    AlignBottoms = 9,
    SendToBack = 10,
    BringToFront = 11,
};

// Moves the controls for operations 0 to 9; sizes never change.
void align(int operation, const QList<TControl*>& controls);
// Operations 10 and 11: each control, in selection order, goes to the back or the
// front of its parent's stacking order.
void restack(int operation, const QList<TControl*>& controls);

} // namespace alignment
