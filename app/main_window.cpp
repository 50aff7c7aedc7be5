#include "app/main_window.h"

#include "app/import_naming.h"
#include "app/language_component.h"
#include "app/language_menu.h"
#include "app/panel_area.h"
#include "app/recent_files.h"
#include "app/ui_labels.h"
#include "core/error.h"
#include "core/font.h"
#include "core/settings/preferences.h"
#include "core/settings/settings_store.h"
#include "core/strings/language.h"
#include "core/strings/program_texts.h"
#include "design/alignment_palette.h"
#include "design/design_window.h"
#include "design/question_window.h"
#include "document/document_messages.h"
#include "document/file_kind.h"
#include "document/form_source_export.h"
#include "document/report_file.h"
#include "document/vel_application.h"
#include "document/vel_data_module.h"
#include "document/vel_design.h"
#include "engine/rp_report.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTimer>
#include <QUndoGroup>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

constexpr int kLanguageBaseId = 33000;
constexpr int kSpeedBarHeight = 28;
constexpr int kAutoHideStrip = 4;

// Commands whose windows are not part of the program yet: they stay disabled.
constexpr TVelCommand kUnavailableCommands[] = {
    TVelCommand::NewDataModule, TVelCommand::Wizard, TVelCommand::Preview, TVelCommand::Print,
    TVelCommand::Tables, TVelCommand::WindowList, TVelCommand::ReportInspector,
    TVelCommand::Configuration, TVelCommand::SpeedBar, TVelCommand::Palette,
    TVelCommand::ReportOptions, TVelCommand::NewReportSettings, TVelCommand::EtiketRepository,
    TVelCommand::AssociateFiles, TVelCommand::Contents, TVelCommand::About,
};

// Enabled exactly while a design window is active.
constexpr TVelCommand kDocumentCommands[] = {
    TVelCommand::Save, TVelCommand::SaveAs, TVelCommand::SaveAsForm, TVelCommand::Close,
    TVelCommand::ZoomIn, TVelCommand::ZoomOut,
};

bool isUnavailable(TVelCommand command)
{
    return std::find(std::begin(kUnavailableCommands), std::end(kUnavailableCommands), command)
        != std::end(kUnavailableCommands);
}

QString normalisedPath(const QString& fileName)
{
    return QFileInfo(fileName).absoluteFilePath();
}

bool samePath(const QString& a, const QString& b)
{
    return !a.isEmpty() && !b.isEmpty() && normalisedPath(a).compare(normalisedPath(b), Qt::CaseInsensitive) == 0;
}

QString openDialogFilter()
{
    const ProgramTexts& texts = programTexts();
    return QStringList{
        texts.reportKindName + QStringLiteral(" (*.VRP *.VTX *.vrp *.vtx)"),
        texts.dataModuleKindName + QStringLiteral(" (*.VDM *.vdm)"),
        QStringLiteral("Prepared report (*.RPP *.rpp)"),
        QStringLiteral("Imported report (*.RPE *.DFM *.rpe *.dfm)"),
    }.join(QStringLiteral(";;"));
}

} // namespace

TfrmVelmor::TfrmVelmor(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmVelmor"));
    setAcceptDrops(true);
    m_undoGroup = new QUndoGroup(this);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bevel = new QFrame(central);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setFixedHeight(kBevelHeight);
    layout->addWidget(bevel);
    m_panelArea = createPanelArea(central, [this] { placeOnScreen(); });
    layout->addWidget(m_panelArea);
    setCentralWidget(central);

    createMenus();
    connectCommands();
    m_language = new TLanguage(this);
    m_language->setObjectName(QStringLiteral("Language1"));
    m_language->setOnInit([this](QObject*) { relabel(); });
    m_language->loaded();
    BuildLanguageMenu(m_languageMenu, kLanguageBaseId, QStringLiteral("Layout"));
    createToolWindows();

    setVelWorkspace(this);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TfrmVelmor::refreshCommands);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            refreshCommands();
    });
    connect(m_undoGroup, &QUndoGroup::canUndoChanged, this, &TfrmVelmor::refreshCommands);
    connect(m_undoGroup, &QUndoGroup::canRedoChanged, this, &TfrmVelmor::refreshCommands);

    placeOnScreen();
    updateCaption();
    rebuildReopenMenu();
    refreshCommands();
}

