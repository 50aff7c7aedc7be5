// TPanelManager: the strip at the top of the main window that holds movable panels
// (TMPanel) in rows. It keeps the rows tight, grows or shrinks its height to fit them and
// lets the user drag panels to other places, collapse them into tabs and float them in
// tool windows.
#pragma once

#include "core/color.h"
#include "workspace/panel_kind.h"
#include "workspace/panel_layout.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class TDragFrame;
class TMPanel;

class TPanelManager : public QWidget {
    Q_OBJECT
    Q_PROPERTY(Workspace::TPanelKind PanelKind READ panelKind WRITE setPanelKind)
    Q_PROPERTY(int ButtonHeight READ buttonHeight WRITE setButtonHeight)
    Q_PROPERTY(int TabWidth READ tabWidth WRITE setTabWidth)
    Q_PROPERTY(int TabHeight READ tabHeight WRITE setTabHeight)
    Q_PROPERTY(TColor TabColor READ tabColor WRITE setTabColor)
    Q_PROPERTY(TColor TabHighColor READ tabHighColor WRITE setTabHighColor)
    Q_PROPERTY(bool TabHighLight READ tabHighLight WRITE setTabHighLight)
    Q_PROPERTY(bool TabText3D READ tabText3D WRITE setTabText3D)
    Q_PROPERTY(bool BlackTabLine READ blackTabLine WRITE setBlackTabLine)
    Q_PROPERTY(int CheckColor READ checkColor WRITE setCheckColor)
public:
    // The actions OnPanelAction is asked about.
    static constexpr int kActionFloat = 4;
    static constexpr int kActionDock = 6;

    // Asked before a panel floats or docks again; allowed starts true.
    using PanelActionHandler = std::function<void(TMPanel* panel, int action, bool& allowed)>;
    // Told after the user changed a panel's place or state (moved, collapsed, restored,
    // floated, docked).
    using PanelChangeHandler = std::function<void(TMPanel* panel)>;

    explicit TPanelManager(QWidget* parent = nullptr);
    ~TPanelManager() override;

    TPanelKind panelKind() const { return m_panelKind; }
    void setPanelKind(TPanelKind kind);
    // The height of a row in pkMicroSoft and pkDovrand; never below 10.
    int buttonHeight() const { return m_buttonHeight; }
    void setButtonHeight(int height);
    // The height the rows are counted in: 1 in pkNetScape, where every panel keeps its own
    // height, else ButtonHeight.
    int rowHeight() const;
    int tabWidth() const { return m_tabWidth; }
    void setTabWidth(int width);
    int tabHeight() const { return m_tabHeight; }
    void setTabHeight(int height);
    TColor tabColor() const { return m_tabColor; }
    // Also sets TabHighColor: each of red, green and blue raised by 192, at most 255.
    void setTabColor(TColor color);
    TColor tabHighColor() const { return m_tabHighColor; }
    void setTabHighColor(TColor color);
    bool tabHighLight() const { return m_tabHighLight; }
    void setTabHighLight(bool highLight);
    bool tabText3D() const { return m_tabText3D; }
    void setTabText3D(bool text3D);
    bool blackTabLine() const { return m_blackTabLine; }
    void setBlackTabLine(bool black);
    int checkColor() const { return m_checkColor; }
    void setCheckColor(int value) { m_checkColor = value; }

    const PanelActionHandler& onPanelAction() const { return m_onPanelAction; }
    void setOnPanelAction(PanelActionHandler handler) { m_onPanelAction = std::move(handler); }
    const PanelChangeHandler& onPanelChange() const { return m_onPanelChange; }
    void setOnPanelChange(PanelChangeHandler handler) { m_onPanelChange = std::move(handler); }

    // While set, changes of panels do not lay them out; clearing it lays out and repaints.
    bool isBatchUpdate() const { return m_batchUpdate; }
    void setBatchUpdate(bool batch);

    // The panels docked in the manager (shown or collapsed), in child order.
    QList<TMPanel*> dockedPanels() const;
    // The panels this manager floated that are still floating.
    QList<TMPanel*> floatingPanels() const;

    // Collects, resolves and applies the panels' places and sets the manager's height.
    void layoutPanels();

    // Moves the panel into a tool window whose frame's top left is at the given screen
    // point. Does not ask OnPanelAction (the mouse does before it calls this).
    void floatPanel(TMPanel* panel, QPoint screenTopLeft);
    // Asks OnPanelAction (dock); when allowed, puts the floating panel back where it was
    // before it floated. False when refused or the panel does not float from here.
    bool dockPanel(TMPanel* panel);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The manager's height changed; the main window follows it.
    void heightChanged(int height);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    friend class TMPanel;

    // Told by a docked panel that it moved, resized, was shown or hidden, or changed parent.
    void panelChanged();

    PanelLayoutMetrics layoutMetrics() const;
    QList<PanelLayoutItem> layoutItems(const QList<TMPanel*>& panels) const;
    QFont tabCaptionFont() const;
    void collectAndResolve();
    void applyArrangement(const QList<TMPanel*>& panels, const PanelArrangement& arrangement);
    void setManagerHeight(int height);
    bool slotsMatchPanels() const;
    void clearSlots();
    void settingChanged();

    int hitTest(QPoint point) const;
    TMPanel* panelAt(int childIndex) const;
    int childIndexOf(const TMPanel* panel) const;
    QColor tabColorFor(const TMPanel* panel, bool hot) const;
    void paintSlotTabs(QPainter& painter);
    void paintHiddenTabs(QPainter& painter);

    void setHot(int childIndex);
    void updateDrag(QPoint point);
    bool frameWouldFloat(const QRect& frame) const;
    void endDrag(QPoint point);
    void dropPanel(TMPanel* panel, QPoint point);
    void togglePanel(TMPanel* panel);
    void finishMouse();
    void notifyChange(TMPanel* panel);

    TPanelKind m_panelKind = TPanelKind::pkNetScape;
    int m_buttonHeight = 26;
    int m_tabWidth = 10;
    int m_tabHeight = 10;
    TColor m_tabColor{0xFF0000};
    TColor m_tabHighColor{0xFFC0C0};
    bool m_tabHighLight = false;
    bool m_tabText3D = false;
    bool m_blackTabLine = false;
    int m_checkColor = 256;
    PanelActionHandler m_onPanelAction;
    PanelChangeHandler m_onPanelChange;

    PanelLayout m_layout;
    QList<HiddenTab> m_hiddenTabs;
    int m_managerHeight = -1;
    int m_hot = -1;
    QPointer<TMPanel> m_pressed;
    QPoint m_downPoint;
    bool m_dragging = false;
    QRect m_dragRect;
    bool m_wouldFloat = false;
    bool m_layingOut = false;
    bool m_batchUpdate = false;
    TDragFrame* m_dragFrame = nullptr;
};
