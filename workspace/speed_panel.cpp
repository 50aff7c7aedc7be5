#include "workspace/speed_panel.h"

#include "workspace/floating_panel_window.h"
#include "workspace/panel_manager.h"

#include <QEvent>
#include <QMetaObject>
#include <QToolBar>

namespace {

constexpr int kToolBarLeft = 1;
constexpr int kEmptyWidth = 10;
constexpr int kIconMargin = 6;

const char* const kFlatToolBarStyle = "QToolBar { border: 0px; padding: 0px; spacing: 0px; background: transparent; }";

} // namespace

TMSpeedPanel::TMSpeedPanel(QWidget* parent) : TMPanel(parent)
{
    setFloatSizeable(true);
}

QToolBar* TMSpeedPanel::toolBar()
{
    if (m_toolBar)
        return m_toolBar;
    m_toolBar = new QToolBar(this);
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setStyleSheet(QString::fromLatin1(kFlatToolBarStyle));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->installEventFilter(this);
    placeToolBar();
    m_toolBar->show();
    return m_toolBar;
}

int TMSpeedPanel::effectiveButtonHeight() const
{
    const TPanelManager* owner = manager();
    return owner ? qMin(m_buttonHeight, owner->buttonHeight() - 2) : m_buttonHeight;
}

int TMSpeedPanel::buttonHeight() const
{
    return effectiveButtonHeight();
}

void TMSpeedPanel::setButtonHeight(int height)
{
    m_buttonHeight = qMax(1, height);
    placeToolBar();
}

// The tool bar's own size hint covers its visible buttons with the spacing it puts
// between them, so a panel of this width never hides a button behind the overflow arrow.
QSize TMSpeedPanel::buttonsExtent() const
{
    if (!m_toolBar)
        return QSize(kEmptyWidth, effectiveButtonHeight());
    bool anyVisible = false;
    for (QAction* action : m_toolBar->actions())
        anyVisible = anyVisible || action->isVisible();
    if (!anyVisible)
        return QSize(kEmptyWidth, effectiveButtonHeight());
    const QSize hint = m_toolBar->sizeHint();
    return QSize(qMax(kEmptyWidth, hint.width()), qMax(effectiveButtonHeight(), hint.height()));
}

int TMSpeedPanel::autoWidth() const
{
    if (!m_toolBar)
        return kEmptyWidth;
    const int buttons = m_toolBar->orientation() == Qt::Horizontal ? buttonsExtent().width() : buttonsExtent().height();
    return buttons + kToolBarLeft + 2;
}

void TMSpeedPanel::sizeToButtons()
{
    if (isFloating()) {
        resizeToolWindow();
        return;
    }
    resize(autoWidth(), height());
}

void TMSpeedPanel::placeToolBar()
{
    if (!m_toolBar)
        return;
    if (isFloating()) {
        m_toolBar->setGeometry(kToolBarLeft, 1, width() - 2, height() - 2);
        return;
    }
    const int buttons = effectiveButtonHeight();
    const int iconSide = qMax(8, buttons - kIconMargin);
    if (m_toolBar->iconSize() != QSize(iconSide, iconSide))
        m_toolBar->setIconSize(QSize(iconSide, iconSide));
    const int top = height() >= buttons + 2 ? (height() - buttons) / 2 + 1 : qBound(0, height() - buttons, 1);
    m_toolBar->setGeometry(kToolBarLeft, top, width() - 2, buttons);
}

void TMSpeedPanel::resizeEvent(QResizeEvent* event)
{
    TMPanel::resizeEvent(event);
    placeToolBar();
}

bool TMSpeedPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_toolBar) {
        switch (event->type()) {
        case QEvent::ActionAdded:
        case QEvent::ActionRemoved:
        case QEvent::ActionChanged:
            // The tool bar makes the button for an action after this filter has run.
            QMetaObject::invokeMethod(this, &TMSpeedPanel::sizeToButtons, Qt::QueuedConnection);
            break;
        default:
            break;
        }
    }
    return TMPanel::eventFilter(watched, event);
}

QSize TMSpeedPanel::extent() const
{
    return buttonsExtent() + QSize(2, 2);
}

// While floating the window follows the buttons: a window made taller than wide turns the
// tool bar upright.
void TMSpeedPanel::resizeToolWindow()
{
    auto* window = qobject_cast<TFloatingPanelWindow*>(floatingWindow());
    if (!isFloating() || !window || m_fittingWindow)
        return;
    m_fittingWindow = true;
    if (m_toolBar && window->isSizeable())
        m_toolBar->setOrientation(window->height() > window->width() ? Qt::Vertical : Qt::Horizontal);
    const QSize size = extent();
    setGeometry(QRect(QPoint(0, 0), size));
    window->setClientSize(size);
    placeToolBar();
    m_fittingWindow = false;
    notifyToolWindowResized();
}

void TMSpeedPanel::beforeFloat()
{
    TMPanel::beforeFloat();
    if (m_toolBar)
        m_dockedToolBarBounds = m_toolBar->geometry();
}

void TMSpeedPanel::endFloat()
{
    if (m_toolBar) {
        m_toolBar->setOrientation(Qt::Horizontal);
        m_toolBar->setGeometry(m_dockedToolBarBounds);
    }
    TMPanel::endFloat();
}
