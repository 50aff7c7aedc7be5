#include "engine/rp_report.h"

#include "core/font.h"
#include "engine/rp_printable.h"

#include <QLocale>
#include <QHash>
#include <QSet>

#include <cmath>

namespace reportdefaults {

namespace {
PaperSource& paperSource()
{
    static PaperSource source;
    return source;
}
} // namespace

bool usesUsMeasurement()
{
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem;
}

void setPrinterPaperSource(PaperSource source)
{
    paperSource() = std::move(source);
}

TRpPaperSize printerPaperSize()
{
    if (paperSource())
        return paperSource()();
    return usesUsMeasurement() ? TRpPaperSize::Letter : TRpPaperSize::A4;
}

} // namespace reportdefaults

TReportBands::TReportBands(TReport* report) : TPersistent(report), m_report(report) {}

bool TReportBands::has(TRpBandType type) const
{
    return m_report->findBand(type) != nullptr;
}

void TReportBands::set(TRpBandType type, bool has)
{
    TRpCustomBand* existing = m_report->findBand(type);
    if (has == (existing != nullptr))
        return;
    if (has)
        m_report->createBand<TRpBand>(type, true);
    else
        delete existing;
}

TReportPrinterSettings::TReportPrinterSettings(QObject* parent) : TPersistent(parent) {}

TRpFunctions::TRpFunctions(QObject* parent) : TStrings(parent) {}

QStringList TRpFunctions::expressions() const
{
    QStringList result = m_expressions;
    while (result.size() < count())
        result.append(QString());
    return result.mid(0, count());
}

QString TRpFunctions::expression(const QString& name) const
{
    for (int i = 0; i < count(); ++i) {
        if (at(i).compare(name, Qt::CaseInsensitive) == 0)
            return m_expressions.value(i);
    }
    return {};
}

void TRpFunctions::setExpression(const QString& name, const QString& expression)
{
    for (int i = 0; i < count(); ++i) {
        if (at(i).compare(name, Qt::CaseInsensitive) == 0) {
            m_expressions = expressions();
            m_expressions[i] = expression;
            return;
        }
    }
    m_expressions = expressions();
    m_expressions.append(expression);
    append(name);
}

void TRpFunctions::setEntries(const QStringList& names, const QStringList& expressions)
{
    m_expressions = expressions;
    setLines(names);
}

void TRpFunctions::defineProperties(TPropertyDefiner& definer)
{
    definer.defineProperty(
        QStringLiteral("DATA"),
        [this](const TStreamValue& value) {
            QStringList texts;
            for (const TStreamValue& item : value.items())
                texts.append(item.text());
            m_expressions = texts;
        },
        [this]() {
            QList<TStreamValue> items;
            for (const QString& text : expressions())
                items.append(TStreamValue::string(text));
            return TStreamValue::list(items);
        },
        count() > 0);
}

void TRpFunctions::assign(const TPersistent& source)
{
    if (auto* functions = qobject_cast<const TRpFunctions*>(&source)) {
        setEntries(functions->lines(), functions->expressions());
        return;
    }
    TStrings::assign(source);
}

TCustomReport::TCustomReport(TComponent* owner) : TRpBasePanel(owner) {}

TCustomReport::~TCustomReport() = default;

TReport::TReport(TComponent* owner)
    : TCustomReport(owner),
      m_bandSlots(new TReportBands(this)),
      m_description(new TStrings(this)),
      m_functions(new TRpFunctions(this)),
      m_page(new TRpPage(this)),
      m_printerSettings(new TReportPrinterSettings(this))
{
    setColor(clWhite);
    if (QLocale().language() != QLocale::Japanese) {
        font()->setName(QStringLiteral("Arial"));
        font()->setSize(10);
    }
    setParentFont(false);
    m_functions->setEntries({QStringLiteral("PAGENUMBER"), QStringLiteral("COLUMNNUMBER"), QStringLiteral("REPORTTITLE")},
                            {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("''")});
    adoptUnits(m_page);
    initialisePage();
    m_page->setOnChange([this] {
        updateOwnBounds();
        stackBands();
    });
    updateOwnBounds();
}

TReport::~TReport()
{
    beginDestroy();
    m_page->setOnChange({});
    m_bandList.clear();
}

void TReport::initialisePage()
{
    const bool us = reportdefaults::usesUsMeasurement();
    m_units = us ? TRpUnit::Inches : TRpUnit::MM;
    m_page->setUnits(m_units);
    const double margin = us ? 127.0 : 100.0;
    m_page->setPaperSize(us ? TRpPaperSize::Letter : TRpPaperSize::A4);
    for (int value : {TRpPage::TopMarginValue, TRpPage::BottomMarginValue, TRpPage::LeftMarginValue,
                      TRpPage::RightMarginValue})
        m_page->setNativeValue(value, margin);
    m_page->setNativeValue(TRpPage::ColumnSpaceValue, 0);
    m_page->setColumns(1);
    m_page->setRuler(true);
    m_page->setPaperSize(reportdefaults::printerPaperSize());
}

