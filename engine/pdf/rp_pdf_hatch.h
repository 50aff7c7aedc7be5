// The pattern brush styles (Dense1 to Dense7 and the hatches) as the content of one
// 8 × 8 tiling cell, with exactly the pixels Qt's own rasteriser sets.
#pragma once

#include <QByteArray>
#include <Qt>

inline constexpr int kRpHatchCellSize = 8;

bool rpIsHatchStyle(Qt::BrushStyle style);

// Filled runs of the cell's set pixels ("x y w h re" each, inset by a hair, then "f"), rows going down
// from y = 0; empty for a style that is not a pattern style.
QByteArray rpHatchCellContent(Qt::BrushStyle style);
