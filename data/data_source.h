// TDataSource: connects a dataset to the controls and detail datasets that follow it.
// It tells its followers whenever its dataset opens, closes or moves to another record.
#pragma once

#include "core/component.h"
#include "data/dataset.h"

#include <QPointer>

class TDataSource : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TDataSet* DataSet READ dataSet WRITE setDataSet)
public:
    explicit TDataSource(TComponent* owner = nullptr);

    TDataSet* dataSet() const { return m_dataSet; }
    void setDataSet(TDataSet* dataSet);

signals:
    // The dataset was opened, closed, moved, or replaced by another one.
    void dataChanged();

private:
    TComponentRef<TDataSet> m_dataSet;
    QList<QMetaObject::Connection> m_connections;
};
