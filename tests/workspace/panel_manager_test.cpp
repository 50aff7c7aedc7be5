// The panel manager as the user works it: dragging panels by their tabs, clicking tabs
// to collapse and restore panels, and the height the main window follows.
#include "panel_manager_fixture.h"

#include <QSignalSpy>

namespace {

class PanelManagerRows : public PanelManagerFixture {};

TEST_F(PanelManagerRows, PanelDraggedOntoAFullRowGoesBackToTheNextRow)
{
    useKind(TPanelKind::pkMicroSoft, 600);
    TMPanel* first = addPanel(QRect(10, 0, 300, 26));
    TMPanel* second = addPanel(QRect(320, 26, 300, 26));
    showManager();
    ASSERT_EQ(second->geometry(), QRect(10, 26, 300, 26));  // did not fit beside the first
    second->move(400, 26);
    ASSERT_EQ(second->x(), 10);

    dragBy(second, QPoint(0, -26));

    EXPECT_EQ(first->geometry(), QRect(10, 0, 300, 26));
    EXPECT_EQ(second->geometry(), QRect(10, 26, 300, 26));
    EXPECT_EQ(manager().height(), 52);
}

TEST_F(PanelManagerRows, PanelDraggedOntoARowWithRoomJoinsItAndTheStripShrinks)
{
    useKind(TPanelKind::pkMicroSoft, 700);
    addPanel(QRect(10, 0, 300, 26));
    TMPanel* second = addPanel(QRect(10, 26, 300, 26));
    showManager();
    ASSERT_EQ(manager().height(), 52);
    QSignalSpy heights(&manager(), &TPanelManager::heightChanged);

    dragBy(second, QPoint(0, -26));

    EXPECT_EQ(second->geometry(), QRect(320, 0, 300, 26));
    EXPECT_EQ(manager().height(), 26);
    ASSERT_EQ(heights.count(), 1);
    EXPECT_EQ(heights.at(0).at(0).toInt(), 26);
}

TEST_F(PanelManagerRows, MaximisedPaletteEndsAtTheTabOfTheNextPanel)
{
    useKind(TPanelKind::pkDovrand, 800);
    TMPanel* palette = addPanel(QRect(10, 0, 100, 26), QStringLiteral("Palette"));
    palette->setMaximize(true);
    palette->setMinWidth(250);
    addPanel(QRect(450, 0, 100, 26));
    showManager();
    EXPECT_EQ(palette->geometry().right() + 1, 440);

    manager().resize(1000, manager().height());
    EXPECT_EQ(palette->geometry().right() + 1, 440);
}

TEST_F(PanelManagerRows, BandsStackInTheOrderOfTheirTopsAndDraggingReordersThem)
{
    useKind(TPanelKind::pkNetScape, 500);
    TMPanel* bottom = addPanel(QRect(10, 80, 100, 30));
    TMPanel* top = addPanel(QRect(10, 0, 100, 24));
    TMPanel* middle = addPanel(QRect(10, 30, 100, 40));
    showManager();
    EXPECT_EQ(top->geometry(), QRect(10, 0, 490, 24));
    EXPECT_EQ(middle->geometry(), QRect(10, 24, 490, 40));
    EXPECT_EQ(bottom->geometry(), QRect(10, 64, 490, 30));
    EXPECT_EQ(manager().height(), 24 + 40 + 30);

    // The top band dragged below the middle one.
    dragBy(top, QPoint(0, 45));
    EXPECT_EQ(middle->y(), 0);
    EXPECT_EQ(top->y(), 40);
    EXPECT_EQ(bottom->y(), 64);
    EXPECT_EQ(manager().height(), 94);
}

TEST_F(PanelManagerRows, DestroyedPanelLeavesItsRow)
{
    useKind(TPanelKind::pkMicroSoft, 600);
    addPanel(QRect(10, 0, 300, 26));
    TMPanel* second = addPanel(QRect(10, 26, 300, 26));
    showManager();
    ASSERT_EQ(manager().height(), 52);
    delete second;
    EXPECT_EQ(manager().height(), 26);
}

TEST_F(PanelManagerRows, ButtonHeightIsAtLeastTenAndRowsArePixelsInBands)
{
    manager().setProperty("ButtonHeight", 4);
    EXPECT_EQ(manager().property("ButtonHeight").toInt(), 10);
    useKind(TPanelKind::pkNetScape);
    EXPECT_EQ(manager().rowHeight(), 1);
    useKind(TPanelKind::pkMicroSoft);
    EXPECT_EQ(manager().rowHeight(), 10);
}

class PanelManagerTabs : public PanelManagerFixture {};

TEST_F(PanelManagerTabs, ClickOnTabCollapsesThePanelAndClickOnItsTabRestoresIt)
{
    useKind(TPanelKind::pkDovrand, 600);
    TMPanel* first = addPanel(QRect(10, 0, 100, 26), QStringLiteral("Speedbar"));
    TMPanel* second = addPanel(QRect(130, 0, 100, 26));
    showManager();
    ASSERT_EQ(manager().height(), 26);
    const QRect before = first->geometry();

    click(tabOf(first));
    EXPECT_TRUE(first->isHidden());
    EXPECT_EQ(manager().height(), 26 + manager().tabHeight());
    EXPECT_TRUE(second->isVisible());

    // The collapsed tab hangs below the row, starting at the left edge.
    click(QPoint(30, 26 + manager().tabHeight() / 2));
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->geometry(), before);
    EXPECT_EQ(manager().height(), 26);
}

