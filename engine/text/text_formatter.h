// Breaking a control's text into the lines it prints: paragraphs, word wrap, splitting
// of words wider than the line, and truncation.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Width of a piece of text, in the same unit as the line width.
using TRpTextWidth = std::function<double(const QString& text)>;

struct TRpTextLayoutOptions {
    double width = 0;     // the width lines must fit into
    bool wordWrap = true; // without it, a paragraph keeps only its first line
    bool autoSize = false; // each paragraph becomes one line, unchanged
};

// Splits text into paragraphs at line breaks (CR LF, CR or LF).
QStringList rpTextParagraphs(const QString& text);

// The lines of text laid out with the options; widths come from measure.
QStringList rpFormatText(const QString& text, const TRpTextLayoutOptions& options, const TRpTextWidth& measure);
