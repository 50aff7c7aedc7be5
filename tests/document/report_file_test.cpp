#include "document_fixture.h"

#include "core/stream/binary_stream.h"
#include "core/stream/component_stream.h"
#include "core/stream/form_conversion.h"
#include "data/data_source.h"
#include "document/file_writing.h"
#include "document/report_file.h"
#include "document/vel_data_module.h"
#include "document/vel_data_module_link.h"
#include "document/scroll_box.h"
#include "document/vel_memo.h"
#include "engine/rp_bands.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"
#include "support/test_support.h"

#include <QFile>

namespace {

const QByteArray kMagic = "Velmor File 4";

class ReportFile : public DocumentTest {
protected:
    QByteArray save(TfrmVelDesign& document, const QString& name)
    {
        EXPECT_TRUE(document.saveToFile(path(name))) << document.lastError().toStdString();
        return testsupport::readFile(path(name));
    }
};

TEST_F(ReportFile, UntitledReportWithoutLinksHasMagicEmptyTitleEndMarkerThenTheStream)
{
    TfrmVelDesign document;
    const QByteArray bytes = save(document, QStringLiteral("untitled.VRP"));
    EXPECT_EQ(bytes.left(13), kMagic);
    EXPECT_EQ(bytes.mid(13, 6), QByteArray(6, '\0'));
    EXPECT_EQ(bytes.mid(19, 4), QByteArray("TPF0"));
}

TEST_F(ReportFile, TextFormHeaderLinesEndWithLineFeedCarriageReturn)
{
    TVelDataModule* dataModule = TVelApplication::instance().createDataModule();
    dataModule->setName(QStringLiteral("Sales"));
    reportfile::saveDataModule(*dataModule, path(QStringLiteral("sales.VDM")));

    TfrmVelDesign document;
    document.report()->setReportTitle(QStringLiteral("Monthly"));
    auto* link = new TVelDataModuleLink(&document);
    link->setDmName(QStringLiteral("sales"));
    const QByteArray bytes = save(document, QStringLiteral("monthly.VTX"));
    const QByteArray expected = kMagic + "\n\rMonthly\n\rSales\n\r" + path(QStringLiteral("sales.VDM")).toLatin1()
        + "\n\r\n\r\n\robject ";
    EXPECT_EQ(bytes.left(expected.size()), expected);
}

TEST_F(ReportFile, VersionThreeHeaderHasNoTitle)
{
    TfrmVelDesign source;
    source.report()->setReportTitle(QStringLiteral("Kept in the stream"));
    const QByteArray stream = componentstream::writeRoot(&source);
    QByteArray file = "Velmor File 3";
    file += QByteArray(4, '\0');
    file += stream;
    testsupport::writeFile(path(QStringLiteral("v3.VRP")), file);

    TfrmVelDesign document;
    ASSERT_TRUE(document.loadFromFile(path(QStringLiteral("v3.VRP")))) << document.lastError().toStdString();
    EXPECT_EQ(document.report()->reportTitle(), QStringLiteral("Kept in the stream"));
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.caption(), QStringLiteral("Kept in the stream "));
}

TEST_F(ReportFile, HeaderlessStreamOpensAsModified)
{
    TfrmVelDesign source;
    testsupport::writeFile(path(QStringLiteral("bare.RPE")), componentstream::writeRoot(&source));
    TfrmVelDesign document;
    ASSERT_TRUE(document.loadFromFile(path(QStringLiteral("bare.RPE")))) << document.lastError().toStdString();
    EXPECT_TRUE(document.isModified());
    EXPECT_TRUE(document.caption().endsWith(QStringLiteral(" *")));
    ASSERT_TRUE(document.report());
    EXPECT_TRUE(document.scriptHolder());
}

