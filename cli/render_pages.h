// Writing the pages a page sink recorded: PNG images, PDF and printed copies.
#pragma once

#include <QString>

#include <memory>

class TRpPageTarget;
class TRpPrinter;

namespace cli {

// DIR/page-001.png, page-002.png ... at `dpi`; raises EVelError when a file cannot be
// written. Answers the number of files.
int writePngPages(const TRpPrinter& sink, const QString& dir, int dpi);

// Replays the recorded pages on a PDF file or a printer, at the device's resolution.
void writePdfPages(const TRpPrinter& sink, const QString& fileName);
void printPages(const TRpPrinter& sink, const QString& printerName);

// The target of a printer by name (empty: the default one); raises EVelError for a
// printer that does not exist.
std::unique_ptr<TRpPageTarget> printerTarget(const QString& printerName);

} // namespace cli
