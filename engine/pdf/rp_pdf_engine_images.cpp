// Images, pixmaps and tiled pixmaps of the PDF engine.
#include "engine/pdf/rp_pdf_content.h"
#include "engine/pdf/rp_pdf_document.h"
#include "engine/pdf/rp_pdf_engine.h"
#include "engine/pdf/rp_pdf_resources.h"

#include <QImage>
#include <QPixmap>

namespace {

// A one-bit pixmap paints its set pixels in the pen's colour and leaves the rest alone.
QImage bitmapImage(const QPixmap& bitmap, const QColor& colour)
{
    QImage image = bitmap.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb set = colour.rgb() | 0xFF000000;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qGray(line[x]) < 128 ? set : 0;
    }
    return image;
}

} // namespace

void TRpPdfEngine::paintImage(const TRpPdfImageRef& image, const QRectF& target)
{
    if (target.isEmpty())
        return;
    syncFrame();
    TRpPdfContent& page = content();
    page.setAlphaState(resources().alphaState(m_opacity, 1));
    page.save();
    // Image space is the unit square with the first row at the top.
    page.number(target.width());
    page.bytes() << "0 0 ";
    page.number(target.height());
    page.point(target.x(), target.y() + target.height());
    page.bytes() << "cm /" << image.name << " Do\n";
    page.restore();
}

void TRpPdfEngine::drawImage(const QRectF& target, const QImage& image, const QRectF& source, Qt::ImageConversionFlags)
{
    if (!ready() || image.isNull())
        return;
    const bool whole = source == QRectF(image.rect());
    using TSource = TRpPdfResources::TImageSource;
    const TRpPdfImageRef* ref = whole ? resources().findImage(TSource::Image, image.cacheKey()) : nullptr;
    if (ref == nullptr) {
        const QImage part = whole ? image : image.copy(source.toAlignedRect());
        if (part.isNull())
            return;
        ref = &resources().addImage(part, TSource::Image, whole ? image.cacheKey() : 0);
    }
    paintImage(*ref, target);
}

const TRpPdfImageRef& TRpPdfEngine::pixmapImage(const QPixmap& pixmap)
{
    using TSource = TRpPdfResources::TImageSource;
    if (pixmap.depth() == 1)
        return resources().addImage(bitmapImage(pixmap, m_pen.color()), TSource::Pixmap, 0);
    const TRpPdfImageRef* ref = resources().findImage(TSource::Pixmap, pixmap.cacheKey());
    return ref != nullptr ? *ref : resources().addImage(pixmap.toImage(), TSource::Pixmap, pixmap.cacheKey());
}

void TRpPdfEngine::drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source)
{
    if (!ready() || pixmap.isNull())
        return;
    if (source != QRectF(pixmap.rect())) {
        drawImage(target, pixmap.copy(source.toAlignedRect()).toImage(), QRectF(QPointF(0, 0), source.size()));
        return;
    }
    paintImage(pixmapImage(pixmap), target);
}

void TRpPdfEngine::drawTiledPixmap(const QRectF& target, const QPixmap& pixmap, const QPointF& offset)
{
    if (!ready() || pixmap.isNull() || target.isEmpty())
        return;
    const TRpPdfImageRef& image = pixmapImage(pixmap);
    const QTransform cell = QTransform::fromTranslate(target.x() - offset.x(), target.y() - offset.y());
    const QByteArray pattern = resources().imagePattern(image, patternToPage(cell));
    syncFrame();
    TRpPdfContent& page = content();
    page.setFillPattern(pattern, std::nullopt);
    page.setAlphaState(resources().alphaState(m_opacity, 1));
    page.rect(target);
    page.op("f");
}