TfrmVelmor::~TfrmVelmor()
{
    saveSettings();
    const QList<QPointer<TVelDesignWindow>> windows = m_windows;
    for (const QPointer<TVelDesignWindow>& window : windows)
        delete window.data();
    if (velWorkspace() == this)
        setVelWorkspace(nullptr);
    delete m_alignmentPalette.data();
}

// ---------------------------------------------------------------- menus and commands

void TfrmVelmor::createMenus()
{
    for (int i = 0; i < kMenuCount; ++i) {
        auto* menu = menuBar()->addMenu(QString());
        menu->setToolTipsVisible(true);
        m_menus.append(menu);
    }
    for (const TVelMenuCommand& entry : velMenuCommands())
        createCommand(entry, m_menus[static_cast<int>(entry.menu)]);
}

void TfrmVelmor::createCommand(const TVelMenuCommand& entry, QMenu* menu)
{
    if (entry.separatorBefore)
        menu->addSeparator();
    QAction* action = nullptr;
    if (entry.command == TVelCommand::Reopen || entry.command == TVelCommand::Language) {
        auto* submenu = menu->addMenu(QString());
        submenu->setObjectName(QLatin1String(entry.name));
        action = submenu->menuAction();
        (entry.command == TVelCommand::Reopen ? m_reopenMenu : m_languageMenu) = submenu;
    } else {
        action = menu->addAction(QString());
    }
    action->setObjectName(QLatin1String(entry.name));
    action->setData(commandTag(entry));
    action->setProperty("commandNumber", entry.number);
    QList<QKeySequence> shortcuts;
    for (const QString& text : QString::fromLatin1(entry.shortcuts).split(QLatin1Char(';'), Qt::SkipEmptyParts))
        shortcuts.append(QKeySequence(text, QKeySequence::PortableText));
    action->setShortcuts(shortcuts);
    action->setShortcutContext(Qt::ApplicationShortcut);
    if (*entry.themeIcon)
        action->setIcon(QIcon::fromTheme(QLatin1String(entry.themeIcon)));
    action->setEnabled(!isUnavailable(entry.command));
    m_actions.insert(entry.command, action);
}

void TfrmVelmor::connectCommands()
{
    const auto on = [this](TVelCommand command, auto slot) {
        connect(m_actions.value(command), &QAction::triggered, this, slot);
    };
    on(TVelCommand::New, [this] { newReport(); });
    on(TVelCommand::Open, [this] { openWithDialog(); });
    on(TVelCommand::Reopen, [this] { reopenLastReport(); });
    on(TVelCommand::Save, [this] { saveActive(); });
    on(TVelCommand::SaveAs, [this] { saveActiveAs(); });
    on(TVelCommand::SaveAsForm, [this] { exportFormSource(); });
    on(TVelCommand::SaveAll, [this] { saveAll(); });
    on(TVelCommand::Close, [this] { closeActive(); });
    on(TVelCommand::CloseAll, [this] { closeAllDocuments(); });
    on(TVelCommand::Exit, [this] { close(); });
    on(TVelCommand::Undo, [this] { m_undoGroup->undo(); refreshCommands(); });
    on(TVelCommand::Redo, [this] { m_undoGroup->redo(); refreshCommands(); });
    on(TVelCommand::Cut, [this] { runEditCommand(&TVelDesignWindow::cut); });
    on(TVelCommand::Copy, [this] { runEditCommand(&TVelDesignWindow::copy); });
    on(TVelCommand::Paste, [this] { pasteIntoActive(); });
    on(TVelCommand::Delete, [this] { runEditCommand(&TVelDesignWindow::deleteSelection); });
    on(TVelCommand::SendToBack, [this] { runEditCommand(&TVelDesignWindow::sendToBack); });
    on(TVelCommand::BringToFront, [this] { runEditCommand(&TVelDesignWindow::bringToFront); });
    on(TVelCommand::ZoomIn, [this] { runEditCommand(&TVelDesignWindow::zoomIn); });
    on(TVelCommand::ZoomOut, [this] { runEditCommand(&TVelDesignWindow::zoomOut); });
    on(TVelCommand::AlignmentPalette, [this] { showAlignmentPalette(); });
}

