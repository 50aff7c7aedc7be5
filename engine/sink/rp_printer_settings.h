// What a print job is told about paper, copies and pages.
#pragma once

#include <QString>

struct TRpPrinterSettings {
    // Index into the list of installed printers; -1 for the system's default printer.
    int printerIndex = -1;
    // Page size in native units (tenths of a millimetre), already oriented: a landscape
    // page is wider than long.
    int pageWidth = 2100;
    int pageLength = 2970;
    bool landscape = false;
    int copies = 1;
    // Ordinal of the report's output bin: First, Upper, Lower, Middle, Manual, Envelope,
    // EnvManual, Auto, Tractor, SmallFormat, LargeFormat, LargeCapacity, Cassette, Last.
    int outputBin = 7;
    bool duplex = false;
    // Pages to print, 1-based; 0 and 0 mean every page.
    int firstPage = 0;
    int lastPage = 0;

    // Whether page (1-based) lies in the range to print.
    bool includesPage(int page) const;
};
