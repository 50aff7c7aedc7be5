// TPen and TBrush: the line and fill settings of shapes and frames.
#pragma once

#include "core/color.h"
#include "core/persistent.h"
#include "core/vcl_types.h"

#include <QBrush>
#include <QPen>

class TPen : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(Vcl::TPenMode Mode READ mode WRITE setMode)
    Q_PROPERTY(Vcl::TPenStyle Style READ style WRITE setStyle)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_CLASSINFO("default:Color", "clBlack")
    Q_CLASSINFO("default:Mode", "pmCopy")
    Q_CLASSINFO("default:Style", "psSolid")
    Q_CLASSINFO("default:Width", "1")
public:
    explicit TPen(QObject* parent = nullptr);

    TColor color() const { return m_color; }
    void setColor(TColor color);
    TPenMode mode() const { return m_mode; }
    void setMode(TPenMode mode);
    TPenStyle style() const { return m_style; }
    void setStyle(TPenStyle style);
    int width() const { return m_width; }
    void setWidth(int width);

    // The pen for drawing; `widthScale` converts the width to device units.
    QPen toQPen(double widthScale = 1.0) const;

private:
    TColor m_color = clBlack;
    TPenMode m_mode = TPenMode::pmCopy;
    TPenStyle m_style = TPenStyle::psSolid;
    int m_width = 1;
};

class TBrush : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(Vcl::TBrushStyle Style READ style WRITE setStyle)
    Q_CLASSINFO("default:Color", "clWhite")
    Q_CLASSINFO("default:Style", "bsSolid")
public:
    explicit TBrush(QObject* parent = nullptr);

    TColor color() const { return m_color; }
    void setColor(TColor color);
    TBrushStyle style() const { return m_style; }
    void setStyle(TBrushStyle style);

    QBrush toQBrush() const;

private:
    TColor m_color = clWhite;
    TBrushStyle m_style = TBrushStyle::bsSolid;
};

// The Qt pen style drawn for a pen style of the files.
Qt::PenStyle toQtPenStyle(TPenStyle style);
