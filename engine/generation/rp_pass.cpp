#include "engine/generation/rp_pass.h"

#include "core/error.h"
#include "core/pen_brush.h"
#include "data/dataset.h"
#include "data/ev_dataset.h"
#include "engine/expr/expr_environment.h"
#include "engine/expr/expr_evaluator.h"
#include "engine/export/rp_export_filter.h"
#include "engine/generation/rp_controller.h"
#include "engine/rp_bands.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"
#include "engine/sink/rp_printer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSet>

#include <cmath>

namespace {

// A band that refuses to finish would break columns for ever; past this many
// continuations the pass gives up with an error.
constexpr int kMaxBandContinuations = 10000;
// Pending events are let through at most this often (milliseconds).
constexpr int kYieldInterval = 10;

QString noRoomForBand(const TRpCustomBand* band)
{
    return QStringLiteral("Band %1 does not fit on a page: the page header, column header and page footer "
                          "leave it too little room")
        .arg(band->name());
}

QString noRoomOnPage(int page)
{
    return QStringLiteral("No room is left for the report on page %1: the page header, column header and "
                          "page footer take the whole page")
        .arg(page);
}

// Marks a column as being started (or a page as being ended) for the time of the scope,
// also when printing fails.
class ColumnStart {
public:
    explicit ColumnStart(bool& starting) : m_starting(starting), m_before(starting) { m_starting = true; }
    ~ColumnStart() { m_starting = m_before; }
    ColumnStart(const ColumnStart&) = delete;
    ColumnStart& operator=(const ColumnStart&) = delete;

private:
    bool& m_starting;
    bool m_before;
};

bool eventsAllowed(const TComponent* component)
{
    return !component->isLoading() && !component->isDestroying();
}

bool isPageBand(TRpBandType type)
{
    return type == TRpBandType::rbTitle || type == TRpBandType::rbPageHeader || type == TRpBandType::rbPageFooter
        || type == TRpBandType::rbOverlay;
}

double bandHeight(const TRpCustomBand* band)
{
    return band->size()->nativeValue(TRpBandSize::HeightValue);
}

double bandWidth(const TRpCustomBand* band)
{
    return band->size()->nativeValue(TRpBandSize::WidthValue);
}

// Every dataset owned, directly or through owned containers, by `owner`.
void collectOwnedDataSets(const TComponent* owner, QList<TDataSet*>& into)
{
    for (TComponent* component : owner->components()) {
        if (auto* dataSet = qobject_cast<TDataSet*>(component)) {
            if (!into.contains(dataSet))
                into.append(dataSet);
        }
        collectOwnedDataSets(component, into);
    }
}

// Height of a band together with its chain of child bands.
double heightWithChildren(const TRpCustomBand* band)
{
    double height = 0;
    QSet<const TRpCustomBand*> seen;
    for (const TRpCustomBand* current = band; current && !seen.contains(current); current = current->childBand()) {
        seen.insert(current);
        if (current->enabled())
            height += bandHeight(current);
    }
    return height;
}

} // namespace

TRpPass::TRpPass(TReport& report, TRpPassOptions options) : m_report(report), m_options(std::move(options))
{
    m_finalPass = m_options.exportFilter == nullptr;
}

TRpPass::~TRpPass() = default;

TRpPrinter* TRpPass::sink() const
{
    return m_finalPass ? m_options.sink : nullptr;
}

bool TRpPass::isCancelled() const
{
    return m_cancelled || (m_options.sink && m_finalPass && m_options.sink->cancelled());
}

IRpEvDataSet* TRpPass::evaluatorDataSet(TDataSet* dataSet) const
{
    return m_adapterOf.value(dataSet);
}

int TRpPass::detailNumber() const
{
    if (!m_running.isEmpty())
        return m_running.last()->detailNumber();
    return m_mainController ? m_mainController->detailNumber() : 0;
}

