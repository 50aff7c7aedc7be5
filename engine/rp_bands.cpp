#include "engine/rp_bands.h"

#include "engine/rp_report.h"

#include <QSet>

namespace {
constexpr const char* kCircular = "Circular linking not allowed";
// Longest chain followed before a chain counts as circular; a guard for damaged files.
constexpr int kMaxChain = 10000;
} // namespace

TRpCustomBand::TRpCustomBand(TComponent* owner) : TRpBasePanel(owner), m_size(new TRpBandSize(this))
{
    setColor(clWhite);
    m_size->setNativeValue(TRpBandSize::HeightValue, m_size->fromPixels(kNewBandHeightPixels));
    m_size->setOnChange([this] { updateBounds(); });
    updateBounds();
}

TRpCustomBand::~TRpCustomBand()
{
    // Taken off the report first, so that the report re-orders without this band.
    beginDestroy();
    m_size->setOnChange({});
    setParentControl(nullptr);
}

TRpBandType TRpCustomBand::layoutType() const
{
    const TRpCustomBand* band = this;
    for (int guard = 0; band && guard < kMaxChain; ++guard) {
        auto* child = qobject_cast<const TRpChildBand*>(band);
        if (!child)
            return band->bandType();
        band = child->parentBand();
    }
    return TRpBandType::rbChild;
}

TReport* TRpCustomBand::report() const
{
    return qobject_cast<TReport*>(parentControl());
}

TRpChildBand* TRpCustomBand::childBand() const
{
    TReport* owningReport = report();
    if (!owningReport)
        return nullptr;
    for (TControl* control : owningReport->controls()) {
        auto* child = qobject_cast<TRpChildBand*>(control);
        if (child && child->parentBand() == this)
            return child;
    }
    return nullptr;
}

void TRpCustomBand::setHasChild(bool hasChild)
{
    TRpChildBand* child = childBand();
    if (hasChild == (child != nullptr))
        return;
    TReport* owningReport = report();
    if (!owningReport)
        return;
    if (hasChild) {
        auto* created = owningReport->createBand<TRpChildBand>(TRpBandType::rbChild);
        created->setParentBand(this);
        return;
    }
    if (TRpChildBand* grandchild = child->childBand())
        grandchild->setParentBand(this);
    delete child;
}

void TRpCustomBand::setLinkBand(TRpCustomBand* band)
{
    bool circular = false;
    int guard = 0;
    for (TRpCustomBand* link = band; link && !circular; link = link->linkBand())
        circular = link == this || ++guard > kMaxChain;
    if (refuseCircular(circular))
        return;
    m_linkBand = band;
    orderChanged();
}

bool TRpCustomBand::refuseCircular(bool circular)
{
    if (circular) {
        if (TReport* owningReport = report())
            owningReport->reportMessage(QString::fromLatin1(kCircular));
    }
    return circular;
}

void TRpCustomBand::setSize(TRpBandSize* size)
{
    if (size && size != m_size)
        m_size->assign(*size);
}

void TRpCustomBand::updateBounds()
{
    const int oldHeight = height();
    m_updatingBounds = true;
    TControl::setBounds(left(), top(), m_size->toPixels(m_size->nativeValue(TRpBandSize::WidthValue)),
                        m_size->toPixels(m_size->nativeValue(TRpBandSize::HeightValue)));
    m_updatingBounds = false;
    if (height() != oldHeight && !isLoading())
        if (TReport* owningReport = report())
            owningReport->stackBands();
}

void TRpCustomBand::setBounds(int left, int top, int width, int height)
{
    if (isLoading()) {
        m_loadedHeight = height;
        TControl::setBounds(left, top, this->width(), this->height());
        return;
    }
    if (!m_updatingBounds) {
        if (width != this->width())
            m_size->setNativeValue(TRpBandSize::WidthValue, m_size->fromPixels(width));
        if (height != this->height())
            m_size->setNativeValue(TRpBandSize::HeightValue, m_size->fromPixels(height));
    }
    TControl::setBounds(left, top, width, height);
}

void TRpCustomBand::loaded()
{
    if (m_loadedHeight >= 0 && m_loadedHeight != kNewBandHeightPixels && height() == kNewBandHeightPixels)
        m_size->setNativeValue(TRpBandSize::HeightValue, m_size->fromPixels(m_loadedHeight));
    m_loadedHeight = -1;
    updateBounds();
}

void TRpCustomBand::parentChanged()
{
    if (TReport* owningReport = report())
        owningReport->adoptUnits(m_size);
    updateBounds();
}

void TRpCustomBand::orderChanged()
{
    if (TReport* owningReport = report()) {
        owningReport->reorderBands();
        owningReport->stackBands();
    }
}

TRpBand::TRpBand(TComponent* owner) : TRpCustomBand(owner) {}

void TRpBand::setBandType(TRpBandType type)
{
    m_bandType = type;
    orderChanged();
}

TRpChildBand::TRpChildBand(TComponent* owner) : TRpCustomBand(owner) {}

