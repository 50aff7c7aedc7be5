// The dataset information plug-ins, the activation helpers and the prompt lines.
#include "data_fixture.h"

#include "data/data_source.h"
#include "data/dataset_activation.h"
#include "data/dataset_info.h"
#include "data/param_info.h"
#include "data/params.h"
#include "data/query.h"
#include "data/table.h"

#include "core/error.h"
#include "core/strings.h"

namespace {

// A dataset class no plug-in serves.
class TOtherDataSet : public TDataSet {
public:
    using TDataSet::TDataSet;
};

class PluginTest : public DataFixture {
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        dsinfo::registerLocalEngine();
        database = makeDatabase(Engine::Sqlite);
    }
    void TearDown() override
    {
        dsinfo::release();
        DataFixture::TearDown();
    }

    TTable* table(const QString& name, TDataSource* master = nullptr)
    {
        auto* t = new TTable(root.get());
        t->setName(name);
        t->setDatabaseName(database);
        t->setTableName(QStringLiteral("CUSTOMER"));
        t->setMasterSource(master);
        t->setMasterFields(master ? QStringLiteral("ID") : QString());
        QObject::connect(t, &TDataSet::afterOpen, [this, t] { events.append(QStringLiteral("open ") + t->name()); });
        QObject::connect(t, &TDataSet::afterClose, [this, t] { events.append(QStringLiteral("close ") + t->name()); });
        return t;
    }

    TDataSource* sourceOf(TDataSet* dataSet)
    {
        auto* s = new TDataSource(root.get());
        s->setDataSet(dataSet);
        return s;
    }

    QString database;
    QStringList events;
};

TEST_F(PluginTest, ChainOfMastersOpensMastersFirstAndClosesThemFirst)
{
    TTable* a = table(QStringLiteral("A"));
    TTable* b = table(QStringLiteral("B"), sourceOf(a));
    TTable* c = table(QStringLiteral("C"), sourceOf(b));
    EXPECT_EQ(dsinfo::masterOf(c), b);
    EXPECT_TRUE(datasetactivation::OpenDataSetChain(c));
    EXPECT_EQ(events, (QStringList{"open A", "open B", "open C"}));
    events.clear();
    EXPECT_TRUE(datasetactivation::CloseDataSetChain(c));
    EXPECT_EQ(events, (QStringList{"close A", "close B", "close C"}));
}

TEST_F(PluginTest, MastersThatFormALoopOpenOnceEach)
{
    TTable* a = table(QStringLiteral("A"));
    TTable* b = table(QStringLiteral("B"), sourceOf(a));
    a->setMasterSource(sourceOf(b));
    a->setMasterFields(QStringLiteral("ID"));
    EXPECT_TRUE(datasetactivation::OpenDataSetChain(b));
    EXPECT_TRUE(a->active() && b->active());
}

TEST_F(PluginTest, FailedOpenIsShownAndGivesFalseButOtherDatasetsStillOpen)
{
    TTable* broken = table(QStringLiteral("Broken"));
    broken->setTableName(QStringLiteral("NO_SUCH_TABLE"));
    TTable* fine = table(QStringLiteral("Fine"));
    EXPECT_FALSE(datasetactivation::OpenAllDataSets(root.get()));
    EXPECT_TRUE(fine->active());
    ASSERT_EQ(exceptions.size(), 1);
    EXPECT_TRUE(exceptions[0].startsWith(QStringLiteral("Can't open table  Broken. exception "))) << exceptions[0].toStdString();
    EXPECT_TRUE(datasetactivation::CloseAllDataSets(root.get()));
    EXPECT_FALSE(fine->active());
    EXPECT_FALSE(datasetactivation::OpenAllDataSets(nullptr));
    EXPECT_TRUE(datasetactivation::OpenAllDataSets(fine)); // owns nothing
}

TEST_F(PluginTest, UnservedDatasetHasNoMasterNoLinesAndNoFile)
{
    TOtherDataSet other(root.get());
    EXPECT_EQ(dsinfo::find(&other), nullptr);
    EXPECT_EQ(dsinfo::masterOf(&other), nullptr);
    QList<TVelParamInfo*> lines;
    dsinfo::addParamInfos(&other, root.get(), lines);
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_TRUE(dsinfo::fieldDescFileName(&other).isEmpty());
}

