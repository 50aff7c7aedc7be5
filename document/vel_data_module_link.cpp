#include "document/vel_data_module_link.h"

#include "core/error.h"
#include "document/vel_application.h"

TVelDataModuleLink::TVelDataModuleLink(TComponent* owner) : TComponent(owner) {}

QString TVelDataModuleLink::dmName() const
{
    return m_dataModule ? m_dataModule->name() : QString();
}

void TVelDataModuleLink::setDmName(const QString& name)
{
    TVelDataModule* found = nullptr;
    if (!name.isEmpty()) {
        found = qobject_cast<TVelDataModule*>(TVelApplication::instance().findTopLevel(name));
        if (!found && owner())
            found = qobject_cast<TVelDataModule*>(owner()->findComponent(name));
    }
    if (!found)
        throw EVelError(QStringLiteral("Datamodule %1 not found in memory").arg(name));
    m_dataModule = found;
}
