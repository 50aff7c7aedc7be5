// TQuery: the records of an SQL statement. Assigning the statement learns its parameters
// (":NAME"); a parameter that is not bound takes its value from the field of the same
// name of the master data source's current record, and the query runs again whenever
// the master moves. Parameters are always bound, never pasted into the statement.
#pragma once

#include "data/data_source.h"
#include "data/db_dataset.h"

#include <QPointer>

class TParams;
class TStrings;
Q_MOC_INCLUDE("core/strings.h")
Q_MOC_INCLUDE("data/params.h")

class TQuery : public TDBDataSet {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ dataSource WRITE setDataSource)
    Q_PROPERTY(bool ParamCheck READ paramCheck WRITE setParamCheck)
    Q_PROPERTY(TParams* Params READ params)
    Q_PROPERTY(TStrings* SQL READ sql)
    Q_CLASSINFO("default:ParamCheck", "True")
public:
    explicit TQuery(TComponent* owner = nullptr);
    ~TQuery() override;

    TStrings* sql() const { return m_sql; }
    TParams* params() const { return m_params; }
    TDataSource* dataSource() const { return m_dataSource; }
    void setDataSource(TDataSource* source);
    // Whether changing the statement learns its parameters.
    bool paramCheck() const { return m_paramCheck; }
    void setParamCheck(bool check) { m_paramCheck = check; }

    // Files keep the parameters as the collection "ParamData". Stored types and values
    // win over those learnt from the statement; while ParamCheck is on, the statement
    // decides which parameters there are.
    void defineProperties(TPropertyDefiner& definer) override;

protected:
    std::unique_ptr<TRecordCursor> createCursor() override;
    QString openErrorMessage(const QString& engineMessage) const override;
    void masterChanged() override;

private:
    void learnParams();
    QVariantList parameterValues(const QStringList& markers) const;

    TStrings* m_sql;
    TParams* m_params;
    QPointer<TDataSource> m_dataSource;
    QVariantList m_boundValues; // the values the open records were selected with
    bool m_paramCheck = true;
};
