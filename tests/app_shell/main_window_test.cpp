// The main window as a person uses it: its menu commands, the Reopen menu, opening files
// from the command line, and closing with unsaved changes.
#include "app/main_window.h"

#include "app/command_line.h"
#include "core/font.h"
#include "core/settings/preferences.h"
#include "core/settings/file_locations.h"
#include "core/settings/settings_store.h"
#include "core/strings/language.h"
#include "engine/rp_report.h"
#include "design/design_window.h"
#include "design/question_window.h"
#include "document/class_registration.h"
#include "document/document_messages.h"
#include "document/report_file.h"
#include "document/vel_application.h"
#include "document/vel_data_module.h"
#include "document/vel_data_module_link.h"
#include "document/vel_design.h"
#include "engine/rp_new_band.h"
#include "engine/rp_printable.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "support/test_support.h"

namespace {

void processDeletions()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// A report with one detail band holding one label, written to a file.
void writeReport(const QString& fileName, const QString& title = {})
{
    TfrmVelDesign document;
    TRpBand* band = rpNewBand(&document, document.report(), QStringLiteral("Detail"), TRpBandType::rbDetail, 100);
    auto* label = new TRpLabel(&document);
    label->setNameUnchecked(QStringLiteral("Label1"));
    label->setParentControl(band);
    label->setCaption(QStringLiteral("Hello"));
    if (!title.isEmpty())
        document.report()->setReportTitle(title);
    ASSERT_TRUE(document.saveToFile(fileName)) << document.lastError().toStdString();
}

TControl* firstLabel(TVelDesignWindow* window)
{
    return qobject_cast<TControl*>(window->document()->findComponent(QStringLiteral("Label1")));
}

class ScriptedAnswers {
public:
    explicit ScriptedAnswers(TYesNoCancel answer)
    {
        m_previous = setYesNoCancelAnswerer([this, answer](const QString&) {
            ++count;
            return answer;
        });
    }
    ~ScriptedAnswers() { setYesNoCancelAnswerer(m_previous); }
    int count = 0;

private:
    TYesNoCancelAnswerer m_previous;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        classregistration::registerStorableClasses();
        useSettingsFile(dir.filePath(QStringLiteral("settings.conf")));
        previousMessages = docmessages::setHandler([this](const QString& text) { messages.append(text); });
        QGuiApplication::clipboard()->clear();
    }
    void TearDown() override
    {
        if (window) {
            ScriptedAnswers discard(TYesNoCancel::No);
            window.reset();
        }
        processDeletions();
        TVelApplication::instance().closeAll();
        docmessages::setHandler(previousMessages);
        preferences() = Preferences();
        resetLanguageSelection();
        programfiles::setProgramDirectory({});
        programfiles::setInstalledDataDirectory({});
    }

    TfrmVelmor& startWindow(const TVelCommandLine& commandLine = {})
    {
        window = std::make_unique<TfrmVelmor>();
        window->setCommandLine(commandLine);
        window->show();
        QCoreApplication::processEvents();
        return *window;
    }

    QString report(const QString& name, const QString& title = {})
    {
        const QString path = dir.filePath(name);
        writeReport(path, title);
        return path;
    }

    bool enabled(TVelCommand command) const { return window->commandAction(command)->isEnabled(); }

    QStringList reopenCaptions() const
    {
        QStringList captions;
        for (QAction* action : window->reopenMenu()->actions())
            captions.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        return captions;
    }

    QTemporaryDir dir;
    std::unique_ptr<TfrmVelmor> window;
    QStringList messages;
    docmessages::Handler previousMessages;
};

constexpr TVelCommand kDocumentCommands[] = {TVelCommand::Save, TVelCommand::SaveAs, TVelCommand::SaveAsForm,
                                             TVelCommand::Close, TVelCommand::ZoomIn, TVelCommand::ZoomOut};
constexpr TVelCommand kSelectionCommands[] = {TVelCommand::Cut, TVelCommand::Copy, TVelCommand::Delete,
                                              TVelCommand::SendToBack, TVelCommand::BringToFront};
constexpr TVelCommand kNotYetAvailable[] = {
    TVelCommand::NewDataModule, TVelCommand::Wizard, TVelCommand::Preview, TVelCommand::Print,
    TVelCommand::Tables, TVelCommand::WindowList, TVelCommand::ReportInspector, TVelCommand::Configuration,
    TVelCommand::SpeedBar, TVelCommand::Palette, TVelCommand::ReportOptions, TVelCommand::NewReportSettings,
    TVelCommand::EtiketRepository, TVelCommand::AssociateFiles, TVelCommand::Contents, TVelCommand::About};

} // namespace