void TfrmVelmor::createToolWindows()
{
    m_alignmentPalette = new TfrmAlignment(nullptr);
    m_alignmentPalette->setAnchor(this);
    m_alignmentPalette->setDesignWindowSource([this] { return activeDesignWindow(); });
}

QAction* TfrmVelmor::commandAction(int number) const
{
    if (number <= 0)
        return nullptr;
    for (const TVelMenuCommand& entry : velMenuCommands())
        if (entry.number == number)
            return m_actions.value(entry.command);
    return nullptr;
}

QAction* TfrmVelmor::commandAction(TVelCommand command) const
{
    return m_actions.value(command);
}

QList<QAction*> TfrmVelmor::commandActions() const
{
    QList<QAction*> actions;
    for (const TVelMenuCommand& entry : velMenuCommands())
        actions.append(m_actions.value(entry.command));
    return actions;
}

void TfrmVelmor::relabel()
{
    for (int i = 0; i < kMenuCount; ++i)
        SetMenuCaptionAndHint(m_menus[i], menuTitleId(static_cast<TVelMenu>(i)));
    for (const TVelMenuCommand& entry : velMenuCommands())
        SetMenuCaptionAndHint(m_actions.value(entry.command), entry.captionId);
    updateCaption();
}

// ---------------------------------------------------------------- window placement

void TfrmVelmor::placeOnScreen()
{
    const QRect screen = this->screen()->geometry();
    const int height = menuBar()->sizeHint().height() + kBevelHeight + panelAreaHeight(m_panelArea);
    setFixedHeight(height);
    setMinimumWidth(0);
    resize(screen.width(), height);
    move(screen.topLeft());
}

int TfrmVelmor::designWindowTop() const
{
    if (preferences().autoHide)
        return kAutoHideStrip;
    return frameGeometry().bottom() + 1;
}

void TfrmVelmor::applyStayOnTop()
{
    const bool onTop = preferences().autoHide;
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible)
        show();
}

void TfrmVelmor::updateCaption()
{
    const QString program = programTexts().programTitle;
    if (m_active)
        setWindowTitle(m_active->captionText().trimmed() + QStringLiteral(" - ") + program);
    else
        setWindowTitle(program);
}

// With auto hide on, the main window slides up when the mouse enters a design window,
// leaving a strip of 4 pixels, and comes back when the mouse enters that strip.
bool TfrmVelmor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter && preferences().autoHide && qobject_cast<TVelDesignWindow*>(watched)
        && pos().y() >= -1)
        move(x(), kAutoHideStrip - frameGeometry().height());
    return QMainWindow::eventFilter(watched, event);
}

void TfrmVelmor::enterEvent(QEnterEvent* event)
{
    QMainWindow::enterEvent(event);
    if (pos().y() < 0)
        move(x(), 0);
}

void TfrmVelmor::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        loadSettingsOnce();
        if (!m_firstShow && pos().y() != 0)
            placeOnScreen();
        refreshCommands();
    }
}

void TfrmVelmor::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_firstShow)
        return;
    m_firstShow = false;
    loadSettingsOnce();
    placeOnScreen();
    // Once the window has been drawn, so that messages of the opening appear above it.
    QTimer::singleShot(0, this, &TfrmVelmor::handleCommandLine);
}

// ---------------------------------------------------------------- settings

void TfrmVelmor::loadSettingsOnce()
{
    if (m_settingsLoaded)
        return;
    m_settingsLoaded = true;
    m_storedPreferences = readMainPreferences(userSettings(), kSpeedBarHeight);
    preferences() = m_storedPreferences.preferences;
    m_recentFiles = m_storedPreferences.recentFiles;
    for (const QPointer<TVelDesignWindow>& window : std::as_const(m_windows))
        if (window)
            recentfiles::forget(m_recentFiles.reports, window->fileName());
    applyStayOnTop();
    if (!m_storedPreferences.language.isEmpty())
        LoadLanguage(m_storedPreferences.language, kLanguageBaseId);
    rebuildReopenMenu();
    refreshCommands();
}

