#include "design/designer.h"

#include "core/settings/preferences.h"
#include "core/strings/ui_strings.h"
#include "design/design_geometry.h"
#include "design/design_surface.h"
#include "design/design_window.h"
#include "design/design_workspace.h"
#include "design/selection_list.h"
#include "document/vel_data_module.h"
#include "document/vel_data_module_link.h"
#include "document/vel_design.h"
#include "engine/rp_bands.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"

#include <QApplication>
#include <QMenu>

#include <cstdlib>

namespace {

constexpr int kMoveThreshold = 2;

// Guards against handling a mouse message while another one is still being handled
// (a message box or menu runs a nested event loop); such a message is dropped.
class TReentryGuard {
public:
    explicit TReentryGuard(bool& flag) : m_flag(flag), m_entered(!flag) { m_flag = true; }
    ~TReentryGuard()
    {
        if (m_entered)
            m_flag = false;
    }
    bool entered() const { return m_entered; }

private:
    bool& m_flag;
    bool m_entered;
};

} // namespace

TVelDesigner& TVelDesigner::instance()
{
    static TVelDesigner designer;
    return designer;
}

QMenu* TVelDesigner::controlMenu()
{
    if (!m_menu) {
        m_menu = new QMenu();
        m_menu->setObjectName(QStringLiteral("ControlMenu"));
        QAction* properties = m_menu->addAction(LoadUiString(33097));
        properties->setObjectName(QStringLiteral("miProperties"));
        // The component settings dialog comes with the property editors.
        properties->setEnabled(false);
        // The menu's own captions; the Edit menu shows the same commands under the
        // string table's texts.
        QAction* front = m_menu->addAction(QStringLiteral("Bring to &Front"));
        front->setObjectName(QStringLiteral("miBringToFront"));
        connect(front, &QAction::triggered, this, [this] {
            if (m_window)
                m_window->bringToFront();
        });
        QAction* back = m_menu->addAction(QStringLiteral("Send to &Back"));
        back->setObjectName(QStringLiteral("miSendToBack"));
        connect(back, &QAction::triggered, this, [this] {
            if (m_window)
                m_window->sendToBack();
        });
    }
    return m_menu;
}

const TGrabHandle* TVelDesigner::handleAt(TVelDesignWindow* window, QPoint point) const
{
    const TVelSelList& selection = window->selection();
    if (!selection.isVisible() || selection.count() != 1)
        return nullptr;
    for (const TGrabHandle& handle : selection.entries().front()->handles()) {
        if (handle.isActive() && handle.rect().adjusted(-1, -1, 1, 1).contains(point))
            return &handle;
    }
    return nullptr;
}

void TVelDesigner::mousePress(TVelDesignWindow* window, QPoint point, Qt::MouseButton button,
                              Qt::KeyboardModifiers modifiers, QPoint globalPoint)
{
    TReentryGuard guard(m_handling);
    if (!guard.entered() || !window->report())
        return;
    m_window = window;
    if (button == Qt::RightButton) {
        openControlMenu(window, point, globalPoint);
        return;
    }
    if (button != Qt::LeftButton)
        return;
    m_downPoint = point;
    m_lastOffset = QPoint();
    if (const TGrabHandle* handle = handleAt(window, point)) {
        TControl* control = window->selection().control(0);
        if (control && !qobject_cast<TReport*>(control)) {
            m_mode = Mode::Resizing;
            m_resized = control;
            m_resizeHandle = handle->index();
            m_handleGrabOffset = point - handle->centre();
            m_resizeOriginal = designgeometry::rectInReport(control);
            m_resizeRect = m_resizeOriginal;
            window->surface()->grabMouse();
            window->surface()->setOutlines({m_resizeRect});
            return;
        }
    }
    TControl* control = designgeometry::objectAt(window->report(), point);
    if (control)
        window->describeInStatus(control);
    IVelWorkspace* workspace = velWorkspace();
    const bool placing = workspace && !workspace->chosenPaletteClass().isEmpty();
    m_rubberRequested = (modifiers & Qt::ControlModifier) && !placing;
    m_mode = placing ? Mode::Placing : Mode::Pressed;
    if (window->selection().count() < 2)
        window->selection().hide();
    if (!placing && !m_rubberRequested && control)
        window->selectControl(control, modifiers);
    window->surface()->updateOverlay();
}

