#include "engine/pdf/rp_pdf_image.h"

#include "engine/pdf/rp_pdf_file.h"

#include <QByteArray>
#include <QImage>

#include <string>

namespace {

struct TImagePlanes {
    QByteArray colour;
    QByteArray alpha; // empty when every pixel is opaque
    bool grey = false;
};

TImagePlanes splitPlanes(const QImage& source)
{
    TImagePlanes planes;
    const bool hasAlpha = source.hasAlphaChannel();
    planes.grey = source.isGrayscale();
    const QImage image = source.convertToFormat(hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();
    const qsizetype pixels = static_cast<qsizetype>(width) * height;
    planes.colour.resize(pixels * (planes.grey ? 1 : 3));
    if (hasAlpha)
        planes.alpha.resize(pixels);
    char* colour = planes.colour.data();
    char* alpha = planes.alpha.data();
    bool translucent = false;
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = line[x];
            if (planes.grey) {
                *colour++ = static_cast<char>(qRed(pixel));
            } else {
                *colour++ = static_cast<char>(qRed(pixel));
                *colour++ = static_cast<char>(qGreen(pixel));
                *colour++ = static_cast<char>(qBlue(pixel));
            }
            if (hasAlpha) {
                *alpha++ = static_cast<char>(qAlpha(pixel));
                translucent |= qAlpha(pixel) != 255;
            }
        }
    }
    if (!translucent)
        planes.alpha.clear();
    return planes;
}

std::string imageDictionary(int width, int height, const char* colourSpace)
{
    return "/Type/XObject/Subtype/Image/Width " + std::to_string(width) + "/Height " + std::to_string(height)
           + "/ColorSpace" + colourSpace + "/BitsPerComponent 8";
}

} // namespace

int rpWritePdfImage(TRpPdfFile& file, const QImage& image)
{
    const TImagePlanes planes = splitPlanes(image);
    const int number = file.reserveObject();
    std::string dictionary = imageDictionary(image.width(), image.height(), planes.grey ? "/DeviceGray" : "/DeviceRGB");
    if (!planes.alpha.isEmpty()) {
        const int mask = file.reserveObject();
        file.writeStream(mask, imageDictionary(image.width(), image.height(), "/DeviceGray"), planes.alpha);
        dictionary += "/SMask " + std::to_string(mask) + " 0 R";
    }
    file.writeStream(number, dictionary, planes.colour);
    return number;
}
