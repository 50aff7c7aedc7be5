// A PDF file as a paint device: QPainter draws on it page by page, in device units of
// `resolution` per inch with the origin at the page's top-left corner and y going down.
//
//     TRpPdfDevice pdf;
//     if (!pdf.begin(fileName, QSizeF(210, 297), 1200, title, creator)) report(pdf.errorString());
//     QPainter painter(&pdf);
//     ... draw page 1 ...; pdf.newPage(); ... draw page 2 ...
//     painter.end();
//     if (!pdf.end()) report(pdf.errorString());
//
// The file is written through a temporary file: until end() succeeds an existing file of
// that name is left untouched, and abort() leaves no file at all.
#pragma once

#include "engine/text/glyph_layout.h"

#include <QPaintDevice>
#include <QSizeF>
#include <QString>

#include <memory>

class TRpPdfDocument;
class TRpPdfEngine;

class TRpPdfDevice : public QPaintDevice, public IRpGlyphPainter {
public:
    TRpPdfDevice();
    ~TRpPdfDevice() override;

    bool begin(const QString& fileName, const QSizeF& pageSizeMillimetres, int resolution, const QString& title,
               const QString& creator);
    bool newPage();
    bool end();
    void abort();
    QString errorString() const;
    bool isOpen() const;

    QPaintEngine* paintEngine() const override;
    TRpPdfEngine& engine() const { return *m_engine; }

    int glyphResolution() const override;
    void drawGlyphLine(const QPointF& baselineStart, const TRpGlyphLine& line, const QColor& color) override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::unique_ptr<TRpPdfDocument> m_document;
    std::unique_ptr<TRpPdfEngine> m_engine;
    QSizeF m_pageSizeMillimetres{210, 297};
    int m_resolution = 72;
};