TEST_F(ReportFile, OldHeaderNamesOneDatamoduleAndAddsALinkToIt)
{
    TVelDataModule* dataModule = TVelApplication::instance().createDataModule();
    dataModule->setName(QStringLiteral("Old"));
    TfrmVelDesign source;
    QByteArray file = "Velmor File 2";
    file += QByteArray("\x03\x00Old\x00\x00", 7);
    file += componentstream::writeRoot(&source);
    testsupport::writeFile(path(QStringLiteral("old.VRP")), file);

    TfrmVelDesign document;
    ASSERT_TRUE(document.loadFromFile(path(QStringLiteral("old.VRP")))) << document.lastError().toStdString();
    ASSERT_EQ(document.dataModuleLinks().size(), 1);
    EXPECT_EQ(document.dataModuleLinks().first()->dataModule(), dataModule);
    EXPECT_TRUE(document.isModified());
}

TEST_F(ReportFile, DatamoduleAlreadyOpenUnderTheSameNameIsUsedWithoutReadingTheFile)
{
    TVelDataModule* open = TVelApplication::instance().createDataModule();
    open->setName(QStringLiteral("Shared"));
    int loaderCalls = 0;
    auto previous = reportfile::setDataModuleLoader([&](const QString&, const QString&) -> TVelDataModule* {
        ++loaderCalls;
        return nullptr;
    });
    TfrmVelDesign source;
    auto* link = new TVelDataModuleLink(&source);
    link->setDataModule(open);
    open->setFileName(QStringLiteral("/elsewhere/other/shared.VDM"));
    save(source, QStringLiteral("shared.VRP"));

    TfrmVelDesign document;
    ASSERT_TRUE(document.loadFromFile(path(QStringLiteral("shared.VRP"))));
    reportfile::setDataModuleLoader(std::move(previous));
    EXPECT_EQ(loaderCalls, 0);
    ASSERT_EQ(document.dataModuleLinks().size(), 1);
    EXPECT_EQ(document.dataModuleLinks().first()->dataModule(), open);
    EXPECT_EQ(TVelApplication::instance().dataModules().size(), 1);
}

TEST_F(ReportFile, SavingTwiceLeavesTheFirstVersionInTheBackup)
{
    TfrmVelDesign document;
    document.report()->setReportTitle(QStringLiteral("First"));
    const QByteArray first = save(document, QStringLiteral("report.VRP"));
    document.report()->setReportTitle(QStringLiteral("Second"));
    const QByteArray second = save(document, QStringLiteral("report.VRP"));
    EXPECT_NE(first, second);
    EXPECT_EQ(testsupport::readFile(path(QStringLiteral("report.~VR"))), first);
    EXPECT_EQ(filewriting::backupName(QStringLiteral("data.VDM")), QStringLiteral("data.~VD"));
    EXPECT_EQ(filewriting::backupName(QStringLiteral("/a.b/report.VTX")), QStringLiteral("/a.b/report.~VT"));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'|').toStdString();
}

TEST_F(ReportFile, BackupThatCannotBeMadeIsReportedAndTheFileIsStillWritten)
{
    TfrmVelDesign document;
    save(document, QStringLiteral("blocked.VRP"));
    // A non-empty folder under the backup name can neither be removed nor replaced.
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("blocked.~VR/inside")));
    document.report()->setReportTitle(QStringLiteral("New"));
    const QByteArray bytes = save(document, QStringLiteral("blocked.VRP"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.first(), QStringLiteral("Error! No backup file created!\n\r") + path(QStringLiteral("blocked.~VR"))
                                    + QStringLiteral("\n\rfor ") + path(QStringLiteral("blocked.VRP")));
    EXPECT_TRUE(bytes.contains("New"));
}

TEST_F(ReportFile, SeventyCharacterTitleIsSplitIntoAPieceOfSixtyFourAndTheRest)
{
    TfrmVelDesign document;
    const QString title = QString(64, u'a') + QString(6, u'b');
    document.report()->setReportTitle(title);
    const QByteArray text = save(document, QStringLiteral("long.VTX"));
    const QByteArray expected = "      ReportTitle = \r\n        '" + QByteArray(64, 'a') + "' +\r\n        'bbbbbb'\r\n";
    EXPECT_TRUE(text.contains(expected)) << text.constData();
}

