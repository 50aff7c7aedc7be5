// The row layout of the panel manager, checked by its numbers.
#include "workspace/panel_layout.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

PanelLayoutItem panel(int index, QRect bounds, bool visible = true)
{
    PanelLayoutItem item;
    item.childIndex = index;
    item.bounds = bounds;
    item.visible = visible;
    return item;
}

PanelLayoutMetrics metrics(TPanelKind kind, int managerWidth, int rowHeight = 26)
{
    PanelLayoutMetrics result;
    result.kind = kind;
    result.rowHeight = kind == TPanelKind::pkNetScape ? 1 : rowHeight;
    result.tabWidth = 10;
    result.tabHeight = 10;
    result.managerWidth = managerWidth;
    return result;
}

QRect boundsOf(const PanelArrangement& arrangement, int childIndex)
{
    for (const PanelPlacement& placement : arrangement.panels)
        if (placement.childIndex == childIndex)
            return placement.bounds;
    ADD_FAILURE() << "panel " << childIndex << " was not placed";
    return {};
}

// No two placed panels (tabs included) overlap, and none passes the right edge.
void expectTidyRows(const PanelArrangement& arrangement, int tabWidth, int managerWidth)
{
    for (int i = 0; i < arrangement.panels.size(); ++i) {
        const QRect a = arrangement.panels[i].bounds.adjusted(-tabWidth, 0, 0, 0);
        EXPECT_LE(a.left() + a.width(), managerWidth) << "panel " << arrangement.panels[i].childIndex;
        EXPECT_GE(a.left(), 0);
        for (int j = i + 1; j < arrangement.panels.size(); ++j) {
            const QRect b = arrangement.panels[j].bounds.adjusted(-tabWidth, 0, 0, 0);
            EXPECT_FALSE(a.intersects(b)) << "panels " << arrangement.panels[i].childIndex << " and "
                                          << arrangement.panels[j].childIndex << " overlap";
        }
    }
}

} // namespace

TEST(PanelLayoutRows, SecondPanelThatDoesNotFitMovesToTheNextRow)
{
    // Two panels of 300 (310 with the tab) dropped on row 1 of a 600-pixel strip.
    const auto arrangement = PanelLayout::arrange(metrics(TPanelKind::pkMicroSoft, 600),
                                                  {panel(0, QRect(10, 0, 300, 26)), panel(1, QRect(10, 0, 300, 26))});
    EXPECT_EQ(boundsOf(arrangement, 0), QRect(10, 0, 300, 26));
    EXPECT_EQ(boundsOf(arrangement, 1), QRect(10, 26, 300, 26));
    EXPECT_EQ(arrangement.managerHeight, 52);
}

TEST(PanelLayoutRows, SecondPanelThatFitsIsPushedRightOnTheSameRow)
{
    const auto arrangement = PanelLayout::arrange(metrics(TPanelKind::pkMicroSoft, 620),
                                                  {panel(0, QRect(10, 0, 300, 26)), panel(1, QRect(10, 0, 300, 26))});
    EXPECT_EQ(boundsOf(arrangement, 1), QRect(320, 0, 300, 26));
    EXPECT_EQ(arrangement.managerHeight, 26);
}

TEST(PanelLayoutRows, OverlappingPanelsLineUpAndEmptyRowsClose)
{
    // Three panels overlapping on row 3, nothing on rows 1 and 2.
    const auto arrangement = PanelLayout::arrange(
        metrics(TPanelKind::pkDovrand, 1000),
        {panel(0, QRect(10, 52, 100, 26)), panel(1, QRect(50, 52, 100, 26)), panel(2, QRect(80, 60, 200, 26))});
    EXPECT_EQ(boundsOf(arrangement, 0), QRect(10, 0, 100, 26));
    EXPECT_EQ(boundsOf(arrangement, 1), QRect(120, 0, 100, 26));
    EXPECT_EQ(boundsOf(arrangement, 2), QRect(230, 0, 200, 26));
    EXPECT_EQ(arrangement.managerHeight, 26);
}

TEST(PanelLayoutRows, PanelDroppedAboveTheStripLandsOnTheFirstRow)
{
    const auto arrangement = PanelLayout::arrange(
        metrics(TPanelKind::pkMicroSoft, 600), {panel(0, QRect(10, -40, 100, 26)), panel(1, QRect(200, 26, 100, 26))});
    EXPECT_EQ(boundsOf(arrangement, 0), QRect(10, 0, 100, 26));
    EXPECT_EQ(boundsOf(arrangement, 1).top(), 26);
}

TEST(PanelLayoutRows, TallPanelSpansRowsAndPushesPanelsOfItsLowerRows)
{
    // A two-row panel at the left; a panel dropped on its second row moves right of it.
    const auto arrangement = PanelLayout::arrange(
        metrics(TPanelKind::pkMicroSoft, 600), {panel(0, QRect(10, 0, 100, 52)), panel(1, QRect(10, 26, 100, 26))});
    EXPECT_EQ(boundsOf(arrangement, 0), QRect(10, 0, 100, 52));
    EXPECT_EQ(boundsOf(arrangement, 1), QRect(120, 26, 100, 26));
    EXPECT_EQ(arrangement.managerHeight, 52);
}

