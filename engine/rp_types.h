// Enumerations of the report object model. Their value names are written into report
// files exactly as they appear here.
#pragma once

#include <QFlags>
#include <QObject>

namespace Rp {
Q_NAMESPACE

enum class TRpBandType {
    rbTitle, rbPageHeader, rbDetail, rbPageFooter, rbSummary, rbGroupHeader, rbGroupFooter,
    rbSubDetail, rbColumnHeader, rbOverlay, rbChild
};
Q_ENUM_NS(TRpBandType)

enum class TRpUnit { MM, Inches, Pixels, Characters, Native };
Q_ENUM_NS(TRpUnit)

enum class TRpPaperSize {
    Default, Letter, LetterSmall, Tabloid, Ledger, Legal, Statement, Executive, A3, A4, A4Small, A5,
    B4, B5, Folio, Quarto, rp10X14, rp11X17, Note, Env9, Env10, Env11, Env12, Env14, CSheet, DSheet,
    ESheet, Custom
};
Q_ENUM_NS(TRpPaperSize)

enum class TRpBin {
    First, Upper, Lower, Middle, Manual, Envelope, EnvManual, Auto, Tractor, SmallFormat, LargeFormat,
    LargeCapacity, Cassette, Last
};
Q_ENUM_NS(TRpBin)

enum class TReportOption { FirstPageHeader = 0x1, LastPageFooter = 0x2, Compression = 0x4 };
Q_DECLARE_FLAGS(TReportOptions, TReportOption)
Q_FLAG_NS(TReportOptions)

enum class TRpShapeType { rpsRectangle, rpsCircle, rpsVertLine, rpsHorLine, rpsTopAndBottom, rpsRightAndLeft };
Q_ENUM_NS(TRpShapeType)

enum class TRpSysDataType {
    rpsTime, rpsDate, rpsDateTime, rpsPageNumber, rpsReportTitle, rpsDetailCount, rpsDetailNo
};
Q_ENUM_NS(TRpSysDataType)

} // namespace Rp

Q_DECLARE_OPERATORS_FOR_FLAGS(Rp::TReportOptions)

using Rp::TReportOption;
using Rp::TReportOptions;
using Rp::TRpBandType;
using Rp::TRpBin;
using Rp::TRpPaperSize;
using Rp::TRpShapeType;
using Rp::TRpSysDataType;
using Rp::TRpUnit;

// Width and length in millimetres of a paper size (portrait); zero for Default and Custom.
struct PaperDimensions {
    double width = 0;
    double length = 0;
};
PaperDimensions paperDimensions(TRpPaperSize paper);

// Names the model gives new bands, in band type order ("TitleBand" ...).
QString bandBaseName(TRpBandType type);
// The band type's name shown on the design surface ("Title", "Page Header" ...).
QString bandTypeDisplayName(TRpBandType type);
