// Builds the sample reports over the example database and saves them in the text report
// form: a grouped list with totals and page numbers, a master-detail invoice with
// sub-detail bands, a multi-column list, and loop and strings bands.
//
// make_examples DATABASE OUTPUT_DIR
#include "core/font.h"
#include "core/strings.h"
#include "data/data_source.h"
#include "data/query.h"
#include "document/class_registration.h"
#include "document/vel_design.h"
#include "engine/rp_bands.h"
#include "engine/rp_new_band.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

namespace {

// Places bands and controls on one document's report; positions in tenths of a millimetre.
class ReportBuilder {
public:
    explicit ReportBuilder(const QString& title)
    {
        m_report = m_document.report();
        m_report->setReportTitle(title);
        m_report->page()->setPaperSize(TRpPaperSize::A4);
    }

    TfrmVelDesign& document() { return m_document; }
    TReport* report() { return m_report; }

    TQuery* query(const QString& name, const QString& database, const QString& sql)
    {
        auto* query = new TQuery(&m_document);
        query->setNameUnchecked(name);
        query->setDatabaseName(database);
        query->sql()->setText(sql);
        return query;
    }

    TDataSource* source(const QString& name, TDataSet* dataSet)
    {
        auto* source = new TDataSource(&m_document);
        source->setNameUnchecked(name);
        source->setDataSet(dataSet);
        return source;
    }

    template <class Band = TRpBand>
    Band* band(const QString& name, TRpBandType type, double height)
    {
        return rpNewBand<Band>(&m_document, m_report, name, type, height);
    }

    template <class Control>
    Control* control(TControl* parent, double left, double top, double width, double height = 45)
    {
        auto* control = new Control(&m_document);
        control->setNameUnchecked(names::defaultName(&m_document, control->className()));
        control->setParentControl(parent);
        control->size()->setNativeValue(TRpPrintableSize::LeftValue, left);
        control->size()->setNativeValue(TRpPrintableSize::TopValue, top);
        control->size()->setNativeValue(TRpPrintableSize::WidthValue, width);
        control->size()->setNativeValue(TRpPrintableSize::HeightValue, height);
        return control;
    }

    TRpLabel* label(TControl* parent, const QString& caption, double left, double top, double width, bool bold = false)
    {
        auto* label = control<TRpLabel>(parent, left, top, width);
        label->setCaption(caption);
        if (bold)
            boldFont(label);
        return label;
    }

    TRpExpr* expression(TControl* parent, const QString& text, double left, double top, double width,
                        TAlignment alignment = TAlignment::taLeftJustify, const QString& mask = {})
    {
        auto* expr = control<TRpExpr>(parent, left, top, width);
        expr->setExpression(text);
        expr->setAlignment(alignment);
        expr->setMask(mask);
        return expr;
    }

    TRpDBText* field(TControl* parent, TDataSet* dataSet, const QString& name, double left, double top, double width,
                     TAlignment alignment = TAlignment::taLeftJustify, const QString& mask = {})
    {
        auto* text = control<TRpDBText>(parent, left, top, width);
        text->setDataSet(dataSet);
        text->setDataField(name);
        text->setAlignment(alignment);
        text->setMask(mask);
        return text;
    }

    void pageHeaderAndFooter()
    {
        TRpBand* header = band(QStringLiteral("PageHeader"), TRpBandType::rbPageHeader, 80);
        expression(header, QStringLiteral("REPORTTITLE"), 0, 10, 1200);
        header->frame()->setDrawBottom(true);
        TRpBand* footer = band(QStringLiteral("PageFooter"), TRpBandType::rbPageFooter, 70);
        footer->frame()->setDrawTop(true);
        auto* page = control<TRpSysData>(footer, 1500, 15, 400);
        page->setData(TRpSysDataType::rpsPageNumber);
        page->setText(QStringLiteral("Page "));
        page->setAlignment(TAlignment::taRightJustify);
        auto* date = control<TRpSysData>(footer, 0, 15, 600);
        date->setData(TRpSysDataType::rpsDate);
    }

    bool save(const QString& fileName)
    {
        m_report->setOptions(m_report->options() | TReportOption::FirstPageHeader | TReportOption::LastPageFooter);
        return m_document.saveToFile(fileName);
    }

private:
    static void boldFont(TRpCustomLabel* label)
    {
        label->font()->setStyle(label->font()->style() | TFontStyle::fsBold);
    }

