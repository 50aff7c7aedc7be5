// TVelDesigner: turns mouse input on a design surface into editing: click, Shift-click
// and rubber-band selection, moving the selection, resizing with a grab handle, placing
// the class chosen on the palette and opening the control menu. One per process; it
// serves the design window that was activated last.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>

#include <Qt>

class QMenu;
class TComponent;
#include "core/control.h"
class TGrabHandle;
class TVelDesignWindow;

class TVelDesigner : public QObject {
    Q_OBJECT
public:
    static TVelDesigner& instance();

    TVelDesignWindow* currentWindow() const { return m_window; }
    void setCurrentWindow(TVelDesignWindow* window) { m_window = window; }

    // Mouse input in report coordinates of the window's surface.
    void mousePress(TVelDesignWindow* window, QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                    QPoint globalPoint);
    void mouseMove(TVelDesignWindow* window, QPoint point, Qt::MouseButtons buttons);
    void mouseRelease(TVelDesignWindow* window, QPoint point, Qt::MouseButton button);

    // The active handle under a point of the window's surface, or null.
    const TGrabHandle* handleAt(TVelDesignWindow* window, QPoint point) const;

    // The base itself when no component of the window's document has that name, else
    // the base followed by 1, 2 ...
    static QString uniqueName(TVelDesignWindow* window, const QString& base);
    // The component's name preceded by its owners' names up to its document, with ".".
    static QString componentName(const TComponent* component);
    // The qualified names of every component of the class (or derived from it) owned by
    // the window's document and, through its datamodule links, by the linked datamodules.
    static QStringList componentNames(TVelDesignWindow* window, const QMetaObject& metaObject);

    // The names of the fields the window's report can print (its field list).
    static QStringList fieldNames(TVelDesignWindow* window);

    // The control menu the right button opens ("&Properties", "Bring to &Front",
    // "Send to &Back"); the main window may add entries.
    QMenu* controlMenu();
    TControl* lastRightClicked() const { return m_rightClicked; }

private:
    TVelDesigner() = default;

    enum class Mode { None, Pressed, Moving, RubberBand, Resizing, Placing };

    void startMove(TVelDesignWindow* window);
    void showMove(TVelDesignWindow* window, QPoint offset);
    QPoint limitedOffset(TVelDesignWindow* window, QPoint offset) const;
    void finishMove(TVelDesignWindow* window, QPoint offset);
    void finishRubberBand(TVelDesignWindow* window);
    void finishResize(TVelDesignWindow* window, QPoint point);
    void place(TVelDesignWindow* window, QPoint point);
    void openControlMenu(TVelDesignWindow* window, QPoint point, QPoint globalPoint);
    QString positionHintText(TVelDesignWindow* window, QPoint offset) const;
    void reset(TVelDesignWindow* window);

    QPointer<TVelDesignWindow> m_window;
    Mode m_mode = Mode::None;
    bool m_handling = false;
    bool m_rubberRequested = false;
    QPoint m_downPoint;
    QPoint m_lastOffset;
    QRect m_rubberBand;
    QPointer<TControl> m_resized;
    int m_resizeHandle = -1;
    QPoint m_handleGrabOffset;
    QRect m_resizeOriginal;
    QRect m_resizeRect;
    QPointer<TControl> m_rightClicked;
    QMenu* m_menu = nullptr;
};
