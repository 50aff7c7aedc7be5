#include "app/command_table.h"

namespace {

using C = TVelCommand;
using M = TVelMenu;

const QList<TVelMenuCommand> kCommands = {
    {C::New, M::File, "miNew", 33045, 1, "", "document-new", false},
    {C::NewDataModule, M::File, "miNewDataModule", 33047, 2, "", "", false},
    {C::Wizard, M::File, "miWizard", 33049, 3, "", "", false},
    {C::Open, M::File, "miOpen", 33051, 4, "", "document-open", true},
    {C::Reopen, M::File, "miReopen", 33053, 5, "", "document-open-recent", false},
    {C::Save, M::File, "miSave", 33055, 6, "Ctrl+S", "document-save", true},
    {C::SaveAs, M::File, "miSaveAs", 33057, 7, "", "document-save-as", false},
    {C::SaveAsForm, M::File, "miSaveAsForm", 33059, 35, "", "", false},
    {C::SaveAll, M::File, "miSaveAll", 33061, 8, "", "", false},
    {C::Close, M::File, "miClose", 33063, 9, "", "document-close", true},
    {C::CloseAll, M::File, "miCloseAll", 33065, 10, "", "", false},
    {C::Preview, M::File, "miPreview", 33067, 12, "Shift+F7", "document-print-preview", true},
    {C::Print, M::File, "miPrint", 33069, 11, "F7", "document-print", false},
    {C::Exit, M::File, "miExit", 33073, 13, "F10", "application-exit", true},
    {C::Undo, M::Edit, "miUndo", 33077, 14, "Ctrl+Z", "edit-undo", false},
    {C::Redo, M::Edit, "miRedo", 33079, 15, "Ctrl+Shift+Z;Ctrl+Y", "edit-redo", false},
    {C::Cut, M::Edit, "miCut", 33081, 16, "Ctrl+X", "edit-cut", true},
    {C::Copy, M::Edit, "miCopy", 33083, 17, "Ctrl+C", "edit-copy", false},
    {C::Paste, M::Edit, "miPaste", 33085, 18, "Ctrl+V", "edit-paste", false},
    {C::Delete, M::Edit, "miDelete", 33087, 19, "Ctrl+Del", "edit-delete", false},
    {C::SendToBack, M::Edit, "miSendToBack", 33089, 20, "", "", true},
    {C::BringToFront, M::Edit, "miBringToFront", 33091, 21, "", "", false},
    {C::ZoomIn, M::Edit, "miZoomIn", 33093, 22, "Ctrl+I", "zoom-in", true},
    {C::ZoomOut, M::Edit, "miZoomOut", 33095, 23, "Ctrl+O", "zoom-out", false},
    {C::Tables, M::View, "miTables", 33103, 24, "Ctrl+D", "", false},
    {C::WindowList, M::View, "miWindowList", 33105, 25, "", "", false},
    {C::AlignmentPalette, M::View, "miAlignmentPalette", 33107, 26, "Ctrl+A", "", false},
    {C::ReportInspector, M::View, "miReportInspector", 33113, 27, "F11", "", false},
    {C::Configuration, M::Tools, "miConfiguration", 33117, 28, "", "preferences-system", false},
    {C::SpeedBar, M::Tools, "miSpeedBar", 33119, 29, "", "", false},
    {C::Palette, M::Tools, "miPalette", 33121, 0, "", "", false},
    {C::ReportOptions, M::Tools, "miReportOptions", 33123, 30, "", "", true},
    {C::NewReportSettings, M::Tools, "miNewReportSettings", 33125, 31, "", "", false},
    {C::EtiketRepository, M::Tools, "miEtiketRepository", 33129, 36, "", "", true},
    {C::Language, M::Extra, "miLanguage", 33133, 33, "", "", false},
    {C::AssociateFiles, M::Extra, "miAssociateFiles", 33135, 0, "", "", false},
    {C::Contents, M::Help, "miContents", 33141, 34, "", "help-contents", false},
    {C::About, M::Help, "miAbout", 33143, 0, "", "help-about", true},
};

} // namespace

const QList<TVelMenuCommand>& velMenuCommands()
{
    return kCommands;
}

const TVelMenuCommand& velMenuCommand(TVelCommand command)
{
    for (const TVelMenuCommand& entry : kCommands)
        if (entry.command == command)
            return entry;
    Q_UNREACHABLE();
}

int menuTitleId(TVelMenu menu)
{
    switch (menu) {
    case M::File: return 33043;
    case M::Edit: return 33075;
    case M::View: return 33101;
    case M::Tools: return 33115;
    case M::Extra: return 33131;
    case M::Help: return 33137;
    }
    return 0;
}
