// TDataSource: connects a dataset to the controls and detail datasets that follow it.
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
    void setDataSet(TDataSet* dataSet) { m_dataSet = dataSet; }

private:
    QPointer<TDataSet> m_dataSet;
};
