#include "engine/export/rp_export_filter.h"

namespace {

constexpr double kNativeUnitsPerPoint = 3.5277777777777777778;
constexpr double kFallbackPointSize = 10;

} // namespace

double rpFontSizeInNativeUnits(const QFont& font)
{
    // A font given in pixels (no point size) counts at 96 pixels per inch.
    double points = font.pointSizeF();
    if (points <= 0 && font.pixelSize() > 0)
        points = font.pixelSize() * 72.0 / 96.0;
    if (points <= 0)
        points = kFallbackPointSize;
    return points * kNativeUnitsPerPoint;
}

TRpExportFilter::~TRpExportFilter() = default;

QString TRpExportFilter::description() const { return QStringLiteral("Abstract non-working export filter"); }
QString TRpExportFilter::fileExtension() const { return {}; }
QString TRpExportFilter::name() const { return QStringLiteral("Abstract filter"); }
QString TRpExportFilter::vendor() const { return {}; }
bool TRpExportFilter::continuousOutput() const { return false; }

void TRpExportFilter::start(int, int, const TRpExportFont&) { m_active = true; }
void TRpExportFilter::endPage() {}
void TRpExportFilter::finish() { m_active = false; }
void TRpExportFilter::newPage() {}
void TRpExportFilter::textOut(const TRpExportFont&, const QColor&, const QString&, Qt::Alignment, double, double) {}
