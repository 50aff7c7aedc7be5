// The design window's keys: Ctrl and Shift arrows, Delete with the lock bits, zoom.
#include "design_fixture.h"

struct ArrowCase {
    int key;
    Qt::KeyboardModifiers modifiers;
    QRect expected;
};

class ArrowKeys : public DesignTest, public testing::WithParamInterface<ArrowCase> {};

TEST_P(ArrowKeys, MoveOrResizeTheSelectionByOnePixel)
{
    const ArrowCase c = GetParam();
    TRpLabel* a = addLabel("A", {40, 20, 50, 30});
    click(at(a));
    key(c.key, c.modifiers);
    EXPECT_EQ(a->bounds(), c.expected);
    EXPECT_TRUE(window->isModified());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ArrowKeys,
    testing::Values(ArrowCase{Qt::Key_Left, Qt::ControlModifier, {39, 20, 50, 30}},
                    ArrowCase{Qt::Key_Right, Qt::ControlModifier, {41, 20, 50, 30}},
                    ArrowCase{Qt::Key_Up, Qt::ControlModifier, {40, 19, 50, 30}},
                    ArrowCase{Qt::Key_Down, Qt::ControlModifier, {40, 21, 50, 30}},
                    ArrowCase{Qt::Key_Left, Qt::ShiftModifier, {40, 20, 49, 30}},
                    ArrowCase{Qt::Key_Right, Qt::ShiftModifier, {40, 20, 51, 30}},
                    ArrowCase{Qt::Key_Up, Qt::ShiftModifier, {40, 20, 50, 29}},
                    ArrowCase{Qt::Key_Down, Qt::ShiftModifier, {40, 20, 50, 31}}));

TEST_F(DesignTest, LockBitsStopKeyboardEditsOfThatControlOnly)
{
    TRpLabel* locked = addLabel("Locked", {40, 20, 50, 30});
    TRpLabel* free = addLabel("Free", {140, 20, 50, 30});
    locked->setTag(2 | 4);
    click(at(locked));
    click(at(free), Qt::ShiftModifier);
    key(Qt::Key_Right, Qt::ShiftModifier);
    key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(locked->bounds(), QRect(40, 20, 50, 30));
    EXPECT_EQ(free->bounds(), QRect(141, 20, 51, 30));
}

TEST_F(DesignTest, DeleteRemovesTheSelectionExceptUndeletableControls)
{
    TRpLabel* a = addLabel("A", {10, 10, 40, 20});
    TRpLabel* keep = addLabel("Keep", {100, 10, 40, 20});
    keep->setTag(1);
    click(at(a));
    click(at(keep), Qt::ShiftModifier);
    key(Qt::Key_Delete);
    EXPECT_EQ(window->document()->findComponent(u"A"), nullptr);
    EXPECT_EQ(window->document()->findComponent(u"Keep"), keep);
    EXPECT_TRUE(selected().isEmpty());
    EXPECT_TRUE(window->isModified());
}

TEST_F(DesignTest, DeletingTheReportOnlyDeselectsIt)
{
    const QPoint below = designgeometry::rectInReport(summary).bottomLeft() + QPoint(20, 40);
    click(below);
    key(Qt::Key_Delete);
    EXPECT_NE(window->report(), nullptr);
    EXPECT_TRUE(selected().isEmpty());
}

TEST_F(DesignTest, ZoomStepsFromOneHundredUpAndDown)
{
    QList<int> up;
    for (int i = 0; i < 7; ++i) {
        key(Qt::Key_Plus, Qt::KeypadModifier);
        up.append(window->zoom());
    }
    EXPECT_EQ(up, (QList<int>{125, 150, 200, 250, 300, 300, 300}));
    QList<int> down;
    for (int i = 0; i < 9; ++i) {
        window->zoomOut();
        down.append(window->zoom());
    }
    EXPECT_EQ(down, (QList<int>{250, 200, 150, 125, 100, 75, 50, 25, 25}));
}

TEST_F(DesignTest, ZoomScalesTheSurfaceAndKeepsTheStoredGeometry)
{
    TRpLabel* a = addLabel("A", {40, 20, 50, 30});
    const QList<double> native = a->size()->nativeValues();
    const QSize before = window->surface()->size();
    window->zoomIn();
    window->zoomIn();
    EXPECT_EQ(window->zoom(), 150);
    EXPECT_NEAR(window->surface()->width(), before.width() * 1.5, 2);
    EXPECT_EQ(a->bounds(), QRect(60, 30, 75, 45));
    EXPECT_EQ(a->size()->nativeValues(), native);
    EXPECT_FALSE(window->isModified()) << "zooming is not an edit";
}
