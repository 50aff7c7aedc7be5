// The per-user settings store: sections of named text values under the root key
// "Software\Dovrane\Velmor\5.0", kept in an INI file in the user's configuration folder.
// Section names may contain "\" to address a deeper section ("Config\ReportFiles").
// Every value is text; the typed reads convert and fall back to the default. Nothing here
// reports a problem to the user.
#pragma once

#include <QString>

#include <memory>

class QSettings;

extern const QString kCurrentSettingsRoot;   // "Software\Dovrane\Velmor\5.0"
extern const QString kPreviousSettingsRoot;  // "Software\Dovrane\Velmor\3.0"

// Counts read from the store (buttons, bars, palette entries) are limited to this, so a
// damaged file cannot make a reader walk billions of missing values.
constexpr int kMaxStoredCount = 1024;

// One section of the store. Writing creates the section when it is missing.
class SettingsSection {
public:
    SettingsSection(QSettings* settings, QString path);

    bool contains(const QString& name) const;

    // A missing value gives the default; a present but empty one the empty text.
    QString readText(const QString& name, const QString& defaultValue = {}) const;
    // Text that is not a decimal integer gives the default.
    int readInteger(const QString& name, int defaultValue) const;
    // "true" without regard to case is true, any other stored text false.
    bool readBoolText(const QString& name, bool defaultValue) const;
    // An integer, true when not 0.
    bool readBoolInt(const QString& name, bool defaultValue) const;

    void writeText(const QString& name, const QString& value);
    void writeInteger(const QString& name, int value);
    void writeBoolText(const QString& name, bool value);  // "true" / "false"
    void writeBoolInt(const QString& name, bool value);   // "1" / "0"

private:
    QString key(const QString& name) const;

    QSettings* m_settings;
    QString m_path;
};

class SettingsStore {
public:
    // <user configuration folder>/Dovrane/Velmor.conf; follows XDG_CONFIG_HOME and Qt's
    // test mode of the standard paths.
    static QString defaultFilePath();

    explicit SettingsStore(const QString& filePath = defaultFilePath());
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    QString filePath() const;

    // A section under the current root, or under the previous version's root.
    SettingsSection section(const QString& name) const;
    SettingsSection previousVersionSection(const QString& name) const;

    // Removes the section with all its values and deeper sections.
    void eraseSection(const QString& name);

    // Writes pending changes to the file; false when the file could not be written.
    bool flush();

private:
    std::unique_ptr<QSettings> m_settings;
};

// The store of the running program; by default at SettingsStore::defaultFilePath().
SettingsStore& userSettings();
// Points the program's store at another file (the headless runner and tests do).
void useSettingsFile(const QString& filePath);