void TVelDesigner::mouseMove(TVelDesignWindow* window, QPoint point, Qt::MouseButtons buttons)
{
    TReentryGuard guard(m_handling);
    if (!guard.entered() || window != m_window || !(buttons & Qt::LeftButton))
        return;
    switch (m_mode) {
    case Mode::Resizing: {
        m_resizeRect = TGrabHandle::resizedRect(m_resizeOriginal, m_resizeHandle, point - m_handleGrabOffset);
        window->surface()->setOutlines({m_resizeRect});
        return;
    }
    case Mode::RubberBand:
        m_rubberBand.setBottomRight(point);
        window->surface()->setOutlines({m_rubberBand.normalized()});
        return;
    case Mode::Moving:
        showMove(window, point - m_downPoint);
        return;
    case Mode::Pressed:
        if (m_rubberRequested) {
            m_mode = Mode::RubberBand;
            if (window->selection().count() <= 1)
                window->selection().hide();
            window->surface()->grabMouse();
            m_rubberBand = QRect(m_downPoint, point + QPoint(2, 2));
            window->surface()->setOutlines({m_rubberBand.normalized()});
            return;
        }
        if (std::abs(point.x() - m_downPoint.x()) > kMoveThreshold ||
            std::abs(point.y() - m_downPoint.y()) > kMoveThreshold) {
            startMove(window);
            showMove(window, point - m_downPoint);
        }
        return;
    default:
        return;
    }
}

void TVelDesigner::mouseRelease(TVelDesignWindow* window, QPoint point, Qt::MouseButton button)
{
    TReentryGuard guard(m_handling);
    if (!guard.entered() || window != m_window || button != Qt::LeftButton)
        return;
    const Mode mode = m_mode;
    m_mode = Mode::None;
    switch (mode) {
    case Mode::Resizing:
        finishResize(window, point);
        break;
    case Mode::RubberBand:
        finishRubberBand(window);
        break;
    case Mode::Moving:
        finishMove(window, m_lastOffset);
        break;
    case Mode::Placing:
        place(window, point);
        break;
    default:
        window->selection().show();
        window->surface()->updateOverlay();
        break;
    }
    reset(window);
    if (IVelWorkspace* workspace = velWorkspace())
        workspace->refreshCommands();
}

void TVelDesigner::reset(TVelDesignWindow* window)
{
    m_rubberRequested = false;
    m_resized = nullptr;
    m_resizeHandle = -1;
    window->surface()->releaseMouse();
    window->surface()->setOutlines({});
    window->surface()->setPositionHint({}, {});
}

void TVelDesigner::startMove(TVelDesignWindow* window)
{
    m_mode = Mode::Moving;
    if (window->selection().count() <= 1)
        window->selection().hide();
    window->surface()->grabMouse();
}

QPoint TVelDesigner::limitedOffset(TVelDesignWindow* window, QPoint offset) const
{
    if (!preferences().keepInParent)
        return offset;
    const QList<TControl*> controls = window->selectedPrintables();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        const TControl* c = *it;
        const TControl* parent = c->parentControl();
        if (!parent)
            continue;
        if (offset.x() < 0 && c->left() + offset.x() < 0)
            offset.setX(-c->left());
        else if (offset.x() > 0 && c->left() + c->width() + offset.x() > parent->width())
            offset.setX(parent->width() - c->width() - c->left());
        if (offset.y() < 0 && c->top() + offset.y() < 0)
            offset.setY(-c->top());
        else if (offset.y() > 0 && c->top() + c->height() + offset.y() > parent->height())
            offset.setY(parent->height() - c->height() - c->top());
    }
    return offset;
}

void TVelDesigner::showMove(TVelDesignWindow* window, QPoint offset)
{
    offset = limitedOffset(window, offset);
    if (offset == m_lastOffset && !window->surface()->outlines().isEmpty())
        return;
    m_lastOffset = offset;
    QList<QRect> outlines;
    const QList<TControl*> controls = window->selectedPrintables();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        if ((*it)->parentControl())
            outlines.append(designgeometry::rectInReport(*it).translated(offset));
    }
    window->surface()->setOutlines(outlines);
    if (!controls.isEmpty()) {
        const QRect last = designgeometry::rectInReport(controls.last()).translated(offset);
        window->surface()->setPositionHint(positionHintText(window, offset), last.topLeft() + QPoint(4, -24));
    }
}

QString TVelDesigner::positionHintText(TVelDesignWindow* window, QPoint offset) const
{
    const QList<TControl*> controls = window->selectedPrintables();
    auto* printable = controls.isEmpty() ? nullptr : qobject_cast<TRpPrintable*>(controls.last());
    if (!printable)
        return {};
    TRpPrintableSize* size = printable->size();
    auto moved = [](double unitValue, int pixels, int delta) {
        const double perPixel = pixels == 0 ? 1.0 : unitValue / pixels;
        return unitValue + delta * perPixel;
    };
    const double left = moved(size->left(), printable->left(), offset.x());
    const double top = moved(size->top(), printable->top(), offset.y());
    switch (size->units()) {
    case TRpUnit::MM:
        return QStringLiteral("%1 -- %2 MM").arg(left, 0, 'f', 1).arg(top, 0, 'f', 1);
    case TRpUnit::Inches:
        return QStringLiteral("%1 -- %2Inch").arg(left, 0, 'f', 2).arg(top, 0, 'f', 2);
    default:
        return QStringLiteral("%1 -- %2").arg(left, 0, 'f', 0).arg(top, 0, 'f', 0);
    }
}

