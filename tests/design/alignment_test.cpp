// The alignment palette's operations and restacking, through the design window.
#include "design_fixture.h"

struct AlignCase {
    const char* name;
    int operation;
    QList<QRect> before; // selection order; the first is the reference
    QList<QRect> after;
};

class Align : public DesignTest, public testing::WithParamInterface<AlignCase> {};

TEST_P(Align, MovesTheSelectionAsTheOperationSays)
{
    const AlignCase c = GetParam();
    QList<TRpLabel*> labels;
    for (int i = 0; i < c.before.size(); ++i)
        labels.append(addLabel(QStringLiteral("L%1").arg(i), c.before[i]));
    click(at(labels[0], {1, 1}));
    for (int i = 1; i < labels.size(); ++i)
        click(at(labels[i], {1, 1}), Qt::ShiftModifier);
    window->align(c.operation);
    for (int i = 0; i < labels.size(); ++i)
        EXPECT_EQ(labels[i]->bounds(), c.after[i]) << c.name << " label " << i;
}

// The detail band is 400 native units (151 pixels at 96 dpi) high; its width is the page's.
INSTANTIATE_TEST_SUITE_P(
    Operations, Align,
    testing::Values(
        AlignCase{"left edges", 0, {{40, 5, 30, 10}, {10, 40, 50, 10}}, {{40, 5, 30, 10}, {40, 40, 50, 10}}},
        AlignCase{"horizontal centres", 1, {{40, 5, 30, 10}, {10, 40, 50, 10}}, {{40, 5, 30, 10}, {30, 40, 50, 10}}},
        AlignCase{"right edges", 4, {{40, 5, 30, 10}, {10, 40, 50, 10}}, {{40, 5, 30, 10}, {20, 40, 50, 10}}},
        AlignCase{"tops", 5, {{40, 5, 30, 10}, {10, 40, 50, 20}}, {{40, 5, 30, 10}, {10, 5, 50, 20}}},
        AlignCase{"vertical centres", 6, {{40, 5, 30, 10}, {10, 40, 50, 20}}, {{40, 5, 30, 10}, {10, 0, 50, 20}}},
        AlignCase{"bottoms", 9, {{40, 5, 30, 10}, {10, 40, 50, 20}}, {{40, 5, 30, 10}, {10, -5, 50, 20}}},
        AlignCase{"space horizontally in selection order", 3,
                  {{0, 5, 20, 10}, {100, 30, 20, 10}, {30, 60, 20, 10}},
                  {{0, 5, 20, 10}, {50, 30, 20, 10}, {100, 60, 20, 10}}},
        AlignCase{"space horizontally swaps two", 3, {{100, 5, 20, 10}, {10, 30, 20, 10}},
                  {{10, 5, 20, 10}, {100, 30, 20, 10}}},
        AlignCase{"space vertically needs three", 8, {{0, 5, 20, 10}, {10, 90, 20, 10}},
                  {{0, 5, 20, 10}, {10, 90, 20, 10}}},
        AlignCase{"space vertically", 8, {{0, 5, 20, 10}, {10, 90, 20, 10}, {20, 20, 20, 10}},
                  {{0, 5, 20, 10}, {10, 47, 20, 10}, {20, 89, 20, 10}}}));

TEST_F(DesignTest, CentreInBandUsesTheParentsSize)
{
    TRpLabel* a = addLabel("A", {3, 4, 40, 20});
    click(at(a));
    window->align(2);
    EXPECT_EQ(a->left(), detail->width() / 2 - 20);
    window->align(7);
    EXPECT_EQ(a->top(), detail->height() / 2 - 10);
}

TEST_F(DesignTest, AlignLeftOfALabelAtFortyMovesTheOtherToForty)
{
    TRpLabel* r = addLabel("R", {40, 5, 30, 10});
    TRpLabel* o = addLabel("O", {10, 50, 30, 10});
    click(at(r));
    click(at(o), Qt::ShiftModifier);
    window->align(0);
    EXPECT_EQ(o->left(), 40);
    window->undoStack()->undo();
    EXPECT_EQ(o->left(), 10);
    window->undoStack()->redo();
    EXPECT_EQ(o->left(), 40);
}

TEST_F(DesignTest, BringToFrontAndSendToBackFollowSelectionOrderAndUndo)
{
    TRpLabel* a = addLabel("A", {0, 0, 40, 20});
    TRpLabel* b = addLabel("B", {10, 5, 40, 20});
    TRpLabel* c = addLabel("C", {20, 10, 40, 20});
    auto order = [&] {
        QStringList names;
        for (TControl* child : detail->controls())
            names.append(child->name());
        return names;
    };
    ASSERT_EQ(order(), (QStringList{"A", "B", "C"}));
    window->selectControl(b);
    window->selectControl(a, Qt::ShiftModifier);
    window->bringToFront();
    EXPECT_EQ(order(), (QStringList{"C", "B", "A"}));
    window->selectControl(a, Qt::ControlModifier);
    window->sendToBack();
    EXPECT_EQ(order(), (QStringList{"A", "C", "B"}));
    window->undoStack()->undo();
    EXPECT_EQ(order(), (QStringList{"C", "B", "A"}));
    window->undoStack()->undo();
    EXPECT_EQ(order(), (QStringList{"A", "B", "C"}));
    (void)c;
}
