// TFloatingPanelWindow: the tool window a panel floats in. Closing it docks the panel
// again; resizing it tells the panel.
#pragma once

#include <QPointer>
#include <QWidget>

class TMPanel;
class TPanelManager;

class TFloatingPanelWindow : public QWidget {
    Q_OBJECT
public:
    // Owned by the manager; a sizeable window gets a sizing border, otherwise its size is
    // fixed to the panel's.
    TFloatingPanelWindow(TPanelManager* manager, bool stayOnTop, bool sizeable);
    ~TFloatingPanelWindow() override;

    TMPanel* panel() const;
    bool isSizeable() const { return m_sizeable; }
    // Sets the client area to the size; a fixed window stays fixed at it.
    void setClientSize(QSize size);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointer<TPanelManager> m_manager;
    bool m_sizeable;
};