    TfrmVelDesign m_document;
    TReport* m_report;
};

bool groupedList(const QString& database, const QString& fileName)
{
    ReportBuilder b(QStringLiteral("Orders by city"));
    TQuery* orders = b.query(QStringLiteral("Orders"), database,
                             QStringLiteral("SELECT O.ID, O.ORDER_DATE, O.CITY, C.NAME, O.AMOUNT FROM ORDERS O "
                                            "JOIN CUSTOMERS C ON C.ID = O.CUSTOMER_ID ORDER BY O.CITY, O.ID"));
    b.report()->setDataSet(orders);
    b.pageHeaderAndFooter();
    TRpBand* title = b.band(QStringLiteral("Title"), TRpBandType::rbTitle, 120);
    b.label(title, QStringLiteral("Orders by city"), 0, 20, 1200, true);

    auto* city = b.band<TRpGroup>(QStringLiteral("CityGroup"), TRpBandType::rbGroupHeader, 70);
    city->setExpression(QStringLiteral("Orders.CITY"));
    city->setReprintOnNewPage(true);
    b.field(city, orders, QStringLiteral("CITY"), 0, 15, 800);
    TRpBand* cityFooter = b.band(QStringLiteral("CityFooter"), TRpBandType::rbGroupFooter, 70);
    city->setFooterBand(cityFooter);
    cityFooter->frame()->setDrawTop(true);
    b.expression(cityFooter, QStringLiteral("'Total '+Orders.CITY"), 0, 10, 800);
    auto* cityTotal = b.expression(cityFooter, QStringLiteral("SUM(Orders.AMOUNT)"), 1400, 10, 500,
                                   TAlignment::taRightJustify, QStringLiteral("#,##0.00"));
    cityTotal->setResetAfterPrint(true);

    TRpBand* detail = b.band(QStringLiteral("Detail"), TRpBandType::rbDetail, 55);
    b.field(detail, orders, QStringLiteral("ID"), 0, 5, 150, TAlignment::taRightJustify);
    b.field(detail, orders, QStringLiteral("ORDER_DATE"), 250, 5, 300);
    b.field(detail, orders, QStringLiteral("NAME"), 600, 5, 700);
    b.field(detail, orders, QStringLiteral("AMOUNT"), 1400, 5, 500, TAlignment::taRightJustify, QStringLiteral("#,##0.00"));

    TRpBand* summary = b.band(QStringLiteral("Summary"), TRpBandType::rbSummary, 120);
    summary->frame()->setDrawTop(true);
    b.expression(summary, QStringLiteral("'Orders: '+STR(COUNT)"), 0, 20, 800);
    b.expression(summary, QStringLiteral("SUM(Orders.AMOUNT)"), 1400, 20, 500, TAlignment::taRightJustify,
                 QStringLiteral("#,##0.00"));
    return b.save(fileName);
}

bool invoice(const QString& database, const QString& fileName)
{
    ReportBuilder b(QStringLiteral("Invoices"));
    TQuery* orders = b.query(QStringLiteral("Orders"), database,
                             QStringLiteral("SELECT O.ID, O.ORDER_DATE, C.NAME, C.CITY, C.COUNTRY, O.AMOUNT FROM ORDERS O "
                                            "JOIN CUSTOMERS C ON C.ID = O.CUSTOMER_ID WHERE O.ID <= 12 ORDER BY O.ID"));
    TDataSource* ordersSource = b.source(QStringLiteral("OrdersSource"), orders);
    TQuery* items = b.query(QStringLiteral("Items"), database,
                            QStringLiteral("SELECT LINE, PRODUCT, QUANTITY, PRICE, QUANTITY * PRICE AS TOTAL "
                                           "FROM ORDER_ITEMS WHERE ORDER_ID = :ID ORDER BY LINE"));
    items->setDataSource(ordersSource);
    b.report()->setDataSet(orders);
    b.pageHeaderAndFooter();

    TRpBand* detail = b.band(QStringLiteral("InvoiceHead"), TRpBandType::rbDetail, 260);
    detail->setForceNewPage(true);
    b.expression(detail, QStringLiteral("'Invoice '+STR(Orders.ID)"), 0, 20, 900);
    b.field(detail, orders, QStringLiteral("ORDER_DATE"), 1400, 20, 500, TAlignment::taRightJustify);
    b.field(detail, orders, QStringLiteral("NAME"), 0, 90, 900);
    b.expression(detail, QStringLiteral("Orders.CITY+', '+Orders.COUNTRY"), 0, 145, 900);

    auto* lines = b.band<TRpSubDetail>(QStringLiteral("Lines"), TRpBandType::rbSubDetail, 55);
    lines->setDataSet(items);
    lines->bands()->setHasHeader(true);
    lines->bands()->setHasFooter(true);
    TRpBand* linesHeader = lines->headerBand();
    linesHeader->size()->setNativeValue(TRpBandSize::HeightValue, 60);
    linesHeader->frame()->setDrawBottom(true);
    b.label(linesHeader, QStringLiteral("Line"), 0, 10, 150, true);
    b.label(linesHeader, QStringLiteral("Product"), 200, 10, 800, true);
    b.label(linesHeader, QStringLiteral("Quantity"), 1000, 10, 250, true);
    b.label(linesHeader, QStringLiteral("Price"), 1300, 10, 250, true);
    b.label(linesHeader, QStringLiteral("Total"), 1600, 10, 300, true);
    b.field(lines, items, QStringLiteral("LINE"), 0, 5, 150, TAlignment::taRightJustify);
    b.field(lines, items, QStringLiteral("PRODUCT"), 200, 5, 800);
    b.field(lines, items, QStringLiteral("QUANTITY"), 1000, 5, 250, TAlignment::taRightJustify);
    b.field(lines, items, QStringLiteral("PRICE"), 1300, 5, 250, TAlignment::taRightJustify, QStringLiteral("#,##0.00"));
    b.field(lines, items, QStringLiteral("TOTAL"), 1600, 5, 300, TAlignment::taRightJustify, QStringLiteral("#,##0.00"));
    TRpBand* linesFooter = lines->footerBand();
    linesFooter->size()->setNativeValue(TRpBandSize::HeightValue, 70);
    linesFooter->frame()->setDrawTop(true);
    b.label(linesFooter, QStringLiteral("Invoice total"), 1000, 10, 500, true);
    b.field(linesFooter, orders, QStringLiteral("AMOUNT"), 1500, 10, 400, TAlignment::taRightJustify,
            QStringLiteral("#,##0.00"));
    return b.save(fileName);
}

bool multiColumn(const QString& database, const QString& fileName)
{
    ReportBuilder b(QStringLiteral("Customers"));
    b.report()->page()->setColumns(3);
    b.report()->page()->setNativeValue(TRpPage::ColumnSpaceValue, 50);
    TQuery* customers = b.query(QStringLiteral("Customers"), database,
                                QStringLiteral("SELECT ID, NAME, CITY FROM CUSTOMERS ORDER BY NAME"));
    b.report()->setDataSet(customers);
    b.pageHeaderAndFooter();
    TRpBand* columnHeader = b.band(QStringLiteral("ColumnHeader"), TRpBandType::rbColumnHeader, 60);
    columnHeader->frame()->setDrawBottom(true);
    b.label(columnHeader, QStringLiteral("Customer"), 0, 10, 400, true);
    b.label(columnHeader, QStringLiteral("City"), 420, 10, 150, true);
    TRpBand* detail = b.band(QStringLiteral("Detail"), TRpBandType::rbDetail, 100);
    b.field(detail, customers, QStringLiteral("NAME"), 0, 5, 400);
    b.field(detail, customers, QStringLiteral("CITY"), 420, 5, 160);
    b.field(detail, customers, QStringLiteral("ID"), 0, 50, 150);
    return b.save(fileName);
}

bool loopAndStrings(const QString&, const QString& fileName)
{
    ReportBuilder b(QStringLiteral("Loop and strings bands"));
    b.pageHeaderAndFooter();
    TRpBand* detail = b.band(QStringLiteral("Detail"), TRpBandType::rbDetail, 80);
    b.label(detail, QStringLiteral("Multiplication table of 7"), 0, 15, 1200, true);
    auto* loop = b.band<TRpLoopBand>(QStringLiteral("Counter"), TRpBandType::rbSubDetail, 55);
    loop->setPrintCount(10);
    b.expression(loop, QStringLiteral("STR(Counter+1)+' x 7 = '+STR((Counter+1)*7)"), 100, 5, 800);
    auto* strings = b.band<TRpStringsBand>(QStringLiteral("Weekday"), TRpBandType::rbSubDetail, 55);
    strings->items()->setLines({QStringLiteral("Monday"), QStringLiteral("Tuesday"), QStringLiteral("Wednesday"),
                                QStringLiteral("Thursday"), QStringLiteral("Friday")});
    b.expression(strings, QStringLiteral("'Weekday: '+Weekday"), 100, 5, 800);
    return b.save(fileName);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: make_examples DATABASE OUTPUT_DIR" << Qt::endl;
        return 2;
    }
    classregistration::registerStorableClasses();
    const QString database = QFileInfo(args.at(1)).absoluteFilePath();
    const QDir out(args.at(2));
    QDir().mkpath(out.path());
    using Maker = bool (*)(const QString&, const QString&);
    const std::pair<const char*, Maker> reports[] = {
        {"grouped_list.vtx", groupedList},
        {"invoice.vtx", invoice},
        {"multi_column.vtx", multiColumn},
        {"loop_strings.vtx", loopAndStrings},
    };
    for (const auto& [name, make] : reports) {
        if (!make(database, out.filePath(QLatin1String(name)))) {
            QTextStream(stderr) << "make_examples: cannot write " << name << Qt::endl;
            return 1;
        }
    }
    return 0;
}
