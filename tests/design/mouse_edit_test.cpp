// Moving and resizing with the mouse: the move threshold, keeping in the parent, the
// grid, the lock bit, and every grab handle.
#include "design_fixture.h"

#include <QRegularExpression>

TEST_F(DesignTest, TwoPixelsDoNotStartAMoveThreeDo)
{
    TRpLabel* a = addLabel("A", {50, 20, 60, 20});
    drag(at(a), at(a) + QPoint(2, 2));
    EXPECT_EQ(a->bounds().topLeft(), QPoint(50, 20));
    EXPECT_FALSE(window->isModified());
    drag(at(a), at(a) + QPoint(3, 0));
    EXPECT_EQ(a->bounds().topLeft(), QPoint(53, 20));
    EXPECT_TRUE(window->isModified());
}

TEST_F(DesignTest, DraggingMovesTheWholeSelectionTogether)
{
    TRpLabel* a = addLabel("A", {50, 20, 60, 20});
    TRpLabel* b = addLabel("B", {150, 40, 60, 20});
    click(at(a));
    click(at(b), Qt::ShiftModifier);
    drag(at(a), at(a) + QPoint(30, 15));
    EXPECT_EQ(a->bounds().topLeft(), QPoint(80, 35));
    EXPECT_EQ(b->bounds().topLeft(), QPoint(180, 55));
    EXPECT_EQ(selected(), (QList<TControl*>{a, b}));
}

TEST_F(DesignTest, KeepInParentLimitsTheWholeSelectionByTheMostLimitedOffset)
{
    preferences().keepInParent = true;
    TRpLabel* a = addLabel("A", {20, 10, 40, 20});
    TRpLabel* b = addLabel("B", {100, 10, 40, 20});
    click(at(a));
    click(at(b), Qt::ShiftModifier);
    drag(at(b, {5, 5}), at(b, {5, 5}) - QPoint(50, 0));
    EXPECT_EQ(a->left(), 0);
    EXPECT_EQ(b->left(), 80);
}

TEST_F(DesignTest, TheGridCutsTheDroppedPositionTowardZero)
{
    preferences().gridOn = true;
    preferences().gridX = 10;
    preferences().gridY = 10;
    TRpLabel* a = addLabel("A", {30, 20, 40, 20});
    drag(at(a), at(a) + QPoint(7, 0));
    EXPECT_EQ(a->left(), 30) << "37 cut to the grid";
    EXPECT_EQ(a->top(), 20);
}

TEST_F(DesignTest, ALabelThatCannotMoveStaysAndShowsRedHandles)
{
    TRpLabel* a = addLabel("A", {30, 20, 40, 20});
    a->setTag(4);
    click(at(a));
    for (const TGrabHandle& handle : window->selection().entries()[0]->handles())
        EXPECT_EQ(handle.fillColor(), QColor(255, 0, 0));
    drag(at(a, {20, 10}), at(a, {20, 10}) + QPoint(25, 5));
    EXPECT_EQ(a->bounds().topLeft(), QPoint(30, 20));
    key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(a->bounds().topLeft(), QPoint(30, 20));
}

TEST_F(DesignTest, TheMoveShowsThePositionHintInTheReportUnits)
{
    TRpLabel* a = addLabel("A", {30, 20, 40, 20});
    QWidget* surface = window->surface();
    // Pressed inside the label, away from the corner handles.
    const QPoint inside(20, 10);
    QTest::mousePress(surface, Qt::LeftButton, {}, at(a, inside));
    QTest::mouseMove(surface, at(a, inside) + QPoint(10, 0));
    const QString hint = window->surface()->positionHint();
    QTest::mouseRelease(surface, Qt::LeftButton, {}, at(a, inside) + QPoint(10, 0));
    EXPECT_TRUE(hint.endsWith(QLatin1String(" MM"))) << hint.toStdString();
    EXPECT_TRUE(hint.contains(QLatin1String(" -- "))) << hint.toStdString();
    EXPECT_TRUE(window->surface()->positionHint().isEmpty()) << "the hint goes with the move";

    window->report()->setUnits(TRpUnit::Inches);
    QTest::mousePress(surface, Qt::LeftButton, {}, at(a, inside));
    QTest::mouseMove(surface, at(a, inside) + QPoint(0, 10));
    const QString inches = window->surface()->positionHint();
    QTest::mouseRelease(surface, Qt::LeftButton, {}, at(a, inside) + QPoint(0, 10));
    EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^\d+\.\d\d -- \d+\.\d\dInch$)")).match(inches).hasMatch())
        << "hint: [" << inches.toStdString() << "]";
}

struct HandleCase {
    int handle;
    QPoint drag;
    QRect expected;
};

class HandleResize : public DesignTest, public testing::WithParamInterface<HandleCase> {};

TEST_P(HandleResize, EachHandleMovesOnlyItsEdges)
{
    const HandleCase c = GetParam();
    TRpLabel* a = addLabel("A", {100, 50, 80, 40});
    click(at(a));
    const TGrabHandle* handle = nullptr;
    for (const TGrabHandle& h : window->selection().entries()[0]->handles()) {
        if (h.index() == c.handle)
            handle = &h;
    }
    ASSERT_NE(handle, nullptr);
    const QPoint from = handle->centre();
    drag(from, from + c.drag);
    EXPECT_EQ(a->bounds(), c.expected);
    EXPECT_EQ(window->selection().entries()[0]->handles().size(), 8) << "handles are shown again";
}

INSTANTIATE_TEST_SUITE_P(
    Handles, HandleResize,
    testing::Values(HandleCase{0, {-10, -5}, {90, 45, 90, 45}}, HandleCase{1, {20, -5}, {100, 45, 100, 45}},
                    HandleCase{2, {-10, 10}, {90, 50, 90, 50}}, HandleCase{3, {20, 10}, {100, 50, 100, 50}},
                    HandleCase{4, {30, 10}, {100, 50, 80, 50}}, HandleCase{5, {20, 30}, {100, 50, 100, 40}},
                    HandleCase{6, {-20, 30}, {80, 50, 100, 40}}, HandleCase{7, {30, -10}, {100, 40, 80, 50}},
                    // Dragged up and left past the top-left corner: the rectangle turns around.
                    HandleCase{3, {-100, -60}, {80, 30, 20, 20}}));

TEST_F(DesignTest, DraggingABandHandleChangesItsHeight)
{
    click(at(detail, QPoint(300, 30)));
    const auto& handles = window->selection().entries()[0]->handles();
    const QPoint bottom = handles[1].centre();
    const int height = detail->height();
    drag(bottom, bottom + QPoint(0, 25));
    EXPECT_EQ(detail->height(), height + 25);
    EXPECT_EQ(designgeometry::rectInReport(summary).top(), designgeometry::rectInReport(detail).bottom() + 1)
        << "the bands below follow";
}