TEST_F(PluginTest, QueryOnADataSourceWithoutDatasetHasNoMaster)
{
    auto* query = new TQuery(root.get());
    query->setDataSource(new TDataSource(root.get()));
    EXPECT_EQ(dsinfo::masterOf(query), nullptr);
    EXPECT_TRUE(dsinfo::fieldDescFileName(query).endsWith(QStringLiteral("/Velmor.FDX")));
}

TEST_F(PluginTest, TableYieldsNoLinesQueryYieldsHeadingAndBoundParameters)
{
    QList<TVelParamInfo*> lines;
    dsinfo::addParamInfos(table(QStringLiteral("T")), root.get(), lines);
    EXPECT_TRUE(lines.isEmpty());

    auto* query = new TQuery(root.get());
    query->setName(QStringLiteral("Q1"));
    query->sql()->setText(QStringLiteral("select * from t where a = :A and b = :B and c = :C"));
    query->params()->paramByName(u"B")->setDataType(TFieldType::ftInteger);
    query->params()->paramByName(u"B")->setValue(7);
    dsinfo::addParamInfos(query, root.get(), lines);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0]->isHeading());
    EXPECT_EQ(lines[0]->caption(), QStringLiteral("Q1"));
    EXPECT_EQ(lines[1]->caption(), QStringLiteral("B"));
    EXPECT_EQ(lines[1]->param(), query->params()->paramByName(u"B"));
    EXPECT_EQ(lines[1]->control()->kind(), IVelParamControl::Kind::Edit);
    EXPECT_EQ(lines[0]->owner(), root.get());
}

TEST_F(PluginTest, NullDateTimeParameterShowsNowAndIsWrittenBack)
{
    auto* query = new TQuery(root.get());
    query->setName(QStringLiteral("Q1"));
    query->sql()->setText(QStringLiteral("select * from t where d = :D"));
    TParam* param = query->params()->paramByName(u"D");
    param->setDataType(TFieldType::ftDateTime);
    param->setBound(true);
    QList<TVelParamInfo*> lines;
    dsinfo::addParamInfos(query, root.get(), lines);
    ASSERT_EQ(lines.size(), 2);
    const QDateTime before = QDateTime::currentDateTime();
    lines[1]->loadValue();
    ASSERT_EQ(lines[1]->control()->kind(), IVelParamControl::Kind::DateTimePicker);
    const QDateTime shown = lines[1]->control()->dateTime();
    EXPECT_LE(std::abs(before.secsTo(shown)), 2);
    lines[1]->storeValue();
    EXPECT_EQ(param->value().toDateTime(), shown);
}

TEST_F(PluginTest, StoreConvertsEditTextByTypeAndRejectsBadText)
{
    struct Case {
        TFieldType type;
        const char* text;
        QVariant expected;
    };
    const Case cases[] = {
        {TFieldType::ftString, "abc", QStringLiteral("abc")},
        {TFieldType::ftInteger, "42", qint64(42)},
        {TFieldType::ftFloat, "1,234.5", 1234.5},
        {TFieldType::ftDate, "3/4/2021", QDate(2021, 3, 4)},
    };
    for (const Case& c : cases) {
        TParams params;
        TParam* param = params.addParam(QStringLiteral("P"), c.type);
        TVelParamInfo line;
        line.setParam(param);
        line.setControl(std::make_unique<TVelParamValueControl>(IVelParamControl::Kind::Edit));
        line.control()->setText(QString::fromLatin1(c.text));
        paramvalues::store(line);
        EXPECT_EQ(param->value(), c.expected) << c.text;
    }
    TParams params;
    TVelParamInfo line;
    line.setParam(params.addParam(QStringLiteral("P"), TFieldType::ftInteger));
    line.setControl(std::make_unique<TVelParamValueControl>(IVelParamControl::Kind::Edit));
    line.control()->setText(QStringLiteral("twelve"));
    EXPECT_THROW(paramvalues::store(line), EVelError);
    EXPECT_TRUE(line.param()->isNull());
}

} // namespace
