// Drawing of the panel manager's grips, panel tabs and the folder tabs of collapsed panels.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPolygon>
#include <QRect>

class QPainter;
class QString;

// Two raised vertical lines, the grip of a panel in the tool-bar style.
void paintGrip(QPainter& painter, const QRect& tabArea, const QPalette& palette);

// A coloured tab down the panel's left side, with a column of dots.
void paintPanelTab(QPainter& painter, const QRect& tabArea, const QColor& color, bool blackLine);

// The outline of a collapsed panel's tab: its left edge slants in by the distance from
// the tab's top, as the hit test expects.
QPolygon hiddenTabOutline(const QRect& tab);

struct HiddenTabLook {
    QColor color;
    QColor textColor;
    QFont font;
    bool text3D = false;
    bool blackLine = false;
};

// A folder tab with the caption at x + 14, centred vertically by the height of "Ayq".
void paintHiddenTab(QPainter& painter, const QRect& tab, const QString& caption, const HiddenTabLook& look);

// The manager's font, made small enough for a caption to fit a tab of the given height.
QFont fontForTabHeight(const QFont& base, int tabHeight);