int TRpPass::detailCount() const
{
    // The progress makes do with 1 where a dataset cannot count its records; what is
    // printed is the main dataset's own count whenever it has one.
    TDataSet* dataSet = m_report.dataSet();
    if (dataSet && dataSet->active() && dataSet->recordCount() >= 0)
        return dataSet->recordCount();
    return m_recordCount;
}

QDateTime TRpPass::printTime() const
{
    return QDateTime::currentDateTime();
}

void TRpPass::registerAggregate(TComponent* master, TRpExpr* expression)
{
    if (!m_mainController || !expression)
        return;
    TRpCustomController* controller = nullptr;
    if (auto* panel = qobject_cast<TRpBasePanel*>(master))
        controller = m_mainController->find(panel);
    (controller ? controller : m_mainController.get())->addAggregate(expression);
}

TRpPassOutcome TRpPass::run()
{
    if (!m_report.available())
        return TRpPassOutcome::Busy;
    m_report.setAvailable(false);
    m_geometry = TRpPageGeometry::of(*m_report.page());
    m_cancelled = m_lastPage = m_noForceNewPage = m_newColumnForced = false;
    collectDataSets();
    const auto& beforePrint = m_report.handlers().beforePrint;
    if (beforePrint && eventsAllowed(&m_report) && !beforePrint(m_report)) {
        m_report.setAvailable(true);
        return TRpPassOutcome::Refused;
    }
    try {
        start();
        m_mainController->run();
        m_currentX = m_geometry.leftMargin;
        m_lastPage = true;
        if (!isCancelled()) {
            endPage();
            if (m_options.exportFilter)
                m_options.exportFilter->finish();
        }
    } catch (...) {
        m_cancelled = true;
        finish();
        throw;
    }
    const bool cancelled = isCancelled();
    finish();
    return cancelled ? TRpPassOutcome::Cancelled : TRpPassOutcome::Finished;
}

void TRpPass::collectDataSets()
{
    QList<TDataSet*> dataSets;
    collectOwnedDataSets(m_report.root(), dataSets);
    for (TDataSet* dataSet : std::as_const(m_options.extraDataSets)) {
        if (dataSet && !dataSets.contains(dataSet))
            dataSets.append(dataSet);
    }
    m_dataSetAdapters.clear();
    m_adapterOf.clear();
    m_evaluatorDataSets.clear();
    for (TDataSet* dataSet : std::as_const(dataSets)) {
        auto adapter = std::make_unique<TEvDataSet>(dataSet);
        m_adapterOf.insert(dataSet, adapter.get());
        m_evaluatorDataSets.append(adapter.get());
        m_dataSetAdapters.push_back(std::move(adapter));
    }
}

void TRpPass::start()
{
    m_savedUnits = m_report.units();
    m_report.setUnits(TRpUnit::Native);
    if (sink())
        applySinkSettings();
    if (m_options.exportFilter && !m_options.exportFilter->active()) {
        const TRpExportFont font{m_report.font()->toQFont(), m_report.font()->color().toQColor()};
        m_options.exportFilter->start(int(m_geometry.width), int(m_geometry.length), font);
    }
    m_currentY = -1;
    m_pageCount = 0;
    m_currentColumn = m_geometry.columns;
    m_pageFooterSpace = 0;
    for (TRpCustomBand* band : m_report.bandList()) {
        if (band->bandType() == TRpBandType::rbPageFooter && band->enabled())
            m_pageFooterSpace += heightWithChildren(band);
    }
    m_currentX = m_geometry.leftMargin;
    prepareEnvironment();
    m_mainController = TRpCustomController::buildTree(*this);
    m_mainController->prepare();
    prepareBandConditions();
    preparePrintables();
}

