// Reads a report layout from arbitrary bytes and runs it onto a page sink: the page and
// its columns, bands of every kind with their heights, page and column forcing, child
// bands, groups, sub-detail, loop and strings bands, page header and footer, summary and
// a few text controls, over a small dataset held in memory. Shared by the fuzz target
// and the test that replays the inputs it keeps.
#pragma once

#include <QByteArray>
#include <QString>

namespace bandlayout {

struct Outcome {
    bool finished = false; // the pass ended normally (or was refused by the report)
    QString error;         // the message of the error generation stopped with
    int pages = 0;
};

// Runs the layout the bytes describe. Generation errors are answered in the outcome;
// a pass that keeps starting pages beyond what its bands and lines can fill raises
// std::runtime_error, and any other failure escapes too.
Outcome run(const QByteArray& bytes);

// The outcome as one line: "finished" or "error: <message>".
QString describe(const Outcome& outcome);

} // namespace bandlayout
