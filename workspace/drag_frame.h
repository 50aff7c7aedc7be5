// TDragFrame: the frame that follows the mouse while a panel is dragged. A frameless
// window over everything, masked to its outline so the screen below stays visible;
// two nested frames for a move, four with a caption band above for a float.
#pragma once

#include <QWidget>

class TDragFrame : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCaptionBandHeight = 10;

    explicit TDragFrame(QWidget* owner);

    // Shows the frame around the screen rectangle.
    void showFrame(const QRect& screenRect, bool wouldFloat);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int frameCount() const { return m_wouldFloat ? 4 : 2; }
    QRect frameArea() const;

    bool m_wouldFloat = false;
};
