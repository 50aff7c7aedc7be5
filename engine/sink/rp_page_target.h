// Paged devices a print job draws on: a printer (which may itself write PDF through
// its PDF output, as tests do) or a PDF file written at its own resolution.
//
// The painter a target hands out works in device pixels with the origin at the paper's
// top-left corner; the whole paper is addressable (no unprintable margin is applied).
#pragma once

#include "engine/sink/rp_printer_settings.h"
#include "engine/pdf/rp_pdf_device.h"
#include "engine/text/glyph_layout.h"

#include <QPainter>
#include <QString>

#include <memory>

class QPageLayout;
class QPrinter;

class TRpPageTarget {
public:
    virtual ~TRpPageTarget();

    // Device pixels per inch, known before the job starts.
    virtual int dpiX() const = 0;
    virtual int dpiY() const = 0;
    // True when the device makes the copies itself.
    virtual bool makesCopies() const = 0;

    // Starts the job on its first page; raises ERpPrinterError when it cannot.
    virtual QPainter& begin(const TRpPrinterSettings& settings, const QString& title) = 0;
    // Moves to the next page; raises ERpPrinterError when the device refuses.
    virtual void newPage() = 0;
    // Ends the job; raises ERpPrinterError when the output cannot be completed.
    virtual void end() = 0;
    // Drops the job.
    virtual void abort() = 0;
    // The device's own drawing of laid-out glyph lines, when it has one.
    virtual IRpGlyphPainter* glyphPainter() { return nullptr; }
};

// A printer; by default the system's, selected by the settings' printer index. A printer
// whose output format is PDF keeps its output file and is not re-selected.
class TRpPrinterTarget : public TRpPageTarget {
public:
    TRpPrinterTarget();
    explicit TRpPrinterTarget(std::unique_ptr<QPrinter> printer);
    ~TRpPrinterTarget() override;

    QPrinter& printer() { return *m_printer; }

    int dpiX() const override;
    int dpiY() const override;
    bool makesCopies() const override;
    QPainter& begin(const TRpPrinterSettings& settings, const QString& title) override;
    void newPage() override;
    void end() override;
    void abort() override;

private:
    void applySettings(const TRpPrinterSettings& settings);

    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
};

// A PDF file, written to a temporary file first so that a failed job leaves an existing
// file untouched.
class TRpPdfTarget : public TRpPageTarget {
public:
    explicit TRpPdfTarget(QString fileName, int resolution = 1200);
    ~TRpPdfTarget() override;

    int dpiX() const override { return m_resolution; }
    int dpiY() const override { return m_resolution; }
    bool makesCopies() const override { return true; }
    QPainter& begin(const TRpPrinterSettings& settings, const QString& title) override;
    void newPage() override;
    void end() override;
    void abort() override;
    IRpGlyphPainter* glyphPainter() override;

private:
    QString m_fileName;
    int m_resolution;
    std::unique_ptr<TRpPdfDevice> m_device;
    QPainter m_painter;
};

// The page layout of the settings: paper of the page size, orientation, no margins.
QPageLayout rpPageLayout(const TRpPrinterSettings& settings);
