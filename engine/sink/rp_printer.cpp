#include "engine/sink/rp_printer.h"

#include "engine/sink/rp_errors.h"
#include "engine/sink/rp_page_list.h"
#include "engine/sink/rp_page_recoding.h"
#include "engine/sink/rp_page_target.h"
#include "engine/sink/rp_paper_sizes.h"
#include "engine/sink/rp_picture_check.h"

#include <QBuffer>

#include <cmath>

namespace {

constexpr double kNativePerInch = 254.0;

ERpPrinterError notReady() { return ERpPrinterError(QStringLiteral("RpPrinter not ready")); }

bool isPlausibleDpi(qint32 dpi) { return dpi >= 24 && dpi <= 9600; }
// Up to ten metres of paper.
bool isPlausiblePageSize(qint32 nativeLength) { return nativeLength > 0 && nativeLength <= 100000; }

} // namespace

TRpPrinter::TRpPrinter(QObject* parent) : QObject(parent)
{
    setFactorsFromScreen();
}

TRpPrinter::~TRpPrinter()
{
    if (m_picturePainter.isActive())
        m_picturePainter.end();
    if (m_state == TRpPrinterState::Busy && m_target)
        m_target->abort();
}

void TRpPrinter::setTarget(std::unique_ptr<TRpPageTarget> target)
{
    m_target = std::move(target);
}

void TRpPrinter::setPdfFile(const QString& fileName, int resolution)
{
    m_pdfFileName = fileName;
    m_pdfResolution = resolution;
}

void TRpPrinter::setFactorsFromDpi(int dpiX, int dpiY)
{
    m_factorX = dpiX / kNativePerInch;
    m_factorY = dpiY / kNativePerInch;
}

void TRpPrinter::setFactorsFromScreen()
{
    // Pages are recorded at the resolution QPicture reports, which is the screen's, so
    // point-sized fonts and pixel geometry agree.
    const QPicture probe;
    setFactorsFromDpi(probe.logicalDpiX(), probe.logicalDpiY());
}

QPointF TRpPrinter::toDevice(const QPointF& native) const
{
    return {toDeviceX(native.x()), toDeviceY(native.y())};
}

QRectF TRpPrinter::toDevice(const QRectF& native) const
{
    return QRectF(toDevice(native.topLeft()), toDevice(native.bottomRight()));
}

QSize TRpPrinter::devicePageSize() const
{
    return {static_cast<int>(std::lround(m_settings.pageWidth * m_factorX)),
            static_cast<int>(std::lround(m_settings.pageLength * m_factorY))};
}

void TRpPrinter::beginDocument()
{
    if (m_state != TRpPrinterState::Ready)
        throw notReady();
    m_pagesGenerated = 0;
    m_pagesAvailable = 0;
    m_progress = 0;
    m_cancelled = false;
    m_offsetLeft = 0;
    m_offsetTop = 0;
    if (m_destination == TRpDestination::Screen)
        beginScreen();
    else
        beginDevice();
    m_state = TRpPrinterState::Busy;
}

void TRpPrinter::beginScreen()
{
    m_pages = std::make_unique<TRpPageList>(m_compression);
    m_loadedFromFile = false;
    const QPicture probe;
    setFactorsFromDpi(probe.logicalDpiX(), probe.logicalDpiY());
    m_pages->setPageGeometry(probe.logicalDpiX(), probe.logicalDpiY(), m_settings.pageWidth, m_settings.pageLength);
}

void TRpPrinter::beginDevice()
{
    if (!m_target && m_destination == TRpDestination::Printer)
        m_target = std::make_unique<TRpPrinterTarget>();
    if (!m_target && m_destination == TRpDestination::Pdf) {
        if (m_pdfFileName.isEmpty())
            throw ERpPrinterError(QStringLiteral("No PDF file name is set"));
        m_target = std::make_unique<TRpPdfTarget>(m_pdfFileName, m_pdfResolution);
    }
    m_pages.reset();
    m_deviceStarted = false;
    m_drawingOnDevice = false;
    setFactorsFromDpi(m_target->dpiX(), m_target->dpiY());
}

