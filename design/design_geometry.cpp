#include "design/design_geometry.h"

#include "engine/rp_bands.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"

namespace designgeometry {

TReport* reportOf(const TControl* control)
{
    for (const TControl* c = control; c; c = c->parentControl()) {
        if (auto* report = qobject_cast<TReport*>(const_cast<TControl*>(c)))
            return report;
    }
    return nullptr;
}

QPoint offsetInReport(const TControl* control)
{
    QPoint offset;
    for (const TControl* c = control; c && !qobject_cast<const TReport*>(c); c = c->parentControl())
        offset += c->bounds().topLeft();
    return offset;
}

QRect rectInReport(const TControl* control)
{
    return QRect(offsetInReport(control), control->bounds().size());
}

bool isBandOrReport(const TControl* control)
{
    return qobject_cast<const TRpCustomBand*>(control) || qobject_cast<const TReport*>(control);
}

bool isLocked(const TControl* control, TLockBit bit)
{
    return (control->tag() & int(bit)) != 0;
}

bool isSelectable(const TControl* control)
{
    return isBandOrReport(control) || qobject_cast<const TRpPrintable*>(control);
}

namespace {

// The top-most selectable child of `parent` under `point` (parent coordinates), looking
// into bands; null when no child is there.
TControl* childAt(const TControl* parent, QPoint point)
{
    const QList<TControl*>& children = parent->controls();
    for (qsizetype i = children.size() - 1; i >= 0; --i) {
        TControl* child = children[i];
        if (!child->visible() || !isSelectable(child) || !child->bounds().contains(point))
            continue;
        if (qobject_cast<TRpCustomBand*>(child)) {
            if (TControl* inner = childAt(child, point - child->bounds().topLeft()))
                return inner;
        }
        return child;
    }
    return nullptr;
}

void collectPrintables(const TControl* parent, QList<TControl*>& into)
{
    for (TControl* child : parent->controls()) {
        if (qobject_cast<TRpPrintable*>(child))
            into.append(child);
        else if (qobject_cast<TRpCustomBand*>(child))
            collectPrintables(child, into);
    }
}

} // namespace

TControl* objectAt(TReport* report, QPoint point)
{
    if (!report || !QRect(QPoint(), report->bounds().size()).contains(point))
        return nullptr;
    if (TControl* child = childAt(report, point))
        return child;
    return report;
}

QList<TControl*> printableControls(TReport* report)
{
    QList<TControl*> controls;
    if (report)
        collectPrintables(report, controls);
    return controls;
}

} // namespace designgeometry
