// Feeds arbitrary text to the evaluator: as an expression (prepared, evaluated, aggregated,
// reset, turned into text), as a variable of an environment, and as a numeric mask.
#include "tests/expr/expr_test_support.h"

#include "core/number_mask.h"
#include "engine/expr/expr_environment.h"
#include "engine/expr/expr_evaluator.h"
#include "engine/expr/expr_exception.h"

#include <cstddef>
#include <cstdint>

namespace {

exprtest::MemoryDataSet& orders()
{
    static exprtest::MemoryDataSet dataSet = [] {
        exprtest::MemoryDataSet created("Orders", true);
        created.addField("AMOUNT", TRpEvFieldType::Integer);
        created.addField("PRICE", TRpEvFieldType::Float);
        created.addField("NAME", TRpEvFieldType::String);
        created.addField("PAID", TRpEvFieldType::Boolean);
        created.addField("BLOB", TRpEvFieldType::Other);
        created.addRow({3, 2.5, "Bolt", true, QByteArray("x")});
        created.addRow({-7, 1e300, QString(300, QLatin1Char('n')), false, QVariant()});
        return created;
    }();
    return dataSet;
}

void exercise(TRpEvaluator& evaluator, const QString& text)
{
    evaluator.prepare(text);
    (void)evaluator.isAggregate();
    for (int row = 0; row < 2; ++row) {
        orders().setRecord(row);
        (void)evaluator.aggregateStep();
    }
    const TRpEvResult result = evaluator.value();
    evaluator.reset();
    try {
        (void)result.toText();
    } catch (const ERpEvaluatorError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    TRpEvEnvironment environment;
    environment.setDataSets({&orders()});
    environment.add("A", "1+2");
    environment.add("S", "'x' + A");
    environment.add("SELF", "[SELF] + 1");
    environment.add("INPUT", text);
    environment.add("USESINPUT", "INPUT + A");
    environment.prepare();

    TRpEvaluator evaluator;
    evaluator.setDataSets({&orders()});
    evaluator.setEnvironment(&environment);
    exercise(evaluator, text);
    exercise(evaluator, QStringLiteral("USESINPUT"));
    environment.unprepare();

    (void)formatNumberMask(text, 1234.5678);
    (void)formatNumberMask(text, -0.004);
    return 0;
}