TEST_F(MainWindowTest, CommandsFollowTheActiveDocumentAndItsSelection)
{
    startWindow();
    for (TVelCommand command : kDocumentCommands)
        EXPECT_FALSE(enabled(command)) << velMenuCommand(command).name;
    for (TVelCommand command : kSelectionCommands)
        EXPECT_FALSE(enabled(command)) << velMenuCommand(command).name;
    EXPECT_TRUE(enabled(TVelCommand::New));
    EXPECT_TRUE(enabled(TVelCommand::Open));
    EXPECT_FALSE(enabled(TVelCommand::Reopen));

    TVelDesignWindow* design = window->openFile(report(QStringLiteral("one.vrp")));
    ASSERT_NE(design, nullptr);
    EXPECT_EQ(window->activeDesignWindow(), design);
    for (TVelCommand command : kDocumentCommands)
        EXPECT_TRUE(enabled(command)) << velMenuCommand(command).name;
    for (TVelCommand command : kSelectionCommands)
        EXPECT_FALSE(enabled(command)) << velMenuCommand(command).name;

    design->selectControl(firstLabel(design));
    for (TVelCommand command : kSelectionCommands)
        EXPECT_TRUE(enabled(command)) << velMenuCommand(command).name;
    EXPECT_FALSE(enabled(TVelCommand::Paste));

    window->commandAction(TVelCommand::Copy)->trigger();
    EXPECT_TRUE(TVelDesignWindow::clipboardHoldsComponents());
    EXPECT_TRUE(enabled(TVelCommand::Paste));

    window->commandAction(TVelCommand::Delete)->trigger();
    EXPECT_EQ(firstLabel(design), nullptr);
    ASSERT_TRUE(TVelDesignWindow::clipboardHoldsComponents());
    for (TVelCommand command : kSelectionCommands)
        EXPECT_FALSE(enabled(command)) << velMenuCommand(command).name;
    EXPECT_FALSE(enabled(TVelCommand::Paste)) << "nothing selected, though the clipboard holds controls";
    EXPECT_TRUE(enabled(TVelCommand::Undo));

    window->commandAction(TVelCommand::Undo)->trigger();
    EXPECT_NE(firstLabel(design), nullptr);
    EXPECT_TRUE(enabled(TVelCommand::Redo));

    for (TVelCommand command : kNotYetAvailable)
        EXPECT_FALSE(enabled(command)) << velMenuCommand(command).name;
}

TEST_F(MainWindowTest, ClosingTheLastDocumentDisablesTheDocumentCommands)
{
    startWindow();
    window->commandAction(TVelCommand::New)->trigger();
    ASSERT_EQ(window->designWindows().size(), 1);
    EXPECT_TRUE(enabled(TVelCommand::Save));
    window->commandAction(TVelCommand::Close)->trigger();
    processDeletions();
    EXPECT_TRUE(window->designWindows().isEmpty());
    for (TVelCommand command : kDocumentCommands)
        EXPECT_FALSE(enabled(command)) << velMenuCommand(command).name;
}

TEST_F(MainWindowTest, ReopenMenuListsClosedReportsLastClosedFirst)
{
    startWindow();
    const QString first = report(QStringLiteral("first.vrp"));
    const QString second = report(QStringLiteral("second.vtx"));
    ASSERT_NE(window->openFile(first), nullptr);
    ASSERT_NE(window->openFile(second), nullptr);
    EXPECT_TRUE(reopenCaptions().isEmpty());

    window->commandAction(TVelCommand::CloseAll)->trigger();
    processDeletions();
    EXPECT_EQ(reopenCaptions(), (QStringList{QStringLiteral("&A ") + first, QStringLiteral("&B ") + second}));
    EXPECT_TRUE(enabled(TVelCommand::Reopen));

    // Opening one of them takes it out of the menu and the letters start again at A.
    window->reopenMenu()->actions().at(1)->trigger();
    ASSERT_EQ(window->designWindows().size(), 1);
    EXPECT_EQ(QFileInfo(window->activeDesignWindow()->fileName()), QFileInfo(second));
    EXPECT_EQ(reopenCaptions(), QStringList{QStringLiteral("&A ") + first});
}

TEST_F(MainWindowTest, OpeningAnOpenFileBringsItsWindowInsteadOfLoadingAgain)
{
    startWindow();
    const QString path = report(QStringLiteral("twice.vrp"));
    TVelDesignWindow* first = window->openFile(path);
    ASSERT_NE(first, nullptr);
    window->commandAction(TVelCommand::New)->trigger();
    ASSERT_NE(window->activeDesignWindow(), first);

    TVelDesignWindow* again = window->openFile(QFileInfo(path).absolutePath() + QStringLiteral("/TWICE.VRP"));
    EXPECT_EQ(again, first);
    EXPECT_EQ(window->designWindows().size(), 2);
}

