// TRpAsciiExportFilter: each page as plain text lines, placing text at character cells.
//
// A character cell is as high and as wide as the report font's size; columns are
// x / cell width x 1.7, so the layout roughly follows proportional text.
#pragma once

#include "engine/export/rp_export_filter.h"
#include "engine/export/rp_export_output.h"

#include <QStringList>

class TRpAsciiExportFilter : public TRpExportFilter {
public:
    static constexpr int kMaxLines = 201;

    using TRpExportFilter::TRpExportFilter;

    QString description() const override { return QStringLiteral("Text export (ASCII) filter"); }
    QString fileExtension() const override { return QStringLiteral("TXT"); }
    QString name() const override { return QStringLiteral("Text file"); }

    void start(int pageWidth, int pageLength, const TRpExportFont& reportFont) override;
    void endPage() override;
    void finish() override;
    void newPage() override;
    void textOut(const TRpExportFont& font, const QColor& background, const QString& text,
                 Qt::Alignment alignment, double y, double x) override;

    int linesPerPage() const { return m_linesPerPage; }

private:
    TRpExportOutput m_output;
    double m_charHeight = 1;
    double m_charWidth = 1;
    int m_linesPerPage = 0;
    QStringList m_lines;
};
