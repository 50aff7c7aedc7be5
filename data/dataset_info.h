// Dataset information plug-ins: one object per engine, found by the class of a dataset,
// that tells the generic code which dataset is a dataset's master, which parameter lines
// the prompt shows for it, and which field description file holds its captions.
// The plug-ins form one chain, newest first; the first plug-in whose dataset class the
// dataset is an instance of answers.
#pragma once

#include "core/component.h"

#include <QList>

class TDataSet;
class TParams;
class TVelParamInfo;

class TCustomVelDSInfo : public TComponent {
    Q_OBJECT
public:
    // Created without an owner; inserts itself at the head of the chain.
    explicit TCustomVelDSInfo(const QMetaObject* dataSetClass);
    ~TCustomVelDSInfo() override;

    const QMetaObject* dataSetClass() const { return m_dataSetClass; }
    TCustomVelDSInfo* next() const { return m_next; }
    bool serves(const TDataSet* dataSet) const;

    // Sets `master` to none first; true and the master when the dataset has one.
    virtual bool getMasterDataSet(TDataSet* dataSet, TDataSet*& master) = 0;
    // "Velmor.FDX" in the program's folder.
    virtual void getFieldDescFileName(TDataSet* dataSet, QString& fileName);
    // Appends the prompt lines of the dataset's parameters; `owner` owns every object made.
    virtual void addParamInfos(TDataSet* dataSet, TComponent* owner, QList<TVelParamInfo*>& list) = 0;

private:
    const QMetaObject* m_dataSetClass;
    TCustomVelDSInfo* m_next = nullptr;
};

// The plug-ins of engines whose parameters are TParams.
class TVelParamDataSetInfo : public TCustomVelDSInfo {
    Q_OBJECT
public:
    using TCustomVelDSInfo::TCustomVelDSInfo;
    void addParamInfos(TDataSet* dataSet, TComponent* owner, QList<TVelParamInfo*>& list) override;
    virtual TParams* getParams(TDataSet* dataSet) = 0;
};

// The local engine's tables and queries.
class TVelBDEDataSetInfo : public TVelParamDataSetInfo {
    Q_OBJECT
public:
    TVelBDEDataSetInfo();
    bool getMasterDataSet(TDataSet* dataSet, TDataSet*& master) override;
    TParams* getParams(TDataSet* dataSet) override;
};

namespace dsinfo {

// The head of the chain; none while empty.
TCustomVelDSInfo* first();
// The plug-in that serves the dataset, or none.
TCustomVelDSInfo* find(const TDataSet* dataSet);
// Frees every plug-in (at shutdown, and between tests).
void release();
// Creates the local engine's plug-in once (the start-up step of the engine's module).
void registerLocalEngine();

// Registry dispatch. Without a serving plug-in: no master, no lines, no file name.
TDataSet* masterOf(TDataSet* dataSet);
void addParamInfos(TDataSet* dataSet, TComponent* owner, QList<TVelParamInfo*>& list);
QString fieldDescFileName(TDataSet* dataSet);

} // namespace dsinfo
