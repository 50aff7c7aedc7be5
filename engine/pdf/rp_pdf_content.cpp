#include "engine/pdf/rp_pdf_content.h"

#include "engine/pdf/rp_pdf_font.h"

#include <QTransform>

namespace {

// Colour components are written with three places: finer than 8-bit colour needs.
constexpr int kColourDecimals = 3;
constexpr int kMatrixDecimals = 6;

} // namespace

void TRpPdfContent::start(double pageHeight, double pointsPerUnit, int decimals)
{
    m_bytes.clear();
    m_pageHeight = pageHeight;
    m_decimals = decimals;
    m_state = TState();
    m_saved.clear();
    if (pointsPerUnit != 1) {
        m_bytes.appendReal(pointsPerUnit, kMatrixDecimals);
        m_bytes << " 0 0 ";
        m_bytes.appendReal(pointsPerUnit, kMatrixDecimals);
        m_bytes << " 0 0 cm\n";
    }
}

void TRpPdfContent::number(double value)
{
    m_bytes.appendReal(value, m_decimals);
    m_bytes << ' ';
}

void TRpPdfContent::point(double x, double y)
{
    m_bytes.appendReal(x, m_decimals);
    m_bytes << ' ';
    m_bytes.appendReal(m_pageHeight - y, m_decimals);
    m_bytes << ' ';
}

void TRpPdfContent::moveTo(const QPointF& p)
{
    point(p);
    m_bytes << "m\n";
}

void TRpPdfContent::lineTo(const QPointF& p)
{
    point(p);
    m_bytes << "l\n";
}

void TRpPdfContent::curveTo(const QPointF& c1, const QPointF& c2, const QPointF& end)
{
    point(c1);
    point(c2);
    point(end);
    m_bytes << "c\n";
}

void TRpPdfContent::rect(const QRectF& r)
{
    point(r.x(), r.y() + r.height());
    number(r.width());
    number(r.height());
    m_bytes << "re\n";
}

void TRpPdfContent::matrix(const QTransform& m)
{
    for (const double value : {m.m11(), m.m12(), m.m21(), m.m22()}) {
        m_bytes.appendReal(value, kMatrixDecimals);
        m_bytes << ' ';
    }
    number(m.dx());
    number(m.dy());
}

void TRpPdfContent::op(const char* name)
{
    m_bytes << name << '\n';
}

void TRpPdfContent::colour(QRgb colour)
{
    const int red = qRed(colour), green = qGreen(colour), blue = qBlue(colour);
    m_bytes.appendReal(red / 255.0, kColourDecimals);
    if (red == green && green == blue)
        return;
    m_bytes << ' ';
    m_bytes.appendReal(green / 255.0, kColourDecimals);
    m_bytes << ' ';
    m_bytes.appendReal(blue / 255.0, kColourDecimals);
}

static bool isGrey(QRgb colour)
{
    return qRed(colour) == qGreen(colour) && qGreen(colour) == qBlue(colour);
}

void TRpPdfContent::setFill(QRgb colour)
{
    colour |= 0xFF000000;
    if (m_state.fill == colour && m_state.fillPattern.isEmpty())
        return;
    m_state.fill = colour;
    m_state.fillPattern.clear();
    this->colour(colour);
    m_bytes << (isGrey(colour) ? " g\n" : " rg\n");
}

void TRpPdfContent::setFillPattern(const QByteArray& pattern, std::optional<QRgb> colour)
{
    const QRgb opaque = colour ? (*colour | 0xFF000000) : 0;
    if (m_state.fillPattern == pattern && m_state.fill == opaque)
        return;
    m_state.fillPattern = pattern;
    m_state.fill = opaque;
    if (colour) {
        m_bytes << "/PCS cs ";
        m_bytes.appendReal(qRed(opaque) / 255.0, kColourDecimals);
        m_bytes << ' ';
        m_bytes.appendReal(qGreen(opaque) / 255.0, kColourDecimals);
        m_bytes << ' ';
        m_bytes.appendReal(qBlue(opaque) / 255.0, kColourDecimals);
        m_bytes << ' ';
    } else {
        m_bytes << "/Pattern cs ";
    }
    m_bytes << '/' << pattern << " scn\n";
}

void TRpPdfContent::setStroke(QRgb colour)
{
    colour |= 0xFF000000;
    if (m_state.stroke == colour)
        return;
    m_state.stroke = colour;
    this->colour(colour);
    m_bytes << (isGrey(colour) ? " G\n" : " RG\n");
}

void TRpPdfContent::setLineWidth(double width)
{
    if (m_state.lineWidth == width)
        return;
    m_state.lineWidth = width;
    m_bytes.appendReal(width, m_decimals + 1);
    m_bytes << " w\n";
}

void TRpPdfContent::setLineCap(int cap)
{
    if (m_state.cap == cap)
        return;
    m_state.cap = cap;
    m_bytes.appendInt(cap);
    m_bytes << " J\n";
}

void TRpPdfContent::setLineJoin(int join)
{
    if (m_state.join == join)
        return;
    m_state.join = join;
    m_bytes.appendInt(join);
    m_bytes << " j\n";
}

void TRpPdfContent::setMiterLimit(double limit)
{
    if (m_state.miterLimit == limit)
        return;
    m_state.miterLimit = limit;
    m_bytes.appendReal(limit, 2);
    m_bytes << " M\n";
}

void TRpPdfContent::setDash(const QByteArray& dash)
{
    if (m_state.dash == dash)
        return;
    m_state.dash = dash;
    m_bytes << (dash.isEmpty() ? QByteArray("[] 0") : dash) << " d\n";
}

void TRpPdfContent::setAlphaState(const QByteArray& name)
{
    if (m_state.alphaState == name)
        return;
    m_state.alphaState = name;
    m_bytes << '/' << (name.isEmpty() ? QByteArray("GS0") : name) << " gs\n";
}

void TRpPdfContent::setFont(const TRpPdfFont* font, double size)
{
    if (m_state.font == font && m_state.fontSize == size)
        return;
    m_state.font = font;
    m_state.fontSize = size;
    m_bytes << '/' << font->resourceName() << ' ';
    m_bytes.appendReal(size, m_decimals + 1);
    m_bytes << " Tf ";
}

void TRpPdfContent::save()
{
    m_saved.push_back(m_state);
    m_bytes << "q\n";
}

void TRpPdfContent::restore()
{
    if (m_saved.empty())
        return;
    m_state = m_saved.back();
    m_saved.pop_back();
    m_bytes << "Q\n";
}
