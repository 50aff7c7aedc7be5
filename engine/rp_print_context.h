// What report generation offers the controls it prints: the page sink and export filter
// of the pass, the expression services, the counters shown by system values, and band
// expansion for controls that stretch. Generation implements it; controls only use it.
#pragma once

#include <QDateTime>
#include <QList>

#include <optional>

class IRpEvDataSet;
class TComponent;
class TDataSet;
class TReport;
class TRpCustomBand;
class TRpExportFilter;
class TRpEvEnvironment;
class TRpExpr;
class TRpPrinter;

class TRpPrintContext {
public:
    virtual ~TRpPrintContext() = default;

    virtual TReport* report() const = 0;
    // The sink pages are drawn on; null in a counting pass.
    virtual TRpPrinter* sink() const = 0;
    // True when drawing really happens (false during the counting pass of an export).
    virtual bool finalPass() const = 0;
    // The filter of an export pass, null otherwise.
    virtual TRpExportFilter* exportFilter() const = 0;

    // Expression services: the report's environment and the datasets fields come from.
    virtual TRpEvEnvironment* environment() const = 0;
    virtual QList<IRpEvDataSet*> evaluatorDataSets() const = 0;
    // The evaluator's view of one dataset (for database controls); null when unknown.
    virtual IRpEvDataSet* evaluatorDataSet(TDataSet* dataSet) const = 0;
    // Registers an aggregate expression with the controller of `master` (the report, or
    // a sub-detail band); it is told about every detail record that controller prints.
    virtual void registerAggregate(TComponent* master, TRpExpr* expression) = 0;

    // Counters and values of system data controls.
    virtual int pageNumber() const = 0;
    virtual int detailNumber() const = 0;
    virtual int detailCount() const = 0;
    virtual QDateTime printTime() const = 0;

    // Band expansion: a stretching control asks its band for `extra` native units more.
    // Gives the band's new total expansion, or nothing when the space left on the page
    // or column refuses it.
    virtual std::optional<double> requestExpansion(TRpCustomBand* band, double extra) = 0;
    virtual double expansion(const TRpCustomBand* band) const = 0;
};