// The palette arrangement and the speed bars are written back as they were read, so that
// what other parts of the program keep in the store is not lost.
void TfrmVelmor::saveSettings()
{
    if (!m_settingsLoaded || m_settingsSaved)
        return;
    m_settingsSaved = true;
    MainPreferences values = m_storedPreferences;
    values.preferences = preferences();
    values.recentFiles = m_recentFiles;
    values.language = currentLanguageCode();
    writeMainPreferences(userSettings(), values);
    userSettings().flush();
}

// ---------------------------------------------------------------- command states

void TfrmVelmor::setCommandEnabled(TVelCommand command, bool enabled)
{
    if (QAction* action = m_actions.value(command))
        action->setEnabled(enabled && !isUnavailable(command));
}

void TfrmVelmor::refreshCommands()
{
    if (m_active && m_active->undoStack() && !m_undoGroup->stacks().contains(m_active->undoStack()))
        m_undoGroup->addStack(m_active->undoStack());
    m_undoGroup->setActiveStack(m_active ? m_active->undoStack() : nullptr);
    refreshDocumentCommands();
    refreshEditCommands();
}

void TfrmVelmor::refreshDocumentCommands()
{
    const bool hasDocument = m_active != nullptr;
    for (TVelCommand command : kDocumentCommands)
        setCommandEnabled(command, hasDocument);
    // The menu may list project files and datamodules too, which must stay reachable.
    setCommandEnabled(TVelCommand::Reopen, !m_recentFiles.reports.isEmpty() || !m_reopenMenu->isEmpty());
    setCommandEnabled(TVelCommand::Language, !m_languageMenu->actions().isEmpty());
}

void TfrmVelmor::refreshEditCommands()
{
    const bool selected = m_active && m_active->hasSelection();
    for (TVelCommand command : {TVelCommand::Cut, TVelCommand::Copy, TVelCommand::Delete,
                                TVelCommand::SendToBack, TVelCommand::BringToFront})
        setCommandEnabled(command, selected);
    setCommandEnabled(TVelCommand::Paste, selected && TVelDesignWindow::clipboardHoldsComponents());
    setCommandEnabled(TVelCommand::Undo, m_active && m_undoGroup->canUndo());
    setCommandEnabled(TVelCommand::Redo, m_active && m_undoGroup->canRedo());
}

// ---------------------------------------------------------------- design window registry

QList<TVelDesignWindow*> TfrmVelmor::designWindows() const
{
    QList<TVelDesignWindow*> windows;
    for (const QPointer<TVelDesignWindow>& window : m_windows)
        if (window)
            windows.append(window);
    return windows;
}

void TfrmVelmor::designWindowOpened(TVelDesignWindow* window)
{
    if (!m_windows.contains(window))
        m_windows.append(window);
    connect(window, &TVelDesignWindow::selectionChanged, this, &TfrmVelmor::refreshCommands,
            Qt::UniqueConnection);
    connect(window, &TVelDesignWindow::captionChanged, this, &TfrmVelmor::updateCaption, Qt::UniqueConnection);
    window->removeEventFilter(this);
    window->installEventFilter(this);
    designWindowActivated(window);
}

void TfrmVelmor::designWindowActivated(TVelDesignWindow* window)
{
    if (!m_windows.contains(window))
        return;
    m_active = window;
    updateCaption();
    refreshCommands();
}

void TfrmVelmor::designWindowDestroyed(TVelDesignWindow* window)
{
    m_windows.removeIf([window](const QPointer<TVelDesignWindow>& entry) {
        return !entry || entry.data() == window;
    });
    if (m_active == window || !m_active) {
        m_active = m_windows.isEmpty() ? nullptr : m_windows.last().data();
        if (m_active && !m_active->isClosing()) {
            m_active->show();
            m_active->raise();
        }
    }
    updateCaption();
    rebuildReopenMenu();
    refreshCommands();
}

void TfrmVelmor::documentCaptionChanged(TVelDesignWindow* window)
{
    if (window == m_active)
        updateCaption();
}

// ---------------------------------------------------------------- recent files

void TfrmVelmor::forgetRecentReport(const QString& fileName)
{
    recentfiles::forget(m_recentFiles.reports, fileName);
    rebuildReopenMenu();
    refreshDocumentCommands();
}

void TfrmVelmor::rememberRecentReport(const QString& fileName)
{
    recentfiles::remember(m_recentFiles.reports, fileName);
    rebuildReopenMenu();
    refreshDocumentCommands();
}

