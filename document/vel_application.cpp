#include "document/vel_application.h"

#include "core/global_names.h"
#include "document/vel_data_module.h"

#include <QCoreApplication>

TVelApplication& TVelApplication::instance()
{
    static TVelApplication application;
    return application;
}

TVelApplication::~TVelApplication()
{
    // At process exit the global names may already be gone: only free the components.
    qDeleteAll(m_topLevel);
}

TVelDataModule* TVelApplication::createDataModule()
{
    auto* dataModule = new TVelDataModule();
    adopt(dataModule);
    return dataModule;
}

void TVelApplication::adopt(TComponent* component)
{
    if (!component || m_owned.contains(component))
        return;
    m_topLevel.append(component);
    m_owned.insert(component);
    globalnames::add(component, globalnames::Scope::Application);
}

void TVelApplication::close(TComponent* component)
{
    if (!m_owned.remove(component))
        return;
    // Closing goes last opened first (closeAll), so the search starts at the end.
    m_topLevel.removeAt(m_topLevel.lastIndexOf(component));
    globalnames::remove(component);
    delete component;
}

void TVelApplication::closeAll()
{
    while (!m_topLevel.isEmpty())
        close(m_topLevel.last());
}

QList<TComponent*> TVelApplication::topLevel() const
{
    return m_topLevel;
}

QList<TVelDataModule*> TVelApplication::dataModules() const
{
    QList<TVelDataModule*> result;
    for (TComponent* component : m_topLevel) {
        if (auto* dataModule = qobject_cast<TVelDataModule*>(component))
            result.append(dataModule);
    }
    return result;
}

TComponent* TVelApplication::findTopLevel(QStringView name) const
{
    if (name.isEmpty())
        return nullptr;
    for (TComponent* component : m_topLevel) {
        if (component->name().compare(name, Qt::CaseInsensitive) == 0)
            return component;
    }
    return nullptr;
}

void TVelApplication::nameDataModule(TVelDataModule* dataModule) const
{
    if (!dataModule->name().isEmpty())
        return;
    const QString base = dataModule->className().mid(1);
    for (int number = 1;; ++number) {
        const QString candidate = base + QString::number(number);
        if (!findTopLevel(candidate)) {
            dataModule->setNameUnchecked(candidate);
            return;
        }
    }
}

QString TVelApplication::programDirectory() const
{
    if (!m_programDirectory.isEmpty())
        return m_programDirectory;
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
}
