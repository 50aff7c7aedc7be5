// What a design window needs from the program's main window: registration, the command
// states, the recent reports list, the palette and the control editors. The main window
// installs itself once; design windows made without one (tests, the runner) work alone.
#pragma once

#include <QString>

class QKeyEvent;
class TComponent;
class TVelDesignWindow;

class IVelWorkspace {
public:
    virtual ~IVelWorkspace() = default;

    // A design window was created (it becomes the active document) or activated.
    virtual void designWindowOpened(TVelDesignWindow* window) = 0;
    virtual void designWindowActivated(TVelDesignWindow* window) = 0;
    // Told from the window's destructor; the window must not be used afterwards.
    virtual void designWindowDestroyed(TVelDesignWindow* window) = 0;

    // The edit and document commands follow the selection, the clipboard and the
    // active window; the main window's caption follows the active document's.
    virtual void refreshCommands() = 0;
    virtual void documentCaptionChanged(TVelDesignWindow* window) = 0;

    // The recent reports list: a file leaves it while its document is open or saved and
    // goes to its front when the document is closed.
    virtual void forgetRecentReport(const QString& fileName) = 0;
    virtual void rememberRecentReport(const QString& fileName) = 0;

    // Screen y below which design windows are placed (the main window's bottom, or 4
    // while the main window auto-hides).
    virtual int designWindowTop() const = 0;

    // The class chosen on the component palette, empty in select mode; after a placing
    // the palette returns to select mode.
    virtual QString chosenPaletteClass() const { return {}; }
    virtual void paletteClassPlaced() {}

    // Shows the control editors of the window's selection; a typed key goes to the
    // first text box of the control editor panel.
    virtual void showControlEditors(TVelDesignWindow* window) { (void)window; }
    virtual void forwardKeyToControlEditors(QKeyEvent* event) { (void)event; }

    // Document notifications passed on to the listeners (0 inserted, 1 removed, 2 name
    // changed, 3 active document changed, 4 document ready).
    virtual void notify(TComponent* component, int operation, const QString& name)
    {
        (void)component, (void)operation, (void)name;
    }
};

IVelWorkspace* velWorkspace();
void setVelWorkspace(IVelWorkspace* workspace);
