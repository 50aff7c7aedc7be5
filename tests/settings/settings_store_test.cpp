#include "settings_fixture.h"

#include "support/test_support.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace {

class Store : public SettingsFixture {};

TEST_F(Store, MissingValueGivesTheDefaultAndEmptyValueTheEmptyText)
{
    plant(QStringLiteral("Config"), QStringLiteral("SaveDir"), QString());
    const SettingsSection config = store().section(QStringLiteral("Config"));
    EXPECT_EQ(config.readText(QStringLiteral("SaveDir"), QStringLiteral("default")), QString());
    EXPECT_EQ(config.readText(QStringLiteral("OpenDir"), QStringLiteral("default")), QStringLiteral("default"));
    EXPECT_TRUE(config.contains(QStringLiteral("SaveDir")));
    EXPECT_FALSE(config.contains(QStringLiteral("OpenDir")));
}

struct IntegerCase {
    const char* stored;
    int expected;
};

class IntegerReading : public SettingsFixture, public ::testing::WithParamInterface<IntegerCase> {};

TEST_P(IntegerReading, ConvertsDecimalTextOrFallsBackToTheDefault)
{
    plant(QStringLiteral("Config"), QStringLiteral("GridX"), QString::fromLatin1(GetParam().stored));
    reopen();
    EXPECT_EQ(store().section(QStringLiteral("Config")).readInteger(QStringLiteral("GridX"), 10), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, IntegerReading,
                         ::testing::Values(IntegerCase{"abc", 10}, IntegerCase{"12", 12},
                                           IntegerCase{"-3", -3}, IntegerCase{" 7 ", 7},
                                           IntegerCase{"", 10}, IntegerCase{"1.5", 10},
                                           IntegerCase{"0x10", 10}, IntegerCase{"99999999999", 10}));

struct BoolCase {
    const char* stored;
    bool asText;
    bool asInt;
};

class BoolReading : public SettingsFixture, public ::testing::WithParamInterface<BoolCase> {};

TEST_P(BoolReading, TextAndIntegerEncodingsDiffer)
{
    plant(QStringLiteral("Config"), QStringLiteral("Flag"), QString::fromLatin1(GetParam().stored));
    reopen();
    const SettingsSection config = store().section(QStringLiteral("Config"));
    // The default is true, so every false result comes from the stored text.
    EXPECT_EQ(config.readBoolText(QStringLiteral("Flag"), true), GetParam().asText);
    EXPECT_EQ(config.readBoolInt(QStringLiteral("Flag"), true), GetParam().asInt);
}

INSTANTIATE_TEST_SUITE_P(Cases, BoolReading,
                         ::testing::Values(BoolCase{"TRUE", true, true}, BoolCase{"true", true, true},
                                           BoolCase{"True", true, true}, BoolCase{"1", false, true},
                                           BoolCase{"0", false, false}, BoolCase{"2", false, true},
                                           BoolCase{"false", false, true}, BoolCase{"", false, true}));

TEST_F(Store, MissingBooleansGiveTheirDefaults)
{
    const SettingsSection config = store().section(QStringLiteral("Config"));
    EXPECT_TRUE(config.readBoolText(QStringLiteral("Missing"), true));
    EXPECT_FALSE(config.readBoolText(QStringLiteral("Missing"), false));
    EXPECT_TRUE(config.readBoolInt(QStringLiteral("Missing"), true));
    EXPECT_FALSE(config.readBoolInt(QStringLiteral("Missing"), false));
}

TEST_F(Store, WritesEveryValueAsTextUnderTheRootKey)
{
    SettingsSection config = store().section(QStringLiteral("Config"));
    config.writeBoolText(QStringLiteral("AutoHide"), true);
    config.writeBoolInt(QStringLiteral("SpeedHints"), false);
    config.writeInteger(QStringLiteral("GridX"), -12);
    ASSERT_TRUE(store().flush());

    QSettings raw(store().filePath(), QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("Software/Dovrane/Velmor/5.0/Config/AutoHide")), QVariant(QStringLiteral("true")));
    EXPECT_EQ(raw.value(QStringLiteral("Software/Dovrane/Velmor/5.0/Config/SpeedHints")), QVariant(QStringLiteral("0")));
    EXPECT_EQ(raw.value(QStringLiteral("Software/Dovrane/Velmor/5.0/Config/GridX")), QVariant(QStringLiteral("-12")));
}

