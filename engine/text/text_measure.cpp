#include "engine/text/text_measure.h"

#include <QPaintDevice>
#include <QPicture>

namespace {

// The screen resolution as the page recorder sees it; it does not change during a run.
int screenDpi()
{
    static const int dpi = QPicture().logicalDpiX();
    return dpi;
}

} // namespace

TRpTextMeasure::TRpTextMeasure(const QFont& font, const QPaintDevice* device)
    : m_metrics(font, device),
      m_nativePerPixel(kNativePerInch / (device ? device->logicalDpiX() : screenDpi()))
{
}
