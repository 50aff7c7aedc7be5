// Helpers of the PDF writer tests: write a document through the device, and read it back
// with poppler's and qpdf's tools.
#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>

class QPainter;
class TRpPdfDevice;

namespace pdftest {

// Draws one page; the device is given for calls that go past QPainter.
using TPageDrawing = std::function<void(QPainter&, TRpPdfDevice&)>;

// Writes a document with one page per drawing; false (with a test failure) on error.
bool writePdf(const QString& fileName, const QList<TPageDrawing>& pages, const QSizeF& pageMillimetres = {210, 297},
              int resolution = 96);

struct TToolResult {
    int exitCode = -1;
    QString output;
};
// Runs a command-line tool and gathers its standard output and error.
TToolResult runTool(const QString& program, const QStringList& arguments);

// The text of the whole document as pdftotext gives it.
QString pdfText(const QString& fileName);
// A pdfinfo field ("Pages", "Page size", "Producer" ...), trimmed.
QString pdfInfo(const QString& fileName, const QString& field, int page = 0);
// The first page rendered by pdftoppm at that resolution, without anti-aliasing.
QImage renderPage(const QString& fileName, int resolution);
// The page content streams, uncompressed, as qpdf rewrites the file.
QByteArray uncompressedContent(const QString& fileName);

} // namespace pdftest
