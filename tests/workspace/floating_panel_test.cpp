// Floating a panel by dragging it out of the strip, and docking it by closing its window.
#include "panel_manager_fixture.h"

#include "workspace/panel_state.h"

namespace {

class FloatingPanel : public PanelManagerFixture {
protected:
    void SetUp() override
    {
        PanelManagerFixture::SetUp();
        useKind(TPanelKind::pkDovrand, 600);
        m_anchor = addPanel(QRect(10, 0, 200, 26), QStringLiteral("File"));
        m_panel = addPanel(QRect(230, 0, 120, 26), QStringLiteral("View"));
        m_panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        showManager();
        m_docked = m_panel->geometry();
        manager().setOnPanelAction([this](TMPanel* panel, int action, bool& allowed) {
            m_actions.append({panel, action});
            allowed = m_allow;
        });
    }

    void floatByDragging() { dragBy(m_panel, QPoint(0, -15)); }

    TMPanel* m_anchor = nullptr;
    TMPanel* m_panel = nullptr;
    QRect m_docked;
    bool m_allow = true;
    QList<QPair<TMPanel*, int>> m_actions;
};

struct DragCase {
    const char* name;
    QPoint distance;   // how far the panel (a 26-pixel panel on row 1) is dragged
    bool floats;
};

class FloatingPanelDrag : public FloatingPanel, public ::testing::WithParamInterface<DragCase> {};

TEST_P(FloatingPanelDrag, FloatsOnlyWhenTheFrameLeavesTheStripByMoreThanTenPixels)
{
    const QRect frameBefore = m_panel->geometry().adjusted(-manager().tabWidth(), 0, 0, 0);
    dragBy(m_panel, GetParam().distance);
    EXPECT_EQ(m_panel->isFloating(), GetParam().floats);
    if (GetParam().floats) {
        ASSERT_NE(m_panel->floatingWindow(), nullptr);
        EXPECT_TRUE(m_panel->floatingWindow()->isVisible());
        EXPECT_EQ(m_panel->parentWidget(), m_panel->floatingWindow());
        EXPECT_EQ(m_panel->floatingWindow()->pos(), manager().mapToGlobal(frameBefore.topLeft() + GetParam().distance));
        ASSERT_EQ(m_actions.size(), 1);
        EXPECT_EQ(m_actions[0].second, TPanelManager::kActionFloat);
    } else {
        EXPECT_EQ(m_panel->parentWidget(), &manager());
        EXPECT_TRUE(m_panel->isVisible());
        EXPECT_EQ(m_panel->y(), 0);
        EXPECT_TRUE(m_actions.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Distances, FloatingPanelDrag,
    ::testing::Values(DragCase{"FifteenAbove", QPoint(0, -15), true}, DragCase{"FiveAbove", QPoint(0, -5), false},
                      DragCase{"ElevenAbove", QPoint(0, -11), true}, DragCase{"TenAbove", QPoint(0, -10), false},
                      DragCase{"FarBelow", QPoint(0, 26 + 11 + 1), true},
                      DragCase{"TenLeftOfTheStrip", QPoint(-230, 0), true},
                      DragCase{"NineLeftOfTheStrip", QPoint(-229, 0), false},
                      DragCase{"PastTheRightEdge", QPoint(600 + 10 - 220, 0), true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FloatingPanel, FloatingWindowShowsThePanelWithTheTabCaption)
{
    floatByDragging();
    ASSERT_TRUE(m_panel->isFloating());
    QWidget* window = m_panel->floatingWindow();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("View"));
    EXPECT_TRUE(window->windowFlags() & Qt::Tool);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(window->minimumSize(), window->maximumSize());  // not sizeable
    EXPECT_EQ(window->size(), m_docked.size());
    EXPECT_EQ(m_panel->pos(), QPoint(0, 0));
    EXPECT_EQ(m_panel->frameStyle(), int(QFrame::NoFrame));
    EXPECT_TRUE(m_panel->isVisible());
    EXPECT_EQ(manager().dockedPanels(), QList<TMPanel*>{m_anchor});
    EXPECT_EQ(manager().floatingPanels(), QList<TMPanel*>{m_panel});
}

TEST_F(FloatingPanel, SizeableWindowWithoutStayOnTop)
{
    m_panel->setFloatSizeable(true);
    m_panel->setFloatStayOnTop(false);
    floatByDragging();
    ASSERT_TRUE(m_panel->isFloating());
    QWidget* window = m_panel->floatingWindow();
    EXPECT_FALSE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_NE(window->minimumSize(), window->maximumSize());
    int resized = 0;
    m_panel->setOnResizeToolWindow([&resized](TMPanel*) { ++resized; });
    window->resize(300, 80);
    EXPECT_EQ(m_panel->size(), QSize(300, 80));
    EXPECT_GE(resized, 1);
}

TEST_F(FloatingPanel, PanelThatIsNotFloatableOnlyMoves)
{
    m_panel->setFloatable(false);
    floatByDragging();
    EXPECT_FALSE(m_panel->isFloating());
    EXPECT_EQ(m_panel->parentWidget(), &manager());
    EXPECT_EQ(m_panel->y(), 0);
}

TEST_F(FloatingPanel, RefusedFloatLeavesThePanelWhereItWas)
{
    m_allow = false;
    floatByDragging();
    EXPECT_FALSE(m_panel->isFloating());
    EXPECT_EQ(m_panel->geometry(), m_docked);
    EXPECT_EQ(m_actions.size(), 1);
}

TEST_F(FloatingPanel, ClosingTheWindowDocksThePanelAtItsOldPlace)
{
    int endFloats = 0;
    m_panel->setOnEndFloat([&endFloats](TMPanel*) { ++endFloats; });
    floatByDragging();
    ASSERT_TRUE(m_panel->isFloating());
    QPointer<QWidget> window = m_panel->floatingWindow();

    EXPECT_TRUE(window->close());

    EXPECT_FALSE(m_panel->isFloating());
    EXPECT_EQ(m_panel->parentWidget(), &manager());
    EXPECT_EQ(m_panel->geometry(), m_docked);
    EXPECT_TRUE(m_panel->isVisible());
    EXPECT_EQ(m_panel->frameStyle(), int(QFrame::Panel | QFrame::Raised));
    EXPECT_EQ(endFloats, 1);
    ASSERT_EQ(m_actions.size(), 2);
    EXPECT_EQ(m_actions[1].second, TPanelManager::kActionDock);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST_F(FloatingPanel, RefusedDockKeepsTheWindowOpen)
{
    floatByDragging();
    ASSERT_TRUE(m_panel->isFloating());
    m_allow = false;
    QWidget* window = m_panel->floatingWindow();
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(m_panel->isFloating());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(FloatingPanel, CollapsedPanelFloatsAndDocksCollapsedAgain)
{
    click(tabOf(m_panel));
    ASSERT_TRUE(m_panel->isCollapsed());
    const int collapsedHeight = manager().height();
    // Its tab hangs below the row; dragged well above the strip.
    drag(QPoint(30, 31), QPoint(30, -40));
    ASSERT_TRUE(m_panel->isFloating());
    EXPECT_TRUE(m_panel->isVisible());
    EXPECT_EQ(manager().height(), 26);

    m_panel->floatingWindow()->close();
    EXPECT_TRUE(m_panel->isCollapsed());
    EXPECT_EQ(manager().height(), collapsedHeight);
}

TEST_F(FloatingPanel, DestroyingTheManagerTakesFloatingPanelsWithIt)
{
    floatByDragging();
    ASSERT_TRUE(m_panel->isFloating());
    QPointer<TMPanel> panel = m_panel;
    m_manager.reset();
    EXPECT_TRUE(panel.isNull());
}

TEST_F(FloatingPanel, StateRoundTripsThroughAnotherRun)
{
    click(tabOf(m_anchor));
    const TPanelState collapsed = panelState(*m_anchor);
    EXPECT_FALSE(collapsed.visible);
    floatByDragging();
    const TPanelState floating = panelState(*m_panel);
    EXPECT_TRUE(floating.floating);
    EXPECT_EQ(QPoint(floating.left, floating.top), m_panel->floatingWindow()->pos());

    // The next run builds the same panels at their default places and restores them.
    TPanelManager next;
    next.setPanelKind(TPanelKind::pkDovrand);
    next.resize(600, 10);
    auto* anchor = new TMPanel(&next);
    anchor->setGeometry(300, 0, 200, 26);
    auto* view = new TMPanel(&next);
    view->setGeometry(10, 26, 120, 26);
    next.show();
    restorePanelState(*anchor, collapsed);
    restorePanelState(*view, floating);
    EXPECT_TRUE(anchor->isCollapsed());
    EXPECT_EQ(anchor->pos(), QPoint(collapsed.left, collapsed.top));
    ASSERT_TRUE(view->isFloating());
    EXPECT_EQ(view->floatingWindow()->pos(), QPoint(floating.left, floating.top));

    // A docked state docks a floating panel again.
    restorePanelState(*view, TPanelState{0, 200, 1, true, false});
    EXPECT_FALSE(view->isFloating());
    EXPECT_EQ(view->geometry(), QRect(200, 0, 120, 26));
    EXPECT_EQ(panelState(*view), (TPanelState{0, 200, 1, true, false}));
}

} // namespace
