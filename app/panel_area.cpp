#include "app/panel_area.h"

#include "workspace/managed_panel.h"
#include "workspace/panel_manager.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>

namespace {

constexpr int kEditorRows = 2;
constexpr int kEditorPanelWidth = 600;

// The "Control Editors" panel with the text shown while nothing is selected.
TMPanel* createControlEditorPanel(TPanelManager* manager)
{
    auto* panel = new TMPanel(manager);
    panel->setObjectName(QStringLiteral("ControlEditors"));
    panel->setTabCaption(QStringLiteral("Control Editors"));
    panel->setMaximize(true);
    auto* empty = new QLabel(QStringLiteral("No control(s) selected."), panel);
    empty->setObjectName(QStringLiteral("lblNoSelection"));
    QFont font = empty->font();
    font.setBold(true);
    font.setPointSize(12);
    empty->setFont(font);
    empty->setAlignment(Qt::AlignCenter);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(16, 0, 4, 0);
    layout->addWidget(empty);
    panel->setGeometry(0, 0, kEditorPanelWidth, kEditorRows * manager->buttonHeight());
    return panel;
}

} // namespace

QWidget* createPanelArea(QWidget* parent, std::function<void()> heightChanged)
{
    auto* manager = new TPanelManager(parent);
    manager->setObjectName(QStringLiteral("PanelManager"));
    createControlEditorPanel(manager);
    manager->layoutPanels();
    QObject::connect(manager, &TPanelManager::heightChanged, manager,
                     [heightChanged = std::move(heightChanged)](int) { heightChanged(); });
    return manager;
}

int panelAreaHeight(const QWidget* area)
{
    return area->sizeHint().height();
}
