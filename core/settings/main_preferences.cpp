#include "core/settings/main_preferences.h"

#include "core/settings/settings_store.h"

#include <algorithm>

namespace {

const QString kConfig = QStringLiteral("Config");
const QString kPalette = QStringLiteral("Config\\VCLBar");
const QString kRecentSections[3] = {
    QStringLiteral("Config\\ReportFiles"),
    QStringLiteral("Config\\ProjectFiles"),
    QStringLiteral("Config\\DataModuleFiles"),
};

QStringList* recentList(RecentFiles& files, int index)
{
    QStringList* lists[3] = {&files.reports, &files.projects, &files.dataModules};
    return lists[index];
}

QString fileValueName(int number)
{
    return QStringLiteral("File") + QString::number(number);
}

// Config and its sections come from the previous version's root on the first run.
SettingsSection configSection(const SettingsStore& store, const QString& name, bool firstRun)
{
    return firstRun ? store.previousVersionSection(name) : store.section(name);
}

void readConfigValues(const SettingsSection& config, MainPreferences& values)
{
    Preferences& p = values.preferences;
    p.autoHide = config.readBoolText(QStringLiteral("AutoHide"), false);
    p.keepInParent = config.readBoolText(QStringLiteral("KeepInParent"), true);
    p.gridOn = config.readBoolText(QStringLiteral("GridOn"), false);
    p.gridX = config.readInteger(QStringLiteral("GridX"), 10);
    p.gridY = config.readInteger(QStringLiteral("GridY"), 10);
    values.panels.paletteTop = config.readInteger(QStringLiteral("VCLTOP"), 0);
    values.panels.paletteLeft = config.readInteger(QStringLiteral("VCLLEFT"), 200);
    values.panels.editorsTop = config.readInteger(QStringLiteral("EDITTOP"), 54);
    values.panels.editorsLeft = config.readInteger(QStringLiteral("EDITLEFT"), 0);
    p.showBandNames = config.readBoolText(QStringLiteral("ShowBandNames"), false);
    p.setUpPreview = config.readBoolText(QStringLiteral("SetUpPreview"), false);
    p.setupPrint = config.readBoolText(QStringLiteral("SetupPrint"), true);
    p.saveDirectory = config.readText(QStringLiteral("SaveDir"));
    p.openDirectory = config.readText(QStringLiteral("OpenDir"));
    p.defaultCharSet = config.readText(QStringLiteral("DefCharSet"), QStringLiteral("DEFAULT_CHARSET"));
    values.language = config.readText(QStringLiteral("Language"));
    p.speedBarHints = config.readBoolInt(QStringLiteral("SpeedHints"), true);
    p.speedBarShortcuts = config.readBoolInt(QStringLiteral("ShortCuts"), true);
}

void readRecentFiles(const SettingsStore& store, bool firstRun, RecentFiles& files)
{
    for (int number = 1; number <= kRecentFileCount; ++number) {
        for (int list = 0; list < 3; ++list) {
            const QString file = configSection(store, kRecentSections[list], firstRun)
                                     .readText(fileValueName(number));
            if (!file.isEmpty())
                recentList(files, list)->append(file);
        }
    }
}

PaletteSettings readPalette(const SettingsSection& section)
{
    PaletteSettings palette;
    palette.showHint = section.readBoolInt(QStringLiteral("ShowHint"), true);
    const int count = std::min(section.readInteger(QStringLiteral("Count"), 0), kMaxStoredCount);
    for (int n = 1; n <= count; ++n) {
        const QString text = section.readText(QStringLiteral("Button") + QString::number(n));
        if (!text.isEmpty())
            palette.entries.append(parsePaletteEntry(text));
    }
    return palette;
}

void writeConfigValues(SettingsSection config, const MainPreferences& values)
{
    const Preferences& p = values.preferences;
    config.writeBoolText(QStringLiteral("AutoHide"), p.autoHide);
    config.writeBoolText(QStringLiteral("KeepInParent"), p.keepInParent);
    config.writeBoolText(QStringLiteral("GridOn"), p.gridOn);
    config.writeInteger(QStringLiteral("GridX"), p.gridX);
    config.writeInteger(QStringLiteral("GridY"), p.gridY);
    config.writeInteger(QStringLiteral("VCLTOP"), values.panels.paletteTop);
    config.writeInteger(QStringLiteral("VCLLEFT"), values.panels.paletteLeft);
    config.writeInteger(QStringLiteral("EDITTOP"), values.panels.editorsTop);
    config.writeInteger(QStringLiteral("EDITLEFT"), values.panels.editorsLeft);
    config.writeBoolText(QStringLiteral("ShowBandNames"), p.showBandNames);
    config.writeBoolText(QStringLiteral("SetUpPreview"), p.setUpPreview);
    config.writeBoolText(QStringLiteral("SetupPrint"), p.setupPrint);
    config.writeText(QStringLiteral("SaveDir"), p.saveDirectory);
    config.writeText(QStringLiteral("OpenDir"), p.openDirectory);
    config.writeText(QStringLiteral("DefCharSet"), p.defaultCharSet);
    if (!values.language.isEmpty())
        config.writeText(QStringLiteral("Language"), values.language);
    config.writeBoolInt(QStringLiteral("SpeedHints"), p.speedBarHints);
    config.writeBoolInt(QStringLiteral("ShortCuts"), p.speedBarShortcuts);
}

void writeRecentFiles(SettingsStore& store, const RecentFiles& files)
{
    const QStringList* lists[3] = {&files.reports, &files.projects, &files.dataModules};
    for (int list = 0; list < 3; ++list) {
        SettingsSection section = store.section(kRecentSections[list]);
        for (int number = 1; number <= kRecentFileCount; ++number)
            section.writeText(fileValueName(number), lists[list]->value(number - 1));
    }
}

void writePalette(SettingsStore& store, const PaletteSettings& palette)
{
    store.eraseSection(kPalette);
    SettingsSection section = store.section(kPalette);
    for (qsizetype i = 0; i < palette.entries.size(); ++i) {
        const PaletteEntry& entry = palette.entries[i];
        section.writeText(QStringLiteral("Button") + QString::number(i + 1),
                          entry.pageName + QLatin1Char(',') + entry.className);
    }
    section.writeInteger(QStringLiteral("Count"), int(palette.entries.size()));
    section.writeBoolInt(QStringLiteral("ShowHint"), palette.showHint);
}

} // namespace

