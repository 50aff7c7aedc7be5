#include "core/settings/file_locations.h"
#include "support/test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Three folders standing in for the executable's, the user's and the installed one.
class FileLocations : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        programfiles::setProgramDirectory(m_program.path());
        programfiles::setInstalledDataDirectory(m_installed.path());
        QDir(programfiles::userDataDirectory()).removeRecursively();
    }

    void TearDown() override
    {
        QDir(programfiles::userDataDirectory()).removeRecursively();
        programfiles::setProgramDirectory({});
        programfiles::setInstalledDataDirectory({});
    }

    static void put(const QString& folder, const QString& name)
    {
        ASSERT_TRUE(testsupport::writeFile(QDir(folder).filePath(name), "x"));
    }

    QTemporaryDir m_program;
    QTemporaryDir m_installed;
};

TEST_F(FileLocations, LooksBesideTheProgramThenInTheUsersThenTheInstalledFolder)
{
    const QString name = QStringLiteral("Velmor.FDX");
    EXPECT_TRUE(programfiles::findProgramFile(name).isEmpty());

    put(m_installed.path(), name);
    EXPECT_EQ(programfiles::findProgramFile(name), m_installed.filePath(name));

    put(programfiles::userDataDirectory(), name);
    EXPECT_EQ(programfiles::findProgramFile(name), QDir(programfiles::userDataDirectory()).filePath(name));

    put(m_program.path(), name);
    EXPECT_EQ(programfiles::findProgramFile(name), m_program.filePath(name));
}

TEST_F(FileLocations, AFolderOfThatNameIsNoFile)
{
    ASSERT_TRUE(QDir(m_program.path()).mkdir(QStringLiteral("IBAlias.CFG")));
    put(m_installed.path(), QStringLiteral("IBAlias.CFG"));
    EXPECT_EQ(programfiles::findProgramFile(QStringLiteral("IBAlias.CFG")), m_installed.filePath(QStringLiteral("IBAlias.CFG")));
}

TEST_F(FileLocations, WritesBesideAWritableProgramFolderOtherwiseIntoTheUsersFolder)
{
    EXPECT_EQ(programfiles::writableProgramFile(QStringLiteral("Labels.ETI")), m_program.filePath(QStringLiteral("Labels.ETI")));

    programfiles::setProgramDirectory(m_program.filePath(QStringLiteral("missing")));
    const QString path = programfiles::writableProgramFile(QStringLiteral("Labels.ETI"));
    EXPECT_EQ(path, QDir(programfiles::userDataDirectory()).filePath(QStringLiteral("Labels.ETI")));
    EXPECT_TRUE(QFileInfo(QFileInfo(path).absolutePath()).isDir());
    EXPECT_TRUE(path.contains(QLatin1String(".qttest")));
}

TEST(ProgramName, GivesTheNamesOfFilesBesideTheProgram)
{
    EXPECT_EQ(programfiles::programBaseName(), QStringLiteral("settings_tests"));
    EXPECT_EQ(programfiles::programFileName(QStringLiteral(".INI")), QStringLiteral("settings_tests.INI"));
}

} // namespace