TEST_F(ReportFile, PropertyUnknownToThisVersionIsSkippedWithoutAMessage)
{
    TfrmVelDesign source;
    source.report()->setReportTitle(QStringLiteral("Future"));
    QByteArray text = save(source, QStringLiteral("future.VTX"));
    text.replace("ReportTitle = ", "CloudSync = True\r\n      ReportTitle = ");
    ASSERT_TRUE(text.contains("CloudSync"));
    testsupport::writeFile(path(QStringLiteral("future.VTX")), text);

    TfrmVelDesign document;
    ASSERT_TRUE(document.loadFromFile(path(QStringLiteral("future.VTX")))) << document.lastError().toStdString();
    EXPECT_EQ(document.report()->reportTitle(), QStringLiteral("Future"));
    EXPECT_TRUE(messages.isEmpty());
}

// A document holding every kind of stored value and every report object class.
void fillReport(TfrmVelDesign& document)
{
    TReport* report = document.report();
    report->setReportTitle(QStringLiteral("Everything ") + QString(80, u'x'));
    report->description()->setLines({QStringLiteral("line one"), QStringLiteral("it's #2")});
    report->setOptions(TReportOptions(TReportOption::FirstPageHeader) | TReportOption::Compression);
    report->setUnits(TRpUnit::Inches);
    report->page()->setOrientation(TPrinterOrientation::poLandscape);
    report->setZoom(150);
    report->setBeforePrint(TMethod{QStringLiteral("ReportBeforePrint")});
    report->font()->setName(QStringLiteral("Courier New"));

    auto* detail = new TRpBand(&document);
    detail->setNameUnchecked(QStringLiteral("Detail1"));
    detail->setParentControl(report);
    detail->setColor(TColor(0x00102030));
    detail->frame()->setDrawTop(true);
    auto* title = new TRpBand(&document);
    title->setNameUnchecked(QStringLiteral("Title1"));
    title->setParentControl(report);
    title->setBandType(TRpBandType::rbTitle);
    auto* child = new TRpChildBand(&document);
    child->setNameUnchecked(QStringLiteral("Child1"));
    child->setParentControl(report);
    child->setParentBand(detail);
    auto* group = new TRpGroup(&document);
    group->setNameUnchecked(QStringLiteral("Group1"));
    group->setParentControl(report);
    group->setExpression(QStringLiteral("Customers.City"));
    auto* sub = new TRpSubDetail(&document);
    sub->setNameUnchecked(QStringLiteral("Sub1"));
    sub->setParentControl(report);
    auto* loop = new TRpLoopBand(&document);
    loop->setNameUnchecked(QStringLiteral("Loop1"));
    loop->setParentControl(report);
    loop->setPrintCount(3);
    auto* strings = new TRpStringsBand(&document);
    strings->setNameUnchecked(QStringLiteral("Strings1"));
    strings->setParentControl(report);
    strings->items()->setLines({QStringLiteral("a"), QStringLiteral("b")});

    auto* label = new TRpLabel(&document);
    label->setNameUnchecked(QStringLiteral("Label1"));
    label->setParentControl(detail);
    label->setCaption(QStringLiteral("Caf\u00e9 \u4e2d"));
    label->setAlignment(TAlignment::taCenter);
    label->font()->setStyle(TFontStyle::fsBold | TFontStyle::fsItalic);
    label->font()->setSize(14);
    label->setTag(7);
    int index = 1;
    auto place = [&](TRpPrintable* control, const char* name) {
        control->setNameUnchecked(QLatin1String(name));
        control->setParentControl(detail);
        control->setBounds(10 * index, 5, 40 + index, 12);
        ++index;
    };
    place(new TRpMemo(&document), "Memo1");
    place(new TRpDBText(&document), "DBText1");
    auto* expr = new TRpExpr(&document);
    place(expr, "Expr1");
    expr->setExpression(QStringLiteral("PAGENUMBER + 1"));
    expr->setMaster(group);
    place(new TRpSysData(&document), "SysData1");
    place(new TRpExprMemo(&document), "ExprMemo1");
    auto* shape = new TRpShape(&document);
    place(shape, "Shape1");
    shape->setShape(TRpShapeType::rpsCircle);
    shape->brush()->setColor(clYellow);
    place(new TRpImage(&document), "Image1");
    place(new TRpDBImage(&document), "DBImage1");
    place(new TRpRichText(&document), "RichText1");
    place(new TRpDBRichText(&document), "DBRichText1");

    auto* source = new TDataSource(&document);
    source->setNameUnchecked(QStringLiteral("DataSource1"));
    document.scriptHolder()->memo()->setLines({QStringLiteral("Sub Report_BeforePrint"), QStringLiteral("End Sub")});
    document.setTag(TfrmVelDesign::kAskParametersTag);
}

