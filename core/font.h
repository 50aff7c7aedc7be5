// TFont: a font as report files hold it. `Height` is the stored measure (negative for a
// character height in pixels at the screen resolution); `Size` in points follows from it.
#pragma once

#include "core/color.h"
#include "core/persistent.h"
#include "core/vcl_types.h"

#include <QFont>

class TFont : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int Charset READ charset WRITE setCharset)
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(int Height READ height WRITE setHeight)
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(Vcl::TFontPitch Pitch READ pitch WRITE setPitch)
    Q_PROPERTY(int Size READ size WRITE setSize STORED false)
    Q_PROPERTY(Vcl::TFontStyles Style READ style WRITE setStyle)
    Q_CLASSINFO("idents:Charset", "TFontCharset")
    Q_CLASSINFO("default:Pitch", "fpDefault")
public:
    static constexpr int kDefaultCharset = 1;

    explicit TFont(QObject* parent = nullptr);

    int charset() const { return m_charset; }
    void setCharset(int charset);
    TColor color() const { return m_color; }
    void setColor(TColor color);
    int height() const { return m_height; }
    void setHeight(int height);
    QString name() const { return m_name; }
    void setName(const QString& name);
    TFontPitch pitch() const { return m_pitch; }
    void setPitch(TFontPitch pitch);
    int size() const;
    void setSize(int points);
    TFontStyles style() const { return m_style; }
    void setStyle(TFontStyles style);

    // The font for drawing, in points (so it scales with the device it is drawn on).
    QFont toQFont() const;

    bool sameAs(const TFont& other) const;

private:
    void update();

    int m_charset = kDefaultCharset;
    TColor m_color = clWindowText;
    int m_height = -11;
    QString m_name = QStringLiteral("MS Sans Serif");
    TFontPitch m_pitch = TFontPitch::fpDefault;
    TFontStyles m_style;
    // The drawing font, built again after a change or when the screen resolution moves.
    mutable QFont m_drawingFont;
    mutable int m_drawingFontPpi = 0;
};

namespace screen {
// The screen resolution in pixels per inch that font heights and pixel units refer to.
int pixelsPerInch();
void setPixelsPerInch(int ppi); // for tests and headless runs
}
