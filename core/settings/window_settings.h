// Geometry and options that tool windows keep in sections of their own: the database
// manager ("DB"), the text editor ("MEMO" for memos, "Script" for scripts), the report
// manager ("RepManag"). Each is read when its window is created and written when it is
// destroyed.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class SettingsStore;

// Left, Top, Width, Height of a section; a missing position centres the window on the
// screen, and a stored position past the right or bottom screen edge (within 20 pixels)
// is pulled back: left := screen width - width, top := the main window's height.
QRect readCentredGeometry(const SettingsStore& store, const QString& section, QSize defaultSize,
                          QSize screen, int mainWindowHeight);
void writeGeometry(SettingsStore& store, const QString& section, const QRect& geometry);

struct DatabaseManagerSettings {
    bool onTop = true;
    bool bigButtons = true;
    bool hints = true;
    QRect geometry;
    int pageWidth = 290;
    bool operator==(const DatabaseManagerSettings&) const = default;
};
inline constexpr QSize kDatabaseManagerDefaultSize{430, 350};

DatabaseManagerSettings readDatabaseManagerSettings(const SettingsStore& store, QSize screen,
                                                    int mainWindowHeight);
void writeDatabaseManagerSettings(SettingsStore& store, const DatabaseManagerSettings& settings);

// The text editor window, under "MEMO" or "Script".
inline constexpr QSize kTextEditorDefaultSize{430, 350};
extern const QString kMemoEditorSection;    // "MEMO"
extern const QString kScriptEditorSection;  // "Script"

struct ReportManagerSettings {
    QRect geometry;
    bool visible = true;  // stored Visible equals 1
    bool operator==(const ReportManagerSettings&) const = default;
};

// designed: the window's geometry as laid out. A stored top below the screen gives 153;
// the left (default 5000) is clamped so that the right edge stays on the screen.
ReportManagerSettings readReportManagerSettings(const SettingsStore& store, const QRect& designed,
                                                QSize screen);
void writeReportManagerSettings(SettingsStore& store, const ReportManagerSettings& settings);
