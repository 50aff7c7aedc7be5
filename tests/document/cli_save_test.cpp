// The runner's --save command, run as users run it.
#include "document_fixture.h"

#include "document/report_file.h"
#include "document/vel_data_module.h"
#include "engine/rp_report.h"
#include "support/test_support.h"

#include <QFileInfo>
#include <QProcess>

namespace {

class CliSave : public DocumentTest {
protected:
    int run(const QStringList& args, QByteArray* errors = nullptr)
    {
        const QString runner = QStringLiteral(VELMOR_BINARY_DIR "/cli/velmor-run");
        if (!QFileInfo::exists(runner))
            return -1;
        QProcess process;
        process.start(runner, args);
        process.waitForFinished(60000);
        if (errors)
            *errors = process.readAllStandardError();
        return process.exitCode();
    }
};

TEST_F(CliSave, ConvertsBetweenTheFormsAndFailsClearly)
{
    if (!QFileInfo::exists(QStringLiteral(VELMOR_BINARY_DIR "/cli/velmor-run")))
        GTEST_SKIP() << "velmor-run is not built";
    TfrmVelDesign document;
    document.report()->setReportTitle(QStringLiteral("Converted"));
    ASSERT_TRUE(document.saveToFile(path(QStringLiteral("in.VRP"))));

    EXPECT_EQ(run({QStringLiteral("--save"), path(QStringLiteral("out.VTX")), path(QStringLiteral("in.VRP"))}), 0);
    EXPECT_EQ(run({QStringLiteral("--save"), path(QStringLiteral("back.VRP")), path(QStringLiteral("out.VTX"))}), 0);
    EXPECT_EQ(testsupport::readFile(path(QStringLiteral("back.VRP"))), testsupport::readFile(path(QStringLiteral("in.VRP"))));

    TVelDataModule* dataModule = TVelApplication::instance().createDataModule();
    dataModule->setName(QStringLiteral("Stock"));
    reportfile::saveDataModule(*dataModule, path(QStringLiteral("stock.VDM")));
    EXPECT_EQ(run({QStringLiteral("--save"), path(QStringLiteral("copy.VDM")), path(QStringLiteral("stock.VDM"))}), 0);
    EXPECT_EQ(testsupport::readFile(path(QStringLiteral("copy.VDM"))), testsupport::readFile(path(QStringLiteral("stock.VDM"))));

    testsupport::writeFile(path(QStringLiteral("broken.VRP")), QByteArray("Velmor File 4\x05"));
    QByteArray errors;
    EXPECT_EQ(run({QStringLiteral("--save"), path(QStringLiteral("x.VTX")), path(QStringLiteral("broken.VRP"))}, &errors), 1);
    EXPECT_FALSE(errors.trimmed().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("x.VTX"))));
    EXPECT_EQ(run({QStringLiteral("--save"), path(QStringLiteral("x.VDM")), path(QStringLiteral("in.VRP"))}, &errors), 1);
    EXPECT_TRUE(errors.contains("VRP, VTX or DFM"));
}

} // namespace
