// The content stream of one page being written, with the graphics state it has set so
// far: a state operator is written only when it changes the value in force.
//
// Coordinates handed in are device units with y going down; they are written with y
// measured up from the bottom of the page (y' = page height - y), so text and images
// keep PDF's own orientation. The stream begins by scaling device units to points.
#pragma once

#include "engine/pdf/rp_pdf_bytes.h"

#include <QByteArray>
#include <QPointF>
#include <QRectF>
#include <QRgb>

#include <optional>
#include <vector>

class QTransform;
class TRpPdfFont;

class TRpPdfContent {
public:
    // Starts an empty page `pageHeight` device units high, with `pointsPerUnit` points
    // per device unit and numbers written with `decimals` places.
    void start(double pageHeight, double pointsPerUnit, int decimals);
    TRpPdfBytes& bytes() { return m_bytes; }
    double pageHeight() const { return m_pageHeight; }

    // Places used for coordinates; raised under a magnifying transform.
    void setDecimals(int decimals) { m_decimals = decimals; }

    // "v " and "x y' " (y flipped).
    void number(double value);
    void point(double x, double y);
    void point(const QPointF& p) { point(p.x(), p.y()); }
    void moveTo(const QPointF& p);
    void lineTo(const QPointF& p);
    void curveTo(const QPointF& c1, const QPointF& c2, const QPointF& end);
    void rect(const QRectF& r);
    // A matrix operand list ("a b c d e f ") written with enough places for scale factors.
    void matrix(const QTransform& m);
    // An operator followed by a line break ("f", "S", "W n" ...).
    void op(const char* name);

    void setFill(QRgb colour);
    // Fills with a tiling pattern: an uncoloured one takes `colour`, a coloured one none.
    void setFillPattern(const QByteArray& pattern, std::optional<QRgb> colour);
    void setStroke(QRgb colour);
    void setLineWidth(double width);
    void setLineCap(int cap);
    void setLineJoin(int join);
    void setMiterLimit(double limit);
    // The dash operands ("[3 1] 0"), empty for a solid line.
    void setDash(const QByteArray& dash);
    // An ExtGState resource name for the alpha in force, empty for opaque painting.
    void setAlphaState(const QByteArray& name);
    // Sets the text font; only valid between BT and ET.
    void setFont(const TRpPdfFont* font, double size);

    // q and Q: a restore brings back the state tracking as it was at the save.
    void save();
    void restore();
    int saveDepth() const { return static_cast<int>(m_saved.size()); }

private:
    struct TState {
        QRgb fill = 0xFF000000;
        QByteArray fillPattern;
        QRgb stroke = 0xFF000000;
        double lineWidth = 1;
        int cap = 0;
        int join = 0;
        double miterLimit = 10;
        QByteArray dash;
        QByteArray alphaState;
        const TRpPdfFont* font = nullptr;
        double fontSize = 0;
    };

    void colour(QRgb colour);

    TRpPdfBytes m_bytes;
    double m_pageHeight = 0;
    int m_decimals = 2;
    TState m_state;
    std::vector<TState> m_saved;
};
