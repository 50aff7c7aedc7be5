// Enumerations and sets shared by the whole component substrate. The value names are
// written into report files exactly as they appear here.
#pragma once

#include <QFlags>
#include <QObject>

namespace Vcl {
Q_NAMESPACE

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
Q_ENUM_NS(TPenStyle)

enum class TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
Q_ENUM_NS(TPenMode)

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
Q_ENUM_NS(TBrushStyle)

enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
Q_ENUM_NS(TBiDiMode)

enum class TFontPitch { fpDefault, fpVariable, fpFixed };
Q_ENUM_NS(TFontPitch)

enum class TPrinterOrientation { poPortrait, poLandscape };
Q_ENUM_NS(TPrinterOrientation)

// A set is stored as bit flags: the element with ordinal n is the bit 1 << n.
enum class TFontStyle { fsBold = 0x1, fsItalic = 0x2, fsUnderline = 0x4, fsStrikeOut = 0x8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_FLAG_NS(TFontStyles)

} // namespace Vcl

Q_DECLARE_OPERATORS_FOR_FLAGS(Vcl::TFontStyles)

using Vcl::TAlignment;
using Vcl::TBiDiMode;
using Vcl::TBrushStyle;
using Vcl::TFontPitch;
using Vcl::TFontStyle;
using Vcl::TFontStyles;
using Vcl::TPenMode;
using Vcl::TPenStyle;
using Vcl::TPrinterOrientation;
