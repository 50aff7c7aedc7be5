// A settings store in a temporary file, with helpers to plant stored values the way a
// previous run (or a user editing the file) left them.
#pragma once

#include "core/settings/settings_store.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class SettingsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_store = std::make_unique<SettingsStore>(m_dir.filePath(QStringLiteral("Velmor.conf")));
    }

    SettingsStore& store() { return *m_store; }

    // Stores a value under the current root.
    void plant(const QString& section, const QString& name, const QString& value)
    {
        store().section(section).writeText(name, value);
    }

    // Marks the settings as written by this version, so Config is read from the current root.
    void markNotFirstRun() { plant(QStringLiteral("Config"), QStringLiteral("FirstTime"), QStringLiteral("false")); }

    // Reopens the store from its file, as the next run of the program would.
    void reopen()
    {
        ASSERT_TRUE(m_store->flush());
        const QString path = m_store->filePath();
        m_store.reset();
        m_store = std::make_unique<SettingsStore>(path);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_store;
};
