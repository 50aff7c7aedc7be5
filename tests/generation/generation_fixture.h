// A report in a document of its own, with probe controls that record where and when
// they print, an SQLite table of orders, and a screen sink to run passes on.
#pragma once

#include "support/test_support.h"
#include "data/query.h"
#include "engine/rp_new_band.h"
#include "engine/expr/expr_environment.h"
#include "engine/expr/expr_evaluator.h"
#include "engine/generation/rp_pass.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"
#include "engine/sink/rp_printer.h"

#include <QFile>
#include <QLocale>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

// One print call of a probe.
struct ProbeHit {
    QString probe;
    int page = 0;
    int column = 0;
    double x = 0;
    double y = 0;
    QString value; // the probe's expression, when it has one
};

using ProbeLog = std::vector<ProbeHit>;

// A control that records each print, optionally with the value of an expression, and
// that can stand for a stretching control: it then needs `neededHeight` native units,
// asks its band for the extra room and continues in the next column when refused.
class TProbe : public TRpPrintable {
    Q_OBJECT
public:
    TProbe(TComponent* owner, ProbeLog* log) : TRpPrintable(owner), m_log(log) {}

    static constexpr double kPiece = 2000;

    QString expression;
    double neededHeight = 0;

    void prepare(TRpPrintContext& context) override;
    void print(TRpPrintContext& context, double x, double y) override;
    void unprepare() override;

private:
    ProbeLog* m_log;
    std::unique_ptr<TRpEvaluator> m_evaluator;
    double m_printed = 0;
};

class GenerationTest : public ::testing::Test {
protected:
    GenerationTest();
    ~GenerationTest() override;

    // A band of `type`, `height` native units high, on the report.
    template <class Band = TRpBand>
    Band* addBand(const QString& name, TRpBandType type, double height)
    {
        return rpNewBand<Band>(&document, report, name, type, height);
    }
    // A probe on the band at `top` within it.
    TProbe* addProbe(TControl* parent, const QString& name, const QString& expression = {}, double top = 0);

    // The orders table: ID, CITY, CUSTOMER, AMOUNT; opened as query "Orders".
    TQuery* ordersQuery(const QString& sql = QStringLiteral("SELECT * FROM ORDERS ORDER BY ID"));
    void createOrders(const QList<QVariantList>& rows);

    TRpPassOutcome runPass(TRpPassOptions options = {});
    int pages() const { return sink ? sink->pagesAvailable() : 0; }
    // The hits of one probe, in print order.
    std::vector<ProbeHit> hitsOf(const QString& probe) const;
    QStringList valuesOf(const QString& probe) const;
    // Probe names in print order.
    QStringList printOrder() const;

    void setMargins(double margin);

    QTemporaryDir dir;
    TComponent document;
    TReport* report;
    ProbeLog log;
    std::unique_ptr<TRpPrinter> sink;
    QString databasePath;
};
