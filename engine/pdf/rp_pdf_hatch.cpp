#include "engine/pdf/rp_pdf_hatch.h"

#include "engine/pdf/rp_pdf_bytes.h"

#include <QImage>
#include <QPainter>

namespace {

constexpr double kInset = 0.02;

} // namespace

bool rpIsHatchStyle(Qt::BrushStyle style)
{
    return style >= Qt::Dense1Pattern && style <= Qt::DiagCrossPattern;
}

QByteArray rpHatchCellContent(Qt::BrushStyle style)
{
    if (!rpIsHatchStyle(style))
        return {};
    // The cell is read back from Qt's rasteriser so that the PDF shows what the screen does.
    QImage cell(kRpHatchCellSize, kRpHatchCellSize, QImage::Format_ARGB32);
    cell.fill(Qt::transparent);
    {
        QPainter painter(&cell);
        painter.fillRect(cell.rect(), QBrush(Qt::black, style));
    }
    TRpPdfBytes out;
    for (int y = 0; y < kRpHatchCellSize; ++y) {
        int x = 0;
        while (x < kRpHatchCellSize) {
            if (qAlpha(cell.pixel(x, y)) == 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < kRpHatchCellSize && qAlpha(cell.pixel(x, y)) != 0)
                ++x;
            // Inset by a hair: rasterisers that fill every pixel a shape touches would
            // otherwise widen each run into its neighbours.
            out.appendReal(start + kInset, 2);
            out << ' ';
            out.appendReal(y + kInset, 2);
            out << ' ';
            out.appendReal(x - start - 2 * kInset, 2);
            out << ' ';
            out.appendReal(1 - 2 * kInset, 2);
            out << " re\n";
        }
    }
    out << 'f';
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}
