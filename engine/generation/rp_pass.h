// One generation pass: turns a report and its open datasets into pages on a page sink,
// or into lines for an export filter. The pass keeps the position of the next band, the
// page and column counters and the flags of the run; every band goes through
// printBand, which owns page and column breaks.
#pragma once

#include "engine/generation/rp_page_geometry.h"
#include "engine/rp_print_context.h"
#include "engine/rp_types.h"

#include <QDateTime>
#include <QHash>
#include <QList>

#include <functional>
#include <memory>
#include <vector>

class TEvDataSet;
class TRpBasePanel;
class TRpCustomController;
class TRpEvaluator;
class TRpFrame;
class TRpPrintable;

struct TRpPassOptions {
    // The sink the pages are drawn on; an export pass may go without one.
    TRpPrinter* sink = nullptr;
    // The filter of an export pass; the pass then only counts (nothing is drawn).
    TRpExportFilter* exportFilter = nullptr;
    // Datasets beyond those the report's document owns (those of linked datamodules).
    QList<TDataSet*> extraDataSets;
    // Evaluates each band's Hint as its print condition (the designer's preview and
    // print commands, and the runner, ask for it).
    bool bandConditions = false;
    // Told the progress of the main dataset in percent.
    std::function<void(int percent)> progress;
};

enum class TRpPassOutcome {
    Finished,
    Busy,      // another pass of the report was running
    Refused,   // the report's BeforePrint answered false
    Cancelled, // the sink or the pass was cancelled
};

class TRpPass : public TRpPrintContext {
public:
    TRpPass(TReport& report, TRpPassOptions options);
    ~TRpPass() override;
    TRpPass(const TRpPass&) = delete;
    TRpPass& operator=(const TRpPass&) = delete;

    // Runs the whole pass. Dataset and drawing failures propagate as exceptions after the
    // report, its units and the sink's document were put back in order.
    TRpPassOutcome run();
    void cancel() { m_cancelled = true; }
    bool isCancelled() const;

    // --- TRpPrintContext ---
    TReport* report() const override { return &m_report; }
    TRpPrinter* sink() const override;
    bool finalPass() const override { return m_finalPass; }
    TRpExportFilter* exportFilter() const override { return m_options.exportFilter; }
    TRpEvEnvironment* environment() const override { return m_environment.get(); }
    QList<IRpEvDataSet*> evaluatorDataSets() const override { return m_evaluatorDataSets; }
    IRpEvDataSet* evaluatorDataSet(TDataSet* dataSet) const override;
    void registerAggregate(TComponent* master, TRpExpr* expression) override;
    int pageNumber() const override { return m_pageCount; }
    int detailNumber() const override;
    int detailCount() const override;
    QDateTime printTime() const override;
    std::optional<double> requestExpansion(TRpCustomBand* band, double extra) override;
    double expansion(const TRpCustomBand* band) const override;

    // --- used by the controllers ---
    void printBand(TRpCustomBand* band);
    // Starts page 1 when no page exists yet.
    void ensurePage();
    bool hasPage() const { return m_currentY >= 0; }
    // Lets pending events run (cancel buttons, the preview).
    void yieldToEvents();
    // The band whose printing tells a controller about a detail record.
    void setNotifyTarget(TRpCustomBand* band, TRpCustomController* controller);
    void setNoForceNewPage() { m_noForceNewPage = true; }
    void setRecordCount(int count) { m_recordCount = count; }
    void reportProgress(int detailNumber);
    TRpCustomController* mainController() const { return m_mainController.get(); }
    void enterController(TRpCustomController* controller) { m_running.append(controller); }
    void leaveController() { m_running.removeLast(); }

    // Position of the next band and the page counters, in native units.
    double currentX() const { return m_currentX; }
    double currentY() const { return m_currentY; }
    int currentColumn() const { return m_currentColumn; }
    double columnTop() const { return m_columnTop; }
    double pageFooterSpace() const { return m_pageFooterSpace; }
    const TRpPageGeometry& geometry() const { return m_geometry; }
    // Room left below the next band's position on the page (or column).
    double spaceLeft() const;

private:
    void start();
    void finish();
    void applySinkSettings();
    void collectDataSets();
    void prepareEnvironment();
    void preparePrintables();
    void unpreparePrintables();
    void prepareBandConditions();

    // A child of a page footer prints as a page footer.
    void printBandAs(TRpCustomBand* band, TRpBandType type);
    bool bandPrintCondition(TRpCustomBand* band);
    void printBandBody(TRpCustomBand* band);
    void breakBeforeBand(TRpCustomBand* band, TRpBandType type);
    bool needsBreakToFit(TRpCustomBand* band) const;
    void checkRoomWhileStarting(TRpCustomBand* band, TRpBandType type);
    void printControls(TRpCustomBand* band, bool firstIteration, bool& allDone);
    void drawBandBackground(TRpCustomBand* band, double height);
    void drawFrame(const TRpFrame& frame, double left, double top, double right, double bottom);
    void notifyController(TRpCustomBand* band);
    double linkedHeight(TRpCustomBand* band) const;

    void columnBreak();
    void newPage();
    void endPage();
    void printPageFooters();
    void printReportControls();
    void setConstant(const QString& name, int value);

    TReport& m_report;
    TRpPassOptions m_options;
    TRpPageGeometry m_geometry;
    std::unique_ptr<TRpEvEnvironment> m_environment;
    std::vector<std::unique_ptr<TEvDataSet>> m_dataSetAdapters;
    QHash<TDataSet*, IRpEvDataSet*> m_adapterOf;
    QList<IRpEvDataSet*> m_evaluatorDataSets;
    std::unique_ptr<TRpCustomController> m_mainController;
    QList<TRpCustomController*> m_running;
    QHash<TRpCustomBand*, TRpCustomController*> m_notifyTargets;
    QHash<const TRpCustomBand*, double> m_expansions;
    // What each control of the band being printed asked for so far.
    QHash<const TRpPrintable*, double> m_controlExpansions;
    const TRpPrintable* m_printingControl = nullptr;
    QHash<TRpCustomBand*, std::shared_ptr<TRpEvaluator>> m_conditions;
    QList<TRpPrintable*> m_printables;

    double m_currentX = 0;
    double m_currentY = -1;
    int m_pageCount = 0;
    int m_currentColumn = 1;
    double m_columnTop = 0;
    double m_pageFooterSpace = 0;
    int m_recordCount = 1;
    int m_lastProgress = -1;

    bool m_finalPass = true;
    bool m_cancelled = false;
    bool m_lastPage = false;
    bool m_noForceNewPage = false;
    bool m_newColumnForced = false;
    // Set while a column (or page) is started: the last page's footers, the page header,
    // the column header and reprinted group headers print then, and none may break again.
    bool m_startingColumn = false;
    TRpUnit m_savedUnits = TRpUnit::MM;
};