TEST_F(ReportFile, ReportWithEveryValueAndControlRoundTripsThroughBinaryAndText)
{
    TfrmVelDesign document;
    fillReport(document);
    const QByteArray original = componentstream::writeRoot(&document);
    const QByteArray vrp = save(document, QStringLiteral("all.VRP"));
    const QByteArray vtx = save(document, QStringLiteral("all.VTX"));
    ASSERT_TRUE(vtx.contains("object Detail1: TRpBand")) << vtx.constData();

    for (const char* name : {"all.VRP", "all.VTX"}) {
        TfrmVelDesign copy;
        ASSERT_TRUE(copy.loadFromFile(path(QLatin1String(name)))) << name << copy.lastError().toStdString();
        copy.setDesigning(false);
        EXPECT_EQ(formconversion::binaryToText(componentstream::writeRoot(&copy)).toStdString(),
                  formconversion::binaryToText(original).toStdString())
            << name;
        EXPECT_EQ(copy.report()->reportTitle(), document.report()->reportTitle());
        auto* expr = qobject_cast<TRpExpr*>(copy.findComponent(u"Expr1"));
        ASSERT_TRUE(expr);
        EXPECT_EQ(expr->master(), copy.findComponent(u"Group1"));
        EXPECT_EQ(expr->parentControl(), copy.findComponent(u"Detail1"));
        EXPECT_EQ(copy.report()->parentControl(), static_cast<TControl*>(copy.reportOwner()));
        EXPECT_FALSE(copy.isModified());
    }
    // The text form holds the same stream as the binary form.
    TfrmVelDesign fromText;
    ASSERT_TRUE(fromText.loadFromFile(path(QStringLiteral("all.VTX"))));
    ASSERT_TRUE(fromText.saveToFile(path(QStringLiteral("again.VRP"))));
    EXPECT_EQ(testsupport::readFile(path(QStringLiteral("again.VRP"))), vrp);
}

TEST_F(ReportFile, TruncatedOrCorruptFilesFailAndLeaveTheOpenDocumentAsItWas)
{
    TfrmVelDesign source;
    fillReport(source);
    const QByteArray vrp = save(source, QStringLiteral("good.VRP"));
    const QByteArray vtx = save(source, QStringLiteral("good.VTX"));

    TfrmVelDesign document;
    document.report()->setReportTitle(QStringLiteral("Open work"));
    auto* label = new TRpLabel(&document);
    label->setNameUnchecked(QStringLiteral("Precious"));
    const QByteArray before = componentstream::writeRoot(&document);

    struct Case {
        const char* file;
        QByteArray bytes;
    };
    QList<Case> cases;
    for (int cut : {14, 20, 40, int(vrp.size()) / 2, int(vrp.size()) - 1})
        cases.append({"cut.VRP", vrp.left(cut)});
    for (int cut : {16, 30, int(vtx.size()) / 2, int(vtx.size()) - 4})
        cases.append({"cut.VTX", vtx.left(cut)});
    QByteArray unknownClass = vtx;
    unknownClass.replace("TRpShape", "TNoShape");
    cases.append({"class.VTX", unknownClass});
    cases.append({"garbage.RPE", QByteArray("\x01\x02\x03 not a stream")});
    cases.append({"empty.VRP", QByteArray()});

    for (const Case& c : cases) {
        messages.clear();
        testsupport::writeFile(path(QLatin1String(c.file)), c.bytes);
        EXPECT_FALSE(document.loadFromFile(path(QLatin1String(c.file)))) << c.file << " " << c.bytes.size();
        EXPECT_EQ(messages.size(), 1) << c.file;
        EXPECT_FALSE(document.lastError().isEmpty());
        EXPECT_EQ(componentstream::writeRoot(&document), before) << c.file << " " << c.bytes.size();
    }
    testsupport::writeFile(path(QStringLiteral("class.VTX")), unknownClass);
    document.loadFromFile(path(QStringLiteral("class.VTX")));
    EXPECT_EQ(document.lastError(), QStringLiteral("Class TNoShape not found"));
    EXPECT_FALSE(document.loadFromFile(path(QStringLiteral("missing.VRP"))));
}

