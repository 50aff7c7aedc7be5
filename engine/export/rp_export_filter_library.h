// The registered export filters, in the order the save dialog lists them.
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QObject;
class TRpExportFilter;

class TRpExportFilterLibrary {
public:
    using Factory = std::function<std::unique_ptr<TRpExportFilter>(QObject* owner)>;
    struct Entry {
        Factory create;
        QString name;
        QString extension;
    };

    // Registers a filter; its name and extension are read from a temporary instance.
    void registerFilter(Factory factory);
    template <typename Filter>
    void registerFilter()
    {
        registerFilter([](QObject* owner) { return std::unique_ptr<TRpExportFilter>(std::make_unique<Filter>(owner)); });
    }

    const std::vector<Entry>& entries() const { return m_entries; }
    // A new filter of entry index writing to fileName; null for an unknown index.
    std::unique_ptr<TRpExportFilter> create(int index, const QString& fileName, QObject* owner = nullptr) const;

    // The save dialog's filters, "|"-separated name and pattern pairs: the prepared
    // report format first, then every registered filter.
    QString saveDialogFilter() const;

private:
    std::vector<Entry> m_entries;
};

// The load dialog's single filter for prepared report files.
QString rpLoadDialogFilter();

// The program's filters: comma separated, HTML document, text — registered on first use.
TRpExportFilterLibrary& rpExportFilters();
