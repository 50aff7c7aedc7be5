#include "engine/sink/rp_page_target.h"

#include "engine/sink/rp_errors.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include <array>

namespace {

// Report output bins in their ordinal order, as the printer's paper sources.
constexpr std::array<QPrinter::PaperSource, 14> kPaperSources{
    QPrinter::Upper,         QPrinter::Upper,       QPrinter::Lower,         QPrinter::Middle,
    QPrinter::Manual,        QPrinter::Envelope,    QPrinter::EnvelopeManual, QPrinter::Auto,
    QPrinter::Tractor,       QPrinter::SmallFormat, QPrinter::LargeFormat,   QPrinter::LargeCapacity,
    QPrinter::Cassette,      QPrinter::Cassette,
};

void selectPrinter(QPrinter& printer, int printerIndex)
{
    const QStringList names = QPrinterInfo::availablePrinterNames();
    if (printerIndex >= 0 && printerIndex < names.size())
        printer.setPrinterName(names.at(printerIndex));
    else if (!QPrinterInfo::defaultPrinterName().isEmpty())
        printer.setPrinterName(QPrinterInfo::defaultPrinterName());
}

} // namespace

QPageLayout rpPageLayout(const TRpPrinterSettings& settings)
{
    const int portraitWidth = settings.landscape ? settings.pageLength : settings.pageWidth;
    const int portraitLength = settings.landscape ? settings.pageWidth : settings.pageLength;
    const QPageSize paper(QSizeF(portraitWidth / 10.0, portraitLength / 10.0), QPageSize::Millimeter);
    return QPageLayout(paper, settings.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

TRpPageTarget::~TRpPageTarget() = default;

TRpPrinterTarget::TRpPrinterTarget() : TRpPrinterTarget(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

TRpPrinterTarget::TRpPrinterTarget(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer)) {}

TRpPrinterTarget::~TRpPrinterTarget()
{
    if (m_painter.isActive())
        m_painter.end();
}

int TRpPrinterTarget::dpiX() const { return m_printer->logicalDpiX(); }
int TRpPrinterTarget::dpiY() const { return m_printer->logicalDpiY(); }
bool TRpPrinterTarget::makesCopies() const { return m_printer->supportsMultipleCopies(); }

void TRpPrinterTarget::applySettings(const TRpPrinterSettings& settings)
{
    if (m_printer->outputFormat() == QPrinter::NativeFormat)
        selectPrinter(*m_printer, settings.printerIndex);
    m_printer->setFullPage(true);
    m_printer->setPageLayout(rpPageLayout(settings));
    m_printer->setCopyCount(qMax(1, settings.copies));
    // The automatic bin is the printer's own choice; other bins only mean something to a
    // real printer (the PDF output has none).
    const int bin = qBound(0, settings.outputBin, static_cast<int>(kPaperSources.size()) - 1);
    if (m_printer->outputFormat() == QPrinter::NativeFormat && kPaperSources[static_cast<size_t>(bin)] != QPrinter::Auto)
        m_printer->setPaperSource(kPaperSources[static_cast<size_t>(bin)]);
    const QPrinterInfo info(*m_printer);
    if (settings.duplex && info.supportedDuplexModes().contains(QPrinter::DuplexAuto))
        m_printer->setDuplex(QPrinter::DuplexAuto);
}

QPainter& TRpPrinterTarget::begin(const TRpPrinterSettings& settings, const QString& title)
{
    applySettings(settings);
    m_printer->setDocName(title);
    if (!m_painter.begin(m_printer.get()))
        throw ERpPrinterError(QStringLiteral("Cannot start printing on \"%1\"").arg(m_printer->printerName()));
    return m_painter;
}

void TRpPrinterTarget::newPage()
{
    if (!m_printer->newPage())
        throw ERpPrinterError(QStringLiteral("The printer refused a new page"));
}

void TRpPrinterTarget::end()
{
    if (m_painter.isActive() && !m_painter.end())
        throw ERpPrinterError(QStringLiteral("The print job could not be completed"));
    if (m_printer->printerState() == QPrinter::Error)
        throw ERpPrinterError(QStringLiteral("The print job could not be completed"));
}

void TRpPrinterTarget::abort()
{
    if (m_painter.isActive()) {
        m_printer->abort();
        m_painter.end();
    }
}

TRpPdfTarget::TRpPdfTarget(QString fileName, int resolution)
    : m_fileName(std::move(fileName)), m_resolution(resolution)
{
}

TRpPdfTarget::~TRpPdfTarget()
{
    if (m_painter.isActive())
        m_painter.end();
}

QPainter& TRpPdfTarget::begin(const TRpPrinterSettings& settings, const QString& title)
{
    m_device = std::make_unique<TRpPdfDevice>();
    const QSizeF paper = rpPageLayout(settings).fullRect(QPageLayout::Millimeter).size();
    if (!m_device->begin(m_fileName, paper, m_resolution, title, QStringLiteral("Velmor")))
        throw ERpPrinterError(m_device->errorString());
    if (!m_painter.begin(m_device.get()))
        throw ERpPrinterError(QStringLiteral("Cannot start the PDF file \"%1\"").arg(m_fileName));
    return m_painter;
}

void TRpPdfTarget::newPage()
{
    if (!m_device->newPage())
        throw ERpPrinterError(m_device->errorString());
}

void TRpPdfTarget::end()
{
    if (m_painter.isActive())
        m_painter.end();
    if (!m_device->end())
        throw ERpPrinterError(m_device->errorString());
}

void TRpPdfTarget::abort()
{
    if (m_painter.isActive())
        m_painter.end();
    if (m_device)
        m_device->abort();
}

IRpGlyphPainter* TRpPdfTarget::glyphPainter()
{
    return m_device.get();
}