void TRpPrinter::newPage()
{
    if (m_state != TRpPrinterState::Busy)
        throw notReady();
    ++m_pagesGenerated;
    if (m_destination == TRpDestination::Screen) {
        closeRecordedPage();
        startRecordedPage();
    } else {
        startDevicePage();
    }
}

QPainter* TRpPrinter::painter()
{
    if (m_drawingOnDevice)
        return m_devicePainter;
    return m_picturePainter.isActive() ? &m_picturePainter : nullptr;
}

IRpGlyphPainter* TRpPrinter::glyphPainter()
{
    return m_drawingOnDevice && m_target ? m_target->glyphPainter() : nullptr;
}

void TRpPrinter::startRecordedPage()
{
    m_picture = QPicture();
    // The picture keeps the paper's size, not just what was drawn on it.
    m_picture.setBoundingRect(QRect(QPoint(0, 0), devicePageSize()));
    m_picturePainter.begin(&m_picture);
}

void TRpPrinter::closeRecordedPage()
{
    if (!m_picturePainter.isActive())
        return;
    m_picturePainter.end();
    if (m_destination != TRpDestination::Screen)
        return; // a page outside the printed range
    const QByteArray bytes(m_picture.data(), m_picture.size());
    m_picture = QPicture();
    m_pages->append(bytes);
    setPagesAvailable(m_pages->count());
}

void TRpPrinter::startDevicePage()
{
    closeRecordedPage();
    if (m_drawingOnDevice)
        m_devicePainter->restore();
    m_drawingOnDevice = false;
    if (!m_settings.includesPage(m_pagesGenerated)) {
        // Pages outside the range are drawn into a picture nobody keeps.
        startRecordedPage();
        return;
    }
    if (!m_deviceStarted) {
        m_devicePainter = &m_target->begin(m_settings, m_title);
        m_deviceStarted = true;
    } else {
        m_target->newPage();
    }
    m_devicePainter->save();
    m_drawingOnDevice = true;
    setPagesAvailable(m_pagesAvailable + 1);
}

void TRpPrinter::closeDeviceJob(bool aborted)
{
    closeRecordedPage();
    if (m_drawingOnDevice)
        m_devicePainter->restore();
    m_drawingOnDevice = false;
    m_devicePainter = nullptr;
    if (!m_deviceStarted)
        return;
    m_deviceStarted = false;
    if (aborted)
        m_target->abort();
    else
        m_target->end();
}

void TRpPrinter::endDocument()
{
    finishJob(false);
}

void TRpPrinter::abort()
{
    finishJob(true);
}

void TRpPrinter::finishJob(bool aborted)
{
    if (m_state != TRpPrinterState::Busy)
        return;
    m_state = TRpPrinterState::Finished;
    if (m_destination == TRpDestination::Screen) {
        // The pages so far stay viewable and the header counts them, so a saved file is whole.
        closeRecordedPage();
        m_pages->finish();
        return;
    }
    closeDeviceJob(aborted);
    if (!aborted && onAfterPrint)
        onAfterPrint();
}

void TRpPrinter::setProgress(int percent)
{
    m_progress = qBound(0, percent, 100);
    emit progressChanged(m_progress);
}

void TRpPrinter::setPagesAvailable(int pages)
{
    m_pagesAvailable = pages;
    emit pagesAvailableChanged(pages);
}

QPicture TRpPrinter::decodePicture(const QByteArray& bytes, int pageNumber) const
{
    // Qt plays a picture without bounding what its records claim; refuse an unsafe one first.
    rpCheckPagePicture(bytes, pageNumber);
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QPicture picture;
    if (!picture.load(&buffer))
        throw ERpPreparedFileError(
            QStringLiteral("The prepared report file is damaged: page %1 is not a page picture").arg(pageNumber));
    return picture;
}

std::optional<QPicture> TRpPrinter::page(int pageNumber) const
{
    if (!m_pages)
        return std::nullopt;
    const std::optional<QByteArray> bytes = m_pages->page(pageNumber);
    if (!bytes)
        return std::nullopt;
    return decodePicture(*bytes, pageNumber);
}

