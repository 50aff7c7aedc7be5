// TTable: the records of one table in the order of an index or of named fields. With a
// master data source it shows only the records whose index fields hold the values of
// the master's MasterFields in the master's current record, and follows the master.
#pragma once

#include "data/data_source.h"
#include "data/db_dataset.h"
#include "data/local_database.h"

#include <QPointer>

class TTable : public TDBDataSet {
    Q_OBJECT
    Q_PROPERTY(QString IndexFieldNames READ indexFieldNames WRITE setIndexFieldNames)
    Q_PROPERTY(QString IndexName READ indexName WRITE setIndexName)
    Q_PROPERTY(QString MasterFields READ masterFields WRITE setMasterFields)
    Q_PROPERTY(TDataSource* MasterSource READ masterSource WRITE setMasterSource)
    Q_PROPERTY(QString TableName READ tableName WRITE setTableName)
public:
    explicit TTable(TComponent* owner = nullptr);

    QString tableName() const { return m_tableName; }
    void setTableName(const QString& name);
    // An index name and index field names exclude each other: setting one clears the other.
    QString indexName() const { return m_indexName; }
    void setIndexName(const QString& name);
    QString indexFieldNames() const { return m_indexFieldNames; }
    void setIndexFieldNames(const QString& names);
    TDataSource* masterSource() const { return m_masterSource; }
    void setMasterSource(TDataSource* source);
    QString masterFields() const { return m_masterFields; }
    void setMasterFields(const QString& fields);

    // The indexes of the table, the primary one first.
    QList<TIndexDef> indexDefs();
    // The fields the records are ordered by (and a master link compares).
    QStringList currentIndexFields();

protected:
    std::unique_ptr<TRecordCursor> createCursor() override;
    QString openErrorMessage(const QString& engineMessage) const override;
    void masterChanged() override;

private:
    bool masterLinkActive() const;
    QVariantList masterValues() const;
    void relink();

    QString m_tableName;
    QString m_indexName;
    QString m_indexFieldNames;
    QString m_masterFields;
    QPointer<TDataSource> m_masterSource;
    QVariantList m_rangeValues; // the master values the open records belong to
};
