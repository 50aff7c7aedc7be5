// Selecting with the mouse: click, Shift-click, Ctrl-click, bands and the report,
// the rubber band, and the handles each selection shows.
#include "design_fixture.h"

namespace {

int handleCount(const TVelSelList& selection, int entry)
{
    return int(selection.entries()[size_t(entry)]->handles().size());
}

} // namespace

TEST_F(DesignTest, ClickSelectsOneControlWithEightHandles)
{
    TRpLabel* a = addLabel("A", {10, 10, 60, 20});
    addLabel("B", {100, 10, 60, 20});
    click(at(a));
    ASSERT_EQ(selected(), QList<TControl*>{a});
    EXPECT_EQ(handleCount(window->selection(), 0), 8);
    for (const TGrabHandle& handle : window->selection().entries()[0]->handles()) {
        EXPECT_TRUE(handle.isActive());
        EXPECT_EQ(handle.rect().size(), QSize(6, 6)) << "side is twice 96/32 pixels";
    }
}

TEST_F(DesignTest, ShiftClickAddsAndRemovesAndMultipleSelectionShowsRedInnerCorners)
{
    TRpLabel* a = addLabel("A", {10, 10, 60, 20});
    TRpLabel* b = addLabel("B", {100, 10, 60, 20});
    click(at(a));
    click(at(b), Qt::ShiftModifier);
    ASSERT_EQ(selected(), (QList<TControl*>{a, b}));
    for (int entry = 0; entry < 2; ++entry) {
        EXPECT_EQ(handleCount(window->selection(), entry), 4);
        for (const TGrabHandle& handle : window->selection().entries()[size_t(entry)]->handles()) {
            EXPECT_FALSE(handle.isActive());
            EXPECT_EQ(handle.fillColor(), QColor(255, 0, 0));
            EXPECT_TRUE(designgeometry::rectInReport(window->selection().control(entry)).contains(handle.rect()))
                << "inner corner handles lie inside the control";
        }
    }
    click(at(a), Qt::ShiftModifier);
    EXPECT_EQ(selected(), QList<TControl*>{b});
}

TEST_F(DesignTest, CtrlClickOnASelectedControlSelectsItAlone)
{
    TRpLabel* a = addLabel("A", {10, 10, 60, 20});
    TRpLabel* b = addLabel("B", {100, 10, 60, 20});
    click(at(a));
    click(at(b), Qt::ShiftModifier);
    window->selectControl(b, Qt::ControlModifier);
    EXPECT_EQ(selected(), QList<TControl*>{b});
}

TEST_F(DesignTest, ClickingABandLeavesOnlyTheBandWithTwoHandles)
{
    TRpLabel* a = addLabel("A", {10, 10, 60, 20});
    TRpLabel* b = addLabel("B", {100, 10, 60, 20});
    TRpLabel* c = addLabel("C", {200, 10, 60, 20});
    click(at(a));
    click(at(b), Qt::ShiftModifier);
    click(at(c), Qt::ShiftModifier);
    click(at(detail, QPoint(300, 30)));
    ASSERT_EQ(selected(), QList<TControl*>{detail});
    const auto& handles = window->selection().entries()[0]->handles();
    ASSERT_EQ(handles.size(), 2);
    EXPECT_EQ(handles[0].index(), 7);
    EXPECT_EQ(handles[1].index(), 4);
    // Nothing joins a band in the selection.
    click(at(a), Qt::ShiftModifier);
    EXPECT_EQ(selected(), QList<TControl*>{a});
}

TEST_F(DesignTest, ReportIsSelectedAloneWithoutHandles)
{
    const QPoint below = designgeometry::rectInReport(summary).bottomLeft() + QPoint(20, 40);
    click(below);
    ASSERT_EQ(selected(), QList<TControl*>{window->report()});
    EXPECT_EQ(handleCount(window->selection(), 0), 0);
}

TEST_F(DesignTest, CtrlDragSelectsEveryLabelTheRubberBandTouches)
{
    TRpLabel* a = addLabel("A", {10, 10, 60, 20});
    TRpLabel* b = addLabel("B", {100, 40, 60, 20});
    addLabel("Far", {400, 10, 60, 20});
    TRpLabel* s = addLabel("OnSummary", {200, 5, 40, 20}, summary);
    // From an empty spot of the detail band across B into the corner of the summary's label.
    const QPoint from = at(detail, QPoint(90, 2));
    const QPoint to = at(s, QPoint(1, 1));
    drag(from, to, Qt::ControlModifier);
    QList<TControl*> got = selected();
    std::sort(got.begin(), got.end(), [](TControl* x, TControl* y) { return x->name() < y->name(); });
    EXPECT_EQ(got, (QList<TControl*>{b, s})) << "A lies left of the band, Far right of it";
    (void)a;
}

TEST_F(DesignTest, ShiftSelectionOfTwoControlsSurvivesAClickOnOneOfThem)
{
    TRpLabel* a = addLabel("A", {10, 10, 60, 20});
    TRpLabel* b = addLabel("B", {100, 10, 60, 20});
    click(at(a));
    click(at(b), Qt::ShiftModifier);
    click(at(a));
    EXPECT_EQ(selected(), (QList<TControl*>{a, b}));
}