void TRpPrinter::saveToFile(const QString& fileName) const
{
    if (m_state != TRpPrinterState::Finished || !m_pages)
        throw notReady();
    rpWritePageList(*m_pages, fileName);
}

void TRpPrinter::loadFromFile(const QString& fileName)
{
    if (m_state == TRpPrinterState::Busy)
        throw notReady();
    std::unique_ptr<TRpPageList> pages = TRpPageList::open(fileName);
    const TRpPreparedHeader header = pages->header();
    const QPicture probe;
    const bool knownDpi = isPlausibleDpi(header.dpiX) && isPlausibleDpi(header.dpiY);
    const double factorX = (knownDpi ? header.dpiX : probe.logicalDpiX()) / kNativePerInch;
    const double factorY = (knownDpi ? header.dpiY : probe.logicalDpiY()) / kNativePerInch;

    TRpPrinterSettings settings = m_settings;
    TRpDetectedPaper paper;
    if (pages->count() > 0) {
        const QRect frame = decodePicture(*pages->page(1), 1).boundingRect();
        // The header keeps the exact page size; the picture frame is only whole pixels.
        const bool knownSize = isPlausiblePageSize(header.pageWidth) && isPlausiblePageSize(header.pageLength);
        settings.pageWidth = knownSize ? header.pageWidth : static_cast<int>(std::lround(frame.width() / factorX));
        settings.pageLength = knownSize ? header.pageLength : static_cast<int>(std::lround(frame.height() / factorY));
        paper = rpDetectPaperSize(settings.pageWidth / 10.0, settings.pageLength / 10.0);
        settings.landscape = paper.paperSize != 0 ? paper.landscape : settings.pageWidth > settings.pageLength;
    }

    if (m_picturePainter.isActive())
        m_picturePainter.end();
    m_target.reset();
    m_pages = std::move(pages);
    m_destination = TRpDestination::Screen;
    m_settings = settings;
    m_paperSize = paper.paperSize;
    m_factorX = factorX;
    m_factorY = factorY;
    m_offsetLeft = 0;
    m_offsetTop = 0;
    m_cancelled = false;
    m_state = TRpPrinterState::Finished;
    m_loadedFromFile = true;
    onPrint = nullptr;
    onExport = nullptr;
    m_pagesGenerated = m_pages->count();
    setPagesAvailable(m_pagesGenerated);
}

void TRpPrinter::printPages(TRpPageTarget& target, const TRpPrinterSettings& settings) const
{
    if (m_state != TRpPrinterState::Finished || !m_pages)
        throw notReady();
    TRpPrinterSettings job = settings;
    job.pageWidth = m_settings.pageWidth;
    job.pageLength = m_settings.pageLength;
    job.landscape = m_settings.landscape;
    std::vector<int> selected;
    for (int number = 1; number <= m_pages->count(); ++number)
        if (job.includesPage(number))
            selected.push_back(number);
    if (selected.empty())
        return;
    const int copies = target.makesCopies() ? 1 : qMax(1, job.copies);
    // Playing a picture scales it from the screen's resolution to the device's; pages
    // recorded at another resolution need the difference on top.
    const QPicture probe;
    const double scaleX = probe.logicalDpiX() / kNativePerInch / m_factorX;
    const double scaleY = probe.logicalDpiY() / kNativePerInch / m_factorY;
    QPainter& painter = target.begin(job, m_title);
    try {
        bool firstPage = true;
        for (int copy = 0; copy < copies; ++copy) {
            for (int number : selected) {
                const QPicture picture = *page(number);
                if (!firstPage)
                    target.newPage();
                firstPage = false;
                painter.save();
                painter.scale(scaleX, scaleY);
                painter.drawPicture(0, 0, picture);
                painter.restore();
            }
        }
    } catch (...) {
        target.abort();
        throw;
    }
    target.end();
}

void TRpPrinter::previewClosed()
{
    if (m_state == TRpPrinterState::Busy)
        cancel();
    if (onAfterPreview)
        onAfterPreview();
}
