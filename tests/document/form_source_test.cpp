#include "document_fixture.h"

#include "core/stream/binary_stream.h"
#include "data/data_source.h"
#include "document/form_resource.h"
#include "document/form_source_export.h"
#include "document/vel_data_module.h"
#include "document/vel_data_module_link.h"
#include "engine/rp_bands.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>

namespace {

class FormSource : public DocumentTest {};

TEST_F(FormSource, TwoLowerCaseWordsGiveTheJoinedCapitalisedNames)
{
    TfrmVelDesign document;
    const QString chosen = path(QStringLiteral("sales report.DFM"));
    ASSERT_TRUE(document.saveToFile(chosen)) << document.lastError().toStdString();
    EXPECT_EQ(document.name(), QStringLiteral("frmSales_report"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.first(), QStringLiteral("Invalid filename! Now file not saved as %1 but as %2.")
                                    .arg(chosen, path(QStringLiteral("Sales_report.DFM"))));
    EXPECT_FALSE(QFile::exists(chosen));
    const QByteArray unit = testsupport::readFile(path(QStringLiteral("Sales_report.PAS")));
    EXPECT_TRUE(unit.contains("\r\nunit Sales_report;\r\n\r\ninterface\r\n")) << unit.constData();
    EXPECT_TRUE(unit.contains("  TfrmSales_report = class(TForm)\r\n"));
    EXPECT_TRUE(unit.contains("  var\r\n    frmSales_report : TfrmSales_report;\r\n"));
    EXPECT_TRUE(unit.startsWith("//-----------------------------------------------------//\r\n"
                                "//-----------------------------------------------------//\r\n"
                                "//-- This Form is created with Velmor 3.0            --//\r\n"));
    EXPECT_TRUE(unit.endsWith("implementation\r\n\r\n{$R *.DFM}\r\n\r\nend.\r\n"));

    const QByteArray form = testsupport::readFile(path(QStringLiteral("Sales_report.DFM")));
    const QByteArray head = QByteArray("\xFF\x0A\x00TFRMSALES_REPORT\x00\x30\x10", 22);
    ASSERT_TRUE(form.startsWith(head)) << form.left(32).toHex().constData();
    const qsizetype start = formresource::streamStart(form);
    const quint32 size = quint8(form[22]) | quint8(form[23]) << 8 | quint8(form[24]) << 16 | quint32(quint8(form[25])) << 24;
    EXPECT_EQ(qsizetype(size), form.size() - start);
    const TStreamObject root = binarystream::read(form, start);
    EXPECT_EQ(root.className, QStringLiteral("TfrmSales_report"));
    EXPECT_EQ(root.name, QStringLiteral("frmSales_report"));

    // The form file opens as a report again.
    TfrmVelDesign reopened;
    ASSERT_TRUE(reopened.loadFromFile(path(QStringLiteral("Sales_report.DFM")))) << reopened.lastError().toStdString();
    EXPECT_TRUE(reopened.report());
    EXPECT_TRUE(reopened.isModified());
}

TEST_F(FormSource, UnnamedComponentsGetTheSharedCounter)
{
    TVelDataModule* dataModule = TVelApplication::instance().createDataModule();
    dataModule->setName(QStringLiteral("DM"));
    TfrmVelDesign document;
    auto* first = new TVelDataModuleLink(&document);
    auto* second = new TVelDataModuleLink(&document);
    first->setDataModule(dataModule);
    second->setDataModule(dataModule);
    EXPECT_THROW(formsource::checkExportable(document), EVelError);
    formsource::exportForm(document, path(QStringLiteral("Linked.DFM")));
    EXPECT_EQ(first->name(), QStringLiteral("VelDataModuleLink0"));
    EXPECT_EQ(second->name(), QStringLiteral("VelDataModuleLink1"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(FormSource, UnitListsEveryComponentOfTheDocumentAndDataSourcesArePlaced)
{
    TfrmVelDesign document;
    auto* band = new TRpBand(&document);
    band->setNameUnchecked(QStringLiteral("Detail"));
    band->setParentControl(document.report());
    auto* label = new TRpLabel(&document);
    label->setNameUnchecked(QStringLiteral("Caption1"));
    label->setParentControl(band);
    auto* dataSet = new TDataSet(&document);
    dataSet->setNameUnchecked(QStringLiteral("Orders"));
    auto* source = new TDataSource(&document);
    source->setNameUnchecked(QStringLiteral("DataSource1"));
    source->setDataSet(dataSet);
    formsource::exportForm(document, path(QStringLiteral("Listing.DFM")));

    const QByteArray unit = testsupport::readFile(path(QStringLiteral("Listing.PAS")));
    QByteArray fields;
    for (TComponent* component : document.components())
        fields += "    " + component->name().toLatin1() + " : " + component->className().toLatin1() + ";\r\n";
    EXPECT_TRUE(unit.contains("  TfrmListing = class(TForm)\r\n" + fields + "  private\r\n")) << unit.constData();
    for (const char* line : {"    Report : TReport;", "    Detail : TRpBand;", "    Caption1 : TRpLabel;",
                             "    ReportOwner : TScrollBox;", "    VELSCRIPTMEMO : TVelMemo;", "    Orders : TDataSet;",
                             "    dsOrders : TDataSource;"})
        EXPECT_TRUE(unit.contains(line)) << line;

    const QByteArray form = testsupport::readFile(path(QStringLiteral("Listing.DFM")));
    const TStreamObject root = binarystream::read(form, formresource::streamStart(form));
    auto position = [&](const char* name) {
        for (const TStreamObject& child : root.children) {
            if (child.name == QLatin1String(name)) {
                int left = -1, top = -1;
                for (const auto& [path, value] : child.properties) {
                    if (path == QLatin1String("Left"))
                        left = int(value.toInteger());
                    if (path == QLatin1String("Top"))
                        top = int(value.toInteger());
                }
                return QPoint(left, top);
            }
        }
        return QPoint(-2, -2);
    };
    EXPECT_EQ(position("dsOrders"), QPoint(40, 1));
    EXPECT_EQ(position("Orders"), QPoint(120, 1));
}

// A name without folder is taken in the current folder, as the user typed it: no
// "Invalid filename!" for a name that is already the export name.
TEST_F(FormSource, NameWithoutFolderIsExportedInTheCurrentFolderWithoutAMessage)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    TfrmVelDesign document;
    const bool saved = document.saveToFile(QStringLiteral("Plain.DFM"));
    QDir::setCurrent(previous);
    ASSERT_TRUE(saved) << document.lastError().toStdString();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("Plain.DFM"))));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("Plain.PAS"))));
    EXPECT_EQ(formsource::exportNames(QStringLiteral("my list.dfm")).exportFile, QStringLiteral("My_list.DFM"));
    EXPECT_EQ(formsource::exportNames(QStringLiteral("sub/my list.dfm")).exportFile, QStringLiteral("sub/My_list.DFM"));
}

// Saving as DFM exports; the report keeps its own file, which the next Save writes.
TEST_F(FormSource, SaveAsFormSourceKeepsTheReportsOwnFileForTheNextSave)
{
    TfrmVelDesign document;
    ASSERT_TRUE(document.saveToFile(path(QStringLiteral("own.VRP"))));
    document.report()->setReportTitle(QStringLiteral("Changed"));
    document.markModified();
    ASSERT_TRUE(document.saveAs(path(QStringLiteral("Exported.DFM")))) << document.lastError().toStdString();
    EXPECT_EQ(document.fileName(), path(QStringLiteral("own.VRP")));
    EXPECT_TRUE(document.isModified());

    ASSERT_TRUE(QFile::remove(path(QStringLiteral("Exported.DFM"))));
    ASSERT_TRUE(document.save()) << document.lastError().toStdString();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Exported.DFM"))));
    EXPECT_FALSE(document.isModified());
    TfrmVelDesign reopened;
    ASSERT_TRUE(reopened.loadFromFile(path(QStringLiteral("own.VRP"))));
    EXPECT_EQ(reopened.report()->reportTitle(), QStringLiteral("Changed"));
}

} // namespace
