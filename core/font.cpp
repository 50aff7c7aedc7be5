#include "core/font.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace screen {

namespace {
int g_pixelsPerInch = 0;
}

int pixelsPerInch()
{
    if (g_pixelsPerInch > 0)
        return g_pixelsPerInch;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (QScreen* primary = QGuiApplication::primaryScreen()) {
            const int ppi = int(std::lround(primary->logicalDotsPerInch()));
            if (ppi > 0)
                return ppi;
        }
    }
    return 96;
}

void setPixelsPerInch(int ppi)
{
    g_pixelsPerInch = ppi;
}

} // namespace screen

namespace {
int mulDiv(int number, int numerator, int denominator)
{
    return int(std::lround(double(number) * numerator / denominator));
}
} // namespace

TFont::TFont(QObject* parent) : TPersistent(parent) {}

void TFont::update()
{
    m_drawingFontPpi = 0;
    changed();
}

void TFont::setCharset(int charset)
{
    if (charset == m_charset)
        return;
    m_charset = charset;
    update();
}

void TFont::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TFont::setHeight(int height)
{
    if (height == m_height)
        return;
    m_height = height;
    update();
}

void TFont::setName(const QString& name)
{
    if (name == m_name || name.isEmpty())
        return;
    m_name = name;
    update();
}

void TFont::setPitch(TFontPitch pitch)
{
    if (pitch == m_pitch)
        return;
    m_pitch = pitch;
    update();
}

int TFont::size() const
{
    return -mulDiv(m_height, 72, screen::pixelsPerInch());
}

void TFont::setSize(int points)
{
    setHeight(-mulDiv(points, screen::pixelsPerInch(), 72));
}

void TFont::setStyle(TFontStyles style)
{
    if (style == m_style)
        return;
    m_style = style;
    update();
}

QFont TFont::toQFont() const
{
    const int ppi = screen::pixelsPerInch();
    if (m_drawingFontPpi == ppi)
        return m_drawingFont;
    QFont font(m_name);
    const int points = std::abs(size());
    font.setPointSize(points > 0 ? points : 1);
    font.setBold(m_style.testFlag(TFontStyle::fsBold));
    font.setItalic(m_style.testFlag(TFontStyle::fsItalic));
    font.setUnderline(m_style.testFlag(TFontStyle::fsUnderline));
    font.setStrikeOut(m_style.testFlag(TFontStyle::fsStrikeOut));
    if (m_pitch == TFontPitch::fpFixed)
        font.setFixedPitch(true);
    m_drawingFont = font;
    m_drawingFontPpi = ppi;
    return font;
}

bool TFont::sameAs(const TFont& other) const
{
    return m_charset == other.m_charset && m_color == other.m_color && m_height == other.m_height
        && m_name == other.m_name && m_pitch == other.m_pitch && m_style == other.m_style;
}
