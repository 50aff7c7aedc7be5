// The report root: page, fonts, bands and their order, units and zoom, and the
// design-time layout of the bands.
#pragma once

#include "core/method.h"
#include "core/strings.h"
#include "data/dataset.h"
#include "engine/rp_base_panel.h"
#include "engine/rp_bands.h"
#include "engine/rp_types.h"
#include "engine/rp_units.h"

#include <QPointer>

#include <functional>
#include <optional>

class TReport;

// The C++ handlers report generation calls for the report's events; the script layer
// binds them to the procedures the event properties name.
struct TReportHandlers {
    // Answers false to cancel the pass before anything is printed.
    std::function<bool(TReport& report)> beforePrint;
    std::function<void(TReport& report)> onStartPage;
    std::function<void(TReport& report)> onEndPage;
    // Answers whether there is another record, for a report without a usable dataset.
    std::function<bool(TReport& report)> onNeedData;
    std::function<void(TReport& report)> afterPrint;
    std::function<void(TReport& report)> afterPreview;
};

// What a design surface offers the report: the owner of new components, its own
// unique-name rule, and a place to show messages.
class IRpDesignHost {
public:
    virtual ~IRpDesignHost() = default;
    virtual TComponent* designOwner() = 0;
    // The surface's rule: the base alone when it is free, else base followed by 1, 2 ...
    virtual QString uniqueName(const QString& base) = 0;
    virtual void showMessage(const QString& text) = 0;
};

// The report's band slots: whether a band of each main type exists.
class TReportBands : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(bool HasTitle READ hasTitle WRITE setHasTitle STORED false)
    Q_PROPERTY(bool HasPageHeader READ hasPageHeader WRITE setHasPageHeader STORED false)
    Q_PROPERTY(bool HasColumnHeader READ hasColumnHeader WRITE setHasColumnHeader STORED false)
    Q_PROPERTY(bool HasDetail READ hasDetail WRITE setHasDetail STORED false)
    Q_PROPERTY(bool HasPageFooter READ hasPageFooter WRITE setHasPageFooter STORED false)
    Q_PROPERTY(bool HasSummary READ hasSummary WRITE setHasSummary STORED false)
public:
    explicit TReportBands(TReport* report);

    bool has(TRpBandType type) const;
    void set(TRpBandType type, bool has);

    bool hasTitle() const { return has(TRpBandType::rbTitle); }
    void setHasTitle(bool v) { set(TRpBandType::rbTitle, v); }
    bool hasPageHeader() const { return has(TRpBandType::rbPageHeader); }
    void setHasPageHeader(bool v) { set(TRpBandType::rbPageHeader, v); }
    bool hasColumnHeader() const { return has(TRpBandType::rbColumnHeader); }
    void setHasColumnHeader(bool v) { set(TRpBandType::rbColumnHeader, v); }
    bool hasDetail() const { return has(TRpBandType::rbDetail); }
    void setHasDetail(bool v) { set(TRpBandType::rbDetail, v); }
    bool hasPageFooter() const { return has(TRpBandType::rbPageFooter); }
    void setHasPageFooter(bool v) { set(TRpBandType::rbPageFooter, v); }
    bool hasSummary() const { return has(TRpBandType::rbSummary); }
    void setHasSummary(bool v) { set(TRpBandType::rbSummary, v); }

private:
    TReport* m_report;
};

class TReportPrinterSettings : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int Copies READ copies WRITE setCopies)
    Q_PROPERTY(bool Duplex READ duplex WRITE setDuplex)
    Q_PROPERTY(int FirstPage READ firstPage WRITE setFirstPage)
    Q_PROPERTY(int LastPage READ lastPage WRITE setLastPage)
    Q_PROPERTY(Rp::TRpBin OutputBin READ outputBin WRITE setOutputBin)
public:
    explicit TReportPrinterSettings(QObject* parent = nullptr);

    int copies() const { return m_copies; }
    void setCopies(int copies) { m_copies = copies; }
    bool duplex() const { return m_duplex; }
    void setDuplex(bool duplex) { m_duplex = duplex; }
    // 0 and 0 mean all pages.
    int firstPage() const { return m_firstPage; }
    void setFirstPage(int page) { m_firstPage = page; }
    int lastPage() const { return m_lastPage; }
    void setLastPage(int page) { m_lastPage = page; }
    TRpBin outputBin() const { return m_outputBin; }
    void setOutputBin(TRpBin bin) { m_outputBin = bin; }

private:
    int m_copies = 1;
    bool m_duplex = false;
    int m_firstPage = 0;
    int m_lastPage = 0;
    TRpBin m_outputBin = TRpBin::Auto;
};

