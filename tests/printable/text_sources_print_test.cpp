// What each text control prints: field values through masks by field kind, expression
// values and errors, aggregates, system values and memos with embedded expressions.
#include "print_fixture.h"

namespace printtest {
namespace {

class TextSources : public PrintTest {
protected:
    TextSources() : records(QStringLiteral("Orders"))
    {
        dataSet = new TDataSet(&document);
        dataSet->setNameUnchecked(QStringLiteral("Orders"));
        context.dataSets = {&records};
        context.byDataSet.insert(dataSet, &records);
    }

    // Prints a control wide and tall enough for a few lines and gives the texts drawn.
    QStringList printed(TRpCustomLabel* control)
    {
        control->setAutoSize(false);
        place(control, 100, 20, 1700, 300);
        return textsOf(drawnTexts(printOnce(control)));
    }

    QString printedField(const QString& field, const QString& mask)
    {
        auto* control = add<TRpDBText>(0, 0, 0, 0);
        control->setDataSet(dataSet);
        control->setDataField(field);
        control->setMask(mask);
        return printed(control).join(QLatin1Char('|'));
    }

    QString printedExpression(const QString& expression, const QString& mask = {})
    {
        auto* control = add<TRpExpr>(0, 0, 0, 0);
        control->setExpression(expression);
        control->setMask(mask);
        return printed(control).join(QLatin1Char('|'));
    }

    MemoryDataSet records;
    TDataSet* dataSet;
};

TEST_F(TextSources, FieldsAreFormattedWithTheMaskOfTheirKind)
{
    records.add("Quantity", TRpEvFieldType::Integer, 1234567, "1234567");
    records.add("Small", TRpEvFieldType::SmallInt, -42, "-42");
    records.add("Price", TRpEvFieldType::Currency, 1234.5, "1234.5");
    records.add("Rate", TRpEvFieldType::Float, 0.125, "0.125");
    records.add("Shipped", TRpEvFieldType::Date, QDate(2024, 3, 5), "3/5/2024");
    records.add("Stamp", TRpEvFieldType::DateTime, QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)), "3/5/2024 2:07:09 PM");
    records.add("Name", TRpEvFieldType::String, "Smith & Co", "Smith & Co");
    records.add("Paid", TRpEvFieldType::Boolean, true, "Yes");
    records.add("At", TRpEvFieldType::Other, QTime(9, 5, 0), "9:05 AM");
    records.add("AtText", TRpEvFieldType::Other, QStringLiteral("17:45:00"), "5:45 PM");

