// Where the objects of a report lie on the design surface. The report is the surface's
// origin; bands lie on the report and controls on their bands, each with pixel bounds
// relative to its parent at the current zoom.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

class TControl;
class TReport;

namespace designgeometry {

// The report a control belongs to (the control itself for a report), or null.
TReport* reportOf(const TControl* control);
// The control's offset from the report's top-left corner.
QPoint offsetInReport(const TControl* control);
// The control's rectangle in report coordinates.
QRect rectInReport(const TControl* control);
// The selectable object under `point` (report coordinates): the top-most printable
// control, else the band, else the report; null outside the report. Band name tags are
// looked through.
TControl* objectAt(TReport* report, QPoint point);
// Every printable control on the report (on its bands and on the report itself).
QList<TControl*> printableControls(TReport* report);
// Bands, the report and printable controls can be selected; nothing else.
bool isSelectable(const TControl* control);
bool isBandOrReport(const TControl* control);

// The lock bits a report control keeps in its Tag.
enum class TLockBit { CannotDelete = 1, CannotEdit = 2, CannotMove = 4 };
bool isLocked(const TControl* control, TLockBit bit);

} // namespace designgeometry
