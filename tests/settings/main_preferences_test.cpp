#include "settings_fixture.h"

#include "core/settings/main_preferences.h"

#include <QSettings>

namespace {

constexpr int kButtonHeight = 26;

class MainPreferencesTest : public SettingsFixture {
protected:
    MainPreferences read() { return readMainPreferences(store(), kButtonHeight); }

    SettingsSection config() { return store().section(QStringLiteral("Config")); }
};

TEST_F(MainPreferencesTest, FreshUserGetsTheDefaults)
{
    const MainPreferences values = read();
    EXPECT_EQ(values, MainPreferences{});
    const Preferences& p = values.preferences;
    EXPECT_FALSE(p.autoHide);
    EXPECT_TRUE(p.keepInParent);
    EXPECT_EQ(p.gridX, 10);
    EXPECT_EQ(p.gridY, 10);
    EXPECT_TRUE(p.setupPrint);
    EXPECT_FALSE(p.setUpPreview);
    EXPECT_EQ(p.defaultCharSet, QStringLiteral("DEFAULT_CHARSET"));
    EXPECT_TRUE(p.speedBarHints && p.speedBarShortcuts);
    EXPECT_EQ(values.panels.paletteLeft, 200);
    EXPECT_EQ(values.panels.editorsTop, 54);
    EXPECT_TRUE(values.palette.showHint);
    EXPECT_TRUE(values.speedBars.isEmpty());  // the three default bars get created
    EXPECT_TRUE(values.language.isEmpty());
}

TEST_F(MainPreferencesTest, SavingWritesFirstTimeFalseAndEveryConfigValue)
{
    writeMainPreferences(store(), read());
    reopen();
    EXPECT_EQ(config().readText(QStringLiteral("FirstTime")), QStringLiteral("false"));
    for (const char* name : {"AutoHide", "KeepInParent", "ShowBandNames", "GridOn", "GridX", "GridY",
                             "SetUpPreview", "SetupPrint", "DefCharSet", "VCLTOP", "VCLLEFT", "EDITTOP",
                             "EDITLEFT", "SpeedHints", "ShortCuts", "SaveDir", "OpenDir"})
        EXPECT_TRUE(config().contains(QLatin1String(name))) << name;
    EXPECT_FALSE(config().contains(QStringLiteral("Language")));
    EXPECT_EQ(config().readText(QStringLiteral("KeepInParent")), QStringLiteral("true"));
    EXPECT_EQ(config().readText(QStringLiteral("SpeedHints")), QStringLiteral("1"));
    for (const char* section : {"Config\\ReportFiles", "Config\\ProjectFiles", "Config\\DataModuleFiles"})
        EXPECT_TRUE(store().section(QLatin1String(section)).contains(QStringLiteral("File5"))) << section;
    EXPECT_EQ(store().section(QStringLiteral("SpeedBars")).readText(QStringLiteral("SpeedBars")), QStringLiteral("0"));
}

TEST_F(MainPreferencesTest, EditedValuesComeBackAfterARestart)
{
    MainPreferences values;
    values.preferences.autoHide = true;
    values.preferences.keepInParent = false;
    values.preferences.showBandNames = true;
    values.preferences.gridOn = true;
    values.preferences.gridX = 4;
    values.preferences.gridY = 0;
    values.preferences.setUpPreview = true;
    values.preferences.setupPrint = false;
    values.preferences.defaultCharSet = QStringLiteral("GREEK_CHARSET");
    values.preferences.speedBarHints = false;
    values.preferences.speedBarShortcuts = false;
    values.preferences.saveDirectory = QStringLiteral("/home/u/out, final");
    values.preferences.openDirectory = QStringLiteral("/home/u/in");
    values.panels = {5, 6, 7, 8};
    values.recentFiles.reports = {QStringLiteral("/r/1.vrp"), QStringLiteral("/r/2.vrp")};
    values.recentFiles.dataModules = {QStringLiteral("/d/1.vdm")};
    values.palette.showHint = false;
    values.palette.entries = {{QStringLiteral("Bands"), QStringLiteral("TRpGroup")}, {QStringLiteral("Extra"), QStringLiteral("TRpBarcode")}};
    SpeedBarLayout bar;
    bar.name = QStringLiteral("SpeedBar1");
    bar.tabName = QStringLiteral("File");
    bar.top = 2;
    bar.left = 3;
    bar.width = 150;
    bar.height = 24;
    bar.buttons = {{SpeedBarButtonLayout::Command, 1}, {SpeedBarButtonLayout::Separator, 0}, {SpeedBarButtonLayout::Command, 9}};
    values.speedBars = {bar};
    values.language = QStringLiteral("DEU");

    writeMainPreferences(store(), values);
    reopen();
    EXPECT_EQ(read(), values);
}

struct AutoHideCase {
    const char* stored;
    bool expected;
};

class AutoHideReading : public MainPreferencesTest, public ::testing::WithParamInterface<AutoHideCase> {};

TEST_P(AutoHideReading, ReadsAsTrueOnlyForTheWordTrue)
{
    markNotFirstRun();
    plant(QStringLiteral("Config"), QStringLiteral("AutoHide"), QString::fromLatin1(GetParam().stored));
    EXPECT_EQ(read().preferences.autoHide, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, AutoHideReading,
                         ::testing::Values(AutoHideCase{"TRUE", true}, AutoHideCase{"1", false},
                                           AutoHideCase{"tRuE", true}, AutoHideCase{"yes", false}));

TEST_F(MainPreferencesTest, GridThatIsNotANumberReadsAsTen)
{
    markNotFirstRun();
    plant(QStringLiteral("Config"), QStringLiteral("GridX"), QStringLiteral("abc"));
    plant(QStringLiteral("Config"), QStringLiteral("GridY"), QStringLiteral("7"));
    const MainPreferences values = read();
    EXPECT_EQ(values.preferences.gridX, 10);
    EXPECT_EQ(values.preferences.gridY, 7);
}

TEST_F(MainPreferencesTest, PaletteSkipsMissingButtonsAndSplitsAtTheFirstComma)
{
    markNotFirstRun();
    const QString section = QStringLiteral("Config\\VCLBar");
    plant(section, QStringLiteral("Count"), QStringLiteral("4"));
    plant(section, QStringLiteral("Button1"), QStringLiteral("Controls,TRpLabel"));
    plant(section, QStringLiteral("Button3"), QStringLiteral("Extra,TRp,Odd"));
    plant(section, QStringLiteral("Button4"), QStringLiteral("Lonely"));
    plant(section, QStringLiteral("Button5"), QStringLiteral("Bands,TRpBand"));  // beyond Count
    const QList<PaletteEntry> expected{{QStringLiteral("Controls"), QStringLiteral("TRpLabel")},
                                       {QStringLiteral("Extra"), QStringLiteral("TRp,Odd")},
                                       {QStringLiteral("Lonely"), QString()}};
    EXPECT_EQ(read().palette.entries, expected);
}

TEST_F(MainPreferencesTest, PaletteStoresEachPageLastClassFirstAndReplacesOldEntries)
{
    const QString section = QStringLiteral("Config\\VCLBar");
    plant(section, QStringLiteral("Button7"), QStringLiteral("Old,TOld"));
    MainPreferences values;
    values.palette.entries = paletteEntriesInStoredOrder(
        {{QStringLiteral("Controls"), {QStringLiteral("TRpLabel"), QStringLiteral("TRpExpr")}},
         {QStringLiteral("Bands"), {QStringLiteral("TRpBand")}}});
    writeMainPreferences(store(), values);
    reopen();
    const SettingsSection palette = store().section(section);
    EXPECT_EQ(palette.readText(QStringLiteral("Button1")), QStringLiteral("Controls,TRpExpr"));
    EXPECT_EQ(palette.readText(QStringLiteral("Button2")), QStringLiteral("Controls,TRpLabel"));
    EXPECT_EQ(palette.readText(QStringLiteral("Button3")), QStringLiteral("Bands,TRpBand"));
    EXPECT_EQ(palette.readInteger(QStringLiteral("Count"), -1), 3);
    EXPECT_FALSE(palette.contains(QStringLiteral("Button7")));
}

TEST_F(MainPreferencesTest, RecentFilesSkipEmptyValuesAndKeepTheirOrder)
{
    markNotFirstRun();
    const QString reports = QStringLiteral("Config\\ReportFiles");
    plant(reports, QStringLiteral("File1"), QString());
    plant(reports, QStringLiteral("File2"), QStringLiteral("b.vrp"));
    plant(reports, QStringLiteral("File4"), QStringLiteral("d.vrp"));
    plant(QStringLiteral("Config\\ProjectFiles"), QStringLiteral("File1"), QStringLiteral("p.vrp"));
    const RecentFiles files = read().recentFiles;
    EXPECT_EQ(files.reports, (QStringList{"b.vrp", "d.vrp"}));
    EXPECT_EQ(files.projects, (QStringList{"p.vrp"}));
    EXPECT_TRUE(files.dataModules.isEmpty());
}

TEST_F(MainPreferencesTest, FirstRunTakesConfigFromThePreviousVersion)
{
    SettingsSection oldConfig = store().previousVersionSection(QStringLiteral("Config"));
    oldConfig.writeText(QStringLiteral("AutoHide"), QStringLiteral("true"));
    oldConfig.writeText(QStringLiteral("GridX"), QStringLiteral("25"));
    store().previousVersionSection(QStringLiteral("Config\\ReportFiles")).writeText(QStringLiteral("File1"), QStringLiteral("old.vrp"));
    plant(QStringLiteral("Config"), QStringLiteral("GridX"), QStringLiteral("3"));  // ignored on the first run
    plant(QStringLiteral("SpeedBars"), QStringLiteral("SpeedBars"), QStringLiteral("1"));
    plant(QStringLiteral("SpeedBars\\SpeedBar1"), QStringLiteral("TabName"), QStringLiteral("Mine"));

    MainPreferences values = read();
    EXPECT_TRUE(values.preferences.autoHide);
    EXPECT_EQ(values.preferences.gridX, 25);
    EXPECT_EQ(values.recentFiles.reports, (QStringList{"old.vrp"}));
    ASSERT_EQ(values.speedBars.size(), 1);
    EXPECT_EQ(values.speedBars[0].tabName, QStringLiteral("Mine"));

    writeMainPreferences(store(), values);
    values.preferences.gridX = 3;
    store().section(QStringLiteral("Config")).writeInteger(QStringLiteral("GridX"), 3);
    EXPECT_EQ(read().preferences.gridX, 3);  // from now on the current root counts
}

TEST_F(MainPreferencesTest, SpeedBarsFillMissingValuesWithTheirDefaults)
{
    plant(QStringLiteral("SpeedBars"), QStringLiteral("SpeedBars"), QStringLiteral("2"));
    const QString first = QStringLiteral("SpeedBars\\SpeedBar1");
    plant(first, QStringLiteral("ButtonCount"), QStringLiteral("2"));
    plant(first, QStringLiteral("ButtonKind0"), QStringLiteral("1"));
    plant(first, QStringLiteral("ButtonImageIndex1"), QStringLiteral("12"));
    const QList<SpeedBarLayout> bars = read().speedBars;
    ASSERT_EQ(bars.size(), 2);
    EXPECT_EQ(bars[0].tabName, QStringLiteral("ToolBar"));
    EXPECT_EQ(bars[0].width, 100);
    EXPECT_EQ(bars[0].height, kButtonHeight);
    EXPECT_EQ(bars[0].buttons, (QList<SpeedBarButtonLayout>{{SpeedBarButtonLayout::Separator, 0}, {SpeedBarButtonLayout::Command, 12}}));
    EXPECT_TRUE(bars[1].buttons.isEmpty());
}

TEST_F(MainPreferencesTest, FloatingIsWrittenButEveryBarStartsDocked)
{
    SpeedBarLayout bar;
    bar.floating = true;
    writeSpeedBars(store(), {bar});
    reopen();
    EXPECT_EQ(store().section(QStringLiteral("SpeedBars\\SpeedBar1")).readText(QStringLiteral("Floating")), QStringLiteral("1"));
    EXPECT_FALSE(readSpeedBars(store(), kButtonHeight).value(0).floating);
}

TEST_F(MainPreferencesTest, HugeStoredCountsAreCapped)
{
    plant(QStringLiteral("SpeedBars"), QStringLiteral("SpeedBars"), QStringLiteral("2000000000"));
    plant(QStringLiteral("SpeedBars\\SpeedBar1"), QStringLiteral("ButtonCount"), QStringLiteral("2000000000"));
    markNotFirstRun();
    plant(QStringLiteral("Config\\VCLBar"), QStringLiteral("Count"), QStringLiteral("2000000000"));
    const MainPreferences values = read();
    EXPECT_EQ(values.speedBars.size(), kMaxStoredCount);
    EXPECT_EQ(values.speedBars[0].buttons.size(), kMaxStoredCount);
    EXPECT_TRUE(values.palette.entries.isEmpty());
}

TEST_F(MainPreferencesTest, SavingSpeedBarsErasesBarsNoLongerThere)
{
    plant(QStringLiteral("SpeedBars\\SpeedBar3"), QStringLiteral("Name"), QStringLiteral("Gone"));
    plant(QStringLiteral("SpeedBars\\SpeedBar1"), QStringLiteral("ButtonKind5"), QStringLiteral("1"));
    SpeedBarLayout bar;
    bar.buttons = {{SpeedBarButtonLayout::Command, 4}};
    writeSpeedBars(store(), {bar});
    reopen();
    EXPECT_FALSE(store().section(QStringLiteral("SpeedBars\\SpeedBar3")).contains(QStringLiteral("Name")));
    EXPECT_FALSE(store().section(QStringLiteral("SpeedBars\\SpeedBar1")).contains(QStringLiteral("ButtonKind5")));
    EXPECT_EQ(store().section(QStringLiteral("SpeedBars")).readInteger(QStringLiteral("SpeedBars"), 0), 1);
}

} // namespace
