#include "workspace/tab_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

namespace {

constexpr int kCaptionIndent = 14;

QColor outlineFor(const QColor& fill, bool blackLine)
{
    return blackLine ? QColor(Qt::black) : fill.darker(150);
}

} // namespace

void paintGrip(QPainter& painter, const QRect& tabArea, const QPalette& palette)
{
    if (tabArea.width() < 3 || tabArea.height() < 5)
        return;
    const QColor light = palette.color(QPalette::Light);
    const QColor shadow = palette.color(QPalette::Mid);
    const int top = tabArea.top() + 2;
    const int bottom = tabArea.bottom() - 2;
    const int middle = tabArea.left() + tabArea.width() / 2;
    for (int x : {middle - 2, middle + 1}) {
        painter.setPen(light);
        painter.drawLine(x, top, x, bottom);
        painter.setPen(shadow);
        painter.drawLine(x + 1, top, x + 1, bottom);
    }
}

void paintPanelTab(QPainter& painter, const QRect& tabArea, const QColor& color, bool blackLine)
{
    if (tabArea.width() < 2 || tabArea.height() < 2)
        return;
    const QRect body = tabArea.adjusted(1, 1, -2, -1);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(outlineFor(color, blackLine));
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(body).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    painter.restore();

    // A column of dots, in a lighter shade of the tab colour.
    const QColor dot = color.lightness() > 160 ? color.darker(160) : color.lighter(170);
    const int x = body.left() + body.width() / 2;
    for (int y = body.top() + 3; y <= body.bottom() - 3; y += 3)
        painter.fillRect(x, y, 1, 1, dot);
}

QPolygon hiddenTabOutline(const QRect& tab)
{
    const int slant = qMin(tab.height(), tab.width() / 2);
    QPolygon outline;
    outline << QPoint(tab.left(), tab.top()) << QPoint(tab.right(), tab.top())
            << QPoint(tab.right(), tab.bottom()) << QPoint(tab.left() + slant, tab.bottom());
    return outline;
}

void paintHiddenTab(QPainter& painter, const QRect& tab, const QString& caption, const HiddenTabLook& look)
{
    if (tab.width() < 2 || tab.height() < 2)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(outlineFor(look.color, look.blackLine));
    painter.setBrush(look.color);
    painter.translate(0.5, 0.5);
    painter.drawPolygon(hiddenTabOutline(tab.adjusted(0, 0, -1, -1)));
    painter.restore();

    if (caption.isEmpty())
        return;
    painter.save();
    painter.setFont(look.font);
    const QFontMetrics metrics(look.font);
    const QRect sample = metrics.boundingRect(QStringLiteral("Ayq"));
    const int baseline = tab.top() + (tab.height() - sample.height()) / 2 - sample.top();
    const QRect clip = tab.adjusted(kCaptionIndent, 0, -1, 0);
    painter.setClipRect(clip);
    if (look.text3D) {
        painter.setPen(Qt::white);
        painter.drawText(tab.left() + kCaptionIndent + 1, baseline + 1, caption);
    }
    painter.setPen(look.textColor);
    painter.drawText(tab.left() + kCaptionIndent, baseline, caption);
    painter.restore();
}

QFont fontForTabHeight(const QFont& base, int tabHeight)
{
    QFont font = base;
    int pixelSize = QFontMetrics(base).height();
    while (pixelSize > 6 && QFontMetrics(font).height() > tabHeight) {
        --pixelSize;
        font.setPixelSize(pixelSize);
    }
    return font;
}
