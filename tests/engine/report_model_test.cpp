#include "core/property_access.h"
#include "engine/rp_printable.h"
#include "report_fixture.h"

#include <cmath>

namespace {

struct InitialCase {
    const char* className;
    const char* path;
    const char* text;
    bool stored; // whether the writer writes the initial value
};

TComponent* createNamed(const char* className, TComponent* owner)
{
    const QString name = QString::fromLatin1(className);
#define VELMOR_CASE(T)                                                                                               \
    if (name == QLatin1String(#T))                                                                                   \
        return new T(owner);
    VELMOR_CASE(TReport)
    VELMOR_CASE(TRpBand)
    VELMOR_CASE(TRpChildBand)
    VELMOR_CASE(TRpGroup)
    VELMOR_CASE(TRpSubDetail)
    VELMOR_CASE(TRpLoopBand)
    VELMOR_CASE(TRpStringsBand)
    VELMOR_CASE(TRpLabel)
    VELMOR_CASE(TRpMemo)
    VELMOR_CASE(TRpDBText)
    VELMOR_CASE(TRpExpr)
    VELMOR_CASE(TRpSysData)
    VELMOR_CASE(TRpExprMemo)
    VELMOR_CASE(TRpShape)
    VELMOR_CASE(TRpImage)
    VELMOR_CASE(TRpDBImage)
    VELMOR_CASE(TRpRichText)
    VELMOR_CASE(TRpDBRichText)
#undef VELMOR_CASE
    return nullptr;
}

const InitialCase kInitial[] = {
    {"TReport", "Options", "[FirstPageHeader, LastPageFooter]", true},
    {"TReport", "PrintIfEmpty", "True", true},
    {"TReport", "ShowProgress", "True", false},
    {"TReport", "SnapToGrid", "True", true},
    {"TReport", "Units", "MM", true},
    {"TReport", "Zoom", "100", true},
    {"TReport", "ReportTitle", "", false},
    {"TReport", "Font.Name", "Arial", true},
    {"TReport", "Font.Size", "10", false},
    {"TReport", "Font.Height", "-13", true},
    {"TReport", "Frame.Color", "clBlack", true},
    {"TReport", "Frame.DrawTop", "False", true},
    {"TReport", "Frame.Style", "psSolid", false},
    {"TReport", "Frame.Width", "1", false},
    {"TReport", "Page.Columns", "1", true},
    {"TReport", "Page.Orientation", "poPortrait", true},
    {"TReport", "Page.PaperSize", "A4", true},
    {"TReport", "Page.Ruler", "True", false},
    {"TReport", "Page.TopMargin", "10", false},
    {"TReport", "Page.Width", "210", false},
    {"TReport", "PrinterSettings.Copies", "1", true},
    {"TReport", "PrinterSettings.Duplex", "False", true},
    {"TReport", "PrinterSettings.OutputBin", "Auto", true},
    {"TReport", "Bands.HasDetail", "False", false},
    {"TReport", "DataSet", "", false},
    {"TReport", "BeforePrint", "", false},
    {"TRpBand", "BandType", "rbDetail", true},
    {"TRpBand", "Enabled", "True", false},
    {"TRpBand", "ParentFont", "True", false},
    {"TRpBand", "AlignToBottom", "False", true},
    {"TRpBand", "ForceNewPage", "False", true},
    {"TRpBand", "HasChild", "False", false},
    {"TRpBand", "Height", "40", true},
    {"TRpBand", "Color", "clWhite", true},
    {"TRpBand", "Cursor", "crDefault", false},
    {"TRpGroup", "ReprintOnNewPage", "False", true},
    {"TRpGroup", "Expression", "", false},
    {"TRpSubDetail", "PrintIfEmpty", "True", true},
    {"TRpSubDetail", "PrintBefore", "False", true},
    {"TRpSubDetail", "Bands.HasHeader", "False", false},
    {"TRpLoopBand", "PrintCount", "0", true},
    {"TRpLabel", "AutoSize", "True", true},
    {"TRpLabel", "AutoStretch", "False", true},
    {"TRpLabel", "WordWrap", "True", true},
    {"TRpLabel", "Alignment", "taLeftJustify", true},
    {"TRpLabel", "AlignToBand", "False", true},
    {"TRpLabel", "Transparent", "False", true},
    {"TRpLabel", "ParentFont", "True", false},
    {"TRpLabel", "ParentBiDiMode", "True", false},
    {"TRpLabel", "Color", "clWhite", true},
    {"TRpLabel", "Width", "10", true},
    {"TRpLabel", "Height", "10", true},
    {"TRpLabel", "Enabled", "True", false},
    {"TRpLabel", "Caption", "", false},
    {"TRpExpr", "ResetAfterPrint", "False", true},
    {"TRpSysData", "Data", "rpsTime", true},
    {"TRpExprMemo", "RemoveBlankLines", "False", true},
    {"TRpShape", "Shape", "rpsRectangle", true},
    {"TRpShape", "Width", "65", false},
    {"TRpShape", "Height", "65", false},
    {"TRpShape", "Pen.Color", "clBlack", false},
    {"TRpShape", "Brush.Color", "clWhite", false},
    {"TRpImage", "Width", "105", true},
    {"TRpImage", "Center", "False", true},
    {"TRpImage", "Stretch", "False", true},
    {"TRpDBImage", "Center", "True", true},
    {"TRpDBImage", "Height", "105", true},
    {"TRpRichText", "Width", "100", true},
    {"TRpRichText", "AutoStretch", "False", true},
    {"TRpDBRichText", "Alignment", "taLeftJustify", true},
};

class InitialValues : public ::testing::TestWithParam<InitialCase> {};

TEST_P(InitialValues, MatchTheModel)
{
    LocaleGuard metric{QLocale(QLocale::German, QLocale::Germany)};
    TComponent document;
    const InitialCase& c = GetParam();
    TComponent* object = createNamed(c.className, &document);
    ASSERT_NE(object, nullptr) << c.className;
    QString error;
    EXPECT_EQ(props::getText(object, QString::fromLatin1(c.path), &error), QString::fromLatin1(c.text))
        << c.className << "." << c.path << " " << error.toStdString();
    const props::Target target = props::resolve(object, QString::fromLatin1(c.path));
    ASSERT_TRUE(target);
    EXPECT_EQ(props::shouldStore(target.object, target.property), c.stored) << c.className << "." << c.path;
}

INSTANTIATE_TEST_SUITE_P(EveryClass, InitialValues, ::testing::ValuesIn(kInitial));

TEST(ReportModel, PropertiesAClassDoesNotHave)
{
    TComponent document;
    auto* sysData = new TRpSysData(&document);
    EXPECT_FALSE(props::resolve(sysData, u"AutoStretch"));
    auto* label = new TRpLabel(&document);
    EXPECT_TRUE(props::resolve(label, u"AutoStretch"));
}

TEST(ReportModel, NewReportPageFollowsTheMeasurementSystem)
{
    {
        LocaleGuard us{QLocale(QLocale::English, QLocale::UnitedStates)};
        TReport report;
        EXPECT_EQ(report.units(), TRpUnit::Inches);
        EXPECT_EQ(report.page()->paperSize(), TRpPaperSize::Letter);
        EXPECT_DOUBLE_EQ(report.page()->leftMargin(), 0.5);
        EXPECT_DOUBLE_EQ(report.page()->bottomMargin(), 0.5);
        EXPECT_NEAR(report.page()->width(), 8.5, 1e-9);
    }
    {
        LocaleGuard metric{QLocale(QLocale::French, QLocale::France)};
        TReport report;
        EXPECT_EQ(report.units(), TRpUnit::MM);
        EXPECT_EQ(report.page()->paperSize(), TRpPaperSize::A4);
        EXPECT_DOUBLE_EQ(report.page()->topMargin(), 10);
        EXPECT_DOUBLE_EQ(report.page()->columnSpace(), 0);
        ASSERT_EQ(report.functions()->lines(),
                  (QStringList{QStringLiteral("PAGENUMBER"), QStringLiteral("COLUMNNUMBER"), QStringLiteral("REPORTTITLE")}));
        EXPECT_EQ(report.functions()->expressions(), (QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("''")}));
    }
}

TEST(ReportModel, PrinterPaperIsAppliedToNewReports)
{
    LocaleGuard metric{QLocale(QLocale::German, QLocale::Germany)};
    reportdefaults::setPrinterPaperSource([] { return TRpPaperSize::A5; });
    TReport report;
    reportdefaults::setPrinterPaperSource({});
    EXPECT_EQ(report.page()->paperSize(), TRpPaperSize::A5);
    EXPECT_DOUBLE_EQ(report.page()->width(), 148);
    EXPECT_DOUBLE_EQ(report.page()->topMargin(), 10);
}

} // namespace
