// TRpPrinter, the page sink: receives the pages report generation draws.
//
// Aimed at the screen, every page is recorded as a QPicture and appended to a page list
// (a prepared report in a page stream that moves to a temporary file once it grows past
// 100000 bytes), from which the preview reads pages while generation still runs, and
// which can be saved as an ".RPP" file and loaded again. Aimed at the printer or at a
// PDF file, pages are drawn straight onto that device at its own resolution.
//
// Drawing coordinates: painter() works in DEVICE PIXELS of the destination, origin at
// the paper's top-left corner (screen pages at the screen resolution, printer and PDF
// pages at the device's). Report geometry is in native units (tenths of a millimetre);
// convert it with toDeviceX/toDeviceY/toDevice, which multiply by the device factors.
// Fonts keep their point sizes: the painter's device resolution matches the factors,
// so text comes out at the same physical size on every destination.
//
// Notifications: progressChanged carries the progress percentage (the old message
// 1024), pagesAvailable the number of pages the preview can show (message 1025). Both
// are emitted on the generating thread; a view may connect them queued.
#pragma once

#include "engine/sink/rp_printer_settings.h"

#include <QObject>
#include <QPainter>
#include <QPicture>
#include <QPointF>
#include <QRectF>
#include <QSize>

#include <functional>
#include <memory>
#include <optional>

class IRpGlyphPainter;

class TRpExportFilter;
class TRpPageList;
class TRpPageTarget;

enum class TRpDestination { Screen, Printer, Pdf };
enum class TRpPrinterState { Ready, Busy, Finished };

class TRpPrinter : public QObject {
    Q_OBJECT

public:
    static constexpr int kProgressMessage = 1024;
    static constexpr int kPagesAvailableMessage = 1025;

    explicit TRpPrinter(QObject* parent = nullptr);
    ~TRpPrinter() override;

    // --- set-up, before beginDocument ---
    void setDestination(TRpDestination destination) { m_destination = destination; }
    TRpDestination destination() const { return m_destination; }
    // The device of the printer or PDF destination; without one, the printer destination
    // uses the system printer and the PDF destination the file set by setPdfFile.
    void setTarget(std::unique_ptr<TRpPageTarget> target);
    void setPdfFile(const QString& fileName, int resolution = 1200);
    void setSettings(const TRpPrinterSettings& settings) { m_settings = settings; }
    const TRpPrinterSettings& settings() const { return m_settings; }
    void setTitle(const QString& title) { m_title = title; }
    const QString& title() const { return m_title; }
    void setCompression(bool compressed) { m_compression = compressed; }
    bool compression() const { return m_compression; }

    // --- the document, driven by report generation ---
    // Raises ERpPrinterError "RpPrinter not ready" unless the sink is ready.
    void beginDocument();
    // Closes the page being drawn, if any, and starts the next one.
    void newPage();
    // The painter of the page being drawn; null outside a page.
    QPainter* painter();
    // The page device's own drawing of glyph lines; null unless drawing on such a device.
    IRpGlyphPainter* glyphPainter();
    void endDocument();
    void abort();
    void cancel() { m_cancelled = true; }
    bool cancelled() const { return m_cancelled; }
    void setProgress(int percent);
    int progress() const { return m_progress; }

    TRpPrinterState state() const { return m_state; }
    int pagesGenerated() const { return m_pagesGenerated; }
    int pagesAvailable() const { return m_pagesAvailable; }
    int currentPage() const { return m_pagesGenerated; }

    // --- device mapping ---
    double factorX() const { return m_factorX; }
    double factorY() const { return m_factorY; }
    int offsetLeft() const { return m_offsetLeft; }
    int offsetTop() const { return m_offsetTop; }
    double toDeviceX(double native) const { return native * m_factorX - m_offsetLeft; }
    double toDeviceY(double native) const { return native * m_factorY - m_offsetTop; }
    QPointF toDevice(const QPointF& native) const;
    QRectF toDevice(const QRectF& native) const;
    // Page size in native units and in device pixels.
    QSize pageSize() const { return {m_settings.pageWidth, m_settings.pageLength}; }
    QSize devicePageSize() const;

    // --- recorded pages ---
    // Page 1..pagesAvailable; nothing beyond. Raises ERpPreparedFileError for a page of a
    // damaged file.
    std::optional<QPicture> page(int pageNumber) const;
    // Only once finished; raises ERpPrinterError when the file cannot be written, which
    // leaves an existing file untouched.
    void saveToFile(const QString& fileName) const;
    // Replaces the pages by those of a prepared report file; on failure raises
    // ERpPreparedFileError and keeps the current pages.
    void loadFromFile(const QString& fileName);
    bool loadedFromFile() const { return m_loadedFromFile; }
    // The paper ordinal (0 when unknown) found for a loaded file, and its orientation.
    int paperSize() const { return m_paperSize; }
    bool landscape() const { return m_settings.landscape; }
    // Prints the recorded pages (finished only) with the settings' copies and page range.
    void printPages(TRpPageTarget& target, const TRpPrinterSettings& settings) const;
    const TRpPageList* pageList() const { return m_pages.get(); }

    // The preview closes: cancels a running generation, then runs the after-preview call-back.
    void previewClosed();

    // Call-backs of the owning report.
    std::function<void()> onAfterPrint;
    std::function<void()> onAfterPreview;
    std::function<void(TRpPrinter&)> onPrint;
    std::function<void(TRpExportFilter&)> onExport;

signals:
    void progressChanged(int percent);
    void pagesAvailableChanged(int pages);

private:
    void beginScreen();
    void beginDevice();
    void closeRecordedPage();
    void startRecordedPage();
    void startDevicePage();
    void finishJob(bool aborted);
    void closeDeviceJob(bool aborted);
    void setFactorsFromDpi(int dpiX, int dpiY);
    void setFactorsFromScreen();
    void setPagesAvailable(int pages);
    QPicture decodePicture(const QByteArray& bytes, int pageNumber) const;

    TRpDestination m_destination = TRpDestination::Screen;
    TRpPrinterState m_state = TRpPrinterState::Ready;
    TRpPrinterSettings m_settings;
    QString m_title;
    bool m_compression = false;
    bool m_cancelled = false;
    bool m_loadedFromFile = false;
    int m_progress = 0;
    int m_pagesGenerated = 0;
    int m_pagesAvailable = 0;
    int m_paperSize = 0;
    double m_factorX = 96.0 / 254.0;
    double m_factorY = 96.0 / 254.0;
    int m_offsetLeft = 0;
    int m_offsetTop = 0;

    std::unique_ptr<TRpPageList> m_pages;
    QPicture m_picture;
    QPainter m_picturePainter;

    std::unique_ptr<TRpPageTarget> m_target;
    QString m_pdfFileName;
    int m_pdfResolution = 1200;
    QPainter* m_devicePainter = nullptr;
    bool m_deviceStarted = false;
    bool m_drawingOnDevice = false;
};
