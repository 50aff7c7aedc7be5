// Stored layout of the speed bars (section "SpeedBars" and its "SpeedBar<n>" sections).
#pragma once

#include <QList>
#include <QString>

class SettingsStore;

struct SpeedBarButtonLayout {
    enum Kind { Command = 0, Separator = 1 };
    int kind = Command;
    int commandNumber = 0;  // stored as ButtonImageIndex<i>
    bool operator==(const SpeedBarButtonLayout&) const = default;
};

struct SpeedBarLayout {
    QString name;                       // component name of the bar
    QString tabName = QStringLiteral("ToolBar");
    bool floating = false;              // written, never read back: every bar starts docked
    int top = 0;
    int left = 0;
    int width = 100;
    int height = 0;
    QList<SpeedBarButtonLayout> buttons;
    bool operator==(const SpeedBarLayout&) const = default;
};

// The stored bars; empty when none are stored, which means: create the default bars.
// defaultHeight is the panel manager's button height.
QList<SpeedBarLayout> readSpeedBars(const SettingsStore& store, int defaultHeight);

// Erases the section and writes the bars, numbered from 1.
void writeSpeedBars(SettingsStore& store, const QList<SpeedBarLayout>& bars);