class PanelLayoutMaximised : public ::testing::TestWithParam<TPanelKind> {};

TEST_P(PanelLayoutMaximised, StretchesToTheTabOfTheNextPanelOnItsRow)
{
    PanelLayoutItem palette = panel(0, QRect(10, 0, 60, 26));
    palette.maximize = true;
    palette.minWidth = 250;
    const auto arrangement =
        PanelLayout::arrange(metrics(GetParam(), 800), {palette, panel(1, QRect(450, 0, 100, 26))});
    EXPECT_EQ(boundsOf(arrangement, 0), QRect(10, 0, 430, 26));
    EXPECT_EQ(boundsOf(arrangement, 1), QRect(450, 0, 100, 26));
}

TEST_P(PanelLayoutMaximised, StretchesToTheRightEdgeWhenAloneOnItsRow)
{
    PanelLayoutItem palette = panel(0, QRect(210, 0, 60, 26));
    palette.maximize = true;
    palette.minWidth = 250;
    const auto arrangement =
        PanelLayout::arrange(metrics(GetParam(), 800), {palette, panel(1, QRect(10, 26, 100, 26))});
    EXPECT_EQ(boundsOf(arrangement, 0), QRect(210, 0, 590, 26));
}

TEST_P(PanelLayoutMaximised, ClaimsItsMinimumWidthAgainstAPanelDroppedOnIt)
{
    PanelLayoutItem palette = panel(0, QRect(10, 0, 60, 26));
    palette.maximize = true;
    palette.minWidth = 250;
    const auto arrangement =
        PanelLayout::arrange(metrics(GetParam(), 800), {palette, panel(1, QRect(100, 0, 100, 26))});
    EXPECT_EQ(boundsOf(arrangement, 1), QRect(260, 0, 100, 26));
    EXPECT_EQ(boundsOf(arrangement, 0), QRect(10, 0, 240, 26));
}

INSTANTIATE_TEST_SUITE_P(RowStyles, PanelLayoutMaximised,
                         ::testing::Values(TPanelKind::pkMicroSoft, TPanelKind::pkDovrand));

TEST(PanelLayoutBands, EveryPanelIsAFullWidthBandInTheOrderOfTheirTops)
{
    // Child order differs from the order of the tops.
    const auto arrangement = PanelLayout::arrange(
        metrics(TPanelKind::pkNetScape, 500),
        {panel(0, QRect(300, 70, 80, 30)), panel(1, QRect(10, 0, 120, 24)), panel(2, QRect(40, 30, 50, 40))});
    EXPECT_EQ(boundsOf(arrangement, 1), QRect(10, 0, 490, 24));
    EXPECT_EQ(boundsOf(arrangement, 2), QRect(10, 24, 490, 40));
    EXPECT_EQ(boundsOf(arrangement, 0), QRect(10, 64, 490, 30));
    EXPECT_EQ(arrangement.managerHeight, 24 + 40 + 30);
}

TEST(PanelLayoutBands, MovedSlotChangesTheOrderOfTheBands)
{
    PanelLayout layout(metrics(TPanelKind::pkNetScape, 500));
    layout.collect({panel(0, QRect(10, 0, 100, 24)), panel(1, QRect(10, 24, 100, 30))});
    layout.resolve();
    ASSERT_TRUE(layout.moveSlot(0, 40, 0));
    layout.resolve();
    const auto arrangement = layout.apply();
    EXPECT_EQ(boundsOf(arrangement, 1).top(), 0);
    EXPECT_EQ(boundsOf(arrangement, 0), QRect(10, 30, 490, 24));
    EXPECT_FALSE(layout.moveSlot(7, 0, 0));
}

TEST(PanelLayoutRows, MovedSlotKeepsItsNumberOfRows)
{
    PanelLayout layout(metrics(TPanelKind::pkMicroSoft, 600));
    layout.collect({panel(0, QRect(10, 0, 100, 52)), panel(1, QRect(200, 0, 100, 26))});
    layout.resolve();
    ASSERT_TRUE(layout.moveSlot(0, 60, 390));
    layout.resolve();
    const auto arrangement = layout.apply();
    EXPECT_EQ(boundsOf(arrangement, 0), QRect(400, 26, 100, 52));
    EXPECT_EQ(arrangement.managerHeight, 78);
}

