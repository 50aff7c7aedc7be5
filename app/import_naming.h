// The name an imported report (RPE or DFM file) takes once open: the same path with the
// extension VRP, or VTX when a VRP file of that name exists, or none (untitled) when both
// exist, so that saving never overwrites a report the import did not come from.
#pragma once

#include <QString>

QString importedReportName(const QString& importedFile);