// The report's named constants for expressions: names as the lines of the list, the
// expression texts beside them, stored as the extra list "DATA".
class TRpFunctions : public TStrings {
    Q_OBJECT
public:
    explicit TRpFunctions(QObject* parent = nullptr);

    QStringList expressions() const;
    QString expression(const QString& name) const;
    // Adds the constant, or replaces the expression of an existing one (names compared
    // without regard to case).
    void setExpression(const QString& name, const QString& expression);
    void setEntries(const QStringList& names, const QStringList& expressions);

    void defineProperties(TPropertyDefiner& definer) override;
    void assign(const TPersistent& source) override;

private:
    QStringList m_expressions;
};

class TCustomReport : public TRpBasePanel {
    Q_OBJECT
public:
    static constexpr int kMinZoom = 1;
    static constexpr int kMaxZoom = 300;

    explicit TCustomReport(TComponent* owner = nullptr);
    ~TCustomReport() override;
};

class TReport : public TCustomReport {
    Q_OBJECT
    Q_PROPERTY(TReportBands* Bands READ bandSlots)
    Q_PROPERTY(TDataSet* DataSet READ dataSet WRITE setDataSet)
    Q_PROPERTY(TStrings* Description READ description WRITE setDescription)
    Q_PROPERTY(TFont* Font READ font WRITE setFont)
    Q_PROPERTY(TRpFrame* Frame READ frame WRITE setFrame)
    Q_PROPERTY(TRpFunctions* Functions READ functions WRITE setFunctions)
    Q_PROPERTY(Rp::TReportOptions Options READ options WRITE setOptions)
    Q_PROPERTY(TRpPage* Page READ page WRITE setPage)
    Q_PROPERTY(TReportPrinterSettings* PrinterSettings READ printerSettings WRITE setPrinterSettings)
    Q_PROPERTY(bool PrintIfEmpty READ printIfEmpty WRITE setPrintIfEmpty)
    Q_PROPERTY(QString ReportTitle READ reportTitle WRITE setReportTitle)
    Q_PROPERTY(bool ShowProgress READ showProgress WRITE setShowProgress)
    Q_PROPERTY(bool SnapToGrid READ snapToGrid WRITE setSnapToGrid)
    Q_PROPERTY(Rp::TRpUnit Units READ units WRITE setUnits)
    Q_PROPERTY(int Zoom READ zoom WRITE setZoom)
    Q_PROPERTY(TMethod AfterPrint READ afterPrint WRITE setAfterPrint)
    Q_PROPERTY(TMethod AfterPreview READ afterPreview WRITE setAfterPreview)
    Q_PROPERTY(TMethod BeforePrint READ beforePrint WRITE setBeforePrint)
    Q_PROPERTY(TMethod OnEndPage READ onEndPage WRITE setOnEndPage)
    Q_PROPERTY(TMethod OnNeedData READ onNeedData WRITE setOnNeedData)
    Q_PROPERTY(TMethod OnPreview READ onPreview WRITE setOnPreview)
    Q_PROPERTY(TMethod OnStartPage READ onStartPage WRITE setOnStartPage)
    Q_CLASSINFO("default:ShowProgress", "True")
public:
    explicit TReport(TComponent* owner = nullptr);
    ~TReport() override;

    TReportBands* bandSlots() const { return m_bandSlots; }
    TDataSet* dataSet() const { return m_dataSet; }
    void setDataSet(TDataSet* dataSet) { m_dataSet = dataSet; }
    TStrings* description() const { return m_description; }
    void setDescription(TStrings* lines);
    TRpFunctions* functions() const { return m_functions; }
    void setFunctions(TRpFunctions* functions);
    TReportOptions options() const { return m_options; }
    void setOptions(TReportOptions options) { m_options = options; }
    TRpPage* page() const { return m_page; }
    void setPage(TRpPage* page);
    TReportPrinterSettings* printerSettings() const { return m_printerSettings; }
    void setPrinterSettings(TReportPrinterSettings* settings);
    bool printIfEmpty() const { return m_printIfEmpty; }
    void setPrintIfEmpty(bool print) { m_printIfEmpty = print; }
    QString reportTitle() const { return m_reportTitle; }
    void setReportTitle(const QString& title) { m_reportTitle = title; }
    bool showProgress() const { return m_showProgress; }
    void setShowProgress(bool show) { m_showProgress = show; }
    bool snapToGrid() const { return m_snapToGrid; }
    void setSnapToGrid(bool snap) { m_snapToGrid = snap; }
    TRpUnit units() const { return m_units; }
    void setUnits(TRpUnit units);
    int zoom() const { return m_zoom; }
    void setZoom(int zoom);

