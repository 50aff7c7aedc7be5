// One PDF file being written: its objects, the page being drawn and the pages done.
// Each page's content goes to the file when the page ends, so memory stays flat however
// many pages the document has.
#pragma once

#include "engine/pdf/rp_pdf_content.h"
#include "engine/pdf/rp_pdf_file.h"
#include "engine/pdf/rp_pdf_resources.h"

#include <QSizeF>
#include <QString>

#include <memory>
#include <vector>

class TRpPdfDocument {
public:
    TRpPdfDocument();

    // Starts the file and its first page; false with errorString() when it cannot.
    bool begin(const QString& fileName, const QSizeF& pageSizeMillimetres, int resolution, const QString& title,
               const QString& creator);
    bool isOpen() const { return m_open; }
    // Ends the page being drawn and starts the next one.
    bool newPage();
    // Ends the last page and commits the file.
    bool end();
    // Drops the file; no file is left behind.
    void abort();
    QString errorString() const;

    TRpPdfContent& content() { return m_content; }
    TRpPdfResources& resources() { return *m_resources; }
    int resolution() const { return m_resolution; }
    // The page size in device units.
    QSizeF pageSize() const { return m_pageSize; }
    // Places that keep coordinates within a hundredth of a point at this resolution.
    int decimals() const { return m_decimals; }

private:
    void startPage();
    void finishPage();
    void writeCatalogue();

    TRpPdfFile m_file;
    std::unique_ptr<TRpPdfResources> m_resources;
    TRpPdfContent m_content;
    bool m_open = false;
    int m_resolution = 72;
    int m_decimals = 2;
    QSizeF m_pageSize;
    QString m_title;
    QString m_creator;
    QString m_error;
    int m_catalogue = 0;
    int m_pageTree = 0;
    int m_resourceObject = 0;
    int m_info = 0;
    std::vector<int> m_pages;
};
