// The page sink: states, recorded pages, prepared report files and paper detection.
#include "engine/sink/rp_errors.h"
#include "engine/sink/rp_page_list.h"
#include "engine/sink/rp_page_stream.h"
#include "engine/sink/rp_paper_sizes.h"
#include "engine/sink/rp_printer.h"
#include "sink_test_pages.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>

namespace {

using sinktest::generate;
using sinktest::render;

class PageSink : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_folder.filePath(name); }

    QString savedReport(const QString& name, int pages, bool compressed, QSize paper = {2100, 2970})
    {
        TRpPrinter sink;
        TRpPrinterSettings settings;
        settings.pageWidth = paper.width();
        settings.pageLength = paper.height();
        sink.setSettings(settings);
        sink.setCompression(compressed);
        generate(sink, pages);
        sink.saveToFile(path(name));
        return path(name);
    }

    QTemporaryDir m_folder;
};

TEST_F(PageSink, GoesFromReadyThroughBusyToFinished)
{
    TRpPrinter sink;
    EXPECT_EQ(sink.state(), TRpPrinterState::Ready);
    EXPECT_EQ(sink.painter(), nullptr);
    sink.beginDocument();
    EXPECT_EQ(sink.state(), TRpPrinterState::Busy);
    sink.newPage();
    EXPECT_NE(sink.painter(), nullptr);
    sink.endDocument();
    EXPECT_EQ(sink.state(), TRpPrinterState::Finished);
    EXPECT_EQ(sink.painter(), nullptr);
    EXPECT_EQ(sink.pagesGenerated(), 1);
    EXPECT_EQ(sink.pagesAvailable(), 1);
}

TEST_F(PageSink, BeginningTwiceRaisesNotReady)
{
    TRpPrinter sink;
    sink.beginDocument();
    try {
        sink.beginDocument();
        FAIL() << "no error";
    } catch (const ERpPrinterError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("RpPrinter not ready"));
    }
    sink.endDocument();
    EXPECT_THROW(sink.beginDocument(), ERpPrinterError);
    EXPECT_THROW(sink.newPage(), ERpPrinterError);
}

TEST_F(PageSink, ScreenFactorsArePixelsPerTenthOfAMillimetre)
{
    TRpPrinter sink;
    sink.beginDocument();
    EXPECT_DOUBLE_EQ(sink.factorX(), 96.0 / 254.0);
    EXPECT_DOUBLE_EQ(sink.factorY(), 96.0 / 254.0);
    EXPECT_EQ(sink.toDevice(QRectF(254, 508, 254, 254)), QRectF(96, 192, 96, 96));
    EXPECT_EQ(sink.devicePageSize(), QSize(794, 1123));
    sink.endDocument();
}

TEST_F(PageSink, NotifiesEveryAvailablePageAndProgress)
{
    TRpPrinter sink;
    QSignalSpy available(&sink, &TRpPrinter::pagesAvailableChanged);
    QSignalSpy progress(&sink, &TRpPrinter::progressChanged);
    sink.beginDocument();
    for (int page = 1; page <= 3; ++page) {
        sink.newPage();
        sinktest::drawPage(sink, page);
        sink.setProgress(page * 33);
    }
    // The page being drawn is not yet available; it is after the next page starts.
    EXPECT_EQ(sink.pagesAvailable(), 2);
    sink.endDocument();
    ASSERT_EQ(available.count(), 3);
    for (int index = 0; index < 3; ++index)
        EXPECT_EQ(available.at(index).at(0).toInt(), index + 1);
    ASSERT_EQ(progress.count(), 3);
    EXPECT_EQ(progress.at(2).at(0).toInt(), 99);
}

TEST_F(PageSink, PageRequestsOutsideTheCountGiveNoPage)
{
    TRpPrinter sink;
    generate(sink, 4);
    EXPECT_FALSE(sink.page(0).has_value());
    EXPECT_FALSE(sink.page(5).has_value());
    EXPECT_FALSE(sink.page(-2).has_value());
    ASSERT_TRUE(sink.page(1).has_value());
    ASSERT_TRUE(sink.page(4).has_value());
    EXPECT_NE(render(*sink.page(1)), render(*sink.page(4)));
}

TEST_F(PageSink, RecordedPagesKeepThePaperSizeAndTheirDrawing)
{
    TRpPrinter sink;
    generate(sink, 1);
    const QPicture page = *sink.page(1);
    EXPECT_EQ(page.boundingRect(), QRect(0, 0, 794, 1123));
    const QImage image = render(page);
    // The band fill of the test page: native (100, 300) .. (2000, 400).
    EXPECT_EQ(image.pixelColor(400, 130), QColor(200, 220, 255));
    EXPECT_EQ(image.pixelColor(400, 300), QColor(Qt::white));
}