void TRpPass::applySinkSettings()
{
    TRpPrinter* printer = m_options.sink;
    const TReportPrinterSettings* settings = m_report.printerSettings();
    TRpPrinterSettings sinkSettings = printer->settings();
    sinkSettings.pageWidth = int(std::lround(m_geometry.width));
    sinkSettings.pageLength = int(std::lround(m_geometry.length));
    sinkSettings.landscape = m_geometry.landscape;
    sinkSettings.copies = settings->copies();
    sinkSettings.outputBin = int(settings->outputBin());
    sinkSettings.duplex = settings->duplex();
    sinkSettings.firstPage = settings->firstPage();
    sinkSettings.lastPage = settings->lastPage();
    printer->setSettings(sinkSettings);
    printer->setTitle(m_report.reportTitle());
    printer->setCompression(m_report.options().testFlag(TReportOption::Compression));
    printer->beginDocument();
}

void TRpPass::prepareEnvironment()
{
    m_environment = std::make_unique<TRpEvEnvironment>();
    const TRpFunctions* functions = m_report.functions();
    m_environment->setNames(functions->lines());
    m_environment->setExpressions(functions->expressions());
    m_environment->setDataSets(m_evaluatorDataSets);
    setConstant(QStringLiteral("PAGENUMBER"), 0);
    setConstant(QStringLiteral("COLUMNNUMBER"), 1);
    m_environment->setConstant(QStringLiteral("REPORTTITLE"), TRpEvResult::string(m_report.reportTitle()));
    m_environment->prepare();
}

void TRpPass::prepareBandConditions()
{
    m_conditions.clear();
    if (!m_options.bandConditions)
        return;
    for (TRpCustomBand* band : m_report.bandList()) {
        if (band->hint().trimmed().isEmpty())
            continue;
        auto evaluator = std::make_shared<TRpEvaluator>();
        evaluator->setDataSets(m_evaluatorDataSets);
        evaluator->setEnvironment(m_environment.get());
        evaluator->prepare(band->hint());
        m_conditions.insert(band, std::move(evaluator));
    }
}

void TRpPass::preparePrintables()
{
    m_printables.clear();
    auto collect = [this](TControl* parent) {
        for (TControl* control : parent->controls()) {
            if (auto* printable = qobject_cast<TRpPrintable*>(control))
                m_printables.append(printable);
        }
    };
    collect(&m_report);
    for (TRpCustomBand* band : m_report.bandList())
        collect(band);
    for (TRpPrintable* printable : std::as_const(m_printables))
        printable->prepare(*this);
}

void TRpPass::unpreparePrintables()
{
    for (TRpPrintable* printable : std::as_const(m_printables))
        printable->unprepare();
    m_printables.clear();
}

void TRpPass::finish()
{
    unpreparePrintables();
    m_report.setUnits(m_savedUnits);
    m_notifyTargets.clear();
    m_running.clear();
    m_mainController.reset();
    m_conditions.clear();
    if (m_environment)
        m_environment->unprepare();
    m_environment.reset();
    m_report.setAvailable(true);
    // Last, since ending the document writes the output, which may fail.
    if (TRpPrinter* printer = sink(); printer && printer->state() == TRpPrinterState::Busy) {
        if (isCancelled())
            printer->abort();
        else
            printer->endDocument();
    }
}

void TRpPass::setConstant(const QString& name, int value)
{
    m_environment->setConstant(name, TRpEvResult::integer(value));
}

void TRpPass::yieldToEvents()
{
    static QElapsedTimer timer;
    if (timer.isValid() && timer.elapsed() < kYieldInterval)
        return;
    timer.start();
    QCoreApplication::processEvents();
}

void TRpPass::setNotifyTarget(TRpCustomBand* band, TRpCustomController* controller)
{
    m_notifyTargets.insert(band, controller);
}

void TRpPass::reportProgress(int detailNumber)
{
    const int percent = int(qint64(detailNumber) * 100 / qMax(1, m_recordCount));
    if (percent == m_lastProgress)
        return;
    m_lastProgress = percent;
    if (TRpPrinter* printer = sink())
        printer->setProgress(percent);
    if (m_options.progress)
        m_options.progress(percent);
}