TEST_F(PanelManagerTabs, BandTabsCollapseToo)
{
    useKind(TPanelKind::pkNetScape, 600);
    TMPanel* first = addPanel(QRect(10, 0, 100, 30), QStringLiteral("Palette"));
    TMPanel* second = addPanel(QRect(10, 30, 100, 20));
    showManager();
    click(tabOf(first));
    EXPECT_TRUE(first->isHidden());
    EXPECT_EQ(second->y(), 0);
    EXPECT_EQ(manager().height(), 20 + manager().tabHeight());
}

TEST_F(PanelManagerTabs, ClickOnGripDoesNothingInTheToolBarStyle)
{
    useKind(TPanelKind::pkMicroSoft, 600);
    TMPanel* panel = addPanel(QRect(10, 0, 100, 26));
    showManager();
    click(tabOf(panel));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(manager().height(), 26);
}

TEST_F(PanelManagerTabs, CollapsedPanelDraggedFromItsTabIsShownWhereItIsDropped)
{
    useKind(TPanelKind::pkDovrand, 600);
    TMPanel* first = addPanel(QRect(10, 0, 100, 26), QStringLiteral("Extra"));
    addPanel(QRect(130, 0, 100, 26));
    showManager();
    click(tabOf(first));
    ASSERT_TRUE(first->isHidden());

    drag(QPoint(30, 31), QPoint(300, 5));
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->geometry(), QRect(300, 0, 100, 26));
    EXPECT_EQ(manager().height(), 26);
}

TEST_F(PanelManagerTabs, UserChangesAreReported)
{
    useKind(TPanelKind::pkDovrand, 600);
    TMPanel* panel = addPanel(QRect(10, 0, 100, 26));
    showManager();
    QList<TMPanel*> changed;
    manager().setOnPanelChange([&changed](TMPanel* sender) { changed.append(sender); });
    click(tabOf(panel));
    dragBy(addPanel(QRect(200, 0, 50, 26)), QPoint(40, 0));
    ASSERT_EQ(changed.size(), 2);
    EXPECT_EQ(changed[0], panel);
}

TEST_F(PanelManagerTabs, TabUnderTheMouseIsDrawnInTheHighColour)
{
    useKind(TPanelKind::pkDovrand, 600);
    manager().setTabHighLight(true);
    manager().setTabColor(TColor(0x400000));
    TMPanel* panel = addPanel(QRect(10, 0, 100, 26));
    showManager();
    const QPoint tab = tabOf(panel) + QPoint(-2, 0);  // beside the column of dots
    const QColor normal = manager().grab().toImage().pixelColor(tab);
    QTest::mouseMove(&manager(), tabOf(panel));
    const QColor hot = manager().grab().toImage().pixelColor(tab);
    EXPECT_EQ(normal, TColor(0x400000).toQColor());
    EXPECT_EQ(hot, TColor(0xFFC0C0).toQColor());
}

struct TabColorCase {
    qint32 color;
    qint32 expectedHighColor;
};

class PanelManagerTabColor : public ::testing::TestWithParam<TabColorCase> {};

TEST_P(PanelManagerTabColor, SettingTheTabColourRaisesEachChannelForTheHighColour)
{
    TPanelManager manager;
    manager.setProperty("TabColor", QVariant::fromValue(TColor(GetParam().color)));
    EXPECT_EQ(manager.property("TabHighColor").value<TColor>().value(), GetParam().expectedHighColor);
}

INSTANTIATE_TEST_SUITE_P(Colours, PanelManagerTabColor,
                         ::testing::Values(TabColorCase{0x400000, 0xFFC0C0}, TabColorCase{0x000000, 0xC0C0C0},
                                           TabColorCase{0xFFFFFF, 0xFFFFFF}, TabColorCase{0x123456, 0xD2F4FF}),
                         [](const auto& info) { return "Colour" + QString::number(info.param.color, 16).toStdString(); });

class PanelManagerBatch : public PanelManagerFixture {};

TEST_F(PanelManagerBatch, PanelsAddedDuringABatchAreArrangedWhenItEnds)
{
    useKind(TPanelKind::pkMicroSoft, 600);
    showManager();
    manager().setBatchUpdate(true);
    TMPanel* first = addPanel(QRect(10, 0, 400, 26));
    TMPanel* second = addPanel(QRect(10, 0, 400, 26));
    EXPECT_EQ(manager().height(), 0);
    EXPECT_EQ(second->y(), 0);
    manager().setBatchUpdate(false);
    EXPECT_EQ(first->y(), 0);
    EXPECT_EQ(second->y(), 26);
    EXPECT_EQ(manager().height(), 52);
}

TEST_F(PanelManagerBatch, SixtyPanelsAreArrangedAndCanBeCollapsed)
{
    useKind(TPanelKind::pkDovrand, 600);
    QList<TMPanel*> panels;
    for (int i = 0; i < 60; ++i)
        panels.append(addPanel(QRect(10 + (i * 53) % 400, 0, 60 + i % 30, 26), QStringLiteral("Bar %1").arg(i)));
    showManager();
    for (int i = 0; i < 60; i += 7)
        click(tabOf(panels[i]));
    int lowest = 0;
    for (int i = 0; i < 60; ++i) {
        const bool collapsed = i % 7 == 0;
        EXPECT_EQ(panels[i]->isHidden(), collapsed) << "panel " << i;
        if (collapsed)
            continue;
        const QRect a = panels[i]->geometry().adjusted(-manager().tabWidth(), 0, 0, 0);
        EXPECT_LE(a.right(), manager().width() - 1);
        lowest = qMax(lowest, a.bottom() + 1);
        for (int j = i + 1; j < 60; ++j) {
            if (j % 7 != 0) {
                EXPECT_FALSE(a.intersects(panels[j]->geometry().adjusted(-manager().tabWidth(), 0, 0, 0)))
                    << "panels " << i << " and " << j;
            }
        }
    }
    EXPECT_GT(manager().height(), lowest);  // the tabs of the collapsed panels hang below
}

} // namespace