TEST_F(ReportFile, CompletingALoadedDocumentAddsWhatIsMissing)
{
    // A stream holding only a label on the root: no report, no name, no script holder.
    const QByteArray text = "object frmOld: TfrmVelDesign\r\n"
                            "  object TReport\r\n"
                            "  end\r\n"
                            "end\r\n";
    testsupport::writeFile(path(QStringLiteral("bare.RPE")), formconversion::textToBinary(text));
    TfrmVelDesign document;
    ASSERT_TRUE(document.loadFromFile(path(QStringLiteral("bare.RPE")))) << document.lastError().toStdString();
    ASSERT_TRUE(document.report());
    EXPECT_EQ(document.report()->name(), QStringLiteral("Report"));
    EXPECT_EQ(document.name(), QStringLiteral("frmOld"));
    ASSERT_TRUE(document.scriptHolder());
    ASSERT_TRUE(document.reportOwner());
    EXPECT_EQ(document.report()->parentControl(), static_cast<TControl*>(document.reportOwner()));

    const QByteArray empty = "object frmEmpty: TfrmVelDesign\r\nend\r\n";
    testsupport::writeFile(path(QStringLiteral("empty.RPE")), formconversion::textToBinary(empty));
    ASSERT_TRUE(document.loadFromFile(path(QStringLiteral("empty.RPE"))));
    ASSERT_TRUE(document.report());
    EXPECT_EQ(document.report()->name(), QStringLiteral("Report"));
}

TEST_F(ReportFile, LegacyDataModulePropertyNamesALoadedDatamoduleAndIsNeverWritten)
{
    TVelDataModule* dataModule = TVelApplication::instance().createDataModule();
    dataModule->setName(QStringLiteral("Legacy"));
    for (const char* name : {"Legacy", "Missing"}) {
        const QByteArray text = QByteArray("object frmOld: TfrmVelDesign\r\n  DataModule = '") + name
            + "'\r\n  Tag = 32\r\nend\r\n";
        testsupport::writeFile(path(QStringLiteral("legacy.RPE")), formconversion::textToBinary(text));
        TfrmVelDesign document;
        ASSERT_TRUE(document.loadFromFile(path(QStringLiteral("legacy.RPE")))) << document.lastError().toStdString();
        EXPECT_EQ(document.legacyDataModule(), qstrcmp(name, "Legacy") == 0 ? dataModule : nullptr);
        EXPECT_EQ(document.tag() & TfrmVelDesign::kAskParametersTag, TfrmVelDesign::kAskParametersTag);
        EXPECT_FALSE(formconversion::binaryToText(componentstream::writeRoot(&document)).contains("DataModule"));
    }
}

TEST_F(ReportFile, CaptionFollowsTitleFileNameAndModifiedState)
{
    TfrmVelDesign document;
    EXPECT_EQ(document.caption(), QStringLiteral("Untitled "));
    document.markModified();
    EXPECT_EQ(document.caption(), QStringLiteral("Untitled *"));
    ASSERT_TRUE(document.saveToFile(path(QStringLiteral("named.VRP"))));
    EXPECT_EQ(document.caption(), path(QStringLiteral("named.VRP")) + QStringLiteral(" "));
    EXPECT_EQ(document.tag() & TfrmVelDesign::kModifiedTag, 0);
    document.report()->setReportTitle(QStringLiteral("Sales"));
    document.updateCaption();
    EXPECT_EQ(document.caption(), QStringLiteral("Sales "));
    EXPECT_FALSE(document.save() == false);
    TfrmVelDesign untitled;
    EXPECT_FALSE(untitled.save());
}

} // namespace