bool TfrmVelmor::isFileOpen(const QString& fileName) const
{
    return findOpenReport(fileName) || findOpenDataModule(fileName);
}

void TfrmVelmor::rebuildReopenMenu()
{
    m_reopenMenu->clear();
    const auto entries = recentfiles::reopenEntries(m_recentFiles, [this](const QString& fileName) {
        return isFileOpen(fileName);
    });
    for (const recentfiles::ReopenEntry& entry : entries) {
        if (entry.isSeparator()) {
            m_reopenMenu->addSeparator();
            continue;
        }
        QAction* action = m_reopenMenu->addAction(entry.caption);
        action->setToolTip(entry.fileName);
        action->setStatusTip(entry.fileName);
        const QString fileName = entry.fileName;
        connect(action, &QAction::triggered, this, [this, fileName] { openFile(fileName); });
    }
    refreshDocumentCommands();
}

// ---------------------------------------------------------------- opening

TVelDesignWindow* TfrmVelmor::findOpenReport(const QString& fileName) const
{
    for (const QPointer<TVelDesignWindow>& window : m_windows)
        if (window && !window->isClosing() && samePath(window->fileName(), fileName))
            return window;
    return nullptr;
}

TVelDataModule* TfrmVelmor::findOpenDataModule(const QString& fileName) const
{
    for (TVelDataModule* dataModule : TVelApplication::instance().dataModules())
        if (samePath(dataModule->fileName(), fileName))
            return dataModule;
    return nullptr;
}

void TfrmVelmor::bringToFront(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
    window->setFocus();
}

TVelDesignWindow* TfrmVelmor::newReport()
{
    auto* window = new TVelDesignWindow(nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    designWindowOpened(window);
    window->placeWindow();
    bringToFront(window);
    updateCaption();
    return window;
}

TVelDesignWindow* TfrmVelmor::openFile(const QString& fileName)
{
    if (TVelDesignWindow* open = findOpenReport(fileName)) {
        bringToFront(open);
        return open;
    }
    if (findOpenDataModule(fileName))
        return nullptr;
    switch (filekind::of(fileName)) {
    case TVelFileKind::Vtx:
    case TVelFileKind::Vrp:
    case TVelFileKind::Rpe:
    case TVelFileKind::Dfm:
        return openReport(fileName);
    case TVelFileKind::Vdm:
        openDataModule(fileName);
        return nullptr;
    case TVelFileKind::Rpp:
        docmessages::show(QStringLiteral("%1\n\rPrepared reports cannot be previewed yet: the preview is not "
                                         "part of this version.").arg(fileName));
        return nullptr;
    default:
        return nullptr;
    }
}

TVelDesignWindow* TfrmVelmor::openReport(const QString& fileName)
{
    QPointer<TVelDesignWindow> window = new TVelDesignWindow(nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    designWindowOpened(window);
    if (!window->loadFromFile(fileName)) {
        delete window.data();
        return nullptr;
    }
    const TVelFileKind kind = filekind::of(fileName);
    if (kind == TVelFileKind::Rpe || kind == TVelFileKind::Dfm) {
        window->document()->setFileName(importedReportName(fileName));
        window->document()->addMissingDataSources();
        window->document()->updateCaption();
    }
    forgetRecentReport(fileName);
    window->placeWindow();
    bringToFront(window);
    updateCaption();
    rebuildReopenMenu();
    return window;
}

void TfrmVelmor::openDataModule(const QString& fileName)
{
    TVelApplication& application = TVelApplication::instance();
    TVelDataModule* dataModule = application.createDataModule();
    if (!reportfile::loadDataModule(*dataModule, fileName)) {
        application.close(dataModule);
        return;
    }
    recentfiles::forget(m_recentFiles.dataModules, fileName);
    rebuildReopenMenu();
    docmessages::show(QStringLiteral("Datamodule %1 is loaded; reports can link it. The database manager "
                                     "that edits datamodules is not part of this version.")
                          .arg(dataModule->name()));
}

void TfrmVelmor::reopenLastReport()
{
    if (m_recentFiles.reports.isEmpty())
        return;
    const QString fileName = m_recentFiles.reports.first();
    if (!openFile(fileName) && !isFileOpen(fileName))
        forgetRecentReport(fileName);
}

void TfrmVelmor::openWithDialog()
{
    const QString fileName = QFileDialog::getOpenFileName(this, QString(), preferences().openDirectory,
                                                          openDialogFilter());
    if (fileName.isEmpty())
        return;
    preferences().openDirectory = QFileInfo(fileName).absolutePath();
    openFile(fileName);
}

void TfrmVelmor::handleCommandLine()
{
    bool opened = false;
    for (const QString& fileName : std::as_const(m_commandLine.files)) {
        if (!QFileInfo(fileName).isFile())
            continue;
        opened = openFile(fileName) != nullptr || opened;
    }
    if (opened && m_active && (m_commandLine.preview || m_commandLine.print))
        docmessages::show(m_commandLine.preview ? QStringLiteral("The report is open; the preview is not part of this version.")
                                                : QStringLiteral("The report is open; printing is not part of this version."));
    m_commandLine = {};
}

void TfrmVelmor::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TfrmVelmor::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            openFile(url.toLocalFile());
    event->acceptProposedAction();
}

// ---------------------------------------------------------------- saving and closing

void TfrmVelmor::saveActive()
{
    if (m_active)
        m_active->save();
}

void TfrmVelmor::saveActiveAs()
{
    if (m_active)
        m_active->saveAs();
}

// Saves every modified report; an untitled one asks for its name.
void TfrmVelmor::saveAll()
{
    for (TVelDesignWindow* window : designWindows())
        if (window->isModified() && !window->save())
            return;
}

void TfrmVelmor::exportFormSource()
{
    if (!m_active)
        return;
    TfrmVelDesign& document = *m_active->document();
    try {
        formsource::checkExportable(document);
    } catch (const EVelError& error) {
        docmessages::show(error.message());
        return;
    }
    if (!m_active->save())
        return;
    const QString start = QFileInfo(document.fileName()).absolutePath();
    const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("SaveAs Delphi Form DFM and PAS"), start,
                                                        QStringLiteral("Delphi form PAS and DFM (*.DFM *.dfm)"));
    if (chosen.isEmpty())
        return;
    const QString ownFileName = document.fileName();
    try {
        formsource::exportForm(document, chosen);
    } catch (const EVelError& error) {
        docmessages::show(error.message());
    }
    document.setFileName(ownFileName);
    document.updateCaption();
}

