#include "data/dataset_info.h"

#include "core/settings/file_locations.h"
#include "data/data_source.h"
#include "data/db_dataset.h"
#include "data/param_info.h"
#include "data/params.h"
#include "data/query.h"
#include "data/table.h"

#include <QDir>

namespace {

TCustomVelDSInfo*& chainHead()
{
    static TCustomVelDSInfo* head = nullptr;
    return head;
}

TDataSet* dataSetOf(TDataSource* source)
{
    return source ? source->dataSet() : nullptr;
}

} // namespace

TCustomVelDSInfo::TCustomVelDSInfo(const QMetaObject* dataSetClass) : TComponent(nullptr), m_dataSetClass(dataSetClass)
{
    m_next = chainHead();
    chainHead() = this;
}

TCustomVelDSInfo::~TCustomVelDSInfo()
{
    for (TCustomVelDSInfo** link = &chainHead(); *link; link = &(*link)->m_next) {
        if (*link == this) {
            *link = m_next;
            break;
        }
    }
}

bool TCustomVelDSInfo::serves(const TDataSet* dataSet) const
{
    return dataSet && m_dataSetClass && dataSet->metaObject()->inherits(m_dataSetClass);
}

void TCustomVelDSInfo::getFieldDescFileName(TDataSet*, QString& fileName)
{
    fileName = QDir(programfiles::programDirectory()).filePath(QStringLiteral("Velmor.FDX"));
}

void TVelParamDataSetInfo::addParamInfos(TDataSet* dataSet, TComponent* owner, QList<TVelParamInfo*>& list)
{
    TParams* params = getParams(dataSet);
    if (!params)
        return;
    bool headed = false;
    for (int i = 0; i < params->count(); ++i) {
        TParam* param = params->param(i);
        if (!param->bound())
            continue;
        if (!headed) {
            auto* heading = new TVelParamInfo(owner);
            heading->setCaption(dataSet->name());
            list.append(heading);
            headed = true;
        }
        auto* line = new TVelParamInfo(owner);
        line->setCaption(param->name());
        line->setParam(param);
        line->setControl(TVelParamInfo::createControl(IVelParamControl::kindFor(param->dataType()), owner));
        line->setOnLoadValue(paramvalues::load);
        line->setOnStoreValue(paramvalues::store);
        list.append(line);
    }
}

TVelBDEDataSetInfo::TVelBDEDataSetInfo() : TVelParamDataSetInfo(&TDBDataSet::staticMetaObject) {}

bool TVelBDEDataSetInfo::getMasterDataSet(TDataSet* dataSet, TDataSet*& master)
{
    master = nullptr;
    if (auto* table = qobject_cast<TTable*>(dataSet))
        master = dataSetOf(table->masterSource());
    else if (auto* query = qobject_cast<TQuery*>(dataSet))
        master = dataSetOf(query->dataSource());
    // A dataset that names itself as its master has none.
    if (master == dataSet)
        master = nullptr;
    return master != nullptr;
}

TParams* TVelBDEDataSetInfo::getParams(TDataSet* dataSet)
{
    auto* query = qobject_cast<TQuery*>(dataSet);
    return query ? query->params() : nullptr;
}

namespace dsinfo {

TCustomVelDSInfo* first()
{
    return chainHead();
}

TCustomVelDSInfo* find(const TDataSet* dataSet)
{
    for (TCustomVelDSInfo* info = chainHead(); info; info = info->next()) {
        if (info->serves(dataSet))
            return info;
    }
    return nullptr;
}

void release()
{
    while (chainHead())
        delete chainHead();
}

void registerLocalEngine()
{
    for (TCustomVelDSInfo* info = chainHead(); info; info = info->next()) {
        if (qobject_cast<TVelBDEDataSetInfo*>(info))
            return;
    }
    new TVelBDEDataSetInfo();
}

TDataSet* masterOf(TDataSet* dataSet)
{
    TDataSet* master = nullptr;
    if (TCustomVelDSInfo* info = find(dataSet); info && info->getMasterDataSet(dataSet, master))
        return master;
    return nullptr;
}

void addParamInfos(TDataSet* dataSet, TComponent* owner, QList<TVelParamInfo*>& list)
{
    if (TCustomVelDSInfo* info = find(dataSet))
        info->addParamInfos(dataSet, owner, list);
}

QString fieldDescFileName(TDataSet* dataSet)
{
    QString fileName;
    if (TCustomVelDSInfo* info = find(dataSet))
        info->getFieldDescFileName(dataSet, fileName);
    return fileName;
}

} // namespace dsinfo