TEST_F(MainWindowTest, CommandLineSkipsMissingFilesAndSaysPreviewIsNotAvailable)
{
    const QString existing = report(QStringLiteral("given.vrp"));
    startWindow(interpretCommandLine({QStringLiteral("/preview"), dir.filePath(QStringLiteral("missing.vrp")), existing}));
    ASSERT_EQ(window->designWindows().size(), 1);
    EXPECT_EQ(QFileInfo(window->designWindows()[0]->fileName()), QFileInfo(existing));
    ASSERT_EQ(messages.size(), 1) << messages.join('\n').toStdString();
    EXPECT_TRUE(messages[0].contains(QStringLiteral("preview"))) << messages[0].toStdString();
}

TEST_F(MainWindowTest, FilesDroppedOnTheWindowOpen)
{
    startWindow();
    const QString path = report(QStringLiteral("dropped.vtx"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    ASSERT_EQ(window->designWindows().size(), 1) << messages.join('\n').toStdString();
    EXPECT_EQ(QFileInfo(window->designWindows()[0]->fileName()), QFileInfo(path));
}

TEST_F(MainWindowTest, AnImportedFormTakesTheFirstFreeReportName)
{
    startWindow();
    // A report saved as a form takes a base name with a capital letter.
    const QString dfm = dir.filePath(QStringLiteral("Form1.DFM"));
    {
        TfrmVelDesign document;
        rpNewBand(&document, document.report(), QStringLiteral("Detail"), TRpBandType::rbDetail, 100);
        reportfile::saveReport(document, dfm);
    }
    ASSERT_TRUE(testsupport::writeFile(dir.filePath(QStringLiteral("Form1.VRP")), "not this one"));

    TVelDesignWindow* design = window->openFile(dfm);
    ASSERT_NE(design, nullptr) << messages.join('\n').toStdString();
    EXPECT_EQ(design->fileName(), dir.filePath(QStringLiteral("Form1.VTX")));
    EXPECT_EQ(testsupport::readFile(dir.filePath(QStringLiteral("Form1.VRP"))), QByteArray("not this one"));
}

TEST_F(MainWindowTest, CloseSequenceAnswers)
{
    struct Case {
        TYesNoCancel answer;
        bool windowsStayOpen;
        bool fileChanged;
    };
    const Case cases[] = {
        {TYesNoCancel::Yes, false, true},
        {TYesNoCancel::No, false, false},
        {TYesNoCancel::Cancel, true, false},
    };
    for (const Case& c : cases) {
        startWindow();
        const QString path = report(QStringLiteral("changed.vrp"));
        const QByteArray before = testsupport::readFile(path);
        window->commandAction(TVelCommand::New)->trigger();
        TVelDesignWindow* changed = window->openFile(path);
        ASSERT_NE(changed, nullptr);
        changed->selectControl(firstLabel(changed));
        window->commandAction(TVelCommand::Delete)->trigger();
        ASSERT_TRUE(changed->isModified());

        ScriptedAnswers answers(c.answer);
        window->commandAction(TVelCommand::Exit)->trigger();
        processDeletions();
        EXPECT_EQ(answers.count, 1);
        EXPECT_EQ(window->isVisible(), c.windowsStayOpen) << int(c.answer);
        EXPECT_EQ(window->designWindows().size(), c.windowsStayOpen ? 2 : 0) << int(c.answer);
        EXPECT_EQ(testsupport::readFile(path) != before, c.fileChanged) << int(c.answer);
        if (c.windowsStayOpen) {
            ScriptedAnswers discard(TYesNoCancel::No);
            window.reset();
        }
        window.reset();
        processDeletions();
    }
}

TEST_F(MainWindowTest, RecentListsSurviveARestart)
{
    const QString path = report(QStringLiteral("kept.vrp"));
    startWindow();
    ASSERT_NE(window->openFile(path), nullptr);
    window->commandAction(TVelCommand::CloseAll)->trigger();
    processDeletions();
    window.reset();

    startWindow();
    EXPECT_EQ(window->recentFiles().reports, QStringList{path});
    EXPECT_EQ(reopenCaptions(), QStringList{QStringLiteral("&A ") + path});
    window->commandAction(TVelCommand::Reopen)->trigger();
    ASSERT_EQ(window->designWindows().size(), 1);
    EXPECT_EQ(QFileInfo(window->activeDesignWindow()->fileName()), QFileInfo(path));
}

TEST_F(MainWindowTest, ANewReportsFontTakesTheDefaultCharacterSet)
{
    startWindow();
    preferences().defaultCharSet = QStringLiteral("GREEK_CHARSET");
    window->commandAction(TVelCommand::New)->trigger();
    ASSERT_NE(window->activeDesignWindow(), nullptr);
    EXPECT_EQ(window->activeDesignWindow()->report()->font()->charset(), 161);
}

TEST_F(MainWindowTest, ADataModuleOpensOnceAndIsRememberedWhenClosed)
{
    const QString path = dir.filePath(QStringLiteral("shared.vdm"));
    {
        TVelDataModule* dataModule = TVelApplication::instance().createDataModule();
        dataModule->setName(QStringLiteral("Shared"));
        reportfile::saveDataModule(*dataModule, path);
        TVelApplication::instance().close(dataModule);
    }
    startWindow();
    EXPECT_EQ(window->openFile(path), nullptr);
    EXPECT_EQ(window->openFile(path), nullptr);
    ASSERT_EQ(TVelApplication::instance().dataModules().size(), 1);
    EXPECT_EQ(TVelApplication::instance().dataModules()[0]->name(), QStringLiteral("Shared"));

    window->commandAction(TVelCommand::CloseAll)->trigger();
    EXPECT_TRUE(TVelApplication::instance().dataModules().isEmpty());
    EXPECT_EQ(window->recentFiles().dataModules, QStringList{path});
    EXPECT_EQ(reopenCaptions(), QStringList{QStringLiteral("&A ") + path});
    EXPECT_TRUE(enabled(TVelCommand::Reopen)) << "the menu's only entry is a datamodule";
}

TEST_F(MainWindowTest, AChosenLanguageRelabelsTheMenusAndIsLoadedAgainAtTheNextStart)
{
    QStandardPaths::setTestModeEnabled(true);
    programfiles::setProgramDirectory(dir.path());
    programfiles::setInstalledDataDirectory(dir.filePath(QStringLiteral("no-such-folder")));
    resetLanguageSelection();
    ASSERT_TRUE(testsupport::writeFile(dir.filePath(QStringLiteral("Layout.LNG")), "DEU\nDeutsch\n"));
    QByteArray lines;
    for (int id = 33000; id < 33047; ++id)
        lines += id == 33043 ? "&Datei\n" : id == 33045 ? "&Neu\n" : "\n";
    ASSERT_TRUE(testsupport::writeFile(dir.filePath(QStringLiteral("Layout.DEU")), lines));

    startWindow();
    QAction* language = window->commandAction(TVelCommand::Language);
    ASSERT_TRUE(language->isEnabled());
    ASSERT_EQ(language->menu()->actions().size(), 1);
    EXPECT_EQ(language->menu()->actions()[0]->text(), QStringLiteral("&A Deutsch"));
    language->menu()->actions()[0]->trigger();
    EXPECT_EQ(window->commandAction(TVelCommand::New)->text(), QStringLiteral("&Neu"));
    EXPECT_EQ(window->commandAction(TVelCommand::Open)->text(), QStringLiteral("&Open..."));

    window.reset();
    resetLanguageSelection();
    startWindow();
    EXPECT_EQ(window->commandAction(TVelCommand::New)->text(), QStringLiteral("&Neu"));
}

TEST_F(MainWindowTest, WithAutoHideTheWindowSlidesUpWhileTheMouseIsOnADesignWindow)
{
    startWindow();
    preferences().autoHide = true;
    window->commandAction(TVelCommand::New)->trigger();
    TVelDesignWindow* design = window->activeDesignWindow();
    ASSERT_NE(design, nullptr);
    const int height = window->frameGeometry().height();

    QEvent enterDesign(QEvent::Enter);
    QApplication::sendEvent(design, &enterDesign);
    EXPECT_EQ(window->frameGeometry().top(), 4 - height);
    EXPECT_EQ(window->frameGeometry().bottom(), 3);

    QEnterEvent enterMain(QPointF(5, 2), QPointF(5, 2), QPointF(5, 2));
    QApplication::sendEvent(window.get(), &enterMain);
    EXPECT_EQ(window->frameGeometry().top(), 0);
}

TEST_F(MainWindowTest, AReportWithDataModulesIsNotExportedAsForm)
{
    startWindow();
    const QString path = report(QStringLiteral("linked.vrp"));
    TVelDesignWindow* design = window->openFile(path);
    ASSERT_NE(design, nullptr);
    new TVelDataModuleLink(design->document());
    window->commandAction(TVelCommand::SaveAsForm)->trigger();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Only reports without DataModules are supported right now.")))
        << messages[0].toStdString();
    EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("*.DFM"), QStringLiteral("*.PAS")}).isEmpty());
}
