// TRpFrame: the lines drawn around a band or printable control; widths in points.
#pragma once

#include "core/color.h"
#include "core/persistent.h"
#include "core/vcl_types.h"

class TRpFrame : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(bool DrawTop READ drawTop WRITE setDrawTop)
    Q_PROPERTY(bool DrawBottom READ drawBottom WRITE setDrawBottom)
    Q_PROPERTY(bool DrawLeft READ drawLeft WRITE setDrawLeft)
    Q_PROPERTY(bool DrawRight READ drawRight WRITE setDrawRight)
    Q_PROPERTY(Vcl::TPenStyle Style READ style WRITE setStyle)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_CLASSINFO("default:Style", "psSolid")
    Q_CLASSINFO("default:Width", "1")
public:
    explicit TRpFrame(QObject* parent = nullptr);

    TColor color() const { return m_color; }
    void setColor(TColor color) { update(m_color, color); }
    bool drawTop() const { return m_drawTop; }
    void setDrawTop(bool draw) { update(m_drawTop, draw); }
    bool drawBottom() const { return m_drawBottom; }
    void setDrawBottom(bool draw) { update(m_drawBottom, draw); }
    bool drawLeft() const { return m_drawLeft; }
    void setDrawLeft(bool draw) { update(m_drawLeft, draw); }
    bool drawRight() const { return m_drawRight; }
    void setDrawRight(bool draw) { update(m_drawRight, draw); }
    TPenStyle style() const { return m_style; }
    void setStyle(TPenStyle style) { update(m_style, style); }
    int width() const { return m_width; }
    void setWidth(int width) { update(m_width, width); }

    bool drawsAnything() const { return m_drawTop || m_drawBottom || m_drawLeft || m_drawRight; }

private:
    template <class T>
    void update(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        changed();
    }

    TColor m_color = clBlack;
    bool m_drawTop = false;
    bool m_drawBottom = false;
    bool m_drawLeft = false;
    bool m_drawRight = false;
    TPenStyle m_style = TPenStyle::psSolid;
    int m_width = 1;
};
