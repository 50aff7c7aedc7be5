// TRpCommaSeparatedFilter: each page as comma-separated lines of quoted cells.
#pragma once

#include "engine/export/rp_grid_export_filter.h"

class TRpCommaSeparatedFilter : public TRpAbstractExportFilter {
public:
    using TRpAbstractExportFilter::TRpAbstractExportFilter;

    QString description() const override { return QStringLiteral("Comma separated text file"); }
    QString fileExtension() const override { return QStringLiteral("CSV"); }
    QString name() const override { return QStringLiteral("Comma Separated"); }

protected:
    void writePage() override;
};
