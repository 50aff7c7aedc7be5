#include "engine/generation/rp_controller.h"

#include "core/strings.h"
#include "data/dataset.h"
#include "data/params.h"
#include "data/query.h"
#include "engine/expr/expr_environment.h"
#include "engine/generation/rp_aggregate.h"
#include "engine/generation/rp_pass.h"
#include "engine/rp_bands.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"

namespace {

// Sets the running flag of a controller for the time of its run.
class ActiveScope {
public:
    ActiveScope(TRpPass& pass, TRpCustomController* controller, bool& active) : m_pass(pass), m_active(active)
    {
        m_active = true;
        m_pass.enterController(controller);
    }
    ~ActiveScope()
    {
        m_active = false;
        m_pass.leaveController();
    }

private:
    TRpPass& m_pass;
    bool& m_active;
};

std::unique_ptr<TRpCustomController> createController(TRpPass& pass, TRpControllerBand* band)
{
    if (auto* loop = qobject_cast<TRpLoopBand*>(band))
        return std::make_unique<TRpLoopController>(pass, loop);
    if (auto* strings = qobject_cast<TRpStringsBand*>(band))
        return std::make_unique<TRpStringsController>(pass, strings);
    return std::make_unique<TRpController>(pass, band);
}

bool eventsAllowed(const TComponent* component)
{
    return !component->isLoading() && !component->isDestroying();
}

QVariant toVariant(const TRpEvResult& value)
{
    switch (value.kind()) {
    case TRpEvKind::Integer:
        return value.integerValue();
    case TRpEvKind::Float:
        return value.floatValue();
    case TRpEvKind::String:
        return value.text();
    case TRpEvKind::Boolean:
        return value.booleanValue();
    case TRpEvKind::Error:
        break;
    }
    return {};
}

} // namespace

TRpCustomController::TRpCustomController(TRpPass& pass, TRpBasePanel* owner) : m_pass(pass), m_owner(owner) {}

TRpCustomController::~TRpCustomController() = default;

std::unique_ptr<TRpCustomController> TRpCustomController::buildTree(TRpPass& pass)
{
    auto root = std::make_unique<TRpController>(pass, pass.report());
    root->build();
    return root;
}

void TRpCustomController::build()
{
    TReport* report = m_pass.report();
    for (TRpCustomBand* band : report->bandList()) {
        if (auto* group = qobject_cast<TRpGroup*>(band); group && group->master() == m_owner)
            m_groups.push_back(std::make_unique<TRpGroupRun>(group));
    }
    for (TRpCustomBand* band : report->bandList()) {
        auto* controllerBand = qobject_cast<TRpControllerBand*>(band);
        if (!controllerBand || controllerBand->master() != m_owner || controllerBand == m_owner)
            continue;
        auto child = createController(m_pass, controllerBand);
        child->build();
        (controllerBand->printBefore() ? m_before : m_after).push_back(std::move(child));
    }
}

void TRpCustomController::prepare()
{
    prepareOwn();
    for (auto& run : m_groups)
        run->prepare(m_pass.evaluatorDataSets(), m_pass.environment());
    for (auto* list : {&m_before, &m_after}) {
        for (auto& child : *list)
            child->prepare();
    }
}

TRpCustomController* TRpCustomController::find(const TRpBasePanel* owner)
{
    if (m_owner == owner)
        return this;
    for (auto* list : {&m_before, &m_after}) {
        for (auto& child : *list) {
            if (TRpCustomController* found = child->find(owner))
                return found;
        }
    }
    return nullptr;
}

void TRpCustomController::addAggregate(TRpExpr* expression)
{
    if (!m_aggregates.contains(expression))
        m_aggregates.append(expression);
}

void TRpCustomController::notifyAggregates()
{
    for (TRpExpr* expression : std::as_const(m_aggregates))
        rpStepAggregate(*expression);
}

void TRpCustomController::runChildren(bool before)
{
    for (auto& child : before ? m_before : m_after) {
        if (m_pass.isCancelled())
            return;
        child->run();
    }
}

