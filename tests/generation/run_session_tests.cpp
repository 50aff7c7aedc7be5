// The run session: parameters from outside converted by their types, datasets opened
// for the run and closed after it, and the designing state left and restored.
#include "generation_fixture.h"

#include "core/error.h"
#include "data/params.h"
#include "engine/generation/rp_run_session.h"

namespace {

class RunSession : public GenerationTest {
protected:
    void SetUp() override
    {
        createOrders({{1, "Berlin", "A", 10.0}, {2, "Paris", "C", 7.0}});
        query = ordersQuery(QStringLiteral("SELECT * FROM ORDERS WHERE ID >= :FIRST AND CITY <> :CITY"));
        query->params()->findParam(u"FIRST")->setDataType(TFieldType::ftInteger);
        query->params()->findParam(u"CITY")->setDataType(TFieldType::ftString);
        query->params()->findParam(u"CITY")->setValue(QStringLiteral("Rome"));
    }
    TQuery* query = nullptr;
};

} // namespace

TEST_F(RunSession, ParametersAreConvertedByTypeAndUnnamedOnesKeepTheirValues)
{
    TRpRunSession session(*report);
    EXPECT_EQ(session.setParameters({{QStringLiteral("first"), QStringLiteral("2")}}), QStringList{});
    EXPECT_EQ(query->params()->findParam(u"FIRST")->value(), QVariant(2));
    EXPECT_EQ(query->params()->findParam(u"CITY")->value().toString(), QStringLiteral("Rome"));
    EXPECT_EQ(session.setParameters({{QStringLiteral("REGION"), QStringLiteral("x")}}), QStringList{"REGION"});
    EXPECT_THROW(session.setParameters({{QStringLiteral("FIRST"), QStringLiteral("two")}}), EVelError);
}

TEST_F(RunSession, DatasetsOpenForTheRunAndCloseAfterwardsWithTheDesigningStateBack)
{
    report->setDesigning(true);
    query->setDesigning(true);
    {
        TRpRunSession session(*report);
        session.setParameters({{QStringLiteral("FIRST"), QStringLiteral("1")}});
        session.openDataSets();
        EXPECT_TRUE(query->active());
        EXPECT_FALSE(report->isDesigning());
        EXPECT_FALSE(query->isDesigning());
        EXPECT_EQ(session.dataSets(), QList<TDataSet*>{query});
    }
    EXPECT_FALSE(query->active());
    EXPECT_TRUE(report->isDesigning());
    EXPECT_TRUE(query->isDesigning());
}

TEST_F(RunSession, ADatasetThatCannotOpenRaisesItsMessage)
{
    query->sql()->setText(QStringLiteral("SELECT * FROM NO_SUCH_TABLE"));
    TRpRunSession session(*report);
    try {
        session.openDataSets();
        FAIL() << "no error";
    } catch (const EVelError& error) {
        EXPECT_TRUE(error.message().contains(QLatin1String("NO_SUCH_TABLE"))) << error.message().toStdString();
    }
}
