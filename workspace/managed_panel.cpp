#include "workspace/managed_panel.h"

#include "workspace/panel_manager.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QMenu>
#include <QPainter>

namespace {

constexpr int kIgnoredMinWidth = 5;

} // namespace

TMPanel::TMPanel(QWidget* parent) : QFrame(parent)
{
    setAutoFillBackground(true);
}

TMPanel::~TMPanel()
{
    // A floating panel takes its tool window with it.
    if (m_floatingWindow)
        m_floatingWindow->deleteLater();
}

TPanelManager* TMPanel::manager() const
{
    if (m_floating)
        return m_floatingManager;
    return qobject_cast<TPanelManager*>(parentWidget());
}

bool TMPanel::isCollapsed() const
{
    return !m_floating && isHidden() && testAttribute(Qt::WA_WState_ExplicitShowHide);
}

bool TMPanel::isShownDocked() const
{
    return !m_floating && !isCollapsed();
}

void TMPanel::setTabCaption(const QString& caption)
{
    if (caption == m_tabCaption)
        return;
    m_tabCaption = caption;
    if (m_floatingWindow)
        m_floatingWindow->setWindowTitle(caption);
    tellManager();
}

void TMPanel::setTabColor(TColor color)
{
    m_tabColor = color;
    tellManager();
}

void TMPanel::setTabHighColor(TColor color)
{
    m_tabHighColor = color;
    tellManager();
}

void TMPanel::setParentTabColor(bool parentTabColor)
{
    m_parentTabColor = parentTabColor;
    tellManager();
}

void TMPanel::setMaximize(bool maximize)
{
    m_maximize = maximize;
    tellManager();
}

void TMPanel::setMinWidth(int width)
{
    if (width <= kIgnoredMinWidth)
        return;
    m_minWidth = width;
    tellManager();
}

void TMPanel::tellManager()
{
    if (m_floating)
        return;
    if (auto* owner = qobject_cast<TPanelManager*>(parentWidget()))
        owner->panelChanged();
}

bool TMPanel::event(QEvent* event)
{
    const bool handled = QFrame::event(event);
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::ParentChange:
        tellManager();
        break;
    default:
        break;
    }
    return handled;
}

void TMPanel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    const TPanelManager* owner = m_floating ? nullptr : qobject_cast<TPanelManager*>(parentWidget());
    if (owner && owner->panelKind() == TPanelKind::pkMicroSoft) {
        QPainter painter(this);
        painter.setPen(palette().color(backgroundRole()));
        painter.drawLine(0, 0, 0, height() - 1);
    }
}

void TMPanel::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_popupMenu) {
        QFrame::contextMenuEvent(event);
        return;
    }
    m_popupMenu->popup(event->globalPos());
    event->accept();
}

void TMPanel::notifyToolWindowResized()
{
    if (m_resizingToolWindow || !m_floating)
        return;
    m_resizingToolWindow = true;
    if (m_onResizeToolWindow)
        m_onResizeToolWindow(this);
    m_resizingToolWindow = false;
}

void TMPanel::resizeToolWindow()
{
    if (!m_floating || m_resizingToolWindow)
        return;
    if (m_floatingWindow)
        setGeometry(m_floatingWindow->rect());
    notifyToolWindowResized();
}

QSize TMPanel::extent() const
{
    return size();
}

void TMPanel::beforeFloat()
{
}

void TMPanel::endFloat()
{
    if (m_onEndFloat)
        m_onEndFloat(this);
    m_floatingWindow = nullptr;
    m_floatingManager = nullptr;
}
