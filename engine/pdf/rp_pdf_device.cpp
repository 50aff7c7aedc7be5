#include "engine/pdf/rp_pdf_device.h"

#include "engine/pdf/rp_pdf_document.h"
#include "engine/pdf/rp_pdf_engine.h"

#include <cmath>

namespace {

constexpr double kMillimetresPerInch = 25.4;

} // namespace

TRpPdfDevice::TRpPdfDevice()
    : m_document(std::make_unique<TRpPdfDocument>()), m_engine(std::make_unique<TRpPdfEngine>(*m_document))
{
}

TRpPdfDevice::~TRpPdfDevice()
{
    m_document->abort();
}

bool TRpPdfDevice::begin(const QString& fileName, const QSizeF& pageSizeMillimetres, int resolution,
                         const QString& title, const QString& creator)
{
    if (!m_document->begin(fileName, pageSizeMillimetres, resolution, title, creator))
        return false;
    m_pageSizeMillimetres = pageSizeMillimetres;
    m_resolution = resolution;
    m_engine->pageStarted();
    return true;
}

bool TRpPdfDevice::newPage()
{
    if (!m_document->newPage())
        return false;
    m_engine->pageStarted();
    return true;
}

bool TRpPdfDevice::end()
{
    return m_document->end();
}

void TRpPdfDevice::abort()
{
    m_document->abort();
}

QString TRpPdfDevice::errorString() const
{
    return m_document->errorString();
}

bool TRpPdfDevice::isOpen() const
{
    return m_document->isOpen();
}

QPaintEngine* TRpPdfDevice::paintEngine() const
{
    return m_engine.get();
}

int TRpPdfDevice::glyphResolution() const
{
    return m_resolution;
}

void TRpPdfDevice::drawGlyphLine(const QPointF& baselineStart, const TRpGlyphLine& line, const QColor& color)
{
    m_engine->drawGlyphLine(baselineStart, line, color);
}

int TRpPdfDevice::metric(PaintDeviceMetric metric) const
{
    const auto pixels = [this](double millimetres) {
        return static_cast<int>(std::lround(millimetres / kMillimetresPerInch * m_resolution));
    };
    switch (metric) {
    case PdmWidth:
        return pixels(m_pageSizeMillimetres.width());
    case PdmHeight:
        return pixels(m_pageSizeMillimetres.height());
    case PdmWidthMM:
        return static_cast<int>(std::lround(m_pageSizeMillimetres.width()));
    case PdmHeightMM:
        return static_cast<int>(std::lround(m_pageSizeMillimetres.height()));
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return m_resolution;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
    }
    return 0;
}
