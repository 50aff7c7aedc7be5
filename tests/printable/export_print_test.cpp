// Text controls hand every printed line to the export filter of the pass.
#include "print_fixture.h"

#include "engine/export/rp_csv_export_filter.h"

#include <QDir>
#include <QFile>

namespace printtest {
namespace {

class ExportLines : public PrintTest {
protected:
    ExportLines()
    {
        context.filter = &filter;
        context.drawing = false; // the export pass only counts
        context.sinkObject = nullptr;
    }

    TRpMemo* memo(const QStringList& lines, TAlignment alignment)
    {
        auto* control = add<TRpMemo>(100, 40, 1000, 10 * lineHeight());
        control->setAutoSize(false);
        control->setAlignment(alignment);
        control->lines()->setLines(lines);
        return control;
    }

    void print(TRpPrintable* control, double x, double y)
    {
        control->prepare(context);
        control->print(context, x, y);
        control->unprepare();
    }

    RecordingFilter filter;
};

TEST_F(ExportLines, EachLineGoesToTheFilterAtItsPosition)
{
    TRpMemo* control = memo({"alpha", "beta"}, TAlignment::taLeftJustify);
    control->font()->setColor(clRed);
    control->setColor(clYellow);
    print(control, 200, 300);
    ASSERT_EQ(filter.lines.size(), 2u);
    EXPECT_EQ(filter.lines[0].text, QStringLiteral("alpha"));
    EXPECT_EQ(filter.lines[1].text, QStringLiteral("beta"));
    EXPECT_DOUBLE_EQ(filter.lines[0].x, 300);
    EXPECT_DOUBLE_EQ(filter.lines[0].y, 340);
    EXPECT_NEAR(filter.lines[1].y - filter.lines[0].y, lineHeight(), 1e-9);
    EXPECT_EQ(filter.lines[0].alignment, Qt::AlignLeft);
    EXPECT_EQ(filter.lines[0].color, QColor(Qt::red));
    EXPECT_EQ(filter.lines[0].background, QColor(Qt::yellow));
}

TEST_F(ExportLines, RightAlignedLinesGiveTheirRightEdge)
{
    print(memo({"total"}, TAlignment::taRightJustify), 200, 0);
    ASSERT_EQ(filter.lines.size(), 1u);
    EXPECT_EQ(filter.lines[0].alignment, Qt::AlignRight);
    EXPECT_DOUBLE_EQ(filter.lines[0].x, 1300);
}

TEST_F(ExportLines, CentredLinesGiveTheLeftEdgeOfTheirText)
{
    print(memo({"mid"}, TAlignment::taCenter), 0, 0);
    ASSERT_EQ(filter.lines.size(), 1u);
    EXPECT_NEAR(filter.lines[0].x, 100 + (1000 - textWidth(QStringLiteral("mid"))) / 2, 1e-6);
}

TEST_F(ExportLines, OnlyPrintedLinesAreExported)
{
    TRpMemo* control = memo({"one", "two", "three"}, TAlignment::taLeftJustify);
    control->size()->setNativeValue(TRpPrintableSize::HeightValue, 2 * lineHeight());
    print(control, 0, 0);
    ASSERT_EQ(filter.lines.size(), 2u);
    EXPECT_EQ(filter.lines[1].text, QStringLiteral("two"));
}

TEST_F(ExportLines, ACommaSeparatedFileGetsTheLabelsInColumns)
{
    const QString path = QDir::temp().filePath(QStringLiteral("velmor-printable-export.csv"));
    TRpCommaSeparatedFilter csv;
    csv.setFileName(path);
    context.filter = &csv;
    csv.start(2100, 2970, {report->font()->toQFont(), Qt::black});
    auto* left = add<TRpLabel>(100, 0, 500, lineHeight() * 1.5);
    left->setCaption(QStringLiteral("Name"));
    auto* right = add<TRpLabel>(800, 0, 500, lineHeight() * 1.5);
    right->setCaption(QStringLiteral("Amount"));
    print(left, 0, 100);
    print(right, 0, 100);
    csv.endPage();
    csv.finish();
    EXPECT_TRUE(testsupport::readFile(path).startsWith("\"Name\",\"Amount\"\r\n")) << testsupport::readFile(path).toStdString();
    QFile::remove(path);
}

} // namespace
} // namespace printtest
