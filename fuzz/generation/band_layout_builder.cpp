#include "fuzz/generation/band_layout_builder.h"

#include "core/error.h"
#include "data/dataset.h"
#include "data/memory_cursor.h"
#include "engine/generation/rp_pass.h"
#include "engine/rp_bands.h"
#include "engine/rp_new_band.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"
#include "engine/sink/rp_printer.h"

#include <memory>
#include <stdexcept>
#include <vector>

namespace bandlayout {
namespace {

// Small numbers taken from the bytes one at a time; past the end every answer is the
// smallest one, so that any input describes a complete layout.
class ByteReader {
public:
    explicit ByteReader(const QByteArray& bytes) : m_bytes(bytes) {}

    int pick(int low, int high)
    {
        if (m_position >= m_bytes.size() || high <= low)
            return low;
        const int byte = static_cast<unsigned char>(m_bytes[m_position++]);
        return low + byte % (high - low + 1);
    }
    bool flag() { return pick(0, 1) == 1; }

private:
    const QByteArray& m_bytes;
    qsizetype m_position = 0;
};

// Records with an ID, a group number that changes every third record, and a name.
class ItemsDataSet : public TDataSet {
public:
    ItemsDataSet(TComponent* owner, int records) : TDataSet(owner)
    {
        setNameUnchecked(QStringLiteral("Items"));
        auto table = std::make_shared<TFileTable>();
        table->defs = {{QStringLiteral("ID"), TFieldType::ftInteger},
                       {QStringLiteral("GRP"), TFieldType::ftInteger},
                       {QStringLiteral("NAME"), TFieldType::ftString, 20}};
        for (int id = 1; id <= records; ++id)
            table->appendRow({QVariant(id), QVariant(id / 3), QVariant(QStringLiteral("item %1").arg(id))});
        m_table = std::move(table);
    }

protected:
    std::unique_ptr<TRecordCursor> createCursor() override
    {
        return std::make_unique<TMemoryCursor>(m_table, QStringList(), TRecordRange());
    }

private:
    std::shared_ptr<const TFileTable> m_table;
};

const char* const kExpressions[] = {"Items.ID", "Items.GRP", "Items.NAME", "SUM(Items.ID)", "COUNT", "1",
                                    "PAGENUMBER", "'a' + Items.NAME"};

// What a run has printed so far. Each band print and each character a text control
// starts to print (a line holds at least one) can fill at most a page, so pages beyond
// twice their number were started without progress.
struct Progress {
    int pages = 0;
    int bandPrints = 0;
    int characters = 0;
};

class LayoutBuilder {
public:
    LayoutBuilder(const QByteArray& bytes, Progress& progress) : m_in(bytes), m_progress(progress)
    {
        m_report = new TReport(&m_document);
        m_report->setNameUnchecked(QStringLiteral("Report"));
    }

    TReport& build()
    {
        readPage();
        readData();
        const int bands = m_in.pick(0, 14);
        for (int i = 0; i < bands; ++i)
            readBand();
        // Every band counts, also the header and footer bands sub-details make themselves.
        for (TRpCustomBand* band : m_report->bandList())
            band->handlers().afterPrint = [this](TRpCustomBand&, bool printed) { m_progress.bandPrints += printed; };
        return *m_report;
    }

private:
    QString nextName(const char* base) { return QStringLiteral("%1%2").arg(QLatin1String(base)).arg(++m_names); }
    QString expression() { return QLatin1String(kExpressions[m_in.pick(0, std::size(kExpressions) - 1)]); }

    void readPage()
    {
        TRpPage* page = m_report->page();
        page->setPaperSize(TRpPaperSize::Custom);
        page->setNativeValue(TRpPage::WidthValue, 500 + 100 * m_in.pick(0, 60));
        page->setNativeValue(TRpPage::LengthValue, 500 + 100 * m_in.pick(0, 60));
        for (int value : {TRpPage::TopMarginValue, TRpPage::BottomMarginValue, TRpPage::LeftMarginValue,
                          TRpPage::RightMarginValue})
            page->setNativeValue(value, 50 * m_in.pick(0, 20));
        page->setColumns(m_in.pick(0, 4));
        page->setNativeValue(TRpPage::ColumnSpaceValue, 20 * m_in.pick(0, 10));
        TReportOptions options;
        options.setFlag(TReportOption::FirstPageHeader, m_in.flag());
        options.setFlag(TReportOption::LastPageFooter, m_in.flag());
        m_report->setOptions(options);
    }

