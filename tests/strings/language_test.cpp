#include "language_fixture.h"

#include "core/strings/language.h"
#include "core/strings/language_files.h"
#include "core/strings/program_texts.h"
#include "core/strings/ui_string_table.h"
#include "core/strings/ui_strings.h"

#include <QFile>

#include <memory>
#include <stdexcept>

namespace {

QByteArray numberedLines(const char* word, int count, const char* lineBreak = "\n")
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += word + QByteArray::number(i) + lineBreak;
    return bytes;
}

class LanguageLoading : public LanguageFixture {};

TEST_F(LanguageLoading, TenLinesTranslateTheFirstTenIdsOnly)
{
    writeProgramFile(QStringLiteral("Layout.TST"), numberedLines("T", 10));
    useLayoutFiles();
    LoadLanguage(QStringLiteral("TST"), 33000);
    ASSERT_TRUE(isLanguageLoaded());
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(LoadUiString(33000 + i), QStringLiteral("T%1").arg(i));
    EXPECT_EQ(LoadUiString(33010), builtInUiString(33010));
    EXPECT_EQ(LoadUiString(33013), QStringLiteral("Please wait while loading ........"));
    EXPECT_EQ(LoadUiString(33264), QStringLiteral("&Ok"));
    EXPECT_EQ(LoadUiString(31001), QStringLiteral("rbTitle|Title band"));
    EXPECT_EQ(LoadUiString(32999), QString());
    EXPECT_EQ(currentLanguageCode(), QStringLiteral("TST"));
}

TEST_F(LanguageLoading, EmptyLineGivesEmptyTextAndLineBreaksOfEveryKindCount)
{
    writeProgramFile(QStringLiteral("Layout.MIX"), QByteArray("zero\r\n\rtwo\nthree\r\n"));
    useLayoutFiles();
    LoadLanguage(QStringLiteral("MIX"), 33000);
    EXPECT_EQ(LoadUiString(33000), QStringLiteral("zero"));
    EXPECT_EQ(LoadUiString(33001), QString());
    EXPECT_EQ(LoadUiString(33002), QStringLiteral("two"));
    EXPECT_EQ(LoadUiString(33003), QStringLiteral("three"));
    EXPECT_EQ(LoadUiString(33004), QStringLiteral("About this program"));
}

TEST_F(LanguageLoading, ReadsWindows1252)
{
    writeProgramFile(QStringLiteral("Layout.FRA"), QByteArray("\x80 caf\xe9\n\x93quoted\x94\n"));
    useLayoutFiles();
    LoadLanguage(QStringLiteral("FRA"), 33000);
    EXPECT_EQ(LoadUiString(33000), QString::fromUtf8("€ café"));
    EXPECT_EQ(LoadUiString(33001), QString::fromUtf8("“quoted”"));
}

TEST_F(LanguageLoading, MessageStringsComeFromTheLoadedFile)
{
    writeProgramFile(QStringLiteral("Layout.DEU"), QByteArray("&Datei<>neu\n"));
    useLayoutFiles();
    LoadLanguage(QStringLiteral("DEU"), 33000);
    EXPECT_EQ(LoadMessageString(33000), QStringLiteral("Datei\n\rneu"));
}

TEST_F(LanguageLoading, BaseIdShiftsTheLines)
{
    writeProgramFile(QStringLiteral("Layout.OFF"), QByteArray("ok\ncancel\n"));
    useLayoutFiles();
    LoadLanguage(QStringLiteral("OFF"), 33264);
    EXPECT_EQ(LoadUiString(33264), QStringLiteral("ok"));
    EXPECT_EQ(LoadUiString(33265), QStringLiteral("cancel"));
    EXPECT_EQ(LoadUiString(33000), QStringLiteral("Velmor"));
    EXPECT_EQ(languageBaseId(), 33264);
}

TEST_F(LanguageLoading, CodeOfFourCharactersLoadsButIsRememberedAsThree)
{
    writeProgramFile(QStringLiteral("Layout.ENGL"), QByteArray("Four\n"));
    useLayoutFiles();
    LoadLanguage(QStringLiteral("ENGL"), 33000);
    EXPECT_EQ(LoadUiString(33000), QStringLiteral("Four"));
    EXPECT_EQ(currentLanguageCode(), QStringLiteral("ENG"));
}

