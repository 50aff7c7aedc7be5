// Placing the class chosen on the palette, and the control menu of the right button.
#include "design_fixture.h"

#include "design/design_workspace.h"
#include "design/designer.h"

#include <QMenu>

namespace {

// Stands in for the main window: a palette with a class chosen until one is placed.
class TFakeWorkspace : public IVelWorkspace {
public:
    void designWindowOpened(TVelDesignWindow*) override {}
    void designWindowActivated(TVelDesignWindow*) override {}
    void designWindowDestroyed(TVelDesignWindow*) override {}
    void refreshCommands() override { ++refreshes; }
    void documentCaptionChanged(TVelDesignWindow*) override {}
    void forgetRecentReport(const QString&) override {}
    void rememberRecentReport(const QString&) override {}
    int designWindowTop() const override { return 60; }
    QString chosenPaletteClass() const override { return chosen; }
    void paletteClassPlaced() override { chosen.clear(); }
    void notify(TComponent*, int operation, const QString& name) override
    {
        notices.append(QStringLiteral("%1 %2").arg(operation).arg(name));
    }

    QString chosen;
    QStringList notices;
    int refreshes = 0;
};

class PlacingTest : public DesignTest {
protected:
    void SetUp() override
    {
        DesignTest::SetUp();
        setVelWorkspace(&workspace);
    }
    void TearDown() override
    {
        setVelWorkspace(nullptr);
        DesignTest::TearDown();
    }
    TFakeWorkspace workspace;
};

} // namespace

TEST_F(PlacingTest, TheFirstTwoLabelsTakeTheBaseNameAloneThenWithOneAsNameAndCaption)
{
    workspace.chosen = QStringLiteral("TRpLabel");
    click(at(detail, {30, 20}));
    EXPECT_TRUE(workspace.chosen.isEmpty()) << "the palette returns to select mode";
    workspace.chosen = QStringLiteral("TRpLabel");
    click(at(detail, {130, 40}));

    auto* first = qobject_cast<TRpLabel*>(window->document()->findComponent(u"RpLabel"));
    auto* second = qobject_cast<TRpLabel*>(window->document()->findComponent(u"RpLabel1"));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->caption(), QStringLiteral("RpLabel"));
    EXPECT_EQ(second->caption(), QStringLiteral("RpLabel1"));
    EXPECT_EQ(first->parentControl(), detail);
    EXPECT_EQ(first->bounds().topLeft(), QPoint(30, 20)) << "no grid rounding when placing";
    EXPECT_EQ(selected(), QList<TControl*>{second});
    EXPECT_EQ(workspace.notices, (QStringList{"0 RpLabel", "0 RpLabel1"}));
    EXPECT_TRUE(window->isModified());

    window->undoStack()->undo();
    EXPECT_EQ(window->document()->findComponent(u"RpLabel1"), nullptr);
    window->undoStack()->undo();
    EXPECT_EQ(window->document()->findComponent(u"RpLabel"), nullptr);
    EXPECT_FALSE(window->isModified());
}

TEST_F(PlacingTest, ClickingOnAControlPlacesOnItsBandOffsetByTheControl)
{
    TRpLabel* a = addLabel("A", {40, 30, 60, 20});
    workspace.chosen = QStringLiteral("TRpShape");
    click(at(a, {5, 6}));
    auto* shape = qobject_cast<TControl*>(window->document()->findComponent(u"RpShape"));
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->parentControl(), detail);
    EXPECT_EQ(shape->bounds().topLeft(), QPoint(45, 36));
}

TEST_F(PlacingTest, AClassThatIsNotRegisteredCreatesNothing)
{
    workspace.chosen = QStringLiteral("TNoSuchControl");
    const int before = window->document()->componentCount();
    click(at(detail, {30, 20}));
    EXPECT_EQ(window->document()->componentCount(), before);
    EXPECT_FALSE(window->isModified());
}

TEST_F(PlacingTest, RightButtonSelectsTheControlAloneAndItsMenuRestacks)
{
    TRpLabel* a = addLabel("A", {10, 10, 40, 20});
    TRpLabel* b = addLabel("B", {20, 15, 40, 20});
    click(at(b, {30, 12}));
    QTest::mouseClick(window->surface(), Qt::RightButton, {}, at(a, {3, 3}));
    EXPECT_EQ(selected(), QList<TControl*>{a});
    QMenu* menu = TVelDesigner::instance().controlMenu();
    QStringList entries;
    for (QAction* action : menu->actions())
        entries.append(action->text());
    EXPECT_EQ(entries, (QStringList{"&Properties", "Bring to &Front", "Send to &Back"}));
    menu->actions().at(1)->trigger();
    menu->hide();
    EXPECT_EQ(detail->controls().last(), a);
    EXPECT_TRUE(window->undoStack()->canUndo());
}
