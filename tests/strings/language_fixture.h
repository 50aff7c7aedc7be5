// A fixture that points the program's folders at a temporary folder, so language files
// can be written "beside the program", and starts every test with the built-in texts.
#pragma once

#include "core/settings/file_locations.h"
#include "core/strings/language.h"
#include "support/test_support.h"

#include <QByteArray>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Registers a refresh procedure for the lifetime of a test.
class ScopedLanguageRefresh {
public:
    explicit ScopedLanguageRefresh(LanguageRefresh procedure) : m_id(RegisterLanguageRefresh(std::move(procedure))) {}
    ~ScopedLanguageRefresh() { UnregisterLanguageRefresh(m_id); }
    ScopedLanguageRefresh(const ScopedLanguageRefresh&) = delete;
    ScopedLanguageRefresh& operator=(const ScopedLanguageRefresh&) = delete;

private:
    LanguageRefreshId m_id;
};

class LanguageFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        ASSERT_TRUE(m_dir.isValid());
        programfiles::setProgramDirectory(m_dir.path());
        programfiles::setInstalledDataDirectory(m_dir.filePath(QStringLiteral("no-such-folder")));
        resetLanguageSelection();
    }

    void TearDown() override
    {
        resetLanguageSelection();
        programfiles::setProgramDirectory({});
        programfiles::setInstalledDataDirectory({});
    }

    QString programFile(const QString& name) const { return m_dir.filePath(name); }

    void writeProgramFile(const QString& name, const QByteArray& bytes) const
    {
        ASSERT_TRUE(testsupport::writeFile(programFile(name), bytes));
    }

    // The language file prefix is set the way the language menu sets it.
    void useLayoutFiles() const { setLanguageFileSource(QStringLiteral("Layout"), 33000); }

    QTemporaryDir m_dir;
};
