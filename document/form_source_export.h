// Export of a report as form source for the Delphi development environment: a form
// file (DFM, the document's stream in a form resource) and a unit (PAS) declaring the
// form class with one field per component.
#pragma once

#include <QByteArray>
#include <QString>

class TfrmVelDesign;

namespace formsource {

struct TExportNames {
    QString baseName;   // "my report.dfm" gives "My_report"
    QString exportFile; // the chosen folder, the base name and ".DFM"
};

TExportNames exportNames(const QString& chosenFile);

// Raises the message the export command shows for a report with datamodule links.
void checkExportable(const TfrmVelDesign& document);

// Names the document "frm" + base name, names unnamed components, places the data
// sources, and writes the PAS and DFM files. Raises EVelError when a file cannot be
// written.
void exportForm(TfrmVelDesign& document, const QString& chosenFile);

// The unit source for the document's current components.
QByteArray unitSource(const TfrmVelDesign& document, const QString& unitName);
// The form file of the document under its current name.
QByteArray formFile(TfrmVelDesign& document);

} // namespace formsource
