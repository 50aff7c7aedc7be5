// Loading and saving the main preferences: section "Config" with its recent-file and
// palette sections, and the speed bars. On the first run of this version the "Config"
// values come from the previous version's root.
#pragma once

#include "core/settings/preferences.h"
#include "core/settings/speed_bar_settings.h"

#include <QList>
#include <QString>
#include <QStringList>

class SettingsStore;

// Positions inside the panel manager.
struct PanelPositions {
    int paletteTop = 0;      // VCLTOP
    int paletteLeft = 200;   // VCLLEFT
    int editorsTop = 54;     // EDITTOP
    int editorsLeft = 0;     // EDITLEFT
    bool operator==(const PanelPositions&) const = default;
};

// Most recent first, at most kRecentFileCount each.
struct RecentFiles {
    QStringList reports;      // Config\ReportFiles
    QStringList projects;     // Config\ProjectFiles
    QStringList dataModules;  // Config\DataModuleFiles
    bool operator==(const RecentFiles&) const = default;
};
constexpr int kRecentFileCount = 5;

// One stored palette entry: "page,class".
struct PaletteEntry {
    QString pageName;
    QString className;
    bool operator==(const PaletteEntry&) const = default;
};

struct PalettePage {
    QString name;
    QStringList classNames;
};

struct PaletteSettings {
    bool showHint = true;
    QList<PaletteEntry> entries;  // in stored order
    bool operator==(const PaletteSettings&) const = default;
};

// The palette pages as entries in the order they are stored: pages in order, within a
// page from its last class to its first, so that moving each loaded class to the front
// of its page restores the order.
QList<PaletteEntry> paletteEntriesInStoredOrder(const QList<PalettePage>& pages);

// Splits a stored entry at its first ","; without a comma all of it is the page name.
PaletteEntry parsePaletteEntry(const QString& text);

struct MainPreferences {
    Preferences preferences;
    PanelPositions panels;
    RecentFiles recentFiles;
    PaletteSettings palette;
    QList<SpeedBarLayout> speedBars;  // empty: create the default bars
    QString language;                 // code of the language file; empty: none
    bool operator==(const MainPreferences&) const = default;
};

// Reads everything; missing or unconvertible values give the defaults.
// speedBarHeight is the panel manager's button height, the default bar height.
MainPreferences readMainPreferences(const SettingsStore& store, int speedBarHeight);

// Writes FirstTime = "false", the speed bars, every Config value (Language only when not
// empty), the recent files (five values each) and the palette entries.
void writeMainPreferences(SettingsStore& store, const MainPreferences& values);
