// TDBDataSet: a dataset of the local engine, reading from the database its DatabaseName
// stands for (an alias, an SQLite file or a directory of table files).
#pragma once

#include "data/dataset.h"

#include <memory>

class TDataSource;
class TLocalDatabase;
Q_MOC_INCLUDE("data/data_source.h")

class TDBDataSet : public TDataSet {
    Q_OBJECT
    Q_PROPERTY(QString DatabaseName READ databaseName WRITE setDatabaseName)
public:
    explicit TDBDataSet(TComponent* owner = nullptr);
    ~TDBDataSet() override;

    QString databaseName() const { return m_databaseName; }
    // Raises EVelError on an open dataset.
    void setDatabaseName(const QString& name);

protected:
    // The database, opened when first needed and kept while the dataset uses it.
    std::shared_ptr<TLocalDatabase> database();
    // Raises EVelError when the dataset is open.
    void checkInactive() const;
    // Follows the master data source: calls masterChanged whenever it reports a change.
    void followMaster(TDataSource* source);
    virtual void masterChanged() {}

    // "Can't open ..." + the engine's message, with the dataset's name.
    QString formatOpenError(const QString& format, const QString& engineMessage) const;

private:
    QString m_databaseName;
    std::shared_ptr<TLocalDatabase> m_database;
    QMetaObject::Connection m_masterConnection;
};
