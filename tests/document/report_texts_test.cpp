// Texts in report files: stored 8-bit strings are Windows-1252, and the header's title
// and datamodule entries keep characters the code page cannot carry.
#include "document_fixture.h"

#include "document/report_file.h"
#include "document/vel_data_module.h"
#include "document/vel_data_module_link.h"
#include "engine/rp_bands.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>

namespace {

class ReportTexts : public DocumentTest {
protected:
    // A report linking the datamodule "Sales" saved in the given subfolder.
    QString saveLinkedReport(const QString& subfolder, const QString& title, const QString& reportName)
    {
        EXPECT_TRUE(QDir(folder.path()).mkpath(subfolder));
        const QString dataModulePath = QDir(path(subfolder)).filePath(QStringLiteral("sales.VDM"));
        TVelDataModule* dataModule = TVelApplication::instance().createDataModule();
        dataModule->setName(QStringLiteral("Sales"));
        reportfile::saveDataModule(*dataModule, dataModulePath);
        TfrmVelDesign document;
        document.report()->setReportTitle(title);
        auto* link = new TVelDataModuleLink(&document);
        link->setDataModule(dataModule);
        EXPECT_TRUE(document.saveToFile(path(reportName))) << document.lastError().toStdString();
        TVelApplication::instance().closeAll();
        return dataModulePath;
    }
};

TEST_F(ReportTexts, DatamodulePathAndTitleOutsideTheCodePageComeBackOnReopening)
{
    struct Case {
        const char* subfolder;
        const char* title;
        const char* file;
    };
    const Case cases[] = {
        {"Δεδομένα", "Πωλήσεις", "greek.VRP"},
        {"データ €", "売上 “月次”", "japanese.VTX"},
        {"café – €", "Café “mensuel”", "latin.VRP"},
        {"ï»¿mark", "ï»¿title", "mark.VTX"},
    };
    for (const Case& c : cases) {
        const QString subfolder = QString::fromUtf8(c.subfolder);
        const QString title = QString::fromUtf8(c.title);
        const QString dataModulePath = saveLinkedReport(subfolder, title, QString::fromUtf8(c.file));
        const reportfile::TReportFileContents contents =
            reportfile::decodeReport(testsupport::readFile(path(QString::fromUtf8(c.file))),
                                     filekind::of(QString::fromUtf8(c.file)));
        EXPECT_EQ(contents.title, title) << c.file;
        ASSERT_EQ(contents.entries.size(), 1) << c.file;
        EXPECT_EQ(contents.entries.first().path, dataModulePath) << c.file;

        TfrmVelDesign document;
        ASSERT_TRUE(document.loadFromFile(path(QString::fromUtf8(c.file)))) << document.lastError().toStdString();
        ASSERT_EQ(document.dataModuleLinks().size(), 1) << c.file;
        TVelDataModule* linked = document.dataModuleLinks().first()->dataModule();
        ASSERT_TRUE(linked) << c.file;
        EXPECT_EQ(linked->name(), QStringLiteral("Sales")) << c.file;
        EXPECT_EQ(linked->fileName(), dataModulePath) << c.file;
        TVelApplication::instance().closeAll();
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
}

TEST_F(ReportTexts, EightBitHeadersOfOlderFilesReadAsWindows1252)
{
    TfrmVelDesign source;
    const QByteArray stream = reportfile::encodeReport(source, false).mid(reportfile::kHeaderSize + 2 + 4);
    QByteArray file = "Velmor File 4";
    file += QByteArray("\x0A\x00" "Caf\xE9 \x80 \x93x\x94", 12);
    file += QByteArray("\x02\x00" "DM" "\x08\x00" "/a\x96" "b.vdm", 14);
    file += QByteArray(4, '\0') + stream;
    const reportfile::TReportFileContents contents = reportfile::decodeReport(file, TVelFileKind::Vrp);
    EXPECT_EQ(contents.title, QString::fromUtf8("Café € “x”"));
    ASSERT_EQ(contents.entries.size(), 1);
    EXPECT_EQ(contents.entries.first().path, QString::fromUtf8("/a–b.vdm"));
}

TEST_F(ReportTexts, CaptionsWithEuroQuotesAndDashesAreStoredAsWindows1252AndReadBack)
{
    const QString eightBit = QString::fromUtf8("€ 5 – “net”");
    const QString wide = QString::fromUtf8("Ω € 5");
    for (const char* name : {"captions.VRP", "captions.VTX"}) {
        TfrmVelDesign document;
        auto* band = new TRpBand(&document);
        band->setNameUnchecked(QStringLiteral("Detail"));
        band->setParentControl(document.report());
        auto* first = new TRpLabel(&document);
        first->setNameUnchecked(QStringLiteral("Price"));
        first->setParentControl(band);
        first->setCaption(eightBit);
        auto* second = new TRpLabel(&document);
        second->setNameUnchecked(QStringLiteral("Other"));
        second->setParentControl(band);
        second->setCaption(wide);
        ASSERT_TRUE(document.saveToFile(path(QLatin1String(name)))) << document.lastError().toStdString();

        const QByteArray bytes = testsupport::readFile(path(QLatin1String(name)));
        EXPECT_TRUE(bytes.contains(QByteArray("\x80 5 \x96 \x93net\x94"))) << name;

        TfrmVelDesign reopened;
        ASSERT_TRUE(reopened.loadFromFile(path(QLatin1String(name)))) << reopened.lastError().toStdString();
        auto* price = qobject_cast<TRpLabel*>(reopened.findComponent(u"Price"));
        auto* other = qobject_cast<TRpLabel*>(reopened.findComponent(u"Other"));
        ASSERT_TRUE(price && other) << name;
        EXPECT_EQ(price->caption(), eightBit) << name;
        EXPECT_EQ(other->caption(), wide) << name;
    }
}

} // namespace
