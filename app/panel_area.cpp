#include "app/panel_area.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>

namespace {

constexpr int kPanelAreaHeight = 64;

} // namespace

QWidget* createPanelArea(QWidget* parent)
{
    auto* area = new QWidget(parent);
    area->setObjectName(QStringLiteral("PanelManager"));
    area->setFixedHeight(kPanelAreaHeight);
    auto* empty = new QLabel(QStringLiteral("No control(s) selected."), area);
    empty->setObjectName(QStringLiteral("lblNoSelection"));
    QFont font = empty->font();
    font.setBold(true);
    font.setPointSize(12);
    empty->setFont(font);
    empty->setAlignment(Qt::AlignCenter);
    auto* layout = new QHBoxLayout(area);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(empty);
    return area;
}
