#include "app/language_component.h"
#include "app/language_menu.h"
#include "app/ui_labels.h"
#include "core/strings/ui_strings.h"
#include "strings/language_fixture.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include <memory>

namespace {

// A window the way every window of the program is built: it owns Language1, whose
// OnInit handler labels its controls.
class SampleWindow : public QWidget {
public:
    SampleWindow()
    {
        m_ok = new QPushButton(this);
        m_label = new QLabel(this);
        m_language = new TLanguage(this);
        m_language->setObjectName(QStringLiteral("Language1"));
        m_language->setOnInit([this](QObject* sender) { Language1Init(sender); });
        m_language->loaded();
    }

    void Language1Init(QObject* sender)
    {
        lastSender = sender;
        ++initCount;
        SetControlCaption(this, 33393);
        SetControlCaptionAndHint(m_ok, 33264);
        m_label->setText(LoadMessageString(33028));
    }

    QPushButton* m_ok;
    QLabel* m_label;
    TLanguage* m_language;
    QObject* lastSender = nullptr;
    int initCount = 0;
};

class LanguageMenu : public LanguageFixture {
protected:
    void SetUp() override
    {
        LanguageFixture::SetUp();
        m_menu = std::make_unique<QMenu>();
    }

    void writeFiveLineList() const
    {
        writeProgramFile(QStringLiteral("Layout.LNG"), "ENG\r\nEnglish\r\nDEU\r\nDeutsch\r\nNLD\r\n");
    }

    QAction* entry(int index) const { return m_menu->actions().value(index); }

    std::unique_ptr<QMenu> m_menu;
};

TEST_F(LanguageMenu, FiveListLinesGiveTwoEntries)
{
    writeFiveLineList();
    BuildLanguageMenu(m_menu.get(), 33000, QStringLiteral("Layout"));
    ASSERT_EQ(m_menu->actions().size(), 2);
    EXPECT_EQ(entry(0)->text(), QStringLiteral("&A English"));
    EXPECT_EQ(menuItemHint(entry(0)), QStringLiteral("ENG"));
    EXPECT_EQ(entry(1)->text(), QStringLiteral("&B Deutsch"));
    EXPECT_EQ(menuItemHint(entry(1)), QStringLiteral("DEU"));
    EXPECT_EQ(languageFilePrefix(), QStringLiteral("Layout"));
    EXPECT_EQ(languageBaseId(), 33000);
}

TEST_F(LanguageMenu, MissingListLeavesTheMenuEmptyAndTheStateUnchanged)
{
    BuildLanguageMenu(m_menu.get(), 33000, QStringLiteral("Layout"));
    EXPECT_TRUE(m_menu->actions().isEmpty());
    EXPECT_TRUE(languageFilePrefix().isEmpty());
    EXPECT_EQ(languageBaseId(), 0);
}

TEST_F(LanguageMenu, CatcherIsOneInstanceOwnedByTheApplication)
{
    BuildLanguageMenu(m_menu.get(), 33000, QStringLiteral("Layout"));
    TCatcher* catcher = TCatcher::instance();
    EXPECT_EQ(catcher->parent(), QCoreApplication::instance());
    BuildLanguageMenu(m_menu.get(), 33000, QStringLiteral("Layout"));
    EXPECT_EQ(TCatcher::instance(), catcher);
}

TEST_F(LanguageMenu, ChoosingAnEntryRelabelsEveryOpenWindow)
{
    writeFiveLineList();
    QByteArray german;
    for (int id = 33000; id < 33270; ++id)
        german += id == 33264 ? "&Gut\n" : id == 33265 ? "Einstellungen annehmen\n" : id == 33028 ? "Bericht ge\xe4ndert<>Speichern ?\n" : "\n";
    writeProgramFile(QStringLiteral("Layout.DEU"), german);
    BuildLanguageMenu(m_menu.get(), 33000, QStringLiteral("Layout"));
    SampleWindow first;
    SampleWindow second;
    EXPECT_EQ(first.m_ok->text(), QStringLiteral("&Ok"));
    EXPECT_EQ(first.windowTitle(), QStringLiteral("Configuration"));

    entry(1)->trigger();
    for (SampleWindow* window : {&first, &second}) {
        EXPECT_EQ(window->m_ok->text(), QStringLiteral("&Gut"));
        EXPECT_EQ(window->m_ok->toolTip(), QStringLiteral("Einstellungen annehmen"));
        EXPECT_EQ(window->m_label->text(), QString::fromUtf8("Bericht geändert\n\rSpeichern ?"));
        EXPECT_EQ(window->initCount, 2);
        EXPECT_EQ(window->lastSender, window->m_language);
    }
    EXPECT_EQ(currentLanguageCode(), QStringLiteral("DEU"));
}

TEST_F(LanguageMenu, ChoosingALanguageWhoseFileWasDeletedKeepsTheWindowsAsTheyAre)
{
    writeFiveLineList();
    writeProgramFile(QStringLiteral("Layout.DEU"), QByteArray(264, '\n') + "&Gut\n");
    BuildLanguageMenu(m_menu.get(), 33000, QStringLiteral("Layout"));
    SampleWindow window;
    entry(1)->trigger();
    ASSERT_EQ(window.m_ok->text(), QStringLiteral("&Gut"));

    ASSERT_TRUE(QFile::remove(programFile(QStringLiteral("Layout.DEU"))));
    entry(1)->trigger();
    EXPECT_EQ(window.m_ok->text(), QStringLiteral("&Gut"));
    EXPECT_EQ(window.initCount, 2);
    EXPECT_EQ(LoadUiString(33264), QStringLiteral("&Ok"));
    EXPECT_EQ(currentLanguageCode(), QStringLiteral("DEU"));
}

TEST_F(LanguageMenu, ClicksFromOtherSendersOrWithoutAHintDoNothing)
{
    writeProgramFile(QStringLiteral("Layout."), QByteArray("loaded\n"));
    useLayoutFiles();
    QAction noHint(QStringLiteral("&A Nothing"));
    TCatcher::instance()->languageItemClicked(&noHint);
    QObject notAMenuItem;
    TCatcher::instance()->languageItemClicked(&notAMenuItem);
    TCatcher::instance()->languageItemClicked(nullptr);
    EXPECT_FALSE(isLanguageLoaded());
}

TEST_F(LanguageMenu, DestroyedAndDesigningComponentsAreNotRelabelled)
{
    writeProgramFile(QStringLiteral("Layout.DEU"), QByteArray("Titel\n"));
    useLayoutFiles();
    const int liveBefore = liveLanguageComponentCount();
    auto closed = std::make_unique<SampleWindow>();
    EXPECT_EQ(liveLanguageComponentCount(), liveBefore + 1);
    closed.reset();
    EXPECT_EQ(liveLanguageComponentCount(), liveBefore);

    SampleWindow designed;
    designed.m_language->setDesigning(true);
    LoadLanguage(QStringLiteral("DEU"), 33000);
    ASSERT_TRUE(isLanguageLoaded());
    EXPECT_EQ(designed.initCount, 1);

    TLanguage bare;
    EXPECT_NO_FATAL_FAILURE(bare.loaded());  // no handler assigned
    EXPECT_NO_FATAL_FAILURE(LoadLanguage(QStringLiteral("DEU"), 33000));
}

} // namespace
