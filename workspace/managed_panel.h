// TMPanel: a panel the panel manager arranges in its rows. The user drags it by the tab
// at its left, collapses it into a tab below the rows, or floats it in a tool window.
#pragma once

#include "core/color.h"

#include <QFrame>
#include <QMenu>
#include <QPointer>

#include <functional>

class TPanelManager;

class TMPanel : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QString TabCaption READ tabCaption WRITE setTabCaption)
    Q_PROPERTY(TColor TabColor READ tabColor WRITE setTabColor)
    Q_PROPERTY(TColor TabHighColor READ tabHighColor WRITE setTabHighColor)
    Q_PROPERTY(bool ParentTabColor READ parentTabColor WRITE setParentTabColor)
    Q_PROPERTY(bool Floatable READ floatable WRITE setFloatable)
    Q_PROPERTY(bool FloatStayOnTop READ floatStayOnTop WRITE setFloatStayOnTop)
    Q_PROPERTY(bool FloatSizeable READ floatSizeable WRITE setFloatSizeable)
    Q_PROPERTY(bool Maximize READ maximize WRITE setMaximize)
    Q_PROPERTY(int MinWidth READ minWidth WRITE setMinWidth)
public:
    using NotifyHandler = std::function<void(TMPanel* sender)>;

    explicit TMPanel(QWidget* parent = nullptr);
    ~TMPanel() override;

    QString tabCaption() const { return m_tabCaption; }
    void setTabCaption(const QString& caption);
    TColor tabColor() const { return m_tabColor; }
    void setTabColor(TColor color);
    TColor tabHighColor() const { return m_tabHighColor; }
    void setTabHighColor(TColor color);
    bool parentTabColor() const { return m_parentTabColor; }
    void setParentTabColor(bool parentTabColor);
    bool floatable() const { return m_floatable; }
    void setFloatable(bool floatable) { m_floatable = floatable; }
    bool floatStayOnTop() const { return m_floatStayOnTop; }
    void setFloatStayOnTop(bool stayOnTop) { m_floatStayOnTop = stayOnTop; }
    bool floatSizeable() const { return m_floatSizeable; }
    void setFloatSizeable(bool sizeable) { m_floatSizeable = sizeable; }
    bool maximize() const { return m_maximize; }
    void setMaximize(bool maximize);
    int minWidth() const { return m_minWidth; }
    // Widths of 5 or less are ignored.
    void setMinWidth(int width);

    const NotifyHandler& onResizeToolWindow() const { return m_onResizeToolWindow; }
    void setOnResizeToolWindow(NotifyHandler handler) { m_onResizeToolWindow = std::move(handler); }
    const NotifyHandler& onEndFloat() const { return m_onEndFloat; }
    void setOnEndFloat(NotifyHandler handler) { m_onEndFloat = std::move(handler); }

    // Shown on a right click in the panel; not owned.
    QMenu* popupMenu() const { return m_popupMenu; }
    void setPopupMenu(QMenu* menu) { m_popupMenu = menu; }

    bool isFloating() const { return m_floating; }
    QWidget* floatingWindow() const { return m_floatingWindow; }
    // The manager the panel is docked in, or that floated it.
    TPanelManager* manager() const;
    // Docked and not collapsed. A panel never shown nor hidden counts as shown, as it
    // appears with its manager.
    bool isShownDocked() const;
    bool isCollapsed() const;

    // Told when the floating window was resized (guarded against re-entrance). The panel
    // fills the window's client area, then OnResizeToolWindow runs.
    virtual void resizeToolWindow();
    // The size the panel's content needs.
    virtual QSize extent() const;
    // Told just before the panel moves into its floating window.
    virtual void beforeFloat();
    // Told when the panel has left its floating window: calls OnEndFloat and forgets the window.
    virtual void endFloat();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // Runs OnResizeToolWindow unless it is already running.
    void notifyToolWindowResized();

private:
    friend class TPanelManager;
    friend class TFloatingPanelWindow;

    // What the panel goes back to when it docks again.
    struct DockedState {
        QRect bounds;
        bool visible = true;
        int frameStyle = 0;
    };

    void tellManager();

    QString m_tabCaption;
    TColor m_tabColor{0xFF0000};
    TColor m_tabHighColor{0xFFC0C0};
    bool m_parentTabColor = true;
    bool m_floatable = true;
    bool m_floatStayOnTop = true;
    bool m_floatSizeable = false;
    bool m_maximize = false;
    int m_minWidth = 100;
    NotifyHandler m_onResizeToolWindow;
    NotifyHandler m_onEndFloat;
    QPointer<QMenu> m_popupMenu;

    bool m_floating = false;
    bool m_resizingToolWindow = false;
    QPointer<QWidget> m_floatingWindow;
    QPointer<TPanelManager> m_floatingManager;
    DockedState m_dockedState;
};
