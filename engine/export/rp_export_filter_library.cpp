#include "engine/export/rp_export_filter_library.h"

#include "engine/export/rp_ascii_export_filter.h"
#include "engine/export/rp_csv_export_filter.h"
#include "engine/export/rp_export_filter.h"
#include "engine/export/rp_html_export_filter.h"

namespace {

const QString kPreparedReport = QStringLiteral("Prepared report file");
const QString kPreparedExtension = QStringLiteral("RPP");

} // namespace

void TRpExportFilterLibrary::registerFilter(Factory factory)
{
    const std::unique_ptr<TRpExportFilter> probe = factory(nullptr);
    m_entries.push_back({std::move(factory), probe->name(), probe->fileExtension()});
}

std::unique_ptr<TRpExportFilter> TRpExportFilterLibrary::create(int index, const QString& fileName,
                                                                QObject* owner) const
{
    if (index < 0 || index >= static_cast<int>(m_entries.size()))
        return nullptr;
    std::unique_ptr<TRpExportFilter> filter = m_entries[static_cast<size_t>(index)].create(owner);
    filter->setFileName(fileName);
    return filter;
}

QString TRpExportFilterLibrary::saveDialogFilter() const
{
    QString filter = kPreparedReport + QStringLiteral("(*.") + kPreparedExtension + QStringLiteral(")|*.")
                     + kPreparedExtension;
    for (const Entry& entry : m_entries)
        filter += u'|' + entry.name + QStringLiteral(" (*.") + entry.extension + QStringLiteral(")|*.") + entry.extension;
    return filter;
}

QString rpLoadDialogFilter()
{
    return kPreparedReport + QStringLiteral(" (*.") + kPreparedExtension + QStringLiteral(")|*.") + kPreparedExtension;
}

TRpExportFilterLibrary& rpExportFilters()
{
    static TRpExportFilterLibrary library = [] {
        TRpExportFilterLibrary standard;
        standard.registerFilter<TRpCommaSeparatedFilter>();
        standard.registerFilter<TRpHTMLDocumentFilter>();
        standard.registerFilter<TRpAsciiExportFilter>();
        return standard;
    }();
    return library;
}