double TRpPass::spaceLeft() const
{
    if (m_report.available() || !hasPage())
        return 0;
    if (m_options.exportFilter && m_options.exportFilter->continuousOutput())
        return m_geometry.length;
    return std::round(m_geometry.printableLength() - m_pageFooterSpace - m_currentY);
}

std::optional<double> TRpPass::requestExpansion(TRpCustomBand* band, double extra)
{
    if (!band || extra < 0)
        return std::nullopt;
    // Each control asks for room beyond what it was given already; the band grows to
    // the largest total any of its controls asked for.
    const double controlTotal = m_controlExpansions.value(m_printingControl) + extra;
    const double total = std::max(m_expansions.value(band), controlTotal);
    if (spaceLeft() < std::round(total + bandHeight(band)))
        return std::nullopt;
    m_controlExpansions.insert(m_printingControl, controlTotal);
    m_expansions.insert(band, total);
    return total;
}

double TRpPass::expansion(const TRpCustomBand* band) const
{
    return m_expansions.value(band);
}

void TRpPass::ensurePage()
{
    if (!hasPage())
        columnBreak();
}

void TRpPass::printBand(TRpCustomBand* band)
{
    if (!band)
        return;
    TRpBandType type = band->bandType();
    printBandAs(band, type);
}

void TRpPass::printBandAs(TRpCustomBand* band, TRpBandType type)
{
    if (band->alignToBottom() && hasPage()) {
        const double bottom = m_geometry.printableLength() - bandHeight(band) - m_pageFooterSpace;
        m_currentY = std::max(m_currentY, bottom);
    }
    bool print = band->enabled() && bandPrintCondition(band);
    if (print) {
        breakBeforeBand(band, type);
        notifyController(band);
        printBandBody(band);
        if (!isPageBand(type) && type != TRpBandType::rbColumnHeader)
            m_noForceNewPage = false;
    } else if (!band->enabled()) {
        notifyController(band);
    }
    const auto& afterPrint = band->handlers().afterPrint;
    if (afterPrint && eventsAllowed(band))
        afterPrint(*band, print);
    if (TRpChildBand* child = band->childBand())
        printBandAs(child, type == TRpBandType::rbPageFooter ? TRpBandType::rbPageFooter : child->bandType());
}

bool TRpPass::bandPrintCondition(TRpCustomBand* band)
{
    if (auto condition = m_conditions.value(band)) {
        const TRpEvResult value = condition->value();
        if (value.kind() == TRpEvKind::Boolean && !value.booleanValue())
            return false;
    }
    const auto& beforePrint = band->handlers().beforePrint;
    return !beforePrint || !eventsAllowed(band) || beforePrint(*band);
}

void TRpPass::breakBeforeBand(TRpCustomBand* band, TRpBandType type)
{
    if (m_startingColumn)
        return checkRoomWhileStarting(band, type);
    const bool pageBand = isPageBand(type);
    if (band->forceNewPage() && !pageBand && hasPage()) {
        if (m_noForceNewPage) {
            m_noForceNewPage = false;
        } else {
            do
                columnBreak();
            while (m_currentColumn != 1);
        }
        return;
    }
    if (band->forceNewColumn() && !pageBand && hasPage()) {
        if (m_currentColumn == 1 && !m_newColumnForced)
            m_newColumnForced = true;
        else
            columnBreak();
        return;
    }
    if (type != TRpBandType::rbPageFooter && hasPage() && needsBreakToFit(band))
        columnBreak();
    if (!hasPage())
        columnBreak();
}

bool TRpPass::needsBreakToFit(TRpCustomBand* band) const
{
    const double height = bandHeight(band) + linkedHeight(band);
    return height > spaceLeft() && height <= m_geometry.usableHeight();
}