void TRpCustomController::printGroupHeaders()
{
    for (auto& run : m_groups) {
        if (!run->changed)
            continue;
        // Open only once printed, so that a break the header itself causes does not
        // reprint it; it belongs to the page it printed on.
        m_pass.printBand(run->group());
        run->inGroup = true;
        run->startPage = m_pass.pageNumber();
    }
}

void TRpCustomController::printGroupFooters()
{
    for (auto it = m_groups.rbegin(); it != m_groups.rend(); ++it) {
        TRpGroupRun& run = **it;
        if (!run.changed)
            continue;
        run.inGroup = false;
        if (TRpBand* footer = run.group()->footerBand())
            m_pass.printBand(footer);
    }
}

void TRpCustomController::closeAllGroups()
{
    for (auto& run : m_groups)
        run->changed = !run->changed;
    printGroupFooters();
}

void TRpCustomController::reprintGroupHeaders(int currentPage)
{
    if (!m_active)
        return;
    for (auto& child : m_before)
        child->reprintGroupHeaders(currentPage);
    for (auto& run : m_groups) {
        if (run->inGroup && run->group()->reprintOnNewPage() && run->startPage < currentPage) {
            run->startPage = currentPage;
            m_pass.printBand(run->group());
        }
    }
    for (auto& child : m_after)
        child->reprintGroupHeaders(currentPage);
}

void TRpCustomController::setCounter(const TRpEvResult& value)
{
    m_pass.environment()->setConstant(m_owner->name(), value);
}

TRpController::TRpController(TRpPass& pass, TRpBasePanel* owner) : TRpCustomController(pass, owner)
{
    if (auto* report = qobject_cast<TReport*>(owner)) {
        m_isMain = true;
        m_dataSet = report->dataSet();
        m_header = report->findBand(TRpBandType::rbTitle);
        m_detail = report->findBand(TRpBandType::rbDetail);
        m_footer = report->findBand(TRpBandType::rbSummary);
        m_printIfEmpty = report->printIfEmpty();
    } else if (auto* subDetail = qobject_cast<TRpSubDetail*>(owner)) {
        m_dataSet = subDetail->dataSet();
        m_header = subDetail->headerBand();
        m_detail = subDetail;
        m_footer = subDetail->footerBand();
        m_printIfEmpty = subDetail->printIfEmpty();
    } else {
        m_detail = qobject_cast<TRpCustomBand*>(owner);
    }
    if (auto* query = qobject_cast<TQuery*>(m_dataSet)) {
        for (int i = 0; i < query->params()->count(); ++i) {
            if (pass.environment()->indexOf(query->params()->param(i)->name().toUpper()) >= 0)
                m_refreshParams = true;
        }
    }
}

void TRpController::prepareOwn()
{
    if (m_dataSet && !m_dataSet->active())
        m_dataSet->open();
}

bool TRpController::askNeedData()
{
    if (auto* report = qobject_cast<TReport*>(m_owner)) {
        const auto& handler = report->handlers().onNeedData;
        return handler && eventsAllowed(report) && handler(*report);
    }
    if (auto* subDetail = qobject_cast<TRpSubDetail*>(m_owner))
        return subDetail->needDataHandler && eventsAllowed(subDetail) && subDetail->needDataHandler(*subDetail);
    return false;
}

bool TRpController::hasNeedData() const
{
    if (auto* report = qobject_cast<TReport*>(m_owner))
        return bool(report->handlers().onNeedData);
    if (auto* subDetail = qobject_cast<TRpSubDetail*>(m_owner))
        return bool(subDetail->needDataHandler);
    return false;
}

void TRpController::refreshParameters()
{
    auto* query = qobject_cast<TQuery*>(m_dataSet);
    if (!query)
        return;
    query->close();
    for (int i = 0; i < query->params()->count(); ++i) {
        TParam* param = query->params()->param(i);
        const QString name = param->name().toUpper();
        if (m_pass.environment()->indexOf(name) >= 0)
            param->setValue(toVariant(m_pass.environment()->value(name)));
    }
}

