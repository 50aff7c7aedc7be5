// Prepared report pages re-coded into the other coding keep every page byte for byte and
// the header's page geometry; a page list written to a file reads back as written, and a
// write that fails says so.
#include "engine/sink/rp_errors.h"
#include "engine/sink/rp_page_list.h"
#include "engine/sink/rp_page_recoding.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

// Pages that code to different lengths, one of them empty.
const QByteArray kPages[] = {QByteArray("QPIC").repeated(300), QByteArray(), QByteArray("\x00\xff\x10", 3).repeated(77)};

std::unique_ptr<TRpPageList> makeList(bool compressed)
{
    auto list = std::make_unique<TRpPageList>(compressed);
    list->setPageGeometry(96, 120, 2100, 2970);
    for (const QByteArray& page : kPages)
        list->append(page);
    list->finish();
    return list;
}

class PageRecoding : public ::testing::TestWithParam<bool> {};

TEST_P(PageRecoding, KeepsEveryPageAndTheGeometry)
{
    const bool compressed = GetParam();
    const std::unique_ptr<TRpPageList> recoded = rpRecodedPages(*makeList(!compressed), compressed);

    EXPECT_EQ(recoded->compressed(), compressed);
    ASSERT_EQ(recoded->count(), int(std::size(kPages)));
    for (int number = 1; number <= recoded->count(); ++number)
        EXPECT_EQ(*recoded->page(number), kPages[number - 1]) << "page " << number;
    const TRpPreparedHeader header = recoded->header();
    EXPECT_EQ(header.dpiX, 96);
    EXPECT_EQ(header.dpiY, 120);
    EXPECT_EQ(header.pageWidth, 2100);
    EXPECT_EQ(header.pageLength, 2970);
}

TEST_P(PageRecoding, WrittenFileOpensWithTheSamePages)
{
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("recoded.rpp"));
    rpWritePageList(*rpRecodedPages(*makeList(!GetParam()), GetParam()), fileName);

    const std::unique_ptr<TRpPageList> opened = TRpPageList::open(fileName);
    EXPECT_EQ(opened->compressed(), GetParam());
    EXPECT_EQ(testsupport::readFile(fileName).at(25), GetParam() ? 1 : 0);
    ASSERT_EQ(opened->count(), int(std::size(kPages)));
    for (int number = 1; number <= opened->count(); ++number)
        EXPECT_EQ(*opened->page(number), kPages[number - 1]) << "page " << number;
}

INSTANTIATE_TEST_SUITE_P(Codings, PageRecoding, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "to_splay_coding" : "to_plain"; });

TEST(PageListFile, AFileThatCannotBeWrittenRaisesWithItsName)
{
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("missing/new.rpp"));
    try {
        rpWritePageList(*makeList(true), fileName);
        ADD_FAILURE() << "the write was reported as done";
    } catch (const ERpPrinterError& error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Cannot save the report to \"%1\"").arg(fileName)))
            << error.what();
    }
    EXPECT_FALSE(QFile::exists(fileName));
}

} // namespace
