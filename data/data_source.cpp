#include "data/data_source.h"

TDataSource::TDataSource(TComponent* owner) : TComponent(owner) {}

void TDataSource::setDataSet(TDataSet* dataSet)
{
    if (m_dataSet == dataSet)
        return;
    for (const QMetaObject::Connection& connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_dataSet = dataSet;
    if (dataSet) {
        m_connections.append(connect(dataSet, &TDataSet::afterScroll, this, &TDataSource::dataChanged));
        m_connections.append(connect(dataSet, &TDataSet::afterClose, this, &TDataSource::dataChanged));
        m_connections.append(connect(dataSet, &QObject::destroyed, this, &TDataSource::dataChanged));
    }
    emit dataChanged();
}
