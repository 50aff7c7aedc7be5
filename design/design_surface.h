// TDesignSurface: the widget inside a design window's scrolling area that shows the
// report. It draws the report (kept as an image until the model changes), the grab
// handles of the selection and the dotted outlines of a move, a resize or a rubber
// band, and hands its mouse input to the designer.
#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QWidget>

class QLabel;
class TVelDesignWindow;

class TDesignSurface : public QWidget {
    Q_OBJECT
public:
    explicit TDesignSurface(TVelDesignWindow* window);

    TVelDesignWindow* window() const { return m_window; }
    // The report changed: size and picture are renewed at the next paint.
    void invalidate();
    // The selection's handles changed; only the overlay is repainted.
    void updateOverlay();

    // Dotted outlines drawn over the report (report coordinates); empty hides them.
    void setOutlines(const QList<QRect>& outlines);
    const QList<QRect>& outlines() const { return m_outlines; }
    // The hint beside a moving control; an empty text hides it.
    void setPositionHint(const QString& text, QPoint at);
    QString positionHint() const;

    int pixelsPerInch() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void renderReport();
    void paintHandles(QPainter& painter, const QRect& exposed);
    void paintOutlines(QPainter& painter);
    void updateCursor(QPoint point);

    TVelDesignWindow* m_window;
    QImage m_picture;
    bool m_pictureValid = false;
    QList<QRect> m_outlines;
    QLabel* m_hint = nullptr;
};