void TReport::adoptUnits(TRpUnitBase* units) const
{
    units->setUnits(m_units);
    units->setZoom(m_zoom);
    units->setFontSizeSource([this] { return font()->size(); });
}

void TReport::setDescription(TStrings* lines)
{
    if (lines && lines != m_description)
        m_description->setLines(lines->lines());
}

void TReport::setFunctions(TRpFunctions* functions)
{
    if (functions && functions != m_functions)
        m_functions->assign(*functions);
}

void TReport::setPage(TRpPage* page)
{
    if (page && page != m_page)
        m_page->assign(*page);
}

void TReport::setPrinterSettings(TReportPrinterSettings* settings)
{
    if (settings && settings != m_printerSettings)
        m_printerSettings->assign(*settings);
}

void TReport::forEachUnitObject(const std::function<void(TRpUnitBase*)>& apply)
{
    apply(m_page);
    for (TControl* control : controls()) {
        if (auto* band = qobject_cast<TRpCustomBand*>(control)) {
            apply(band->size());
            for (TControl* child : band->controls()) {
                if (auto* printable = qobject_cast<TRpPrintable*>(child))
                    apply(printable->size());
            }
        } else if (auto* printable = qobject_cast<TRpPrintable*>(control)) {
            apply(printable->size());
        }
    }
}

void TReport::updateAllBounds()
{
    for (TControl* control : controls()) {
        if (auto* band = qobject_cast<TRpCustomBand*>(control)) {
            band->updateBounds();
            for (TControl* child : band->controls()) {
                if (auto* printable = qobject_cast<TRpPrintable*>(child))
                    printable->updateBounds();
            }
        } else if (auto* printable = qobject_cast<TRpPrintable*>(control)) {
            printable->updateBounds();
        }
    }
}

void TReport::setUnits(TRpUnit units)
{
    m_units = units;
    forEachUnitObject([units](TRpUnitBase* object) { object->setUnits(units); });
}

void TReport::setZoom(int zoom)
{
    if (zoom < kMinZoom || zoom > kMaxZoom)
        return;
    m_zoom = zoom;
    forEachUnitObject([zoom](TRpUnitBase* object) { object->setZoom(zoom); });
    updateOwnBounds();
    updateAllBounds();
    stackBands();
}

void TReport::updateOwnBounds()
{
    TControl::setBounds(0, 0, pixels(m_page->nativeValue(TRpPage::WidthValue)),
                        pixels(m_page->nativeValue(TRpPage::LengthValue)));
}

TRpCustomBand* TReport::findBand(TRpBandType type) const
{
    for (TRpCustomBand* band : m_bandList) {
        if (band->bandType() == type)
            return band;
    }
    return nullptr;
}

namespace {

// Builds the print order of the bands; see TReport::reorderBands.
class BandOrder {
public:
    BandOrder(TReport* report, QList<TRpCustomBand*> previous) : m_report(report), m_all(std::move(previous))
    {
        // Looked up once, so that placing a band does not scan every band again.
        for (TRpCustomBand* band : m_all) {
            m_allSet.insert(band);
            if (auto* child = qobject_cast<TRpChildBand*>(band))
                m_childrenOf[child->parentBand()].append(band);
        }
    }

    QList<TRpCustomBand*> build()
    {
        placeAllOfType(TRpBandType::rbPageHeader);
        placeAllOfType(TRpBandType::rbTitle);
        placeAllOfType(TRpBandType::rbColumnHeader);
        placeController(m_report);
        placeAllOfType(TRpBandType::rbPageFooter);
        for (TRpCustomBand* band : m_all)
            place(band);
        return m_result;
    }

private:
    void place(TRpCustomBand* band)
    {
        if (!band || m_placed.contains(band) || !m_allSet.contains(band))
            return;
        m_placed.insert(band);
        m_result.append(band);
        for (TRpCustomBand* child : m_childrenOf.value(band))
            place(child);
    }

    void placeAllOfType(TRpBandType type)
    {
        for (TRpCustomBand* band : m_all) {
            if (qobject_cast<TRpBand*>(band) && band->bandType() == type)
                place(band);
        }
    }

    template <class Predicate>
    QList<TRpCustomBand*> select(Predicate predicate) const
    {
        QList<TRpCustomBand*> result;
        for (TRpCustomBand* band : m_all) {
            if (predicate(band))
                result.append(band);
        }
        return result;
    }

