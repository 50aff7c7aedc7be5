#include "document_fixture.h"

#include "core/error.h"
#include "data/data_source.h"
#include "document/report_file.h"
#include "document/vel_data_module.h"
#include "document/vel_data_module_link.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"
#include "support/test_support.h"

#include <QDir>

namespace {

class DataModules : public DocumentTest {
protected:
    // A datamodule named `name` holding a data source "Customers", saved to `file`.
    TVelDataModule* makeDataModule(const QString& name, const QString& file)
    {
        TVelDataModule* dataModule = TVelApplication::instance().createDataModule();
        dataModule->setName(name);
        auto* source = new TDataSource(dataModule);
        source->setName(QStringLiteral("Customers"));
        reportfile::saveDataModule(*dataModule, file);
        return dataModule;
    }

    void saveLinkedReport(TVelDataModule* dataModule, const QString& file)
    {
        TfrmVelDesign report;
        auto* link = new TVelDataModuleLink(&report);
        link->setDataModule(dataModule);
        auto* text = new TRpDBText(&report);
        text->setNameUnchecked(QStringLiteral("Field1"));
        text->setParentControl(report.report());
        text->setDataSet(nullptr);
        ASSERT_TRUE(report.saveToFile(file)) << report.lastError().toStdString();
    }
};

TEST_F(DataModules, DmNameFindsDatamodulesWithoutRegardToCaseAndRaisesForUnknownNames)
{
    TVelDataModule* sales = TVelApplication::instance().createDataModule();
    sales->setName(QStringLiteral("Sales"));
    TfrmVelDesign report;
    auto* link = new TVelDataModuleLink(&report);
    EXPECT_TRUE(link->dmName().isEmpty());
    link->setDmName(QStringLiteral("SALES"));
    EXPECT_EQ(link->dataModule(), sales);
    EXPECT_EQ(link->dmName(), QStringLiteral("Sales"));

    for (const QString& name : {QStringLiteral("Nowhere"), QString()}) {
        try {
            link->setDmName(name);
            ADD_FAILURE() << "no error for " << name.toStdString();
        } catch (const EVelError& error) {
            EXPECT_EQ(error.message(), QStringLiteral("Datamodule %1 not found in memory").arg(name));
        }
        EXPECT_EQ(link->dataModule(), sales) << "a failed lookup keeps the reference";
    }
}

TEST_F(DataModules, DmNameAlsoFindsADatamoduleOwnedByTheReportItself)
{
    TfrmVelDesign report;
    auto* own = new TVelDataModule(&report);
    own->setName(QStringLiteral("Private"));
    auto* link = new TVelDataModuleLink(&report);
    link->setDmName(QStringLiteral("private"));
    EXPECT_EQ(link->dataModule(), own);
}

TEST_F(DataModules, TwoReportsLinkingOneDatamoduleShareIt)
{
    TVelDataModule* shared = makeDataModule(QStringLiteral("Shared"), path(QStringLiteral("shared.VDM")));
    saveLinkedReport(shared, path(QStringLiteral("one.VRP")));
    saveLinkedReport(shared, path(QStringLiteral("two.VTX")));
    TVelApplication::instance().closeAll();

    TfrmVelDesign one;
    TfrmVelDesign two;
    ASSERT_TRUE(one.loadFromFile(path(QStringLiteral("one.VRP")))) << one.lastError().toStdString();
    ASSERT_TRUE(two.loadFromFile(path(QStringLiteral("two.VTX")))) << two.lastError().toStdString();
    ASSERT_EQ(TVelApplication::instance().dataModules().size(), 1);
    TVelDataModule* loaded = TVelApplication::instance().dataModules().first();
    EXPECT_EQ(loaded->name(), QStringLiteral("Shared"));
    EXPECT_EQ(one.dataModuleLinks().first()->dataModule(), loaded);
    EXPECT_EQ(two.dataModuleLinks().first()->dataModule(), loaded);
    auto* customers = qobject_cast<TDataSource*>(loaded->findComponent(u"Customers"));
    ASSERT_TRUE(customers);
    customers->setTag(42);
    EXPECT_EQ(qobject_cast<TDataSource*>(two.dataModuleLinks().first()->dataModule()->findComponent(u"Customers"))->tag(), 42);
}

TEST_F(DataModules, ReferencesIntoADatamoduleAreStoredWithItsNameAndResolveOnLoad)
{
    TVelDataModule* dataModule = TVelApplication::instance().createDataModule();
    dataModule->setName(QStringLiteral("DM"));
    auto* link = new TVelDataModuleLink(nullptr);
    delete link;
    TfrmVelDesign report;
    auto* reportLink = new TVelDataModuleLink(&report);
    reportLink->setDataModule(dataModule);
    auto* source = new TDataSource(dataModule);
    source->setName(QStringLiteral("Orders"));
    auto* image = new TRpDBImage(&report);
    image->setNameUnchecked(QStringLiteral("Photo"));
    image->setParentControl(report.report());
    ASSERT_TRUE(report.saveToFile(path(QStringLiteral("refs.VTX"))));
    EXPECT_TRUE(testsupport::readFile(path(QStringLiteral("refs.VTX"))).contains("DmName = 'DM'"));
}

TEST_F(DataModules, DefaultLoaderSearchesTheReportFolderThenTheProgramFolder)
{
    const QString programFolder = path(QStringLiteral("program"));
    const QString reportFolder = path(QStringLiteral("reports"));
    QDir().mkpath(programFolder);
    QDir().mkpath(reportFolder);
    TVelApplication::instance().setProgramDirectory(programFolder);
    makeDataModule(QStringLiteral("InProgram"), programFolder + QStringLiteral("/INPROG.VDM"));
    makeDataModule(QStringLiteral("Beside"), reportFolder + QStringLiteral("/beside.vdm"));
    TVelApplication::instance().closeAll();

    // Paths written on another system: only the file names still match, in another case.
    TVelDataModule* beside = reportfile::defaultDataModuleLoader(reportFolder, QStringLiteral("C:\\Old\\Beside.VDM"));
    EXPECT_EQ(beside->name(), QStringLiteral("Beside"));
    TVelDataModule* inProgram = reportfile::defaultDataModuleLoader(reportFolder, QStringLiteral("D:\\x\\inprog.vdm"));
    EXPECT_EQ(inProgram->name(), QStringLiteral("InProgram"));
    TVelDataModule* none = reportfile::defaultDataModuleLoader(reportFolder, QStringLiteral("absent.VDM"));
    EXPECT_TRUE(none->name().isEmpty()) << "an empty datamodule stays when no file is found";
    EXPECT_EQ(TVelApplication::instance().dataModules().size(), 3);
    TVelApplication::instance().setProgramDirectory(QString());
}

TEST_F(DataModules, NameClashesAreReported)
{
    makeDataModule(QStringLiteral("Twice"), path(QStringLiteral("twice.VDM")));
    TVelDataModule* second = TVelApplication::instance().createDataModule();
    EXPECT_FALSE(reportfile::loadDataModule(*second, path(QStringLiteral("twice.VDM"))));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.first(), QStringLiteral("DataModule with same name already loaded : Twice"));

