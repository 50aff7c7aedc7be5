// The bands of a report: the common band behaviour and the band classes.
#pragma once

#include "core/font.h"
#include "core/method.h"
#include "core/strings.h"
#include "engine/rp_base_panel.h"
#include "engine/rp_types.h"
#include "engine/rp_units.h"
#include "data/dataset.h"

#include <QPointer>

#include <functional>

class TDataSet;
class TReport;
class TRpChildBand;
class TRpCustomBand;
class TRpSubDetail;

// The C++ handlers report generation calls for a band's events; the script layer binds
// them to the procedures the event properties name.
struct TRpBandHandlers {
    // Answers whether the band prints.
    std::function<bool(TRpCustomBand& band)> beforePrint;
    // Told whether the band printed.
    std::function<void(TRpCustomBand& band, bool printed)> afterPrint;
};

class TRpCustomBand : public TRpBasePanel {
    Q_OBJECT
    Q_PROPERTY(bool AlignToBottom READ alignToBottom WRITE setAlignToBottom)
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(TFont* Font READ font WRITE setFont)
    Q_PROPERTY(bool ParentFont READ parentFont WRITE setParentFont)
    Q_PROPERTY(bool ForceNewColumn READ forceNewColumn WRITE setForceNewColumn)
    Q_PROPERTY(bool ForceNewPage READ forceNewPage WRITE setForceNewPage)
    Q_PROPERTY(TRpFrame* Frame READ frame WRITE setFrame)
    Q_PROPERTY(bool HasChild READ hasChild WRITE setHasChild STORED false)
    Q_PROPERTY(TRpCustomBand* LinkBand READ linkBand WRITE setLinkBand)
    Q_PROPERTY(TRpBandSize* Size READ size WRITE setSize)
    Q_PROPERTY(TMethod BeforePrint READ beforePrint WRITE setBeforePrint)
    Q_PROPERTY(TMethod AfterPrint READ afterPrint WRITE setAfterPrint)
    Q_CLASSINFO("default:ParentFont", "True")
public:
    static constexpr int kNewBandHeightPixels = 40;

    explicit TRpCustomBand(TComponent* owner = nullptr);
    ~TRpCustomBand() override;

    // The band's own type; for a child band the type of the first non-child band up
    // its parent chain counts where the layout asks for it (see layoutType()).
    virtual TRpBandType bandType() const = 0;
    TRpBandType layoutType() const;

    TReport* report() const;

    bool alignToBottom() const { return m_alignToBottom; }
    void setAlignToBottom(bool align) { m_alignToBottom = align; }
    bool forceNewColumn() const { return m_forceNewColumn; }
    void setForceNewColumn(bool force) { m_forceNewColumn = force; }
    bool forceNewPage() const { return m_forceNewPage; }
    void setForceNewPage(bool force) { m_forceNewPage = force; }

    // The child band printed right after this one, if any.
    TRpChildBand* childBand() const;
    bool hasChild() const { return childBand() != nullptr; }
    void setHasChild(bool hasChild);

    TRpCustomBand* linkBand() const { return m_linkBand; }
    void setLinkBand(TRpCustomBand* band);

    TRpBandSize* size() const { return m_size; }
    void setSize(TRpBandSize* size);

    TMethod beforePrint() const { return m_beforePrint; }
    void setBeforePrint(const TMethod& handler) { m_beforePrint = handler; }
    TMethod afterPrint() const { return m_afterPrint; }
    void setAfterPrint(const TMethod& handler) { m_afterPrint = handler; }
    TRpBandHandlers& handlers() { return m_handlers; }
    const TRpBandHandlers& handlers() const { return m_handlers; }

    // Recomputes the pixel bounds from the native size at the current zoom.
    void updateBounds();
    void setBounds(int left, int top, int width, int height) override;
    void loaded() override;

    // What the design surface shows as the band's type.
    virtual QString displayName() const { return bandTypeDisplayName(bandType()); }

protected:
    void parentChanged() override;
    // Tells the report that the band order may have changed.
    void orderChanged();
    // Refuses (and reports) a reference that would lead back to this band.
    bool refuseCircular(bool circular);

private:
    bool m_alignToBottom = false;
    bool m_forceNewColumn = false;
    bool m_forceNewPage = false;
    TComponentRef<TRpCustomBand> m_linkBand;
    TRpBandSize* m_size;
    TMethod m_beforePrint;
    TMethod m_afterPrint;
    TRpBandHandlers m_handlers;
    int m_loadedHeight = -1;
    bool m_updatingBounds = false;
};

class TRpBand : public TRpCustomBand {
    Q_OBJECT
    Q_PROPERTY(Rp::TRpBandType BandType READ bandType WRITE setBandType)
public:
    explicit TRpBand(TComponent* owner = nullptr);

    TRpBandType bandType() const override { return m_bandType; }
    void setBandType(TRpBandType type);

private:
    TRpBandType m_bandType = TRpBandType::rbDetail;
};

class TRpChildBand : public TRpCustomBand {
    Q_OBJECT
    Q_PROPERTY(TRpCustomBand* ParentBand READ parentBand WRITE setParentBand)
public:
    explicit TRpChildBand(TComponent* owner = nullptr);

    TRpBandType bandType() const override { return TRpBandType::rbChild; }
    TRpCustomBand* parentBand() const { return m_parentBand; }
    void setParentBand(TRpCustomBand* band);

private:
    TComponentRef<TRpCustomBand> m_parentBand;
};