    void readData()
    {
        const int records = m_in.pick(0, 12);
        m_report->setPrintIfEmpty(m_in.flag());
        if (m_in.flag()) {
            m_report->setDataSet(new ItemsDataSet(&m_document, records));
        } else {
            auto given = std::make_shared<int>(0);
            m_report->handlers().onNeedData = [given, records](TReport&) { return (*given)++ < records; };
        }
    }

    void readBand()
    {
        const double height = 100 * m_in.pick(0, 40) + m_in.pick(0, 99);
        TRpCustomBand* band = nullptr;
        switch (m_in.pick(0, 10)) {
        case 0: band = plainBand(TRpBandType::rbTitle, height); break;
        case 1: band = plainBand(TRpBandType::rbPageHeader, height); break;
        case 2: band = plainBand(TRpBandType::rbColumnHeader, height); break;
        case 3: band = plainBand(TRpBandType::rbDetail, height); break;
        case 4: band = plainBand(TRpBandType::rbPageFooter, height); break;
        case 5: band = plainBand(TRpBandType::rbSummary, height); break;
        case 6: band = childBand(height); break;
        case 7: band = group(height); break;
        case 8: band = subDetail(height); break;
        case 9: band = loopBand(height); break;
        default: band = stringsBand(height); break;
        }
        if (!band)
            return;
        readBandFlags(band);
        const int controls = m_in.pick(0, 3);
        for (int i = 0; i < controls; ++i)
            readControl(band);
    }

    void readBandFlags(TRpCustomBand* band)
    {
        const int flags = m_in.pick(0, 255);
        band->setForceNewPage(flags & 1);
        band->setForceNewColumn(flags & 2);
        band->setAlignToBottom(flags & 4);
        band->setEnabled(!(flags & 8));
        m_bands.push_back(band);
    }

    template <class Band = TRpBand>
    Band* newBand(const char* base, TRpBandType type, double height)
    {
        return rpNewBand<Band>(&m_document, m_report, nextName(base), type, height);
    }

    TRpCustomBand* plainBand(TRpBandType type, double height) { return newBand("Band", type, height); }

    TRpCustomBand* childBand(double height)
    {
        if (m_bands.empty())
            return nullptr;
        auto* child = newBand<TRpChildBand>("Child", TRpBandType::rbChild, height);
        child->setParentBand(m_bands[m_in.pick(0, int(m_bands.size()) - 1)]);
        return child;
    }

    // The report or one of the controller bands made so far.
    TRpBasePanel* master()
    {
        const int choice = m_in.pick(0, int(m_controllers.size()));
        return choice == 0 ? static_cast<TRpBasePanel*>(m_report) : m_controllers[choice - 1];
    }

    TRpCustomBand* group(double height)
    {
        auto* group = newBand<TRpGroup>("Group", TRpBandType::rbGroupHeader, height);
        group->setExpression(expression());
        group->setMaster(master());
        group->setReprintOnNewPage(m_in.flag());
        auto* footer = newBand("GroupFooter", TRpBandType::rbGroupFooter, 100 * m_in.pick(0, 20));
        group->setFooterBand(footer);
        readBandFlags(footer);
        return group;
    }

    void adopt(TRpControllerBand* band)
    {
        band->setMaster(master());
        band->setPrintBefore(m_in.flag());
        m_controllers.push_back(band);
    }