TEST_F(LanguageLoading, EmptyPrefixUsesTheProgramName)
{
    writeProgramFile(languageFileName(QString(), QStringLiteral("NLD")), QByteArray("Naam\n"));
    EXPECT_EQ(languageFileName(QString(), QStringLiteral("NLD")), QStringLiteral("strings_tests.NLD"));
    EXPECT_EQ(languageListFileName(QString()), QStringLiteral("strings_tests.LNG"));
    LoadLanguage(QStringLiteral("NLD"), 33000);
    EXPECT_EQ(LoadUiString(33000), QStringLiteral("Naam"));
}

TEST_F(LanguageLoading, MissingFileFallsBackToBuiltInTextsWithoutRefreshOrNewCode)
{
    writeProgramFile(QStringLiteral("Layout.TST"), numberedLines("T", 3));
    useLayoutFiles();
    auto refreshes = std::make_shared<int>(0);
    ScopedLanguageRefresh refresh1([refreshes] { ++*refreshes; });
    LoadLanguage(QStringLiteral("TST"), 33000);
    ASSERT_EQ(*refreshes, 2);
    ASSERT_EQ(LoadUiString(33000), QStringLiteral("T0"));

    ASSERT_TRUE(QFile::remove(programFile(QStringLiteral("Layout.TST"))));
    LoadLanguage(QStringLiteral("TST"), 33000);
    EXPECT_FALSE(isLanguageLoaded());
    EXPECT_EQ(LoadUiString(33000), QStringLiteral("Velmor"));
    EXPECT_EQ(*refreshes, 2);
    EXPECT_EQ(currentLanguageCode(), QStringLiteral("TST"));

    LoadLanguage(QStringLiteral("XYZ"), 33000);
    EXPECT_EQ(currentLanguageCode(), QStringLiteral("TST"));
}

TEST_F(LanguageLoading, UnreadableFileLeavesBuiltInTextsWithoutRefresh)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Layout.DIR")));
    useLayoutFiles();
    auto refreshes = std::make_shared<int>(0);
    ScopedLanguageRefresh refresh2([refreshes] { ++*refreshes; });
    LoadLanguage(QStringLiteral("DIR"), 33000);
    EXPECT_FALSE(isLanguageLoaded());
    EXPECT_EQ(LoadUiString(33000), QStringLiteral("Velmor"));
    EXPECT_EQ(*refreshes, 1);
}

TEST_F(LanguageLoading, CodeWithAPathSeparatorFindsNoFile)
{
    // Without the check each of these codes would reach an existing file.
    for (const char* folder : {"Layout.x", "Layout.", "sub"})
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(QString::fromLatin1(folder)));
    writeProgramFile(QStringLiteral("TST"), QByteArray("escaped\n"));
    writeProgramFile(QStringLiteral("sub/evil"), QByteArray("escaped\n"));
    writeProgramFile(QStringLiteral("Layout.x\\y"), QByteArray("escaped\n"));
    useLayoutFiles();
    for (const char* code : {"x/../TST", "/../sub/evil", "x\\y"}) {
        LoadLanguage(QString::fromLatin1(code), 33000);
        EXPECT_FALSE(isLanguageLoaded()) << code;
        EXPECT_EQ(LoadUiString(33000), QStringLiteral("Velmor")) << code;
    }
}

TEST_F(LanguageLoading, FileBesideTheProgramWinsOverTheInstalledOne)
{
    QTemporaryDir installed;
    ASSERT_TRUE(testsupport::writeFile(installed.filePath(QStringLiteral("Layout.TST")), "installed\n"));
    programfiles::setInstalledDataDirectory(installed.path());
    useLayoutFiles();
    LoadLanguage(QStringLiteral("TST"), 33000);
    EXPECT_EQ(LoadUiString(33000), QStringLiteral("installed"));

    writeProgramFile(QStringLiteral("Layout.TST"), QByteArray("beside\n"));
    LoadLanguage(QStringLiteral("TST"), 33000);
    EXPECT_EQ(LoadUiString(33000), QStringLiteral("beside"));
}