// The bands a column starts with already stand at the top of a fresh column: forcing a
// new page or column means nothing to them, and one that does not fit would not fit in
// any column either.
void TRpPass::checkRoomWhileStarting(TRpCustomBand* band, TRpBandType type)
{
    if (type != TRpBandType::rbPageFooter && needsBreakToFit(band))
        throw EVelError(noRoomForBand(band));
}

double TRpPass::linkedHeight(TRpCustomBand* band) const
{
    if (!band->linkBand())
        return 0;
    double height = 0;
    QSet<const TRpCustomBand*> seen{band};
    for (TRpCustomBand* linked = band->linkBand(); linked && !seen.contains(linked); linked = linked->linkBand()) {
        seen.insert(linked);
        height += bandHeight(linked);
    }
    return height;
}

void TRpPass::notifyController(TRpCustomBand* band)
{
    if (TRpCustomController* controller = m_notifyTargets.value(band))
        controller->notifyAggregates();
}

void TRpPass::printBandBody(TRpCustomBand* band)
{
    const double height = bandHeight(band);
    if (height <= 0)
        return;
    m_expansions.insert(band, 0);
    m_controlExpansions.clear();
    bool firstIteration = true;
    for (int continuation = 0;; ++continuation) {
        if (continuation > kMaxBandContinuations)
            throw EVelError(QStringLiteral("Band %1 cannot be printed: a control never fits on a page").arg(band->name()));
        if (m_finalPass)
            drawBandBackground(band, height);
        bool allDone = true;
        printControls(band, firstIteration, allDone);
        if (m_finalPass)
            drawFrame(*band->frame(), m_currentX, m_currentY, m_currentX + bandWidth(band),
                      m_currentY + height + expansion(band) + 1);
        if (allDone || isCancelled())
            break;
        // A band printed while a column starts would start the next column the same way.
        if (m_startingColumn)
            throw EVelError(noRoomForBand(band));
        columnBreak();
        m_expansions.insert(band, 0);
        m_controlExpansions.clear();
        firstIteration = false;
    }
    m_currentY += height + expansion(band);
    m_expansions.remove(band);
}

void TRpPass::printControls(TRpCustomBand* band, bool firstIteration, bool& allDone)
{
    for (TControl* control : band->controls()) {
        auto* printable = qobject_cast<TRpPrintable*>(control);
        if (!printable || !printable->enabled())
            continue;
        if (firstIteration || !printable->finished()) {
            m_printingControl = printable;
            printable->print(*this, m_currentX, m_currentY);
            m_printingControl = nullptr;
        }
        allDone = allDone && printable->finished();
    }
}

void TRpPass::drawBandBackground(TRpCustomBand* band, double height)
{
    TRpPrinter* printer = sink();
    QPainter* painter = printer ? printer->painter() : nullptr;
    const QColor color = band->color().toQColor();
    // The page is white already; white bands need no fill.
    if (!painter || !color.isValid() || color == Qt::white)
        return;
    const QRectF rect(m_currentX, m_currentY, bandWidth(band), height);
    painter->fillRect(printer->toDevice(rect), color);
}

void TRpPass::drawFrame(const TRpFrame& frame, double left, double top, double right, double bottom)
{
    TRpPrinter* printer = sink();
    QPainter* painter = printer ? printer->painter() : nullptr;
    if (!painter || !frame.drawsAnything() || frame.style() == TPenStyle::psClear)
        return;
    QPen pen(frame.color().toQColor());
    // Frame widths are points; the device resolution follows from its factor.
    pen.setWidthF(qMax(1, frame.width()) * printer->factorX() * 254.0 / 72.0);
    pen.setStyle(toQtPenStyle(frame.style()));
    painter->save();
    painter->setPen(pen);
    const QPointF topLeft = printer->toDevice(QPointF(left, top));
    const QPointF bottomRight = printer->toDevice(QPointF(right, bottom));
    const QPointF topRight(bottomRight.x(), topLeft.y());
    const QPointF bottomLeft(topLeft.x(), bottomRight.y());
    if (frame.drawTop())
        painter->drawLine(topLeft, topRight);
    if (frame.drawBottom())
        painter->drawLine(bottomLeft, bottomRight);
    if (frame.drawLeft())
        painter->drawLine(topLeft, bottomLeft);
    if (frame.drawRight())
        painter->drawLine(topRight, bottomRight);
    painter->restore();
}

