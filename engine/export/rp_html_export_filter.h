// TRpHTMLDocumentFilter: each page as one HTML table (no document head or body).
#pragma once

#include "engine/export/rp_grid_export_filter.h"

class TRpHTMLDocumentFilter : public TRpAbstractExportFilter {
public:
    using TRpAbstractExportFilter::TRpAbstractExportFilter;

    QString description() const override { return QStringLiteral("HTML document for web publishing"); }
    QString fileExtension() const override { return QStringLiteral("HTM"); }
    QString name() const override { return QStringLiteral("HTML document"); }
    bool continuousOutput() const override { return true; }

protected:
    bool writesToMemoryWhenUnnamed() const override { return true; }
    void writePage() override;

private:
    QString cellHtml(const Entry* entry) const;
};

// The HTML font size step of a point size (0 up to 8 points ... 7 above 24).
int rpHtmlSizeStep(int pointSize);
