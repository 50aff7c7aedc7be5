// The menu commands of the main window: their menu, caption string id (the hint is the
// next id), command number (the speed bars refer to commands by number), shortcuts and
// standard icon. A command's tag is its number + 1000 × its caption id.
#pragma once

#include <QList>
#include <QString>

enum class TVelCommand {
    New, NewDataModule, Wizard, Open, Reopen, Save, SaveAs, SaveAsForm, SaveAll, Close, CloseAll,
    Preview, Print, Exit,
    Undo, Redo, Cut, Copy, Paste, Delete, SendToBack, BringToFront, ZoomIn, ZoomOut,
    Tables, WindowList, AlignmentPalette, ReportInspector,
    Configuration, SpeedBar, Palette, ReportOptions, NewReportSettings, EtiketRepository,
    Language, AssociateFiles,
    Contents, About,
};

enum class TVelMenu { File, Edit, View, Tools, Extra, Help };

struct TVelMenuCommand {
    TVelCommand command;
    TVelMenu menu;
    const char* name;        // object name of the menu item
    int captionId;
    int number;              // 0: not offered to the speed bars
    const char* shortcuts;   // portable key sequences separated by ";"
    const char* themeIcon;   // freedesktop icon name, or empty
    bool separatorBefore;
};

// In menu order.
const QList<TVelMenuCommand>& velMenuCommands();
const TVelMenuCommand& velMenuCommand(TVelCommand command);

// The caption string id of a menu's title.
int menuTitleId(TVelMenu menu);
constexpr int kMenuCount = 6;

inline int commandTag(const TVelMenuCommand& command)
{
    return command.number + 1000 * command.captionId;
}
