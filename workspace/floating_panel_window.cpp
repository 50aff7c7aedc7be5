#include "workspace/floating_panel_window.h"

#include "workspace/managed_panel.h"
#include "workspace/panel_manager.h"

#include <QCloseEvent>

namespace {

Qt::WindowFlags floatingWindowFlags(bool stayOnTop, bool sizeable)
{
    Qt::WindowFlags flags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (stayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    if (!sizeable)
        flags |= Qt::MSWindowsFixedSizeDialogHint;
    return flags;
}

} // namespace

TFloatingPanelWindow::TFloatingPanelWindow(TPanelManager* manager, bool stayOnTop, bool sizeable)
    : QWidget(manager, floatingWindowFlags(stayOnTop, sizeable)), m_manager(manager), m_sizeable(sizeable)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

TFloatingPanelWindow::~TFloatingPanelWindow()
{
    // The panel goes with the window; it must not try to delete the window again.
    if (TMPanel* floating = panel())
        floating->m_floatingWindow = nullptr;
}

TMPanel* TFloatingPanelWindow::panel() const
{
    return findChild<TMPanel*>(QString(), Qt::FindDirectChildrenOnly);
}

void TFloatingPanelWindow::setClientSize(QSize size)
{
    if (m_sizeable)
        resize(size);
    else
        setFixedSize(size);
}

void TFloatingPanelWindow::closeEvent(QCloseEvent* event)
{
    TMPanel* floating = panel();
    if (!floating || !m_manager) {
        event->accept();
        deleteLater();
        return;
    }
    if (m_manager->dockPanel(floating))
        event->accept();
    else
        event->ignore();
}

void TFloatingPanelWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (TMPanel* floating = panel())
        floating->resizeToolWindow();
}
