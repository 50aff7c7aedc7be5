// Text metrics of a font in native units (tenths of a millimetre), measured at the
// resolution of the device the text is drawn on.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>

class QPaintDevice;

class TRpTextMeasure {
public:
    static constexpr double kNativePerInch = 254.0;

    // Without a device the screen resolution is used.
    explicit TRpTextMeasure(const QFont& font, const QPaintDevice* device = nullptr);

    double width(const QString& text) const { return m_metrics.horizontalAdvance(text) * m_nativePerPixel; }
    // The height of one printed line: the font's ascent plus descent.
    double lineHeight() const { return m_metrics.height() * m_nativePerPixel; }
    double ascent() const { return m_metrics.ascent() * m_nativePerPixel; }
    // The size of one device pixel.
    double pixel() const { return m_nativePerPixel; }

private:
    QFontMetricsF m_metrics;
    double m_nativePerPixel;
};
