// TfrmVelmor: the program's main window, a strip across the top of the screen with the
// menus and the panel area. It owns the document commands (new, open, save, close,
// print, preview), keeps the open design windows and the active one, the recent-file
// lists and the Reopen menu, enables the commands that need a document or a selection,
// and shuts everything down in order.
#pragma once

#include "app/command_line.h"
#include "app/command_table.h"
#include "core/settings/main_preferences.h"
#include "design/alignment_palette.h"
#include "design/design_window.h"
#include "design/design_workspace.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QMenu;
class QUndoGroup;
class TLanguage;
class TVelDataModule;

class TfrmVelmor : public QMainWindow, public IVelWorkspace {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 1001;
    static constexpr int kBevelHeight = 3;

    explicit TfrmVelmor(QWidget* parent = nullptr);
    ~TfrmVelmor() override;

    // The menu command of a command number (the speed bars' reference), or null.
    QAction* commandAction(int number) const;
    QAction* commandAction(TVelCommand command) const;
    QList<QAction*> commandActions() const;
    QMenu* reopenMenu() const { return m_reopenMenu; }
    TfrmAlignment* alignmentPalette() const { return m_alignmentPalette; }

    // Open design windows in the order they were opened, and the active one.
    QList<TVelDesignWindow*> designWindows() const;
    TVelDesignWindow* activeDesignWindow() const { return m_active; }

    const RecentFiles& recentFiles() const { return m_recentFiles; }

    // The command line is handled when the window is first shown.
    void setCommandLine(const TVelCommandLine& commandLine) { m_commandLine = commandLine; }

    // Document commands, as the menus run them.
    TVelDesignWindow* newReport();
    // Opens a report, a datamodule or a prepared report by its extension; a document that
    // is open already comes to the front instead. Answers the report's window, if any.
    TVelDesignWindow* openFile(const QString& fileName);
    void reopenLastReport();
    // Asks every document to close, the most recent first; false when one refused.
    bool closeAllDocuments();

    // IVelWorkspace
    void designWindowOpened(TVelDesignWindow* window) override;
    void designWindowActivated(TVelDesignWindow* window) override;
    void designWindowDestroyed(TVelDesignWindow* window) override;
    void refreshCommands() override;
    void documentCaptionChanged(TVelDesignWindow* window) override;
    void forgetRecentReport(const QString& fileName) override;
    void rememberRecentReport(const QString& fileName) override;
    int designWindowTop() const override;

signals:
    // The window closed after every document did: the program ends.
    void shutDown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createMenus();
    void createCommand(const TVelMenuCommand& entry, QMenu* menu);
    void connectCommands();
    void createToolWindows();
    void relabel();
    void placeOnScreen();
    void updateCaption();
    void rebuildReopenMenu();
    void loadSettingsOnce();
    void saveSettings();
    void handleCommandLine();
    void applyStayOnTop();

    void refreshDocumentCommands();
    void refreshEditCommands();
    void setCommandEnabled(TVelCommand command, bool enabled);

    TVelDesignWindow* findOpenReport(const QString& fileName) const;
    TVelDataModule* findOpenDataModule(const QString& fileName) const;
    bool isFileOpen(const QString& fileName) const;
    TVelDesignWindow* openReport(const QString& fileName);
    void openDataModule(const QString& fileName);
    void bringToFront(QWidget* window);

    void openWithDialog();
    void saveActive();
    void saveActiveAs();
    void saveAll();
    void exportFormSource();
    void closeActive();
    bool closeDesignWindows();
    bool closeDataModules();
    void showAlignmentPalette();
    void runEditCommand(void (TVelDesignWindow::*command)());
    void pasteIntoActive();

    QHash<TVelCommand, QAction*> m_actions;
    QList<QMenu*> m_menus;
    QMenu* m_reopenMenu = nullptr;
    QMenu* m_languageMenu = nullptr;
    QWidget* m_panelArea = nullptr;
    TLanguage* m_language = nullptr;
    QUndoGroup* m_undoGroup = nullptr;
    QPointer<TfrmAlignment> m_alignmentPalette;

    QList<QPointer<TVelDesignWindow>> m_windows;
    QPointer<TVelDesignWindow> m_active;
    RecentFiles m_recentFiles;
    MainPreferences m_storedPreferences;
    TVelCommandLine m_commandLine;
    bool m_settingsLoaded = false;
    bool m_firstShow = true;
    bool m_settingsSaved = false;
};
