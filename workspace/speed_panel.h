// TMSpeedPanel: a panel that hosts one tool bar of speed buttons and sizes itself to
// them. Its tool bar is made the first time it is asked for.
#pragma once

#include "workspace/managed_panel.h"

class QToolBar;

class TMSpeedPanel : public TMPanel {
    Q_OBJECT
public:
    explicit TMSpeedPanel(QWidget* parent = nullptr);

    // The panel's tool bar, made on the first call.
    QToolBar* toolBar();
    bool hasToolBar() const { return m_toolBar != nullptr; }

    // Height of the tool bar's buttons; cut to the manager's ButtonHeight - 2.
    int buttonHeight() const;
    void setButtonHeight(int height);

    // Width the panel needs for the tool bar's visible buttons: their width (at least 10)
    // plus the tool bar's left and 2; 10 without a tool bar.
    int autoWidth() const;
    // Sets the panel's width to autoWidth().
    void sizeToButtons();

    void resizeToolWindow() override;
    QSize extent() const override;
    void beforeFloat() override;
    void endFloat() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int effectiveButtonHeight() const;
    void placeToolBar();
    QSize buttonsExtent() const;

    QToolBar* m_toolBar = nullptr;
    int m_buttonHeight = 22;
    QRect m_dockedToolBarBounds;
    bool m_fittingWindow = false;
};