TEST_F(PageSink, CompressedAndPlainFilesGiveIdenticalPictures)
{
    TRpPrinter plain;
    TRpPrinter packed;
    plain.loadFromFile(savedReport(QStringLiteral("plain.rpp"), 3, false));
    packed.loadFromFile(savedReport(QStringLiteral("packed.rpp"), 3, true));
    ASSERT_TRUE(packed.pageList()->compressed());
    EXPECT_LT(QFileInfo(path(QStringLiteral("packed.rpp"))).size(),
              QFileInfo(path(QStringLiteral("plain.rpp"))).size());
    for (int page = 1; page <= 3; ++page)
        EXPECT_EQ(render(*plain.page(page)), render(*packed.page(page))) << page;
}

TEST_F(PageSink, LoadedFileShowsTheSamePagesAsTheGeneratedOnes)
{
    TRpPrinter generated;
    generate(generated, 2);
    generated.saveToFile(path(QStringLiteral("saved.rpp")));

    TRpPrinter loaded;
    loaded.onPrint = [](TRpPrinter&) {};
    loaded.onExport = [](TRpExportFilter&) {};
    QSignalSpy available(&loaded, &TRpPrinter::pagesAvailableChanged);
    loaded.loadFromFile(path(QStringLiteral("saved.rpp")));
    EXPECT_EQ(loaded.state(), TRpPrinterState::Finished);
    EXPECT_TRUE(loaded.loadedFromFile());
    EXPECT_FALSE(loaded.onPrint);
    EXPECT_FALSE(loaded.onExport);
    EXPECT_EQ(loaded.pagesAvailable(), 2);
    ASSERT_EQ(available.count(), 1);
    for (int page = 1; page <= 2; ++page)
        EXPECT_EQ(render(*loaded.page(page)), render(*generated.page(page)));
}

TEST_F(PageSink, SavingNeedsAFinishedDocumentAndKeepsAnOldFileOnFailure)
{
    TRpPrinter sink;
    EXPECT_THROW(sink.saveToFile(path(QStringLiteral("x.rpp"))), ERpPrinterError);
    sink.beginDocument();
    EXPECT_THROW(sink.saveToFile(path(QStringLiteral("x.rpp"))), ERpPrinterError);
    sink.endDocument();
    EXPECT_THROW(sink.saveToFile(path(QStringLiteral("no/such/folder/x.rpp"))), ERpPrinterError);
}

struct PaperCase {
    const char* name;
    QSize nativeSize;
    int paperSize;
    bool landscape;
};

class PaperDetection : public PageSink, public ::testing::WithParamInterface<PaperCase> {};

