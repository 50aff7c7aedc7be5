// Measures prepared expressions evaluated once per record against the same computation
// written as plain C++ over the same column values, and prints both rates and their ratio.
#include "engine/expr/expr_dataset.h"
#include "engine/expr/expr_evaluator.h"

#include <QLocale>
#include <QStringList>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRecords = 5000;
constexpr int kRounds = 60;

// Typed columns; fields hand out the current record's value as the dataset layer would.
struct Columns
{
    std::vector<qint32> quantity;
    std::vector<double> freight;
    std::vector<QString> name;
    std::vector<QString> city;
    int current = 0;
};

class ColumnField : public IRpEvField
{
public:
    ColumnField(const Columns& columns, QString name, TRpEvFieldType type, int column)
        : m_columns(columns), m_name(std::move(name)), m_type(type), m_column(column) {}
    QString fieldName() const override { return m_name; }
    TRpEvFieldType dataType() const override { return m_type; }
    QVariant value() const override
    {
        const int row = m_columns.current;
        switch (m_column) {
        case 0:
            return m_columns.quantity[row];
        case 1:
            return m_columns.freight[row];
        case 2:
            return m_columns.name[row];
        default:
            return m_columns.city[row];
        }
    }
    QString displayText() const override { return value().toString(); }

private:
    const Columns& m_columns;
    QString m_name;
    TRpEvFieldType m_type;
    int m_column;
};

class ColumnDataSet : public IRpEvDataSet
{
public:
    explicit ColumnDataSet(const Columns& columns)
    {
        m_fields.emplace_back(columns, "QTY", TRpEvFieldType::Integer, 0);
        m_fields.emplace_back(columns, "FREIGHT", TRpEvFieldType::Float, 1);
        m_fields.emplace_back(columns, "NAME", TRpEvFieldType::String, 2);
        m_fields.emplace_back(columns, "CITY", TRpEvFieldType::String, 3);
    }
    QString name() const override { return QStringLiteral("Orders"); }
    int fieldIndex(const QString& fieldName) const override
    {
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i].fieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
                return int(i);
        }
        return -1;
    }
    IRpEvField* field(int index) const override { return const_cast<ColumnField*>(&m_fields[index]); }
    bool usesDefaultFields() const override { return false; }

private:
    std::vector<ColumnField> m_fields;
};

Columns makeColumns()
{
    static const QStringList names = {"bolt", "nut", "washer", "screw", "hinge", "bracket"};
    static const QStringList cities = {"Oslo", "Lyon", "Porto", "Graz"};
    Columns columns;
    for (int i = 0; i < kRecords; ++i) {
        columns.quantity.push_back(i % 23);
        columns.freight.push_back(0.25 * (i % 17));
        columns.name.push_back(names[i % names.size()] + QString::number(i % 100));
        columns.city.push_back(cities[i % cities.size()]);
    }
    return columns;
}

// Best of several rounds, in seconds, for one pass over every record.
double bestSeconds(Columns& columns, const std::function<void(int)>& perRecord)
{
    double best = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int row = 0; row < kRecords; ++row) {
            columns.current = row;
            perRecord(row);
        }
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        best = std::min(best, elapsed.count());
    }
    return best;
}

volatile double g_numericSink;
volatile qsizetype g_textSink;

void consume(const TRpEvResult& result)
{
    g_numericSink = result.numericValue();
    g_textSink = result.text().size();
}

struct Measurement
{
    const char* label;
    double evaluatorSeconds;
    double plainSeconds;
};

void printRow(const Measurement& m)
{
    std::printf("%-46s %12.0f %14.0f %8.1f\n", m.label, kRecords / m.evaluatorSeconds, kRecords / m.plainSeconds,
                m.evaluatorSeconds / m.plainSeconds);
}

} // namespace

int main()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Columns columns = makeColumns();
    ColumnDataSet orders(columns);
    const QLocale locale;
    const QString bulk = QStringLiteral("bulk");
    const QString single = QStringLiteral("single");

    struct Workload
    {
        const char* expression;
        bool aggregate;
        std::function<void(int)> plain;
    };
    double total = 0.0;
    const std::vector<Workload> workloads = {
        {"Orders.QTY * 1.5 + Orders.FREIGHT", false,
         [&](int row) { g_numericSink = columns.quantity[row] * 1.5 + columns.freight[row]; }},
        {"IF(Orders.QTY > 10, 'bulk', 'single')", false,
         [&](int row) {
             const QString chosen = columns.quantity[row] > 10 ? bulk : single;
             g_textSink = chosen.size();
         }},
        {"UPPER(Orders.NAME) + ' ' + Orders.CITY", false,
         [&](int row) {
             const QString joined = locale.toUpper(columns.name[row]) + QLatin1Char(' ') + columns.city[row];
             g_textSink = joined.size();
         }},
        {"SUM(Orders.QTY)", true,
         [&](int row) {
             total += columns.quantity[row];
             g_numericSink = total;
         }},
    };

    std::printf("%d records, best of %d rounds\n", kRecords, kRounds);
    std::printf("%-46s %12s %14s %8s\n", "expression", "evals/s", "plain C++/s", "ratio");
    double evaluatorSum = 0.0;
    double plainSum = 0.0;
    for (const Workload& workload : workloads) {
        TRpEvaluator evaluator;
        evaluator.setDataSets({&orders});
        evaluator.prepare(QString::fromLatin1(workload.expression));
        const double evaluatorSeconds = bestSeconds(columns, [&](int) {
            consume(workload.aggregate ? evaluator.aggregateStep() : evaluator.value());
        });
        const double plainSeconds = bestSeconds(columns, workload.plain);
        printRow({workload.expression, evaluatorSeconds, plainSeconds});
        evaluatorSum += evaluatorSeconds;
        plainSum += plainSeconds;
    }
    printRow({"all four per record", evaluatorSum, plainSum});
    return 0;
}