void TfrmVelmor::closeActive()
{
    if (m_active)
        m_active->close();
}

bool TfrmVelmor::closeDesignWindows()
{
    const QList<TVelDesignWindow*> windows = designWindows();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        QPointer<TVelDesignWindow> window = *it;
        if (!window || window->isClosing())
            continue;
        if (!window->close())
            return false;
        delete window.data();
    }
    return true;
}

bool TfrmVelmor::closeDataModules()
{
    TVelApplication& application = TVelApplication::instance();
    const QList<TVelDataModule*> dataModules = application.dataModules();
    for (auto it = dataModules.crbegin(); it != dataModules.crend(); ++it) {
        TVelDataModule* dataModule = *it;
        if (askSaveDataModule(*dataModule, this) == TYesNoCancel::Cancel)
            return false;
        const QString fileName = dataModule->fileName();
        application.close(dataModule);
        recentfiles::remember(m_recentFiles.dataModules, fileName);
    }
    rebuildReopenMenu();
    return true;
}

bool TfrmVelmor::closeAllDocuments()
{
    const bool closed = closeDesignWindows() && closeDataModules();
    rebuildReopenMenu();
    refreshCommands();
    return closed;
}

void TfrmVelmor::closeEvent(QCloseEvent* event)
{
    if (!closeAllDocuments()) {
        event->ignore();
        return;
    }
    saveSettings();
    if (m_alignmentPalette)
        m_alignmentPalette->close();
    event->accept();
    emit shutDown();
}

// ---------------------------------------------------------------- edit commands

void TfrmVelmor::runEditCommand(void (TVelDesignWindow::*command)())
{
    if (m_active)
        (m_active->*command)();
    refreshCommands();
}

void TfrmVelmor::pasteIntoActive()
{
    if (m_active)
        m_active->paste();
    refreshCommands();
}

void TfrmVelmor::showAlignmentPalette()
{
    m_alignmentPalette->show();
    m_alignmentPalette->raise();
}
