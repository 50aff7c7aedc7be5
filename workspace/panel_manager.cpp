#include "workspace/panel_manager.h"

#include "workspace/drag_frame.h"
#include "workspace/floating_panel_window.h"
#include "workspace/managed_panel.h"
#include "workspace/tab_painter.h"

#include <QChildEvent>
#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>

#include <cstdlib>
#include <exception>

namespace {

constexpr int kMinButtonHeight = 10;
constexpr int kDragThreshold = 4;
constexpr int kHighColorRaise = 192;
// How far outside the strip a dragged frame must reach before the panel would float.
constexpr int kFloatMarginLeft = -9;
constexpr int kFloatMargin = 10;
constexpr int kHiddenTabPadding = 14;

int raiseChannel(int channel) { return qMin(255, channel + kHighColorRaise); }

} // namespace

TPanelManager::TPanelManager(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setManagerHeight(0);
}

TPanelManager::~TPanelManager()
{
    // The panels and floating windows go with the manager; nothing is laid out any more.
    m_layingOut = true;
    m_batchUpdate = true;
}

// --- properties ---------------------------------------------------------------------

void TPanelManager::setPanelKind(TPanelKind kind)
{
    if (kind == m_panelKind)
        return;
    m_panelKind = kind;
    settingChanged();
}

void TPanelManager::setButtonHeight(int height)
{
    height = qMax(kMinButtonHeight, height);
    if (height == m_buttonHeight)
        return;
    m_buttonHeight = height;
    settingChanged();
}

int TPanelManager::rowHeight() const
{
    return m_panelKind == TPanelKind::pkNetScape ? 1 : m_buttonHeight;
}

void TPanelManager::setTabWidth(int width)
{
    m_tabWidth = qMax(0, width);
    settingChanged();
}

void TPanelManager::setTabHeight(int height)
{
    m_tabHeight = qMax(1, height);
    settingChanged();
}

void TPanelManager::setTabColor(TColor color)
{
    m_tabColor = color;
    const QColor shown = color.toQColor();
    if (shown.isValid())
        m_tabHighColor = TColor::fromQColor(
            QColor(raiseChannel(shown.red()), raiseChannel(shown.green()), raiseChannel(shown.blue())));
    update();
}

void TPanelManager::setTabHighColor(TColor color)
{
    m_tabHighColor = color;
    update();
}

void TPanelManager::setTabHighLight(bool highLight)
{
    m_tabHighLight = highLight;
    if (!highLight)
        setHot(-1);
}

void TPanelManager::setTabText3D(bool text3D)
{
    m_tabText3D = text3D;
    update();
}

void TPanelManager::setBlackTabLine(bool black)
{
    m_blackTabLine = black;
    update();
}

void TPanelManager::setBatchUpdate(bool batch)
{
    if (batch == m_batchUpdate)
        return;
    m_batchUpdate = batch;
    if (!batch) {
        layoutPanels();
        update();
    }
}

void TPanelManager::settingChanged()
{
    clearSlots();
    layoutPanels();
    update();
}

void TPanelManager::clearSlots()
{
    m_layout.clear();
    m_hiddenTabs.clear();
}

// --- layout -------------------------------------------------------------------------

QList<TMPanel*> TPanelManager::dockedPanels() const
{
    return findChildren<TMPanel*>(QString(), Qt::FindDirectChildrenOnly);
}

QList<TMPanel*> TPanelManager::floatingPanels() const
{
    QList<TMPanel*> panels;
    for (auto* window : findChildren<TFloatingPanelWindow*>(QString(), Qt::FindDirectChildrenOnly)) {
        TMPanel* panel = window->panel();
        if (panel && panel->isFloating())
            panels.append(panel);
    }
    return panels;
}

PanelLayoutMetrics TPanelManager::layoutMetrics() const
{
    PanelLayoutMetrics metrics;
    metrics.kind = m_panelKind;
    metrics.rowHeight = rowHeight();
    metrics.tabWidth = m_tabWidth;
    metrics.tabHeight = m_tabHeight;
    metrics.managerWidth = width();
    return metrics;
}

QFont TPanelManager::tabCaptionFont() const
{
    return fontForTabHeight(font(), m_tabHeight);
}