    TRpCustomBand* subDetail(double height)
    {
        auto* band = newBand<TRpSubDetail>("SubDetail", TRpBandType::rbSubDetail, height);
        adopt(band);
        const int records = m_in.pick(0, 4);
        auto given = std::make_shared<int>(0);
        band->needDataHandler = [given, records](TRpSubDetail&) {
            // Each run of the sub-detail gives its records again.
            const bool more = *given < records;
            *given = more ? *given + 1 : 0;
            return more;
        };
        band->setPrintIfEmpty(m_in.flag());
        band->bands()->setHasHeader(m_in.flag());
        band->bands()->setHasFooter(m_in.flag());
        return band;
    }

    TRpCustomBand* loopBand(double height)
    {
        auto* band = newBand<TRpLoopBand>("Loop", TRpBandType::rbSubDetail, height);
        adopt(band);
        band->setPrintCount(m_in.pick(0, 4));
        return band;
    }

    TRpCustomBand* stringsBand(double height)
    {
        auto* band = newBand<TRpStringsBand>("Strings", TRpBandType::rbSubDetail, height);
        adopt(band);
        const int items = m_in.pick(0, 3);
        for (int i = 0; i < items; ++i)
            band->items()->append(QStringLiteral("line %1").arg(i));
        return band;
    }

    void readControl(TRpCustomBand* band)
    {
        TRpCustomLabel* control = nullptr;
        switch (m_in.pick(0, 3)) {
        case 0: {
            auto* label = new TRpLabel(&m_document);
            label->setCaption(QStringLiteral("label"));
            control = label;
            break;
        }
        case 1: {
            auto* memo = new TRpMemo(&m_document);
            const int lines = m_in.pick(0, 40);
            for (int i = 0; i < lines; ++i)
                memo->lines()->append(QStringLiteral("memo line %1").arg(i));
            control = memo;
            break;
        }
        case 2: {
            auto* expr = new TRpExpr(&m_document);
            expr->setExpression(expression());
            control = expr;
            break;
        }
        default: {
            auto* system = new TRpSysData(&m_document);
            system->setData(TRpSysDataType(m_in.pick(0, 6)));
            control = system;
            break;
        }
        }
        control->setNameUnchecked(nextName("Control"));
        control->setPrintHandler(
            [this](TRpCustomLabel&, QString& text) { m_progress.characters += int(text.size()) + 1; });
        control->setParentControl(band);
        control->setAutoSize(false);
        control->setAutoStretch(m_in.flag());
        control->setWordWrap(m_in.flag());
        TRpPrintableSize& size = *control->size();
        size.setNativeValue(TRpPrintableSize::TopValue, 50 * m_in.pick(0, 20));
        size.setNativeValue(TRpPrintableSize::LeftValue, 50 * m_in.pick(0, 20));
        size.setNativeValue(TRpPrintableSize::HeightValue, 20 * m_in.pick(0, 20));
        size.setNativeValue(TRpPrintableSize::WidthValue, 100 * m_in.pick(0, 20));
    }

    ByteReader m_in;
    Progress& m_progress;
    TComponent m_document;
    TReport* m_report;
    std::vector<TRpCustomBand*> m_bands;
    std::vector<TRpControllerBand*> m_controllers;
    int m_names = 0;
};

} // namespace

Outcome run(const QByteArray& bytes)
{
    Progress progress;
    LayoutBuilder builder(bytes, progress);
    TReport& report = builder.build();
    report.handlers().onStartPage = [&progress](TReport&) {
        if (++progress.pages > 2 * (progress.bandPrints + progress.characters) + 8)
            throw std::runtime_error("pages keep starting without anything printed on them");
    };
    TRpPrinter sink;
    TRpPassOptions options;
    options.sink = &sink;
    Outcome outcome;
    try {
        TRpPass pass(report, std::move(options));
        const TRpPassOutcome result = pass.run();
        outcome.finished = result == TRpPassOutcome::Finished;
    } catch (const EVelError& error) {
        outcome.error = error.message();
    }
    if (!report.available())
        throw std::logic_error("the report was left running");
    outcome.pages = progress.pages;
    return outcome;
}

QString describe(const Outcome& outcome)
{
    if (!outcome.error.isEmpty())
        return QStringLiteral("error: ") + outcome.error;
    return outcome.finished ? QStringLiteral("finished") : QStringLiteral("not finished");
}

} // namespace bandlayout
