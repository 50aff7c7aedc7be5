#include "design/alignment.h"

#include "core/control.h"

#include <algorithm>

namespace alignment {

namespace {

void setLeft(TControl* c, int left)
{
    if (c->left() != left)
        c->setLeft(left);
}

void setTop(TControl* c, int top)
{
    if (c->top() != top)
        c->setTop(top);
}

// Spreads the controls, in selection order, evenly between the smallest and the largest
// of their positions along one axis.
void spaceEqually(const QList<TControl*>& controls, bool horizontal)
{
    const int minimum = horizontal ? 2 : 3;
    if (controls.size() < minimum)
        return;
    auto position = [horizontal](const TControl* c) { return horizontal ? c->left() : c->top(); };
    int smallest = position(controls.first()), largest = smallest;
    for (const TControl* c : controls) {
        smallest = std::min(smallest, position(c));
        largest = std::max(largest, position(c));
    }
    const int step = (largest - smallest) / int(controls.size() - 1);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const int value = smallest + int(i) * step;
        horizontal ? setLeft(controls[i], value) : setTop(controls[i], value);
    }
}

} // namespace

void align(int operation, const QList<TControl*>& controls)
{
    if (controls.isEmpty())
        return;
    const TControl* r = controls.first();
    const int rl = r->left(), rt = r->top(), rw = r->width(), rh = r->height();
    switch (operation) {
    case SpaceHorizontally:
        return spaceEqually(controls, true);
    case SpaceVertically:
        return spaceEqually(controls, false);
    case CentreHorizontallyInBand:
        if (!r->parentControl())
            return;
        for (TControl* c : controls) {
            if (c->parentControl())
                setLeft(c, c->parentControl()->width() / 2 - c->width() / 2);
        }
        return;
    case CentreVerticallyInBand:
        for (TControl* c : controls) {
            if (c->parentControl())
                setTop(c, c->parentControl()->height() / 2 - c->height() / 2);
        }
        return;
    default:
        break;
    }
    for (TControl* c : controls) {
        switch (operation) {
        case AlignLefts: setLeft(c, rl); break;
        case AlignHorizontalCentres: setLeft(c, rw / 2 + rl - c->width() / 2); break;
        case AlignRights: setLeft(c, rl + rw - c->width()); break;
        case AlignTops: setTop(c, rt); break;
        case AlignVerticalCentres: setTop(c, rh / 2 + rt - c->height() / 2); break;
        case AlignBottoms: setTop(c, rt + rh - c->height()); break;
        default: return;
        }
    }
}

void restack(int operation, const QList<TControl*>& controls)
{
    for (TControl* c : controls) {
        if (operation == SendToBack)
            c->sendToBack();
        else if (operation == BringToFront)
            c->bringToFront();
    }
}

} // namespace alignment
