// The controllers of a pass: one for the report's main dataset and one for every
// sub-detail, loop and strings band. Each walks its own data, prints its bands through
// the pass and runs its child controllers before and after its detail band.
#pragma once

#include "engine/generation/rp_group_run.h"

#include <QList>

#include <memory>
#include <vector>

class TDataSet;
class TQuery;
class TRpBasePanel;
class TRpCustomBand;
class TRpExpr;
class TRpLoopBand;
class TRpPass;
class TRpStringsBand;

class TRpCustomController {
public:
    TRpCustomController(TRpPass& pass, TRpBasePanel* owner);
    virtual ~TRpCustomController();
    TRpCustomController(const TRpCustomController&) = delete;
    TRpCustomController& operator=(const TRpCustomController&) = delete;

    // The controller tree for the report: its groups and child controllers, recursively.
    static std::unique_ptr<TRpCustomController> buildTree(TRpPass& pass);

    TRpBasePanel* owner() const { return m_owner; }
    // The controller in this subtree whose owner is `owner`, or null.
    TRpCustomController* find(const TRpBasePanel* owner);

    // Before the pass prints: opens the controller's dataset, gives its named constant a
    // first value and prepares its groups, in the whole subtree.
    void prepare();

    virtual void run() = 0;
    int detailNumber() const { return m_detailNumber; }

    void addAggregate(TRpExpr* expression);
    // Every registered aggregate takes in the current record.
    void notifyAggregates();

    // After a column or page break: headers of open groups started on an earlier page
    // that ask to be reprinted: those of the running print-before children first, then
    // this controller's own, then those of the running print-after children.
    void reprintGroupHeaders(int currentPage);

protected:
    void build();
    virtual void prepareOwn() {}
    void runChildren(bool before);
    void printGroupHeaders();
    void printGroupFooters();
    void closeAllGroups();
    void setCounter(const TRpEvResult& value);

    TRpPass& m_pass;
    TRpBasePanel* m_owner;
    TRpGroupRuns m_groups;
    std::vector<std::unique_ptr<TRpCustomController>> m_before;
    std::vector<std::unique_ptr<TRpCustomController>> m_after;
    QList<TRpExpr*> m_aggregates;
    int m_detailNumber = 0;
    bool m_active = false;
};

// The report's own controller and that of a sub-detail band: walks a dataset (or asks
// OnNeedData for records) and prints header, groups, detail and footer.
class TRpController : public TRpCustomController {
public:
    TRpController(TRpPass& pass, TRpBasePanel* owner);
    void run() override;

protected:
    void prepareOwn() override;

private:
    bool openData();
    bool advance();
    bool askNeedData();
    bool hasNeedData() const;
    void printEmptyForm();
    void printLoop(bool moreData);
    void refreshParameters();

    TDataSet* m_dataSet = nullptr;
    TRpCustomBand* m_header = nullptr;
    TRpCustomBand* m_detail = nullptr;
    TRpCustomBand* m_footer = nullptr;
    bool m_printIfEmpty = true;
    bool m_isMain = false;
    bool m_refreshParams = false;
};

// A loop band printed PrintCount times; its name gives the counter to expressions.
class TRpLoopController : public TRpCustomController {
public:
    TRpLoopController(TRpPass& pass, TRpLoopBand* band);
    void run() override;

protected:
    void prepareOwn() override;

private:
    TRpLoopBand* m_band;
};

// A strings band printed once per line of Items; its name gives the current line.
class TRpStringsController : public TRpCustomController {
public:
    TRpStringsController(TRpPass& pass, TRpStringsBand* band);
    void run() override;

protected:
    void prepareOwn() override;

private:
    TRpStringsBand* m_band;
};
