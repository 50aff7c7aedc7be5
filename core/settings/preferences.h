// The process-wide user preferences. The main window loads them from the settings store
// when it is first activated and saves them when it is destroyed; the configuration
// window edits them directly; every other module reads them here.
#pragma once

#include <QString>

struct Preferences {
    bool autoHide = false;       // the main window stays on top and slides up out of the way
    bool keepInParent = true;    // moved controls stay inside their parent's client area
    bool showBandNames = false;  // bands on the design surface carry a name tag
    bool gridOn = false;         // moved controls snap to the grid
    int gridX = 10;              // grid steps, pixels
    int gridY = 10;
    bool setUpPreview = false;   // printer set-up dialog before a preview
    bool setupPrint = true;      // printer set-up dialog before printing
    QString defaultCharSet = QStringLiteral("DEFAULT_CHARSET");  // font character set of new reports
    bool speedBarHints = true;
    bool speedBarShortcuts = true;  // speed bar hints name the command's shortcut
    QString saveDirectory;       // folder of the last file saved through a save dialog
    QString openDirectory;       // folder of the last file opened through an open dialog

    bool operator==(const Preferences&) const = default;
};

Preferences& preferences();