QList<PanelLayoutItem> TPanelManager::layoutItems(const QList<TMPanel*>& panels) const
{
    const QFontMetrics captionMetrics(tabCaptionFont());
    QList<PanelLayoutItem> items;
    items.reserve(panels.size());
    for (int i = 0; i < panels.size(); ++i) {
        const TMPanel* panel = panels[i];
        PanelLayoutItem item;
        item.childIndex = i;
        item.bounds = panel->geometry();
        item.visible = panel->isShownDocked();
        item.maximize = panel->maximize();
        item.minWidth = panel->minWidth();
        const QString caption = panel->tabCaption();
        item.captionWidth = caption.isEmpty()
            ? 0
            : captionMetrics.horizontalAdvance(caption + QStringLiteral("1234a")) + kHiddenTabPadding;
        items.append(item);
    }
    return items;
}

void TPanelManager::collectAndResolve()
{
    m_layout.setMetrics(layoutMetrics());
    m_layout.collect(layoutItems(dockedPanels()));
    m_layout.resolve();
}

void TPanelManager::layoutPanels()
{
    if (m_layingOut || m_batchUpdate)
        return;
    collectAndResolve();
    applyArrangement(dockedPanels(), m_layout.apply());
}

void TPanelManager::applyArrangement(const QList<TMPanel*>& panels, const PanelArrangement& arrangement)
{
    QScopedValueRollback<bool> guard(m_layingOut, true);
    for (const PanelPlacement& placement : arrangement.panels) {
        TMPanel* panel = panels.value(placement.childIndex);
        if (!panel)
            continue;
        if (panel->geometry() != placement.bounds)
            panel->setGeometry(placement.bounds);
        // A panel added to a manager already on screen appears like the others.
        if (isVisible() && panel->isHidden() && !panel->isCollapsed())
            panel->show();
    }
    m_hiddenTabs = arrangement.hiddenTabs;
    setManagerHeight(arrangement.managerHeight);
    update();
}

void TPanelManager::setManagerHeight(int height)
{
    if (height == m_managerHeight)
        return;
    m_managerHeight = height;
    setFixedHeight(height);
    updateGeometry();
    emit heightChanged(height);
}

bool TPanelManager::slotsMatchPanels() const
{
    const QList<TMPanel*> panels = dockedPanels();
    int shown = 0;
    for (const TMPanel* panel : panels)
        shown += panel->isShownDocked() ? 1 : 0;
    if (shown != m_layout.slotList().size())
        return false;
    for (const PanelSlot& slot : m_layout.slotList()) {
        const TMPanel* panel = panels.value(slot.childIndex);
        if (!panel || !panel->isShownDocked() || panel->x() != slot.left + m_tabWidth
            || panel->y() != (slot.firstRow - 1) * rowHeight())
            return false;
    }
    return true;
}

void TPanelManager::panelChanged()
{
    if (m_layingOut || m_batchUpdate || m_dragging)
        return;
    layoutPanels();
}

QSize TPanelManager::sizeHint() const
{
    return QSize(QWidget::sizeHint().width(), qMax(0, m_managerHeight));
}

QSize TPanelManager::minimumSizeHint() const
{
    return QSize(0, qMax(0, m_managerHeight));
}

void TPanelManager::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Height changes are the manager's own doing; only a new width moves panels.
    if (event->oldSize().width() != width())
        layoutPanels();
}

void TPanelManager::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        layoutPanels();
}

void TPanelManager::childEvent(QChildEvent* event)
{
    QWidget::childEvent(event);
    // A panel that is destroyed cannot tell the manager itself.
    if (event->type() == QEvent::ChildRemoved)
        panelChanged();
}

// --- painting -----------------------------------------------------------------------

TMPanel* TPanelManager::panelAt(int childIndex) const
{
    if (childIndex < 0)
        return nullptr;
    return dockedPanels().value(childIndex);
}

int TPanelManager::childIndexOf(const TMPanel* panel) const
{
    return int(dockedPanels().indexOf(const_cast<TMPanel*>(panel)));
}

QColor TPanelManager::tabColorFor(const TMPanel* panel, bool hot) const
{
    const bool own = panel && !panel->parentTabColor();
    const TColor color = own ? (hot ? panel->tabHighColor() : panel->tabColor()) : (hot ? m_tabHighColor : m_tabColor);
    const QColor shown = color.toQColor();
    return shown.isValid() ? shown : palette().color(QPalette::Button);
}

void TPanelManager::paintEvent(QPaintEvent*)
{
    if (!m_batchUpdate && !m_layingOut && !slotsMatchPanels())
        layoutPanels();
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(backgroundRole()));
    paintSlotTabs(painter);
    paintHiddenTabs(painter);
}

