#include "generation_fixture.h"

#include "data/dataset_info.h"
#include "engine/expr/expr_evaluator.h"
#include "engine/rp_bands.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

void TProbe::prepare(TRpPrintContext& context)
{
    TRpPrintable::prepare(context);
    m_printed = 0;
    if (!expression.isEmpty()) {
        m_evaluator = std::make_unique<TRpEvaluator>();
        m_evaluator->setDataSets(context.evaluatorDataSets());
        m_evaluator->setEnvironment(context.environment());
        m_evaluator->prepare(expression);
    }
}

void TProbe::print(TRpPrintContext& context, double x, double y)
{
    const double designed = size()->nativeValue(TRpPrintableSize::HeightValue);
    const double remaining = neededHeight - m_printed;
    bool done = true;
    if (neededHeight > 0 && remaining > designed) {
        auto* band = qobject_cast<TRpCustomBand*>(parentControl());
        if (!context.requestExpansion(band, remaining - designed)) {
            // What fits of it on this page: one piece, or at least the designed height.
            m_printed += context.requestExpansion(band, kPiece - designed) ? kPiece : designed;
            done = false;
        }
    }
    setFinished(done);
    if (done)
        m_printed = 0;
    ProbeHit hit{name(), context.pageNumber(), 0, x + size()->nativeValue(TRpPrintableSize::LeftValue),
                 y + size()->nativeValue(TRpPrintableSize::TopValue), {}};
    const TRpEvResult column = context.environment()->value(QStringLiteral("COLUMNNUMBER"));
    hit.column = column.integerValue();
    if (m_evaluator)
        hit.value = m_evaluator->value().displayText();
    m_log->push_back(hit);
    if (QPainter* painter = context.sink() ? context.sink()->painter() : nullptr)
        painter->drawText(context.sink()->toDevice(QPointF(hit.x, hit.y + 40)), name());
}

void TProbe::unprepare()
{
    m_evaluator.reset();
    TRpPrintable::unprepare();
}

GenerationTest::GenerationTest()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    document.setName(QStringLiteral("frmVelDesign1"));
    report = new TReport(&document);
    report->setNameUnchecked(QStringLiteral("Report"));
    report->page()->setPaperSize(TRpPaperSize::A4);
    setMargins(100);
    databasePath = dir.filePath(QStringLiteral("orders.db"));
}

GenerationTest::~GenerationTest()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void GenerationTest::setMargins(double margin)
{
    for (int value : {TRpPage::TopMarginValue, TRpPage::BottomMarginValue, TRpPage::LeftMarginValue,
                      TRpPage::RightMarginValue})
        report->page()->setNativeValue(value, margin);
}

TProbe* GenerationTest::addProbe(TControl* parent, const QString& name, const QString& expression, double top)
{
    auto* probe = new TProbe(&document, &log);
    probe->setNameUnchecked(name);
    probe->expression = expression;
    probe->setParentControl(parent);
    probe->size()->setNativeValue(TRpPrintableSize::TopValue, top);
    probe->size()->setNativeValue(TRpPrintableSize::HeightValue, 40);
    probe->size()->setNativeValue(TRpPrintableSize::WidthValue, 300);
    return probe;
}

void GenerationTest::createOrders(const QList<QVariantList>& rows)
{
    const QString connection = QStringLiteral("generation-fixture");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(databasePath);
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(QStringLiteral(
            "CREATE TABLE ORDERS (ID INTEGER, CITY VARCHAR(20), CUSTOMER VARCHAR(30), AMOUNT DOUBLE)")));
        query.prepare(QStringLiteral("INSERT INTO ORDERS VALUES (?, ?, ?, ?)"));
        for (const QVariantList& row : rows) {
            for (int i = 0; i < row.size(); ++i)
                query.bindValue(i, row.at(i));
            ASSERT_TRUE(query.exec()) << query.lastError().text().toStdString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

TQuery* GenerationTest::ordersQuery(const QString& sql)
{
    auto* query = new TQuery(&document);
    query->setNameUnchecked(QStringLiteral("Orders"));
    query->setDatabaseName(databasePath);
    query->sql()->setText(sql);
    return query;
}

TRpPassOutcome GenerationTest::runPass(TRpPassOptions options)
{
    if (!options.exportFilter && !options.sink) {
        sink = std::make_unique<TRpPrinter>();
        options.sink = sink.get();
    }
    TRpPass pass(*report, std::move(options));
    return pass.run();
}

std::vector<ProbeHit> GenerationTest::hitsOf(const QString& probe) const
{
    std::vector<ProbeHit> result;
    for (const ProbeHit& hit : log) {
        if (hit.probe == probe)
            result.push_back(hit);
    }
    return result;
}

QStringList GenerationTest::valuesOf(const QString& probe) const
{
    QStringList result;
    for (const ProbeHit& hit : hitsOf(probe))
        result.append(hit.value);
    return result;
}

QStringList GenerationTest::printOrder() const
{
    QStringList result;
    for (const ProbeHit& hit : log)
        result.append(hit.probe);
    return result;
}