TEST_F(Store, BackslashAddressesADeeperSectionThatErasingTheParentRemoves)
{
    plant(QStringLiteral("Config\\ReportFiles"), QStringLiteral("File1"), QStringLiteral("a.vrp"));
    plant(QStringLiteral("Config"), QStringLiteral("GridX"), QStringLiteral("5"));
    plant(QStringLiteral("DB"), QStringLiteral("Left"), QStringLiteral("1"));
    reopen();
    EXPECT_EQ(store().section(QStringLiteral("Config\\ReportFiles")).readText(QStringLiteral("File1")), QStringLiteral("a.vrp"));

    store().eraseSection(QStringLiteral("Config"));
    reopen();
    EXPECT_FALSE(store().section(QStringLiteral("Config\\ReportFiles")).contains(QStringLiteral("File1")));
    EXPECT_FALSE(store().section(QStringLiteral("Config")).contains(QStringLiteral("GridX")));
    EXPECT_TRUE(store().section(QStringLiteral("DB")).contains(QStringLiteral("Left")));
}

TEST_F(Store, TextsWithCommasSurviveIncludingHandEditedOnes)
{
    plant(QStringLiteral("Config\\VCLBar"), QStringLiteral("Button1"), QStringLiteral("Controls,TRpLabel"));
    reopen();
    EXPECT_EQ(store().section(QStringLiteral("Config\\VCLBar")).readText(QStringLiteral("Button1")), QStringLiteral("Controls,TRpLabel"));

    const QString path = m_dir.filePath(QStringLiteral("edited.conf"));
    ASSERT_TRUE(testsupport::writeFile(path, "[Software]\nDovrane\\Velmor\\5.0\\Config\\VCLBar\\Button1=Bands,TRpBand\n"));
    SettingsStore edited(path);
    EXPECT_EQ(edited.section(QStringLiteral("Config\\VCLBar")).readText(QStringLiteral("Button1")), QStringLiteral("Bands,TRpBand"));
}

TEST_F(Store, FlushReportsAFileThatCannotBeWritten)
{
    const QString blocker = m_dir.filePath(QStringLiteral("blocker"));
    ASSERT_TRUE(testsupport::writeFile(blocker, "not a folder"));
    SettingsStore unwritable(blocker + QStringLiteral("/Velmor.conf"));
    unwritable.section(QStringLiteral("Config")).writeText(QStringLiteral("GridX"), QStringLiteral("1"));
    EXPECT_FALSE(unwritable.flush());
}

TEST(StoreLocation, LivesInTheUsersConfigurationFolder)
{
    QStandardPaths::setTestModeEnabled(true);
    const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    EXPECT_EQ(SettingsStore::defaultFilePath(), configFolder + QStringLiteral("/Dovrane/Velmor.conf"));
    EXPECT_TRUE(configFolder.contains(QLatin1String(".qttest")));
}

TEST(StoreLocation, TheProgramStoreCanBePointedElsewhere)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("other.conf"));
    useSettingsFile(path);
    userSettings().section(QStringLiteral("Config")).writeText(QStringLiteral("OpenDir"), QStringLiteral("/x"));
    ASSERT_TRUE(userSettings().flush());
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(SettingsStore(path).section(QStringLiteral("Config")).readText(QStringLiteral("OpenDir")), QStringLiteral("/x"));
    useSettingsFile(dir.filePath(QStringLiteral("unused.conf")));
}

} // namespace