// Group header band, controlled by an expression.
class TRpGroup : public TRpCustomBand {
    Q_OBJECT
    Q_PROPERTY(QString Expression READ expression WRITE setExpression)
    Q_PROPERTY(TRpBand* FooterBand READ footerBand WRITE setFooterBand)
    Q_PROPERTY(TRpBasePanel* Master READ master WRITE setMaster)
    Q_PROPERTY(bool ReprintOnNewPage READ reprintOnNewPage WRITE setReprintOnNewPage)
public:
    explicit TRpGroup(TComponent* owner = nullptr);

    TRpBandType bandType() const override { return TRpBandType::rbGroupHeader; }
    QString expression() const { return m_expression; }
    void setExpression(const QString& expression) { m_expression = expression; }
    TRpBand* footerBand() const { return m_footerBand; }
    void setFooterBand(TRpBand* band);
    TRpBasePanel* master() const { return m_master; }
    void setMaster(TRpBasePanel* master);
    bool reprintOnNewPage() const { return m_reprintOnNewPage; }
    void setReprintOnNewPage(bool reprint) { m_reprintOnNewPage = reprint; }

protected:
    void parentChanged() override;

private:
    QString m_expression;
    TComponentRef<TRpBand> m_footerBand;
    TComponentRef<TRpBasePanel> m_master;
    bool m_reprintOnNewPage = false;
};

// A band that drives its own record loop under its master.
class TRpControllerBand : public TRpCustomBand {
    Q_OBJECT
    Q_PROPERTY(TRpBasePanel* Master READ master WRITE setMaster)
    Q_PROPERTY(bool PrintBefore READ printBefore WRITE setPrintBefore)
public:
    explicit TRpControllerBand(TComponent* owner = nullptr);

    TRpBandType bandType() const override { return TRpBandType::rbSubDetail; }
    TRpBasePanel* master() const { return m_master; }
    void setMaster(TRpBasePanel* master);
    bool printBefore() const { return m_printBefore; }
    void setPrintBefore(bool printBefore);

protected:
    void parentChanged() override;

private:
    TComponentRef<TRpBasePanel> m_master;
    bool m_printBefore = false;
};

class TRpSubDetail;

// The header and footer slots of a sub-detail band.
class TRpSubDetailGroupBands : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(bool HasHeader READ hasHeader WRITE setHasHeader STORED false)
    Q_PROPERTY(bool HasFooter READ hasFooter WRITE setHasFooter STORED false)
public:
    explicit TRpSubDetailGroupBands(TRpSubDetail* owner);

    bool hasHeader() const;
    void setHasHeader(bool has);
    bool hasFooter() const;
    void setHasFooter(bool has);

private:
    TRpSubDetail* m_subDetail;
};

class TRpSubDetail : public TRpControllerBand {
    Q_OBJECT
    Q_PROPERTY(TRpSubDetailGroupBands* Bands READ bands)
    Q_PROPERTY(TDataSet* DataSet READ dataSet WRITE setDataSet)
    Q_PROPERTY(TRpBand* HeaderBand READ headerBand WRITE setHeaderBand)
    Q_PROPERTY(TRpBand* FooterBand READ footerBand WRITE setFooterBand)
    Q_PROPERTY(bool PrintIfEmpty READ printIfEmpty WRITE setPrintIfEmpty)
    Q_PROPERTY(TMethod OnNeedData READ onNeedData WRITE setOnNeedData)
public:
    explicit TRpSubDetail(TComponent* owner = nullptr);

    TRpSubDetailGroupBands* bands() const { return m_bands; }
    TDataSet* dataSet() const;
    void setDataSet(TDataSet* dataSet);
    TRpBand* headerBand() const { return m_headerBand; }
    void setHeaderBand(TRpBand* band);
    TRpBand* footerBand() const { return m_footerBand; }
    void setFooterBand(TRpBand* band);
    bool printIfEmpty() const { return m_printIfEmpty; }
    void setPrintIfEmpty(bool print) { m_printIfEmpty = print; }
    TMethod onNeedData() const { return m_onNeedData; }
    void setOnNeedData(const TMethod& handler) { m_onNeedData = handler; }
    // The C++ handler of OnNeedData: answers whether there is another record to print.
    std::function<bool(TRpSubDetail& band)> needDataHandler;

private:
    TRpSubDetailGroupBands* m_bands;
    TComponentRef<TDataSet> m_dataSet;
    TComponentRef<TRpBand> m_headerBand;
    TComponentRef<TRpBand> m_footerBand;
    bool m_printIfEmpty = true;
    TMethod m_onNeedData;
};

class TRpLoopBand : public TRpControllerBand {
    Q_OBJECT
    Q_PROPERTY(int PrintCount READ printCount WRITE setPrintCount)
public:
    explicit TRpLoopBand(TComponent* owner = nullptr);

    int printCount() const { return m_printCount; }
    void setPrintCount(int count) { m_printCount = count; }
    QString displayName() const override { return QStringLiteral("LoopBand"); }

private:
    int m_printCount = 0;
};

class TRpStringsBand : public TRpControllerBand {
    Q_OBJECT
    Q_PROPERTY(TStrings* Items READ items WRITE setItems)
public:
    explicit TRpStringsBand(TComponent* owner = nullptr);

    TStrings* items() const { return m_items; }
    void setItems(TStrings* items);
    QString displayName() const override { return QStringLiteral("StringsBand"); }

private:
    TStrings* m_items;
};
