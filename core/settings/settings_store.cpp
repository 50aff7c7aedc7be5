#include "core/settings/settings_store.h"

#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <optional>

const QString kCurrentSettingsRoot = QStringLiteral("Software\\Dovrane\\Velmor\\5.0");
const QString kPreviousSettingsRoot = QStringLiteral("Software\\Dovrane\\Velmor\\3.0");

namespace {

QString groupPath(const QString& root, const QString& section)
{
    QString path = root;
    if (!section.isEmpty())
        path += QLatin1Char('\\') + section;
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

std::optional<int> toInteger(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

SettingsSection::SettingsSection(QSettings* settings, QString path)
    : m_settings(settings), m_path(std::move(path))
{
}

QString SettingsSection::key(const QString& name) const
{
    return m_path + QLatin1Char('/') + name;
}

bool SettingsSection::contains(const QString& name) const
{
    return m_settings->contains(key(name));
}

QString SettingsSection::readText(const QString& name, const QString& defaultValue) const
{
    const QVariant value = m_settings->value(key(name));
    if (!value.isValid())
        return defaultValue;
    // A hand-edited file may hold an unquoted text with commas, which the INI reader
    // splits into a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

int SettingsSection::readInteger(const QString& name, int defaultValue) const
{
    if (!contains(name))
        return defaultValue;
    return toInteger(readText(name)).value_or(defaultValue);
}

bool SettingsSection::readBoolText(const QString& name, bool defaultValue) const
{
    if (!contains(name))
        return defaultValue;
    return readText(name).compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

bool SettingsSection::readBoolInt(const QString& name, bool defaultValue) const
{
    return readInteger(name, defaultValue ? 1 : 0) != 0;
}

void SettingsSection::writeText(const QString& name, const QString& value)
{
    m_settings->setValue(key(name), value);
}

void SettingsSection::writeInteger(const QString& name, int value)
{
    writeText(name, QString::number(value));
}

void SettingsSection::writeBoolText(const QString& name, bool value)
{
    writeText(name, value ? QStringLiteral("true") : QStringLiteral("false"));
}

void SettingsSection::writeBoolInt(const QString& name, bool value)
{
    writeText(name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QString SettingsStore::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Dovrane/Velmor.conf");
}

SettingsStore::SettingsStore(const QString& filePath)
    : m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat))
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::filePath() const
{
    return m_settings->fileName();
}

SettingsSection SettingsStore::section(const QString& name) const
{
    return SettingsSection(m_settings.get(), groupPath(kCurrentSettingsRoot, name));
}

SettingsSection SettingsStore::previousVersionSection(const QString& name) const
{
    return SettingsSection(m_settings.get(), groupPath(kPreviousSettingsRoot, name));
}

void SettingsStore::eraseSection(const QString& name)
{
    m_settings->remove(groupPath(kCurrentSettingsRoot, name));
}

bool SettingsStore::flush()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

namespace {

std::unique_ptr<SettingsStore>& programStore()
{
    static std::unique_ptr<SettingsStore> store;
    return store;
}

} // namespace

SettingsStore& userSettings()
{
    if (!programStore())
        programStore() = std::make_unique<SettingsStore>();
    return *programStore();
}

void useSettingsFile(const QString& filePath)
{
    programStore() = std::make_unique<SettingsStore>(filePath);
}
