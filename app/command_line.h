// The designer's command line: file paths to open and the switches "/PREVIEW" and
// "/PRINT", which are recognised without regard to case.
#pragma once

#include <QStringList>

struct TVelCommandLine {
    QStringList files;
    bool preview = false;
    bool print = false;  // only when preview is not asked for
    bool operator==(const TVelCommandLine&) const = default;
};

// From the positional arguments (the program name left out).
TVelCommandLine interpretCommandLine(const QStringList& arguments);