void TVelDesigner::finishMove(TVelDesignWindow* window, QPoint offset)
{
    window->surface()->setOutlines({});
    if (offset != QPoint()) {
        QList<TControl*> moved;
        for (TControl* control : window->selectedPrintables()) {
            if (!control->parentControl())
                QApplication::beep();
            else if (!designgeometry::isLocked(control, designgeometry::TLockBit::CannotMove))
                moved.append(control);
        }
        window->moveControls(moved, offset, preferences().gridOn);
    }
    window->selection().show();
    window->refreshView();
    if (IVelWorkspace* workspace = velWorkspace())
        workspace->showControlEditors(window);
}

void TVelDesigner::finishRubberBand(TVelDesignWindow* window)
{
    const QRect band = m_rubberBand.normalized();
    QList<TControl*> touched;
    for (TControl* control : designgeometry::printableControls(window->report())) {
        const QRect r = designgeometry::rectInReport(control);
        // Both rectangles count their right and bottom edges.
        if (r.left() <= band.right() + 1 && band.left() <= r.right() + 1 && r.top() <= band.bottom() + 1 &&
            band.top() <= r.bottom() + 1)
            touched.append(control);
    }
    window->selectControls(touched);
}

void TVelDesigner::finishResize(TVelDesignWindow* window, QPoint point)
{
    TControl* control = m_resized;
    if (!control)
        return;
    QRect rect = TGrabHandle::resizedRect(m_resizeOriginal, m_resizeHandle, point - m_handleGrabOffset);
    // Rectangles are kept in report coordinates while dragging; bounds are in the parent.
    rect.translate(-designgeometry::offsetInReport(control) + control->bounds().topLeft());
    window->setControlRect(control, rect);
}

void TVelDesigner::place(TVelDesignWindow* window, QPoint point)
{
    IVelWorkspace* workspace = velWorkspace();
    const QString className = workspace ? workspace->chosenPaletteClass() : QString();
    TControl* clicked = designgeometry::objectAt(window->report(), point);
    if (className.isEmpty() || !clicked)
        return;
    TControl* parent = clicked;
    if (qobject_cast<TRpPrintable*>(clicked))
        parent = clicked->parentControl();
    window->placeObject(className, parent, point - designgeometry::offsetInReport(parent));
    if (workspace)
        workspace->paletteClassPlaced();
}

void TVelDesigner::openControlMenu(TVelDesignWindow* window, QPoint point, QPoint globalPoint)
{
    TControl* control = designgeometry::objectAt(window->report(), point);
    if (!control)
        return;
    m_rightClicked = control;
    window->selectControl(control, Qt::NoModifier);
    controlMenu()->popup(globalPoint);
}

QString TVelDesigner::uniqueName(TVelDesignWindow* window, const QString& base)
{
    return names::uniqueName(window->document(), base);
}

QString TVelDesigner::componentName(const TComponent* component)
{
    QStringList parts;
    for (const TComponent* c = component; c && !qobject_cast<const TfrmVelDesign*>(c); c = c->owner())
        parts.prepend(c->name());
    return parts.join(QLatin1Char('.'));
}

namespace {

void collectNames(const TComponent* owner, const QMetaObject& metaObject, QStringList& names,
                  QList<const TComponent*>& visited)
{
    if (!owner || visited.contains(owner))
        return;
    visited.append(owner);
    for (const TComponent* component : owner->components()) {
        if (component->metaObject()->inherits(&metaObject))
            names.append(TVelDesigner::componentName(component));
        if (auto* link = qobject_cast<const TVelDataModuleLink*>(component))
            collectNames(link->dataModule(), metaObject, names, visited);
    }
}

} // namespace

QStringList TVelDesigner::componentNames(TVelDesignWindow* window, const QMetaObject& metaObject)
{
    QStringList names;
    QList<const TComponent*> visited;
    if (window)
        collectNames(window->document(), metaObject, names, visited);
    return names;
}

QStringList TVelDesigner::fieldNames(TVelDesignWindow* window)
{
    QStringList names;
    if (!window)
        return names;
    for (const TFieldDescEntry& entry : window->fieldList()) {
        if (entry.dataSet)
            names.append(entry.text);
    }
    return names;
}