    void placeController(TRpBasePanel* owner)
    {
        if (m_controllers.contains(owner))
            return;
        m_controllers.insert(owner);
        auto* subDetail = qobject_cast<TRpSubDetail*>(owner);
        if (subDetail)
            place(subDetail->headerBand());
        const auto groups = select([owner](TRpCustomBand* band) {
            auto* group = qobject_cast<TRpGroup*>(band);
            return group && group->master() == owner;
        });
        for (TRpCustomBand* group : groups)
            place(group);
        placeChildren(owner, true);
        if (owner == m_report)
            placeAllOfType(TRpBandType::rbDetail);
        else
            place(qobject_cast<TRpCustomBand*>(owner));
        placeChildren(owner, false);
        for (auto it = groups.rbegin(); it != groups.rend(); ++it)
            place(qobject_cast<TRpGroup*>(*it)->footerBand());
        if (owner == m_report)
            placeAllOfType(TRpBandType::rbSummary);
        else if (subDetail)
            place(subDetail->footerBand());
    }

    void placeChildren(TRpBasePanel* owner, bool printBefore)
    {
        for (TRpCustomBand* band : select([&](TRpCustomBand* b) {
                 auto* controller = qobject_cast<TRpControllerBand*>(b);
                 return controller && controller->master() == owner && controller->printBefore() == printBefore;
             }))
            placeController(band);
    }

    TReport* m_report;
    QList<TRpCustomBand*> m_all;
    QSet<const TRpCustomBand*> m_allSet;
    QHash<const TRpCustomBand*, QList<TRpCustomBand*>> m_childrenOf; // in the order of m_all
    QList<TRpCustomBand*> m_result;
    QSet<TRpCustomBand*> m_placed;
    QSet<TRpBasePanel*> m_controllers;
};

} // namespace

void TReport::reorderBands()
{
    if (m_reordering || isDestroying())
        return;
    m_reordering = true;
    QSet<const TControl*> children;
    for (TControl* control : controls())
        children.insert(control);
    QList<TRpCustomBand*> current;
    QSet<const TRpCustomBand*> listed;
    for (TRpCustomBand* band : std::as_const(m_bandList)) {
        if (children.contains(band) && !listed.contains(band)) {
            current.append(band);
            listed.insert(band);
        }
    }
    for (TControl* control : controls()) {
        auto* band = qobject_cast<TRpCustomBand*>(control);
        if (band && !listed.contains(band)) {
            current.append(band);
            listed.insert(band);
        }
    }
    m_bandList = BandOrder(this, current).build();
    m_reordering = false;
}

void TReport::stackBands()
{
    if (isLoading() || isDestroying() || m_reordering)
        return;
    const double leftMargin = m_page->nativeValue(TRpPage::LeftMarginValue);
    const int left = pixels(leftMargin);
    int top = pixels(m_page->nativeValue(TRpPage::TopMarginValue));
    const int printableWidth = pixels(m_page->printableWidthNative());
    const int columns = m_page->columns();
    const int columnWidth = int(std::lround(
        double(printableWidth - pixels(m_page->nativeValue(TRpPage::ColumnSpaceValue)) * (columns - 1)) / columns));
    for (TRpCustomBand* band : std::as_const(m_bandList)) {
        bool fullWidth = false;
        switch (band->layoutType()) {
        case TRpBandType::rbTitle:
        case TRpBandType::rbPageHeader:
        case TRpBandType::rbPageFooter:
        case TRpBandType::rbSummary:
        case TRpBandType::rbOverlay:
            fullWidth = true;
            break;
        default:
            break;
        }
        const double nativeWidth = fullWidth ? m_page->printableWidthNative() : m_page->columnWidthNative();
        band->size()->setNativeValue(TRpBandSize::WidthValue, nativeWidth);
        band->TControl::setBounds(left, top, fullWidth ? printableWidth : columnWidth, band->height());
        top += band->height();
    }
}

void TReport::controlsChanged()
{
    // A report being read orders its bands once, when it has been read (loaded()).
    if (isDestroying() || isLoading())
        return;
    reorderBands();
    stackBands();
}

void TReport::fontChanged()
{
    for (TControl* control : controls())
        if (auto* band = qobject_cast<TRpCustomBand*>(control))
            band->updateBounds();
}

void TReport::notification(TComponent* component, Operation operation)
{
    TCustomReport::notification(component, operation);
}

void TReport::reportMessage(const QString& text)
{
    if (m_designHost)
        m_designHost->showMessage(text);
}

TComponent* TReport::newBandOwner()
{
    if (m_designHost)
        return m_designHost->designOwner();
    return owner() ? owner() : this;
}

QString TReport::newBandName(TRpBandType type, bool forSlot, TComponent* owner) const
{
    QString base = bandBaseName(type);
    if (m_designHost) {
        if (forSlot && base.startsWith(u'T'))
            base.prepend(u'T');
        return m_designHost->uniqueName(base);
    }
    return names::numberedName(owner, base);
}

void TReport::loaded()
{
    TCustomReport::loaded();
    forEachUnitObject([this](TRpUnitBase* object) { adoptUnits(object); });
    updateOwnBounds();
    reorderBands();
    stackBands();
}

void TReport::setDesigning(bool designing)
{
    TCustomReport::setDesigning(designing);
}
