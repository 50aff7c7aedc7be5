// A speed panel sizes itself to the buttons of its tool bar, docked and floating.
#include "panel_manager_fixture.h"

#include "workspace/speed_panel.h"

#include <QAction>
#include <QIcon>
#include <QPixmap>
#include <QToolBar>

namespace {

class SpeedPanel : public PanelManagerFixture {
protected:
    TMSpeedPanel* addSpeedPanel(int buttons)
    {
        auto* panel = new TMSpeedPanel(&manager());
        panel->setGeometry(10, 0, 25, 25);
        panel->setTabCaption(QStringLiteral("File"));
        QPixmap image(16, 16);
        image.fill(Qt::darkCyan);
        for (int i = 0; i < buttons; ++i)
            panel->toolBar()->addAction(QIcon(image), QStringLiteral("Command %1").arg(i));
        QCoreApplication::processEvents();
        return panel;
    }

    // Every visible button lies wholly inside the panel, none behind the overflow arrow.
    static void expectAllButtonsShown(TMSpeedPanel* panel)
    {
        QToolBar* bar = panel->toolBar();
        for (QAction* action : bar->actions()) {
            if (!action->isVisible())
                continue;
            QWidget* button = bar->widgetForAction(action);
            ASSERT_NE(button, nullptr);
            EXPECT_TRUE(button->isVisible()) << action->text().toStdString();
            const QRect inPanel(button->mapTo(panel, QPoint(0, 0)), button->size());
            EXPECT_TRUE(panel->rect().contains(inPanel)) << action->text().toStdString();
        }
    }
};

TEST_F(SpeedPanel, WithoutToolBarItIsTenWide)
{
    auto* panel = new TMSpeedPanel(&manager());
    EXPECT_FALSE(panel->hasToolBar());
    EXPECT_EQ(panel->autoWidth(), 10);
    EXPECT_TRUE(panel->floatSizeable());
}

TEST_F(SpeedPanel, SizesItselfToItsButtonsAndShowsThemAll)
{
    useKind(TPanelKind::pkMicroSoft);
    TMSpeedPanel* panel = addSpeedPanel(6);
    showManager();
    const int sixButtons = panel->width();
    EXPECT_EQ(sixButtons, panel->autoWidth());
    expectAllButtonsShown(panel);

    panel->toolBar()->actions().at(2)->setVisible(false);
    QCoreApplication::processEvents();
    EXPECT_LT(panel->width(), sixButtons);
    expectAllButtonsShown(panel);
}

TEST_F(SpeedPanel, ButtonsAreCutToTheRowHeight)
{
    useKind(TPanelKind::pkMicroSoft);
    manager().setButtonHeight(20);
    TMSpeedPanel* panel = addSpeedPanel(3);
    panel->setButtonHeight(40);
    showManager();
    EXPECT_EQ(panel->buttonHeight(), 18);
    const QRect bar = panel->toolBar()->geometry();
    EXPECT_EQ(bar.height(), 18);
    EXPECT_EQ(bar.left(), 1);
    EXPECT_EQ(bar.top(), (20 - 18) / 2 + 1);
    EXPECT_LE(bar.bottom(), panel->height() - 1);
}

TEST_F(SpeedPanel, FloatingWindowFollowsTheButtonsAndDockingRestoresTheBar)
{
    useKind(TPanelKind::pkDovrand);
    TMSpeedPanel* panel = addSpeedPanel(4);
    showManager();
    const QRect dockedBar = panel->toolBar()->geometry();
    const QRect docked = panel->geometry();

    dragBy(panel, QPoint(0, -20));
    ASSERT_TRUE(panel->isFloating());
    QWidget* window = panel->floatingWindow();
    EXPECT_EQ(window->size(), panel->extent());
    expectAllButtonsShown(panel);

    // Made taller than wide, the window turns the buttons upright.
    window->resize(40, 300);
    QCoreApplication::processEvents();
    EXPECT_GT(panel->height(), panel->width());
    EXPECT_EQ(window->size(), panel->size());
    expectAllButtonsShown(panel);

    window->close();
    EXPECT_FALSE(panel->isFloating());
    EXPECT_EQ(panel->geometry(), docked);
    EXPECT_EQ(panel->toolBar()->orientation(), Qt::Horizontal);
    EXPECT_EQ(panel->toolBar()->geometry(), dockedBar);
}

} // namespace