TEST(PanelLayoutTabs, CollapsedPanelsFlowInRowsBelowThePanels)
{
    PanelLayoutItem first = panel(1, QRect(10, 0, 100, 26), false);
    first.captionWidth = 120;
    PanelLayoutItem second = panel(2, QRect(10, 0, 100, 26), false);
    second.captionWidth = 90;
    PanelLayoutItem third = panel(3, QRect(10, 0, 100, 26), false);  // no caption: as wide as the panel is high
    const auto arrangement = PanelLayout::arrange(metrics(TPanelKind::pkDovrand, 200),
                                                  {panel(0, QRect(10, 0, 100, 26)), first, second, third});
    ASSERT_EQ(arrangement.hiddenTabs.size(), 3);
    EXPECT_EQ(arrangement.hiddenTabs[0].top, 26);
    EXPECT_EQ(arrangement.hiddenTabs[0].left, 0);
    EXPECT_EQ(arrangement.hiddenTabs[0].width, 120);
    EXPECT_EQ(arrangement.hiddenTabs[1].top, 36);  // 120 + 90 passes 200
    EXPECT_EQ(arrangement.hiddenTabs[1].left, 0);
    EXPECT_EQ(arrangement.hiddenTabs[2].top, 36);
    EXPECT_EQ(arrangement.hiddenTabs[2].left, 90);
    EXPECT_EQ(arrangement.hiddenTabs[2].width, 26);
    EXPECT_EQ(arrangement.tabRowCount, 2);
    EXPECT_EQ(arrangement.managerHeight, 26 + 2 * 10);
}

TEST(PanelLayoutTabs, AWideTabStaysOnItsRowWhenItIsTheFirst)
{
    PanelLayoutItem wide = panel(0, QRect(10, 0, 100, 26), false);
    wide.captionWidth = 500;
    const auto arrangement = PanelLayout::arrange(metrics(TPanelKind::pkNetScape, 200), {wide});
    ASSERT_EQ(arrangement.hiddenTabs.size(), 1);
    EXPECT_EQ(arrangement.hiddenTabs[0].top, 0);
    EXPECT_EQ(arrangement.managerHeight, 10);
}

TEST(PanelLayoutTabs, ToolBarStyleHasNoTabsForHiddenPanels)
{
    const auto arrangement = PanelLayout::arrange(
        metrics(TPanelKind::pkMicroSoft, 600), {panel(0, QRect(10, 0, 100, 26)), panel(1, QRect(10, 0, 100, 26), false)});
    EXPECT_TRUE(arrangement.hiddenTabs.isEmpty());
    EXPECT_EQ(arrangement.managerHeight, 26);
    EXPECT_EQ(arrangement.panels.size(), 1);
}

TEST(PanelLayoutLimits, SixtyPanelsAreAllPlacedInTidyRows)
{
    QList<PanelLayoutItem> panels;
    for (int i = 0; i < 60; ++i)
        panels.append(panel(i, QRect(10 + (i * 37) % 500, (i % 3) * 26, 40 + i % 50, 26)));
    for (TPanelKind kind : {TPanelKind::pkMicroSoft, TPanelKind::pkDovrand}) {
        const auto arrangement = PanelLayout::arrange(metrics(kind, 600), panels);
        ASSERT_EQ(arrangement.panels.size(), 60);
        expectTidyRows(arrangement, 10, 600);
        int lowest = 0;
        for (const PanelPlacement& placement : arrangement.panels)
            lowest = qMax(lowest, placement.bounds.bottom() + 1);
        EXPECT_EQ(arrangement.managerHeight, lowest);
    }
    const auto bands = PanelLayout::arrange(metrics(TPanelKind::pkNetScape, 600), panels);
    EXPECT_EQ(bands.panels.size(), 60);
    EXPECT_EQ(bands.managerHeight, 60 * 26);
}

TEST(PanelLayoutLimits, AbsurdBoundsAreArrangedWithoutOverflow)
{
    const auto arrangement = PanelLayout::arrange(
        metrics(TPanelKind::pkMicroSoft, 600),
        {panel(0, QRect(INT_MAX / 2, INT_MAX / 2, 100, 26)), panel(1, QRect(INT_MIN / 2, INT_MIN / 2, 300, 26)),
         panel(2, QRect(0, 0, 5000, 26))});
    ASSERT_EQ(arrangement.panels.size(), 3);
    for (const PanelPlacement& placement : arrangement.panels) {
        EXPECT_GE(placement.bounds.top(), 0);
        EXPECT_LE(placement.bounds.top(), 2 * 26);
    }
    EXPECT_EQ(arrangement.managerHeight, 3 * 26);
}

TEST(PanelLayoutLimits, StripWithoutWidthPutsEveryPanelOnARowOfItsOwn)
{
    // As before the main window has given the strip its width.
    const auto arrangement = PanelLayout::arrange(
        metrics(TPanelKind::pkMicroSoft, 0),
        {panel(0, QRect(10, 0, 100, 26)), panel(1, QRect(120, 0, 100, 26)), panel(2, QRect(230, 0, 100, 52))});
    EXPECT_EQ(boundsOf(arrangement, 0).top(), 0);
    EXPECT_EQ(boundsOf(arrangement, 1).top(), 26);
    EXPECT_EQ(boundsOf(arrangement, 2).top(), 52);
    EXPECT_EQ(arrangement.managerHeight, 104);
}