    const struct {
        const char* field;
        const char* mask;
        const char* text;
    } cases[] = {
        {"Quantity", "#,##0", "1,234,567"},
        {"Quantity", "", "1234567"},
        {"Small", "000;(000)", "(042)"},
        {"Price", "#,##0.00", "1,234.50"},
        {"Rate", "0.0#", "0.13"},
        {"Shipped", "dd/mm/yyyy", "05/03/2024"},
        {"Shipped", "", "3/5/2024"},
        {"Stamp", "yyyy-mm-dd hh:nn", "2024-03-05 14:07"},
        {"Name", "#,##0", "Smith & Co"},
        {"Paid", "0.00", "Yes"},
        {"At", "hh:nn", "09:05"},
        {"At", "", "9:05 AM"},
        {"AtText", "h:nn am/pm", "5:45 pm"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(printedField(c.field, c.mask), QString::fromUtf8(c.text)) << c.field << " " << c.mask;
}

TEST_F(TextSources, MemoFieldsPrintTheirWholeText)
{
    records.add("Notes", TRpEvFieldType::Other, QStringLiteral("line one\r\nline two"));
    EXPECT_EQ(printedField("Notes", ""), QStringLiteral("line one|line two"));
}

TEST_F(TextSources, MissingOrUnreadableFieldsPrintNothing)
{
    records.add("Broken", TRpEvFieldType::String, "x").failing = true;
    EXPECT_EQ(printedField("Broken", ""), QString());
    EXPECT_EQ(printedField("NoSuchField", ""), QString());
    auto* control = add<TRpDBText>(0, 0, 0, 0);
    control->setDataField(QStringLiteral("Broken")); // no dataset at all
    EXPECT_TRUE(printed(control).isEmpty());
}

TEST_F(TextSources, ExpressionValuesAndErrorsPrintAsText)
{
    records.add("Amount", TRpEvFieldType::Float, 2.5);
    const struct {
        const char* expression;
        const char* mask;
        const char* text;
    } cases[] = {
        {"2+3*4", "", "14"},
        {"[Amount]*3", "0.00", "7.50"},
        {"1000000", "#,##0", "1,000,000"},
        {"'abc'+'def'", "0.00", "abcdef"},
        {"1<2", "", "True"},
        {"1/0", "", "Cannot divide by 0"},
        {"NOSUCHNAME", "", "Unknown function : NOSUCHNAME"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(printedExpression(c.expression, c.mask), QString::fromUtf8(c.text)) << c.expression;
}

TEST_F(TextSources, AggregatesRegisterWithTheirMasterAndAccumulate)
{
    records.add("Amount", TRpEvFieldType::Integer, 5);
    auto* total = add<TRpExpr>(0, 0, 0, 0);
    total->setExpression(QStringLiteral("SUM([Amount])"));
    auto* plain = add<TRpExpr>(0, 0, 0, 0);
    plain->setExpression(QStringLiteral("[Amount]"));
    auto* perBand = add<TRpExpr>(0, 0, 0, 0);
    perBand->setExpression(QStringLiteral("COUNT"));
    perBand->setMaster(band);
    for (TRpExpr* control : {total, plain, perBand})
        control->prepare(context);

    ASSERT_EQ(context.aggregates.size(), 2u);
    EXPECT_EQ(context.aggregates[0], std::make_pair(static_cast<TComponent*>(report), total));
    EXPECT_EQ(context.aggregates[1], std::make_pair(static_cast<TComponent*>(band), perBand));

    for (int record = 0; record < 3; ++record)
        total->aggregateStep();
    place(total, 0, 0, 1000, 300);
    total->setAutoSize(false);
    total->setResetAfterPrint(true);
    EXPECT_EQ(textsOf(drawnTexts(printPage([&] { total->print(context, 0, 0); }))), (QStringList{"15"}));
    // Reset after printing: the next group starts from nothing.
    total->aggregateStep();
    EXPECT_EQ(textsOf(drawnTexts(printPage([&] { total->print(context, 0, 0); }))), (QStringList{"5"}));
    for (TRpExpr* control : {total, plain, perBand})
        control->unprepare();
}

TEST_F(TextSources, SystemDataAppendsItsValueToText)
{
    context.page = 3;
    context.detailNo = 17;
    context.detailTotal = 120;
    report->setReportTitle(QStringLiteral("Sales"));
    const struct {
        TRpSysDataType data;
        const char* text;
        const char* printed;
    } cases[] = {
        {TRpSysDataType::rpsPageNumber, "Page ", "Page 3"},
        {TRpSysDataType::rpsReportTitle, "", "Sales"},
        {TRpSysDataType::rpsDetailCount, "of ", "of 120"},
        {TRpSysDataType::rpsDetailNo, "#", "#17"},
        {TRpSysDataType::rpsTime, "", "2:07 PM"},
        {TRpSysDataType::rpsDate, "on ", "on 3/5/24"},
        {TRpSysDataType::rpsDateTime, "", "3/5/24 2:07:09 PM"},
    };
    for (const auto& c : cases) {
        auto* control = add<TRpSysData>(0, 0, 0, 0);
        control->setData(c.data);
        control->setText(QString::fromUtf8(c.text));
        EXPECT_EQ(printed(control).join(QLatin1Char('|')), QString::fromUtf8(c.printed)) << int(c.data);
    }
}

TEST_F(TextSources, ExpressionMemosPutEachValueInPlaceOfItsBraces)
{
    records.add("Name", TRpEvFieldType::String, "Smith");
    const struct {
        QStringList lines;
        bool removeBlank;
        const char* printed;
    } cases[] = {
        {{"Total {2+3} items"}, false, "Total 5 items"},
        {{"{[Name]}, {1+1} and {'x'}!"}, false, "Smith, 2 and x!"},
        {{"half {1/2}"}, false, "half 0.5"},
        {{"bad {1/0} value"}, false, "bad  value"},
        {{"open {2+2 and more"}, false, "open {2+2 and more"},
        {{"{1+1} then {} then {3}"}, false, "2 then {} then {3}"},
        {{"{1<2}"}, false, "True"},
    };
    for (const auto& c : cases) {
        auto* control = add<TRpExprMemo>(0, 0, 0, 0);
        control->lines()->setLines(c.lines);
        control->setRemoveBlankLines(c.removeBlank);
        EXPECT_EQ(printed(control).join(QLatin1Char('|')), QString::fromUtf8(c.printed)) << c.lines.join('/').toStdString();
        EXPECT_EQ(control->lines()->lines(), c.lines); // the design text stays as it was
    }
}

TEST_F(TextSources, RemovingBlankLinesClosesTheGapOfEmptyLinesOnly)
{
    // A line left empty by its expression goes; a line that still holds blanks stays.
    const struct {
        const char* middle;
        bool remove;
        double linesApart;
    } cases[] = {
        {"{''}", false, 2.0},
        {"{''}", true, 1.0},
        {"", true, 1.0},
        {"{''} ", false, 2.0},
        {"{''} ", true, 2.0},
        {" \t", true, 2.0},
    };
    for (const auto& c : cases) {
        auto* control = add<TRpExprMemo>(100, 20, 1700, 300);
        control->setAutoSize(false);
        control->lines()->setLines({"a", QString::fromUtf8(c.middle), "b"});
        control->setRemoveBlankLines(c.remove);
        const std::vector<DrawnText> texts = drawnTexts(printOnce(control));
        QStringList printed = textsOf(texts);
        printed.removeIf([](const QString& text) { return text.trimmed().isEmpty(); });
        ASSERT_EQ(printed, (QStringList{"a", "b"})) << c.middle;
        const double lines = (texts.back().origin.y() - texts.front().origin.y()) / (lineHeight() * factor());
        EXPECT_NEAR(lines, c.linesApart, 0.05) << c.middle << " " << c.remove;
    }
}

TEST(DesignCaptions, ShowTheExpressionOrTheDataKind)
{
    TRpExpr expression;
    EXPECT_EQ(expression.designCaption(), QStringLiteral("(none)"));
    expression.setExpression(QStringLiteral("SUM([Amount])"));
    EXPECT_EQ(expression.designCaption(), QStringLiteral("SUM([Amount])"));
    TRpSysData system;
    system.setText(QStringLiteral("Page "));
    system.setData(TRpSysDataType::rpsPageNumber);
    EXPECT_EQ(system.designCaption(), QStringLiteral("Page (Page#)"));
}

} // namespace
} // namespace printtest