void TRpChildBand::setParentBand(TRpCustomBand* band)
{
    bool circular = false;
    int guard = 0;
    for (TRpCustomBand* parent = band; parent && !circular;) {
        circular = parent == this || ++guard > kMaxChain;
        auto* child = qobject_cast<TRpChildBand*>(parent);
        parent = child ? child->parentBand() : nullptr;
    }
    if (refuseCircular(circular))
        return;
    m_parentBand = band;
    orderChanged();
}

namespace {

// Follows masters through controller bands; true when the chain reaches `self`.
bool leadsBackTo(TRpBasePanel* master, const TRpCustomBand* self)
{
    int guard = 0;
    for (TRpBasePanel* current = master; current; ++guard) {
        if (current == self || guard > kMaxChain)
            return true;
        auto* controller = qobject_cast<TRpControllerBand*>(current);
        current = controller ? controller->master() : nullptr;
    }
    return false;
}

void adoptMasterOnReport(TRpCustomBand* band, TRpBasePanel* master, const std::function<void(TRpBasePanel*)>& set)
{
    if (!master && band->report())
        set(band->report());
}

} // namespace

TRpGroup::TRpGroup(TComponent* owner) : TRpCustomBand(owner) {}

void TRpGroup::setFooterBand(TRpBand* band)
{
    m_footerBand = band;
    if (band && band->bandType() != TRpBandType::rbGroupFooter)
        band->setBandType(TRpBandType::rbGroupFooter);
    orderChanged();
}

void TRpGroup::setMaster(TRpBasePanel* master)
{
    if (refuseCircular(leadsBackTo(master, this)))
        return;
    m_master = master;
    orderChanged();
}

void TRpGroup::parentChanged()
{
    TRpCustomBand::parentChanged();
    if (!isLoading())
        adoptMasterOnReport(this, m_master, [this](TRpBasePanel* m) { m_master = m; });
}

TRpControllerBand::TRpControllerBand(TComponent* owner) : TRpCustomBand(owner) {}

void TRpControllerBand::setMaster(TRpBasePanel* master)
{
    if (refuseCircular(leadsBackTo(master, this)))
        return;
    m_master = master;
    orderChanged();
}

void TRpControllerBand::setPrintBefore(bool printBefore)
{
    m_printBefore = printBefore;
    orderChanged();
}

void TRpControllerBand::parentChanged()
{
    TRpCustomBand::parentChanged();
    if (!isLoading())
        adoptMasterOnReport(this, m_master, [this](TRpBasePanel* m) { m_master = m; });
}

TRpSubDetailGroupBands::TRpSubDetailGroupBands(TRpSubDetail* owner) : TPersistent(owner), m_subDetail(owner) {}

bool TRpSubDetailGroupBands::hasHeader() const
{
    return m_subDetail->headerBand() != nullptr;
}

bool TRpSubDetailGroupBands::hasFooter() const
{
    return m_subDetail->footerBand() != nullptr;
}

void TRpSubDetailGroupBands::setHasHeader(bool has)
{
    if (has == hasHeader())
        return;
    TReport* report = m_subDetail->report();
    if (has && report)
        m_subDetail->setHeaderBand(report->createBand<TRpBand>(TRpBandType::rbGroupHeader));
    else if (!has)
        delete m_subDetail->headerBand();
}

void TRpSubDetailGroupBands::setHasFooter(bool has)
{
    if (has == hasFooter())
        return;
    TReport* report = m_subDetail->report();
    if (has && report)
        m_subDetail->setFooterBand(report->createBand<TRpBand>(TRpBandType::rbGroupFooter));
    else if (!has)
        delete m_subDetail->footerBand();
}

TRpSubDetail::TRpSubDetail(TComponent* owner) : TRpControllerBand(owner), m_bands(new TRpSubDetailGroupBands(this)) {}

TDataSet* TRpSubDetail::dataSet() const
{
    return m_dataSet;
}

void TRpSubDetail::setDataSet(TDataSet* dataSet)
{
    m_dataSet = dataSet;
}

void TRpSubDetail::setHeaderBand(TRpBand* band)
{
    m_headerBand = band;
    if (band && band->bandType() != TRpBandType::rbGroupHeader)
        band->setBandType(TRpBandType::rbGroupHeader);
    orderChanged();
}

void TRpSubDetail::setFooterBand(TRpBand* band)
{
    m_footerBand = band;
    if (band && band->bandType() != TRpBandType::rbGroupFooter)
        band->setBandType(TRpBandType::rbGroupFooter);
    orderChanged();
}

TRpLoopBand::TRpLoopBand(TComponent* owner) : TRpControllerBand(owner) {}

TRpStringsBand::TRpStringsBand(TComponent* owner) : TRpControllerBand(owner), m_items(new TStrings(this)) {}

void TRpStringsBand::setItems(TStrings* items)
{
    if (items && items != m_items)
        m_items->setLines(items->lines());
}
