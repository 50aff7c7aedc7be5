// TVelDataModuleLink: a report document's reference to one loaded datamodule. Each link
// gives one datamodule entry of the report file header.
#pragma once

#include "core/component.h"
#include "document/vel_data_module.h"

#include <QPointer>

class TVelDataModuleLink : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString DmName READ dmName WRITE setDmName)
public:
    explicit TVelDataModuleLink(TComponent* owner = nullptr);

    // The referenced datamodule's name, or empty when there is none.
    QString dmName() const;
    // Refers to the first datamodule of that name, without regard to case, among the
    // application's top-level components, then among the components of the link's
    // owner. Raises "Datamodule %S not found in memory" and changes nothing when none is.
    void setDmName(const QString& name);

    TVelDataModule* dataModule() const { return m_dataModule; }
    void setDataModule(TVelDataModule* dataModule) { m_dataModule = dataModule; }

private:
    QPointer<TVelDataModule> m_dataModule;
};