void TPanelManager::paintSlotTabs(QPainter& painter)
{
    const QList<TMPanel*> panels = dockedPanels();
    for (const PanelSlot& slot : m_layout.slotList()) {
        const TMPanel* panel = panels.value(slot.childIndex);
        if (!panel || !panel->isShownDocked())
            continue;
        const QRect tabArea(panel->x() - m_tabWidth, panel->y(), m_tabWidth, panel->height());
        if (m_panelKind == TPanelKind::pkMicroSoft)
            paintGrip(painter, tabArea, palette());
        else
            paintPanelTab(painter, tabArea, tabColorFor(panel, slot.childIndex == m_hot), m_blackTabLine);
    }
}

void TPanelManager::paintHiddenTabs(QPainter& painter)
{
    const QList<TMPanel*> panels = dockedPanels();
    HiddenTabLook look;
    look.font = tabCaptionFont();
    look.text3D = m_tabText3D;
    look.blackLine = m_blackTabLine;
    for (const HiddenTab& tab : m_hiddenTabs) {
        const TMPanel* panel = panels.value(tab.childIndex);
        if (!panel)
            continue;
        look.color = tabColorFor(panel, tab.childIndex == m_hot);
        look.textColor = qGray(look.color.rgb()) < 140 ? QColor(Qt::white) : QColor(Qt::black);
        paintHiddenTab(painter, QRect(tab.left, tab.top, tab.width, m_tabHeight), panel->tabCaption(), look);
    }
}

// --- mouse --------------------------------------------------------------------------

int TPanelManager::hitTest(QPoint point) const
{
    const QList<TMPanel*> panels = dockedPanels();
    for (const PanelSlot& slot : m_layout.slotList()) {
        const TMPanel* panel = panels.value(slot.childIndex);
        if (!panel || !panel->isShownDocked())
            continue;
        if (point.x() >= panel->x() - m_tabWidth && point.x() < panel->x() && point.y() >= panel->y()
            && point.y() < panel->y() + panel->height())
            return slot.childIndex;
    }
    for (const HiddenTab& tab : m_hiddenTabs) {
        const int below = point.y() - tab.top;
        if (below >= 0 && below < m_tabHeight && point.x() >= tab.left + below && point.x() < tab.left + tab.width)
            return tab.childIndex;
    }
    return -1;
}

void TPanelManager::setHot(int childIndex)
{
    if (childIndex == m_hot)
        return;
    m_hot = childIndex;
    update();
}

void TPanelManager::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_downPoint = event->position().toPoint();
    m_dragging = false;
    m_wouldFloat = false;
    // The user clicks on what was painted, and painting lays out stale slots first.
    if (!m_batchUpdate && !slotsMatchPanels())
        layoutPanels();
    m_pressed = panelAt(hitTest(m_downPoint));
    if (m_pressed && m_pressed->isCollapsed())
        m_downPoint = m_pressed->pos();
    collectAndResolve();
    event->accept();
}

void TPanelManager::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->buttons() == Qt::NoButton) {
        if (m_tabHighLight && m_panelKind != TPanelKind::pkMicroSoft)
            setHot(hitTest(point));
        return;
    }
    if (!m_pressed)
        return;
    const QPoint moved = point - m_downPoint;
    if (m_dragging || std::abs(moved.x()) >= kDragThreshold || std::abs(moved.y()) >= kDragThreshold) {
        m_dragging = true;
        updateDrag(point);
    }
}

bool TPanelManager::frameWouldFloat(const QRect& frame) const
{
    return frame.left() < kFloatMarginLeft || frame.left() >= width() + kFloatMargin
        || frame.top() < -kFloatMargin || frame.top() > height() + kFloatMargin;
}

void TPanelManager::updateDrag(QPoint point)
{
    m_dragRect = m_pressed->geometry().adjusted(-m_tabWidth, 0, 0, 0).translated(point - m_downPoint);
    m_wouldFloat = m_pressed->floatable() && frameWouldFloat(m_dragRect);
    if (!m_dragFrame)
        m_dragFrame = new TDragFrame(this);
    m_dragFrame->showFrame(QRect(mapToGlobal(m_dragRect.topLeft()), m_dragRect.size()), m_wouldFloat);
}

void TPanelManager::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    TMPanel* panel = m_pressed;
    if (panel && m_dragging)
        endDrag(event->position().toPoint());
    else if (panel && m_panelKind != TPanelKind::pkMicroSoft)
        togglePanel(panel);
    finishMouse();
    event->accept();
}