class Relabelling : public LanguageFixture {
protected:
    void SetUp() override
    {
        LanguageFixture::SetUp();
        writeProgramFile(QStringLiteral("Layout.TST"), numberedLines("T", 5));
        useLayoutFiles();
    }
};

// Records, in a shared log, each time it relabels.
class RecordingComponent : public LiveLanguageComponent {
public:
    RecordingComponent(QString name, std::shared_ptr<QStringList> log) : m_name(std::move(name)), m_log(std::move(log)) {}
    void languageChanged() override
    {
        m_log->append(m_name + QLatin1Char(':') + LoadUiString(33000));
        if (onChange)
            onChange();
    }
    std::function<void()> onChange;

private:
    QString m_name;
    std::shared_ptr<QStringList> m_log;
};

TEST_F(Relabelling, RefreshProceduresRunAtOnceThenInOrderBeforeTheComponents)
{
    auto log = std::make_shared<QStringList>();
    ScopedLanguageRefresh refresh3([log] { log->append(QStringLiteral("first:") + LoadUiString(33000)); });
    ScopedLanguageRefresh refresh4([log] { log->append(QStringLiteral("second:") + LoadUiString(33000)); });
    EXPECT_EQ(*log, (QStringList{"first:Velmor", "second:Velmor"}));
    RecordingComponent window(QStringLiteral("window"), log);
    log->clear();

    LoadLanguage(QStringLiteral("TST"), 33000);
    EXPECT_EQ(*log, (QStringList{"first:T0", "second:T0", "window:T0"}));
}

TEST_F(Relabelling, ComponentsRelabelInCreationOrderAndDestroyedOnesAreSkipped)
{
    auto log = std::make_shared<QStringList>();
    auto first = std::make_unique<RecordingComponent>(QStringLiteral("a"), log);
    auto second = std::make_unique<RecordingComponent>(QStringLiteral("b"), log);
    auto third = std::make_unique<RecordingComponent>(QStringLiteral("c"), log);
    second.reset();
    // A window that closes another one while it relabels.
    first->onChange = [&third] { third.reset(); };
    LoadLanguage(QStringLiteral("TST"), 33000);
    EXPECT_EQ(*log, (QStringList{"a:T0"}));
}

TEST_F(Relabelling, AFailingProcedureDoesNotStopTheOthers)
{
    auto log = std::make_shared<QStringList>();
    bool failing = false;
    ScopedLanguageRefresh refresh5([&failing] {
        if (failing)
            throw std::runtime_error("broken refresh");
    });
    ScopedLanguageRefresh refresh6([log] { log->append(QStringLiteral("refresh")); });
    RecordingComponent window(QStringLiteral("window"), log);
    failing = true;
    log->clear();
    EXPECT_NO_THROW(LoadLanguage(QStringLiteral("TST"), 33000));
    EXPECT_EQ(*log, (QStringList{"refresh", "window:T0"}));
    EXPECT_TRUE(isLanguageLoaded());
    failing = false;
}

TEST_F(Relabelling, ProgramTextsFollowTheLanguage)
{
    const ProgramTexts& texts = programTexts();
    EXPECT_EQ(texts.programTitle, QStringLiteral("Velmor  5.0.2 English"));
    EXPECT_EQ(texts.fileMenuTitle, QStringLiteral("File"));
    EXPECT_EQ(texts.toolsMenuTitle, QStringLiteral("Tools"));
    EXPECT_EQ(texts.noneEntry, QStringLiteral("None"));
    EXPECT_EQ(texts.cantOpenQuery, QStringLiteral("Can't open query %s. exception"));

    writeProgramFile(QStringLiteral("Layout.DEU"), QByteArray("Velmor\n5.1\nDeutsch\n"));
    LoadLanguage(QStringLiteral("DEU"), 33000);
    EXPECT_EQ(programTexts().programTitle, QStringLiteral("Velmor  5.1 Deutsch"));
    EXPECT_EQ(programTexts().untitledName, QStringLiteral("Untitled"));

    resetLanguageSelection();
    LoadLanguage(QStringLiteral("DEU"), 33000);  // no prefix: no file of that name
    EXPECT_EQ(programTexts().programTitle, QStringLiteral("Velmor  5.1 Deutsch"));  // not relabelled
}

} // namespace