bool TRpController::openData()
{
    if (m_dataSet) {
        if (m_refreshParams)
            refreshParameters();
        if (!m_dataSet->active())
            m_dataSet->open();
        m_dataSet->first();
        if (m_isMain) {
            const int count = m_dataSet->recordCount();
            m_pass.setRecordCount(count > 0 ? count : 1);
        }
        return !m_dataSet->eof();
    }
    return askNeedData();
}

bool TRpController::advance()
{
    if (m_dataSet) {
        m_dataSet->next();
        return !m_dataSet->eof();
    }
    return askNeedData();
}

void TRpController::printEmptyForm()
{
    if (m_header)
        m_pass.printBand(m_header);
    runChildren(true);
    if (m_detail)
        m_pass.printBand(m_detail);
    runChildren(false);
    if (m_footer) {
        m_pass.ensurePage();
        m_pass.printBand(m_footer);
    }
}

void TRpController::run()
{
    ActiveScope scope(m_pass, this, m_active);
    for (auto& run : m_groups)
        run->changed = false;
    m_detailNumber = 0;
    if (!m_dataSet && !hasNeedData()) {
        if (m_printIfEmpty)
            printEmptyForm();
        return;
    }
    const bool moreData = openData();
    if (m_detail)
        m_pass.setNotifyTarget(m_detail, this);
    if (!moreData) {
        if (m_printIfEmpty)
            printEmptyForm();
        return;
    }
    printLoop(moreData);
}

void TRpController::printLoop(bool moreData)
{
    m_pass.yieldToEvents();
    if (m_pass.isCancelled())
        return;
    if (m_header) {
        m_pass.printBand(m_header);
        if (m_isMain)
            m_pass.setNoForceNewPage();
    }
    if (m_isMain && m_pass.pageNumber() <= 1) {
        TRpCustomBand* columnHeader = m_pass.report()->findBand(TRpBandType::rbColumnHeader);
        if (columnHeader && columnHeader->enabled()) {
            m_pass.printBand(columnHeader);
            m_pass.setNoForceNewPage();
        }
    }
    rpCheckGroups(m_groups);
    while (moreData) {
        m_pass.yieldToEvents();
        if (m_pass.isCancelled())
            return;
        ++m_detailNumber;
        printGroupHeaders();
        runChildren(true);
        if (m_detail)
            m_pass.printBand(m_detail);
        runChildren(false);
        moreData = advance();
        if (rpCheckGroups(m_groups)) {
            const bool canStepBack = m_dataSet && moreData;
            if (canStepBack)
                m_dataSet->prior();
            printGroupFooters();
            if (canStepBack)
                m_dataSet->next();
        }
        if (m_isMain)
            m_pass.reportProgress(m_detailNumber);
    }
    closeAllGroups();
    if (m_footer) {
        m_pass.ensurePage();
        m_pass.printBand(m_footer);
    }
}

TRpLoopController::TRpLoopController(TRpPass& pass, TRpLoopBand* band) : TRpCustomController(pass, band), m_band(band) {}

void TRpLoopController::prepareOwn()
{
    setCounter(TRpEvResult::integer(0));
}

void TRpLoopController::run()
{
    ActiveScope scope(m_pass, this, m_active);
    for (int counter = 0; counter < m_band->printCount(); ++counter) {
        if (m_pass.isCancelled())
            break;
        m_detailNumber = counter + 1;
        setCounter(TRpEvResult::integer(counter));
        runChildren(true);
        m_pass.printBand(m_band);
        runChildren(false);
    }
    setCounter(TRpEvResult::integer(0));
}

TRpStringsController::TRpStringsController(TRpPass& pass, TRpStringsBand* band)
    : TRpCustomController(pass, band), m_band(band)
{
}

void TRpStringsController::prepareOwn()
{
    setCounter(TRpEvResult::string(QString()));
}

void TRpStringsController::run()
{
    ActiveScope scope(m_pass, this, m_active);
    const QStringList items = m_band->items()->lines();
    for (int index = 0; index < items.size(); ++index) {
        if (m_pass.isCancelled())
            break;
        m_detailNumber = index + 1;
        setCounter(TRpEvResult::string(items.at(index)));
        runChildren(true);
        m_pass.printBand(m_band);
        runChildren(false);
    }
    setCounter(TRpEvResult::string(QString()));
}
