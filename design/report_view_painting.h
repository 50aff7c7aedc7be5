// Draws the report as the design surface shows it, in report pixel coordinates.
#pragma once

#include <QRect>

class QPainter;
class TReport;

namespace reportview {

void paint(QPainter& painter, const TReport& report, const QRect& exposed, int pixelsPerInch);

} // namespace reportview