void TRpPass::columnBreak()
{
    const ColumnStart starting(m_startingColumn);
    if (m_currentColumn >= m_geometry.columns) {
        m_currentColumn = 1;
        m_currentX = m_geometry.leftMargin;
        newPage();
    } else {
        const TRpCustomBand* detail = m_report.findBand(TRpBandType::rbDetail);
        const double step = detail ? bandWidth(detail) : m_geometry.defaultColumnStep();
        m_currentX += m_geometry.columnSpace + step;
        m_currentY = m_columnTop;
        ++m_currentColumn;
    }
    setConstant(QStringLiteral("COLUMNNUMBER"), m_currentColumn);
    if (m_currentColumn != 1 || m_pageCount != 1) {
        if (TRpCustomBand* columnHeader = m_report.findBand(TRpBandType::rbColumnHeader))
            printBand(columnHeader);
        if (m_mainController)
            m_mainController->reprintGroupHeaders(m_pageCount);
    }
    // Every column starts like this one; without room in it the report never ends.
    if (spaceLeft() <= 0 && !isCancelled())
        throw EVelError(noRoomOnPage(m_pageCount));
}

void TRpPass::newPage()
{
    if (hasPage())
        endPage();
    if (m_options.exportFilter)
        m_options.exportFilter->newPage();
    ++m_pageCount;
    setConstant(QStringLiteral("PAGENUMBER"), m_pageCount);
    if (TRpPrinter* printer = sink())
        printer->newPage();
    m_currentY = m_geometry.topMargin;
    const auto& onStartPage = m_report.handlers().onStartPage;
    if (onStartPage && eventsAllowed(&m_report))
        onStartPage(m_report);
    if (m_pageCount > 1 || m_report.options().testFlag(TReportOption::FirstPageHeader)) {
        for (TRpCustomBand* band : m_report.bandList()) {
            if (band->bandType() == TRpBandType::rbPageHeader)
                printBand(band);
        }
    }
    m_columnTop = m_currentY;
    if (m_pageCount == 1) {
        const TRpCustomBand* title = m_report.findBand(TRpBandType::rbTitle);
        if (title && title->enabled())
            m_columnTop += bandHeight(title);
    }
}

void TRpPass::endPage()
{
    if (!hasPage())
        return;
    const ColumnStart ending(m_startingColumn);
    m_currentY = m_geometry.printableLength() - m_pageFooterSpace;
    m_currentX = m_geometry.leftMargin;
    if (!m_lastPage || m_report.options().testFlag(TReportOption::LastPageFooter))
        printPageFooters();
    printReportControls();
    if (m_finalPass)
        drawFrame(*m_report.frame(), m_geometry.leftMargin, m_geometry.topMargin,
                  m_geometry.width - m_geometry.rightMargin, m_geometry.printableLength());
    const auto& onEndPage = m_report.handlers().onEndPage;
    if (onEndPage && eventsAllowed(&m_report))
        onEndPage(m_report);
    if (m_options.exportFilter)
        m_options.exportFilter->endPage();
}

void TRpPass::printPageFooters()
{
    for (TRpCustomBand* band : m_report.bandList()) {
        if (band->bandType() == TRpBandType::rbPageFooter)
            printBand(band);
    }
}

void TRpPass::printReportControls()
{
    for (TControl* control : m_report.controls()) {
        auto* printable = qobject_cast<TRpPrintable*>(control);
        if (printable && printable->enabled())
            printable->print(*this, 0, 0);
    }
}