TEST_P(PaperDetection, FindsTheLastMatchingPaperOfTheFirstPage)
{
    const PaperCase& c = GetParam();
    TRpPrinter sink;
    sink.loadFromFile(savedReport(QStringLiteral("paper.rpp"), 1, false, c.nativeSize));
    EXPECT_EQ(sink.paperSize(), c.paperSize);
    EXPECT_EQ(sink.landscape(), c.landscape);
    EXPECT_NEAR(sink.pageSize().width(), c.nativeSize.width(), 2);
    EXPECT_NEAR(sink.pageSize().height(), c.nativeSize.height(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Papers, PaperDetection,
    ::testing::Values(PaperCase{"A4Small", {2100, 2970}, 10, false},
                      PaperCase{"A4SmallLandscape", {2970, 2100}, 10, true},
                      PaperCase{"LetterIsNote", {2159, 2794}, 18, false}, // Note is 215.9 x 279
                      PaperCase{"A3", {2970, 4200}, 8, false},
                      PaperCase{"A5", {1480, 2100}, 11, false},
                      PaperCase{"Env10", {1048, 2413}, 20, false},
                      PaperCase{"NoMatch", {1000, 3000}, 0, false},
                      PaperCase{"NoMatchWide", {3000, 1000}, 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageSink, FileWithoutTheReservedGeometryIsMeasuredFromItsFirstPicture)
{
    QByteArray bytes = testsupport::readFile(savedReport(QStringLiteral("a4.rpp"), 1, false));
    bytes.replace(32, 16, QByteArray(16, '\0'));
    ASSERT_TRUE(testsupport::writeFile(path(QStringLiteral("plain-header.rpp")), bytes));
    TRpPrinter sink;
    sink.loadFromFile(path(QStringLiteral("plain-header.rpp")));
    EXPECT_EQ(sink.paperSize(), 10);
    EXPECT_FALSE(sink.landscape());
    EXPECT_DOUBLE_EQ(sink.factorX(), 96.0 / 254.0);
}

TEST_F(PageSink, LoadedPagesKeepTheResolutionTheyWereRecordedAt)
{
    QByteArray bytes = testsupport::readFile(savedReport(QStringLiteral("dpi.rpp"), 1, false));
    qToLittleEndian<qint32>(192, bytes.data() + 32);
    qToLittleEndian<qint32>(144, bytes.data() + 36);
    ASSERT_TRUE(testsupport::writeFile(path(QStringLiteral("dpi192.rpp")), bytes));
    TRpPrinter sink;
    sink.loadFromFile(path(QStringLiteral("dpi192.rpp")));
    EXPECT_DOUBLE_EQ(sink.factorX(), 192.0 / 254.0);
    EXPECT_DOUBLE_EQ(sink.factorY(), 144.0 / 254.0);
    EXPECT_EQ(sink.paperSize(), 10);
}

TEST(PaperSizes, DetectionComparesInUnitsOfFourMillimetres)
{
    EXPECT_EQ(rpDetectPaperSize(211.9, 299.9).paperSize, 10); // 52 x 74, like 210 x 297
    EXPECT_EQ(rpDetectPaperSize(212.1, 297).paperSize, 0);    // 53 x 74
    EXPECT_EQ(rpPaperSizeMillimetres(26), QSizeF(100, 100));
    EXPECT_TRUE(rpPaperSizeMillimetres(27).isEmpty());
    EXPECT_TRUE(rpPaperSizeMillimetres(0).isEmpty());
}

TEST_F(PageSink, AFailedLoadKeepsTheCurrentPages)
{
    TRpPrinter sink;
    generate(sink, 2);
    ASSERT_TRUE(testsupport::writeFile(path(QStringLiteral("junk.rpp")), QByteArray(300, 'j')));
    EXPECT_THROW(sink.loadFromFile(path(QStringLiteral("junk.rpp"))), ERpPreparedFileError);
    EXPECT_THROW(sink.loadFromFile(path(QStringLiteral("missing.rpp"))), ERpPreparedFileError);
    EXPECT_EQ(sink.pagesAvailable(), 2);
    EXPECT_TRUE(sink.page(2).has_value());
    EXPECT_FALSE(sink.loadedFromFile());
}

TEST_F(PageSink, APageThatIsNotAPictureIsReportedAsDamage)
{
    TRpPageList list(false);
    list.append("not a picture");
    list.finish();
    QFile file(path(QStringLiteral("nopicture.rpp")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(list.copyTo(file));
    file.close();
    TRpPrinter sink;
    EXPECT_THROW(sink.loadFromFile(file.fileName()), ERpPreparedFileError);
}

TEST_F(PageSink, LargeReportStreamsPagesIntoATemporaryFileRemovedOnRelease)
{
    QString temporary;
    {
        TRpPrinter sink;
        generate(sink, 1787);
        const TRpPageStream& stream = sink.pageList()->stream();
        ASSERT_TRUE(stream.isInTemporaryFile());
        temporary = stream.temporaryFileName();
        EXPECT_TRUE(QFileInfo::exists(temporary));
        EXPECT_EQ(sink.pagesAvailable(), 1787);
        // Early pages written before the move to the file are still whole.
        EXPECT_EQ(render(*sink.page(1)).size(), QSize(794, 1123));
        EXPECT_TRUE(sink.page(1787).has_value());
        sink.saveToFile(path(QStringLiteral("large.rpp")));
    }
    EXPECT_FALSE(QFileInfo::exists(temporary));
    EXPECT_EQ(TRpPageList::open(path(QStringLiteral("large.rpp")))->count(), 1787);
}

TEST_F(PageSink, AbortKeepsTheDrawnPagesAsAWholeFile)
{
    TRpPrinter sink;
    sink.beginDocument();
    sink.newPage();
    sink.newPage();
    sink.cancel();
    EXPECT_TRUE(sink.cancelled());
    sink.abort();
    EXPECT_EQ(sink.state(), TRpPrinterState::Finished);
    EXPECT_EQ(sink.pagesAvailable(), 2);
    sink.saveToFile(path(QStringLiteral("aborted.rpp")));
    EXPECT_EQ(TRpPageList::open(path(QStringLiteral("aborted.rpp")))->count(), 2);
}

TEST_F(PageSink, ClosingThePreviewCancelsARunAndRunsTheAfterPreviewCallBack)
{
    TRpPrinter sink;
    int afterPreview = 0;
    sink.onAfterPreview = [&] { ++afterPreview; };
    sink.beginDocument();
    sink.previewClosed();
    EXPECT_TRUE(sink.cancelled());
    EXPECT_EQ(afterPreview, 1);
    sink.abort();
    sink.previewClosed();
    EXPECT_EQ(afterPreview, 2);
}

} // namespace
