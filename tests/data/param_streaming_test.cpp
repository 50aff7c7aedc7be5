// A saved query keeps its parameters: types, parameter types and values go through the
// binary and the text form of the component stream as the "ParamData" collection, and a
// loaded query selects the same records with them.
#include "data_fixture.h"

#include "core/stream/component_stream.h"
#include "core/stream/form_conversion.h"
#include "core/strings.h"
#include "data/data_classes.h"
#include "data/field.h"
#include "data/params.h"
#include "data/query.h"

#include <QDateTime>

namespace {

class ParamStreaming : public DataFixture {
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        dataclasses::registerStorableClasses();
    }

    TQuery* addQuery(TComponent* owner, const QString& sql)
    {
        auto* query = new TQuery(owner);
        query->setName(QStringLiteral("Q1"));
        query->setDatabaseName(makeDatabase(Engine::Sqlite));
        query->sql()->setText(sql);
        return query;
    }

    // The query of a document read from `binary` into a fresh root.
    TQuery* readBack(const QByteArray& binary)
    {
        copies.push_back(std::make_unique<TComponent>());
        componentstream::readRoot(binary, copies.back().get());
        return qobject_cast<TQuery*>(copies.back()->findComponent(u"Q1"));
    }

    std::vector<std::unique_ptr<TComponent>> copies;
};

TEST_F(ParamStreaming, TypesAndValuesSurviveTheBinaryAndTheTextForm)
{
    TQuery* query = addQuery(root.get(), QStringLiteral("SELECT NAME FROM CUSTOMER WHERE ID >= :LOW AND JOINED < :BEFORE "
                                                        "AND NAME <> :WHO AND (BALANCE IS NULL OR BALANCE < :LIMIT) AND :FLAG"));
    TParams* params = query->params();
    params->paramByName(u"LOW")->setDataType(TFieldType::ftInteger);
    params->paramByName(u"LOW")->setValue(qint64(2));
    params->paramByName(u"BEFORE")->setDataType(TFieldType::ftDate);
    params->paramByName(u"BEFORE")->setValue(QDate(2021, 12, 31));
    params->paramByName(u"WHO")->setDataType(TFieldType::ftString);
    params->paramByName(u"WHO")->setParamType(TParamType::ptInputOutput);
    params->paramByName(u"LIMIT")->setValue(99.5);
    params->paramByName(u"FLAG")->setValue(true);

    const QByteArray binary = componentstream::writeRoot(root.get());
    const QByteArray text = formconversion::binaryToText(binary);
    EXPECT_TRUE(text.contains("ParamData = <")) << text.toStdString();
    EXPECT_TRUE(text.contains("DataType = ftDate")) << text.toStdString();

    for (const QByteArray& stream : {binary, formconversion::textToBinary(text)}) {
        TQuery* read = readBack(stream);
        ASSERT_TRUE(read);
        const TParams* readParams = read->params();
        ASSERT_EQ(readParams->count(), 5);
        for (int i = 0; i < params->count(); ++i) {
            const TParam* want = params->param(i);
            const TParam* got = readParams->param(i);
            SCOPED_TRACE(want->name().toStdString());
            EXPECT_EQ(got->name(), want->name());
            EXPECT_EQ(got->dataType(), want->dataType());
            EXPECT_EQ(got->paramType(), want->paramType());
            EXPECT_EQ(got->bound(), want->bound());
            EXPECT_EQ(got->value().metaType(), want->value().metaType());
            EXPECT_EQ(got->value(), want->value());
        }
        // The unbound name gives NULL, so nothing matches "NAME <> NULL"; bound alone
        // the values select Bob.
        read->params()->paramByName(u"WHO")->setValue(QStringLiteral("Ann"));
        read->open();
        ASSERT_FALSE(read->eof());
        EXPECT_EQ(read->fieldByName(u"NAME")->asString(), QStringLiteral("Bob"));
        read->next();
        EXPECT_TRUE(read->eof());
    }
}

TEST_F(ParamStreaming, StoredTypeAndValueWinOverWhatTheStatementTeaches)
{
    // Written by hand: the parameter data before the statement, with a name the statement
    // does not use (dropped) and an item without a name (skipped); a statement parameter
    // without stored data stays unknown.
    TComponent source;
    source.setName(QStringLiteral("Report"));
    addQuery(&source, QStringLiteral("SELECT * FROM CUSTOMER WHERE ID = :ID OR NAME = :NAME"));
    const QByteArray text = formconversion::binaryToText(componentstream::writeRoot(&source));
    QByteArray edited = text;
    const qsizetype written = edited.indexOf("    ParamData = <");
    ASSERT_GE(written, 0) << text.toStdString();
    edited.remove(written, edited.indexOf("end>\r\n", written) + 6 - written);
    const QByteArray paramData = "    ParamData = <\r\n"
                                 "      item\r\n"
                                 "        DataType = ftFloat\r\n"
                                 "        Name = 'id'\r\n"
                                 "        ParamType = ptInput\r\n"
                                 "        Value = 3.000000000000000000\r\n"
                                 "      end\r\n"
                                 "      item\r\n"
                                 "        DataType = ftString\r\n"
                                 "        Name = 'OLD'\r\n"
                                 "        ParamType = ptInput\r\n"
                                 "      end\r\n"
                                 "      item\r\n"
                                 "        DataType = ftString\r\n"
                                 "      end>\r\n";
    const qsizetype sql = edited.indexOf("    SQL.Strings");
    ASSERT_GE(sql, 0) << text.toStdString();
    edited.insert(sql, paramData);

    TQuery* read = readBack(formconversion::textToBinary(edited));
    ASSERT_TRUE(read);
    const TParams* params = read->params();
    ASSERT_EQ(params->count(), 2);
    EXPECT_EQ(params->param(0)->name(), QStringLiteral("ID"));
    EXPECT_EQ(params->param(0)->dataType(), TFieldType::ftFloat);
    EXPECT_EQ(params->param(0)->value(), QVariant(3.0));
    EXPECT_TRUE(params->param(0)->bound());
    EXPECT_EQ(params->param(1)->name(), QStringLiteral("NAME"));
    EXPECT_EQ(params->param(1)->dataType(), TFieldType::ftUnknown);
    EXPECT_FALSE(params->param(1)->bound());
    read->open();
    ASSERT_FALSE(read->eof());
    EXPECT_EQ(read->fieldByName(u"NAME")->asString(), QStringLiteral("Cy"));
}

TEST_F(ParamStreaming, AQueryWithoutParametersStoresNoParameterData)
{
    addQuery(root.get(), QStringLiteral("SELECT * FROM CUSTOMER"));
    EXPECT_FALSE(formconversion::binaryToText(componentstream::writeRoot(root.get())).contains("ParamData"));
}

} // namespace