void TPanelManager::endDrag(QPoint point)
{
    TMPanel* panel = m_pressed;
    if (m_dragFrame)
        m_dragFrame->hide();
    m_dragging = false;
    if (m_wouldFloat && panel->floatable()) {
        bool allowed = true;
        if (m_onPanelAction)
            m_onPanelAction(panel, kActionFloat, allowed);
        if (allowed && m_pressed)
            floatPanel(panel, mapToGlobal(m_dragRect.topLeft()));
        return;
    }
    dropPanel(panel, point);
}

// Moves the panel by the mouse's travel. A collapsed panel is shown where it was dropped.
// Anything that fails on the way leaves the panel where it was.
void TPanelManager::dropPanel(TMPanel* panel, QPoint point)
{
    const QRect oldBounds = panel->geometry();
    const bool wasCollapsed = panel->isCollapsed();
    const int newTop = point.y() + panel->y() - m_downPoint.y();
    const int newLeft = point.x() + panel->x() - m_downPoint.x();
    try {
        if (wasCollapsed) {
            {
                QScopedValueRollback<bool> guard(m_layingOut, true);
                panel->move(newLeft, newTop);
                panel->show();
            }
            layoutPanels();
        } else {
            m_layout.moveSlot(childIndexOf(panel), newTop, newLeft - m_tabWidth);
            m_layout.resolve();
            applyArrangement(dockedPanels(), m_layout.apply());
        }
    } catch (const std::exception&) {
        {
            QScopedValueRollback<bool> guard(m_layingOut, true);
            panel->setGeometry(oldBounds);
            panel->setVisible(!wasCollapsed);
        }
        layoutPanels();
        return;
    }
    notifyChange(panel);
}

void TPanelManager::togglePanel(TMPanel* panel)
{
    {
        QScopedValueRollback<bool> guard(m_layingOut, true);
        panel->setVisible(panel->isCollapsed());
    }
    layoutPanels();
    notifyChange(panel);
}

void TPanelManager::finishMouse()
{
    if (m_dragFrame)
        m_dragFrame->hide();
    m_pressed = nullptr;
    m_dragging = false;
    m_wouldFloat = false;
    setHot(-1);
}

void TPanelManager::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (!m_pressed)
        setHot(-1);
}

void TPanelManager::notifyChange(TMPanel* panel)
{
    if (m_onPanelChange)
        m_onPanelChange(panel);
}

// --- floating -----------------------------------------------------------------------

void TPanelManager::floatPanel(TMPanel* panel, QPoint screenTopLeft)
{
    if (!panel || panel->isFloating() || panel->parentWidget() != this)
        return;
    {
        QScopedValueRollback<bool> guard(m_layingOut, true);
        auto* window = new TFloatingPanelWindow(this, panel->floatStayOnTop(), panel->floatSizeable());
        window->setWindowTitle(panel->tabCaption());
        panel->beforeFloat();
        panel->m_dockedState = {panel->geometry(), !panel->isCollapsed(), panel->frameStyle()};
        const QSize size = panel->size();
        panel->m_floating = true;
        panel->m_floatingWindow = window;
        panel->m_floatingManager = this;
        panel->setParent(window);
        panel->setFrameStyle(QFrame::NoFrame);
        panel->move(0, 0);
        window->setClientSize(size);
        window->move(screenTopLeft);
        window->show();
        panel->show();
    }
    panel->resizeToolWindow();
    layoutPanels();
    notifyChange(panel);
}

bool TPanelManager::dockPanel(TMPanel* panel)
{
    if (!panel || !panel->isFloating() || panel->m_floatingManager != this)
        return false;
    bool allowed = true;
    if (m_onPanelAction)
        m_onPanelAction(panel, kActionDock, allowed);
    if (!allowed)
        return false;
    QPointer<QWidget> window = panel->floatingWindow();
    {
        QScopedValueRollback<bool> guard(m_layingOut, true);
        if (window)
            window->hide();
        panel->m_floating = false;
        panel->endFloat();
        const TMPanel::DockedState saved = panel->m_dockedState;
        panel->setParent(this);
        panel->setFrameStyle(saved.frameStyle);
        panel->setGeometry(saved.bounds);
        panel->setVisible(saved.visible);
    }
    if (window)
        window->deleteLater();
    layoutPanels();
    notifyChange(panel);
    return true;
}