QList<PaletteEntry> paletteEntriesInStoredOrder(const QList<PalettePage>& pages)
{
    QList<PaletteEntry> entries;
    for (const PalettePage& page : pages) {
        for (auto it = page.classNames.crbegin(); it != page.classNames.crend(); ++it)
            entries.append({page.name, *it});
    }
    return entries;
}

PaletteEntry parsePaletteEntry(const QString& text)
{
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma < 0)
        return {text, QString()};
    return {text.left(comma), text.mid(comma + 1)};
}

MainPreferences readMainPreferences(const SettingsStore& store, int speedBarHeight)
{
    MainPreferences values;
    const bool firstRun = store.section(kConfig).readBoolText(QStringLiteral("FirstTime"), true);
    values.speedBars = readSpeedBars(store, speedBarHeight);
    readConfigValues(configSection(store, kConfig, firstRun), values);
    readRecentFiles(store, firstRun, values.recentFiles);
    values.palette = readPalette(configSection(store, kPalette, firstRun));
    return values;
}

void writeMainPreferences(SettingsStore& store, const MainPreferences& values)
{
    store.section(kConfig).writeBoolText(QStringLiteral("FirstTime"), false);
    writeSpeedBars(store, values.speedBars);
    writeConfigValues(store.section(kConfig), values);
    writeRecentFiles(store, values.recentFiles);
    writePalette(store, values.palette);
}