    TMethod afterPrint() const { return m_afterPrint; }
    void setAfterPrint(const TMethod& h) { m_afterPrint = h; }
    TMethod afterPreview() const { return m_afterPreview; }
    void setAfterPreview(const TMethod& h) { m_afterPreview = h; }
    TMethod beforePrint() const { return m_beforePrint; }
    void setBeforePrint(const TMethod& h) { m_beforePrint = h; }
    TMethod onEndPage() const { return m_onEndPage; }
    void setOnEndPage(const TMethod& h) { m_onEndPage = h; }
    TMethod onNeedData() const { return m_onNeedData; }
    void setOnNeedData(const TMethod& h) { m_onNeedData = h; }
    TMethod onPreview() const { return m_onPreview; }
    void setOnPreview(const TMethod& h) { m_onPreview = h; }
    TMethod onStartPage() const { return m_onStartPage; }
    void setOnStartPage(const TMethod& h) { m_onStartPage = h; }
    TReportHandlers& handlers() { return m_handlers; }
    const TReportHandlers& handlers() const { return m_handlers; }

    // False while a generation pass runs; a second pass is refused meanwhile.
    bool available() const { return m_available; }
    void setAvailable(bool available) { m_available = available; }

    // The bands in print order (see reorderBands).
    const QList<TRpCustomBand*>& bandList() const { return m_bandList; }
    // The first band of the list whose type is `type`, or null.
    TRpCustomBand* findBand(TRpBandType type) const;

    // Rebuilds the print order: page headers, titles, column headers, the bands of the
    // record loops (groups, details, sub-details, group footers, summaries), page
    // footers, then the rest; each band followed by its chain of child bands.
    void reorderBands();
    // Lays the bands out one below the other on the page at the current zoom.
    void stackBands();

    // The design surface the report is on, if any.
    IRpDesignHost* designHost() const { return m_designHost; }
    void setDesignHost(IRpDesignHost* host) { m_designHost = host; }
    // A new band of `type` created by the model (band slots, HasChild, sub-detail
    // slots), named and owned by the model's rules and placed on the report.
    template <class Band>
    Band* createBand(TRpBandType type, bool forSlot = false);
    // Shows a message on the design surface; off a surface it is dropped.
    void reportMessage(const QString& text);

    // Native geometry in pixels at the zoom, through the page's unit object.
    int pixels(double native) const { return m_page->toPixels(native); }

    void loaded() override;
    void setDesigning(bool designing) override;

    // Called by the band and control classes when their unit objects need the report's
    // units, zoom and font.
    void adoptUnits(TRpUnitBase* units) const;

protected:
    void controlsChanged() override;
    void fontChanged() override;
    void notification(TComponent* component, Operation operation) override;

private:
    void initialisePage();
    void updateOwnBounds();
    QString newBandName(TRpBandType type, bool forSlot, TComponent* owner) const;
    TComponent* newBandOwner();
    void forEachUnitObject(const std::function<void(TRpUnitBase*)>& apply);
    void updateAllBounds();

    TReportBands* m_bandSlots;
    TComponentRef<TDataSet> m_dataSet;
    TStrings* m_description;
    TRpFunctions* m_functions;
    TReportOptions m_options = TReportOption::FirstPageHeader | TReportOption::LastPageFooter;
    TRpPage* m_page;
    TReportPrinterSettings* m_printerSettings;
    bool m_printIfEmpty = true;
    QString m_reportTitle;
    bool m_showProgress = true;
    bool m_snapToGrid = true;
    TRpUnit m_units = TRpUnit::MM;
    int m_zoom = 100;
    TMethod m_afterPrint, m_afterPreview, m_beforePrint, m_onEndPage, m_onNeedData, m_onPreview, m_onStartPage;
    TReportHandlers m_handlers;
    bool m_available = true;

    QList<TRpCustomBand*> m_bandList;
    IRpDesignHost* m_designHost = nullptr;
    bool m_reordering = false;
};

namespace reportdefaults {
// Whether the user's locale measures in inches (the US system).
bool usesUsMeasurement();
// The paper size of the current printer; A4, or Letter on US locales, when there is no
// printer. Replaceable, so that the printing layer can answer for the real printer.
using PaperSource = std::function<TRpPaperSize()>;
void setPrinterPaperSource(PaperSource source);
TRpPaperSize printerPaperSize();
} // namespace reportdefaults

template <class Band>
Band* TReport::createBand(TRpBandType type, bool forSlot)
{
    TComponent* owner = newBandOwner();
    auto* band = new Band(owner);
    band->setNameUnchecked(newBandName(type, forSlot, owner));
    if constexpr (std::is_same_v<Band, TRpBand>)
        band->setBandType(type);
    band->setParentControl(this);
    return band;
}
