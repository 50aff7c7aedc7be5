// The file as a whole: valid structure, pages and their sizes, document information, and
// what is left on disk when writing fails or is abandoned.
#include "pdf_test_support.h"

#include "engine/pdf/rp_pdf_device.h"

#include <QFile>
#include <QDir>
#include <QPaintEngine>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct TPageSizeCase {
    const char* name;
    QSizeF millimetres;
    const char* points; // as pdfinfo prints it
};

void PrintTo(const TPageSizeCase& size, std::ostream* out)
{
    *out << size.name;
}

class PdfPageSizeTest : public ::testing::TestWithParam<TPageSizeCase> {};

TEST_P(PdfPageSizeTest, PagesHaveTheirSizeInPointsAndTheFileIsValid)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("pages.pdf"));
    const auto draw = [](QPainter& painter, TRpPdfDevice&) { painter.drawRect(QRectF(10, 10, 100, 50)); };
    ASSERT_TRUE(pdftest::writePdf(file, {draw, draw, draw}, GetParam().millimetres, 1200));

    const pdftest::TToolResult check = pdftest::runTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), file});
    EXPECT_EQ(check.exitCode, 0) << check.output.toStdString();
    EXPECT_EQ(pdftest::pdfInfo(file, QStringLiteral("Pages")), QStringLiteral("3"));
    for (int page = 1; page <= 3; ++page)
        EXPECT_TRUE(pdftest::pdfInfo(file, QStringLiteral("size"), page).startsWith(QLatin1String(GetParam().points)))
            << pdftest::pdfInfo(file, QStringLiteral("size"), page).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Sizes, PdfPageSizeTest,
                         ::testing::Values(TPageSizeCase{"A4Portrait", {210, 297}, "595.28 x 841.89 pts"},
                                           TPageSizeCase{"A4Landscape", {297, 210}, "841.89 x 595.28 pts"},
                                           TPageSizeCase{"Letter", {215.9, 279.4}, "612 x 792 pts"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PdfDocumentTest, InformationNamesTitleCreatorAndProducer)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("info.pdf"));
    TRpPdfDevice device;
    ASSERT_TRUE(device.begin(file, {210, 297}, 300, QStringLiteral("Sales – Ägypten €"), QStringLiteral("Velmor tests")));
    ASSERT_TRUE(device.end());
    EXPECT_EQ(pdftest::pdfInfo(file, QStringLiteral("Title")), QStringLiteral("Sales – Ägypten €"));
    EXPECT_EQ(pdftest::pdfInfo(file, QStringLiteral("Creator")), QStringLiteral("Velmor tests"));
    EXPECT_EQ(pdftest::pdfInfo(file, QStringLiteral("Producer")), QStringLiteral("Velmor"));
    EXPECT_FALSE(pdftest::pdfInfo(file, QStringLiteral("CreationDate")).isEmpty());
    EXPECT_EQ(pdftest::pdfInfo(file, QStringLiteral("Pages")), QStringLiteral("1"));
}

TEST(PdfDocumentTest, MetricsAreDevicePixelsAtTheResolution)
{
    QTemporaryDir dir;
    TRpPdfDevice device;
    ASSERT_TRUE(device.begin(dir.filePath(QStringLiteral("m.pdf")), {210, 297}, 600, {}, {}));
    EXPECT_EQ(device.width(), 4961);
    EXPECT_EQ(device.height(), 7016);
    EXPECT_EQ(device.widthMM(), 210);
    EXPECT_EQ(device.heightMM(), 297);
    EXPECT_EQ(device.logicalDpiX(), 600);
    EXPECT_EQ(device.physicalDpiY(), 600);
    EXPECT_EQ(device.depth(), 32);
    EXPECT_EQ(device.devicePixelRatio(), 1);
    EXPECT_EQ(device.paintEngine()->type(), QPaintEngine::Pdf);
    device.abort();
}

TEST(PdfDocumentTest, AbortLeavesNoFileAndKeepsAnExistingOne)
{
    QTemporaryDir dir;
    const QString fresh = dir.filePath(QStringLiteral("fresh.pdf"));
    const QString existing = dir.filePath(QStringLiteral("existing.pdf"));
    {
        QFile old(existing);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    for (const QString& file : {fresh, existing}) {
        TRpPdfDevice device;
        ASSERT_TRUE(device.begin(file, {210, 297}, 72, {}, {}));
        QPainter painter(&device);
        painter.drawRect(QRectF(10, 10, 100, 100));
        device.newPage();
        painter.end();
        device.abort();
        EXPECT_FALSE(device.end()) << "an aborted document cannot be committed";
    }
    EXPECT_FALSE(QFile::exists(fresh));
    QFile old(existing);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old contents"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "no temporary file is left";
}

TEST(PdfDocumentTest, DestroyingAnUnfinishedDeviceLeavesNoFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("dropped.pdf"));
    {
        TRpPdfDevice device;
        ASSERT_TRUE(device.begin(file, {210, 297}, 72, {}, {}));
    }
    EXPECT_FALSE(QFile::exists(file));
}

TEST(PdfDocumentTest, UnwritablePathGivesAnErrorNamingIt)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("missing/folder/out.pdf"));
    TRpPdfDevice device;
    EXPECT_FALSE(device.begin(file, {210, 297}, 72, {}, {}));
    EXPECT_TRUE(device.errorString().contains(file)) << device.errorString().toStdString();
    EXPECT_GT(device.errorString().size(), file.size() + 30) << "the message says why";
    QPainter painter;
    EXPECT_FALSE(painter.begin(&device)) << "a device with no file cannot be painted on";
    EXPECT_FALSE(device.newPage());
    EXPECT_FALSE(device.end());
    EXPECT_FALSE(QFile::exists(file));
}

TEST(PdfDocumentTest, InvalidPageSizeIsRefused)
{
    QTemporaryDir dir;
    TRpPdfDevice device;
    EXPECT_FALSE(device.begin(dir.filePath(QStringLiteral("x.pdf")), {0, 297}, 72, {}, {}));
    EXPECT_FALSE(device.errorString().isEmpty());
    EXPECT_FALSE(device.begin(dir.filePath(QStringLiteral("x.pdf")), {210, 297}, 0, {}, {}));
}

TEST(PdfDocumentTest, ADeviceWritesSeveralDocumentsInTurn)
{
    QTemporaryDir dir;
    TRpPdfDevice device;
    for (const QString& name : {QStringLiteral("one.pdf"), QStringLiteral("two.pdf")}) {
        ASSERT_TRUE(device.begin(dir.filePath(name), {210, 297}, 96, {}, {}));
        QPainter painter(&device);
        painter.setFont(QFont(QStringLiteral("Liberation Sans"), 12));
        painter.drawText(QPointF(50, 50), name);
        painter.end();
        ASSERT_TRUE(device.end()) << device.errorString().toStdString();
        EXPECT_EQ(pdftest::pdfText(dir.filePath(name)).trimmed(), name);
        const pdftest::TToolResult check =
            pdftest::runTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), dir.filePath(name)});
        EXPECT_EQ(check.exitCode, 0) << check.output.toStdString();
    }
}

} // namespace
