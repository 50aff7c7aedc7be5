// The application object as the document layer needs it: the owner of the loaded
// datamodules, which are the application's top-level components that every report
// reaches by name. Each datamodule is a root of its own (references into it are written
// "DM.Customers"), kept here and registered with the global names while it is loaded.
#pragma once

#include <QList>
#include <QSet>
#include <QString>

#include <memory>

class TComponent;
class TVelDataModule;

class TVelApplication {
public:
    static TVelApplication& instance();
    ~TVelApplication();

    // A new empty datamodule owned by the application.
    TVelDataModule* createDataModule();
    // Takes a top-level component into the application's ownership.
    void adopt(TComponent* component);
    // Frees a top-level component the application owns.
    void close(TComponent* component);
    // Frees every top-level component (shut-down, tests).
    void closeAll();

    QList<TComponent*> topLevel() const;
    QList<TVelDataModule*> dataModules() const;
    // The top-level component of that name, without regard to case; null when none.
    TComponent* findTopLevel(QStringView name) const;

    // Gives an unnamed datamodule the default name of its class ("VelDataModule1"),
    // free among the top-level components.
    void nameDataModule(TVelDataModule* dataModule) const;

    // The program's own folder, searched by the datamodule loader.
    QString programDirectory() const;
    void setProgramDirectory(const QString& directory) { m_programDirectory = directory; }

private:
    TVelApplication() = default;

    QList<TComponent*> m_topLevel;
    QSet<const TComponent*> m_owned; // the same components, for a quick "is it ours"
    QString m_programDirectory;
};
