// Drawing test pages through the page sink the way report generation does.
#pragma once

#include "engine/sink/rp_printer.h"

#include <QImage>
#include <QString>

namespace sinktest {

// Draws a recognisable page: a frame, a filled band, a line and the page number as text.
void drawPage(TRpPrinter& sink, int pageNumber);

// Runs a whole document of pageCount pages on the sink.
void generate(TRpPrinter& sink, int pageCount);

// Plays a page picture onto a white image of the picture's size.
QImage render(const QPicture& picture);

} // namespace sinktest