    // A header entry naming a top-level component that is not a datamodule.
    auto* other = new TComponent();
    other->setName(QStringLiteral("Busy"));
    TVelApplication::instance().adopt(other);
    messages.clear();
    EXPECT_EQ(reportfile::resolveDataModule({QStringLiteral("Busy"), QStringLiteral("busy.VDM")}, folder.path()), nullptr);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.first(), QStringLiteral("DataModule Busy not loaded.\n\rObject with the same name already loaded"));
}

TEST_F(DataModules, DatamoduleFileIsTheTextFormWithoutHeaderAndRoundTrips)
{
    TVelDataModule* dataModule = makeDataModule(QStringLiteral("Stock"), path(QStringLiteral("stock.VDM")));
    dataModule->markModified();
    reportfile::saveDataModule(*dataModule, path(QStringLiteral("stock.VDM")));
    const QByteArray text = testsupport::readFile(path(QStringLiteral("stock.VDM")));
    EXPECT_TRUE(text.startsWith("object Stock: TVelDataModule\r\n")) << text.constData();
    EXPECT_TRUE(text.contains("  object Customers: TDataSource\r\n"));
    EXPECT_FALSE(text.contains("Tag"));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("stock.~VD"))));
    TVelApplication::instance().closeAll();

    TVelDataModule* loaded = TVelApplication::instance().createDataModule();
    ASSERT_TRUE(reportfile::loadDataModule(*loaded, path(QStringLiteral("stock.VDM"))));
    EXPECT_EQ(loaded->name(), QStringLiteral("Stock"));
    EXPECT_EQ(loaded->fileName(), path(QStringLiteral("stock.VDM")));
    EXPECT_TRUE(loaded->findComponent(u"Customers"));
}

TEST_F(DataModules, NewDatamodulesAreNamedAfterTheirClass)
{
    TVelDataModule* first = TVelApplication::instance().createDataModule();
    TVelApplication::instance().nameDataModule(first);
    TVelDataModule* second = TVelApplication::instance().createDataModule();
    TVelApplication::instance().nameDataModule(second);
    EXPECT_EQ(first->name(), QStringLiteral("VelDataModule1"));
    EXPECT_EQ(second->name(), QStringLiteral("VelDataModule2"));
}

} // namespace

namespace {

TEST_F(DataModules, EveryDatasetWithoutADataSourceGetsOne)
{
    TfrmVelDesign report;
    auto* shown = new TDataSet(&report);
    shown->setNameUnchecked(QStringLiteral("Shown"));
    auto* source = new TDataSource(&report);
    source->setNameUnchecked(QStringLiteral("DataSource1"));
    source->setDataSet(shown);
    auto* bare = new TDataSet(&report);
    bare->setNameUnchecked(QStringLiteral("Bare"));
    report.addMissingDataSources();
    report.addMissingDataSources();
    QList<TDataSource*> sources;
    for (TComponent* component : report.components()) {
        if (auto* each = qobject_cast<TDataSource*>(component))
            sources.append(each);
    }
    ASSERT_EQ(sources.size(), 2);
    EXPECT_EQ(sources[1]->dataSet(), bare);
    EXPECT_EQ(sources[1]->name(), QStringLiteral("DataSource2"));
}

} // namespace
