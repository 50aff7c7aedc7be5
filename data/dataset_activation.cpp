#include "data/dataset_activation.h"

#include "core/error.h"
#include "data/data_notices.h"
#include "data/dataset.h"
#include "data/dataset_info.h"

#include <QList>

namespace datasetactivation {

namespace {

std::function<TComponent*(TComponent*)>& linkResolver()
{
    static std::function<TComponent*(TComponent*)> resolver;
    return resolver;
}

void openChain(TDataSet* dataSet, QList<TDataSet*>& visited)
{
    visited.append(dataSet);
    TDataSet* master = dsinfo::masterOf(dataSet);
    if (master && !master->active() && !visited.contains(master)) {
        try {
            openChain(master, visited);
        } catch (const EVelError& error) {
            datanotices::showException(error.message());
        }
    }
    dataSet->open();
}

void closeChain(TDataSet* dataSet, QList<TDataSet*>& visited)
{
    visited.append(dataSet);
    TDataSet* master = dsinfo::masterOf(dataSet);
    if (master && master->active() && !visited.contains(master))
        closeChain(master, visited);
    dataSet->close();
}

} // namespace

bool OpenDataSetChain(TDataSet* dataSet)
{
    if (!dataSet)
        return false;
    if (dataSet->active())
        return true;
    try {
        QList<TDataSet*> visited;
        openChain(dataSet, visited);
        return true;
    } catch (const EVelError& error) {
        datanotices::showException(error.message());
        return false;
    }
}

bool CloseDataSetChain(TDataSet* dataSet)
{
    if (!dataSet)
        return false;
    if (!dataSet->active())
        return true;
    try {
        QList<TDataSet*> visited;
        closeChain(dataSet, visited);
        return true;
    } catch (const EVelError& error) {
        datanotices::showException(error.message());
        return false;
    }
}

bool OpenAllDataSets(TComponent* container)
{
    if (!container)
        return false;
    bool allOpened = true;
    // A copy: opening may create default fields, never new owned components, but a
    // linked datamodule may be anything.
    const QList<TComponent*> components = container->components();
    for (TComponent* component : components) {
        if (auto* dataSet = qobject_cast<TDataSet*>(component)) {
            allOpened = OpenDataSetChain(dataSet) && allOpened;
        } else if (linkResolver()) {
            if (TComponent* linked = linkResolver()(component); linked && linked != container)
                OpenAllDataSets(linked);
        }
    }
    return allOpened;
}

bool CloseAllDataSets(TComponent* container)
{
    if (!container)
        return false;
    bool allClosed = true;
    const QList<TComponent*> components = container->components();
    for (TComponent* component : components) {
        auto* dataSet = qobject_cast<TDataSet*>(component);
        if (!dataSet || !dataSet->active())
            continue;
        try {
            dataSet->close();
        } catch (...) {
            datanotices::beep();
            allClosed = false;
        }
    }
    return allClosed;
}

void setLinkedContainerResolver(std::function<TComponent*(TComponent*)> resolver)
{
    linkResolver() = std::move(resolver);
}

} // namespace datasetactivation
