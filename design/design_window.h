// TVelDesignWindow: the window in which one report document is designed. It shows the
// report page at the current zoom in a scrolling area with a status line below, owns
// the document, its selection and its undo stack, saves and loads the document, and
// turns keys into edits. The main window keeps the list of open design windows.
#pragma once

#include "data/field_description.h"
#include "design/commands/snapshot_command.h"

#include <QPointer>
#include <QWidget>

#include <functional>

#include <memory>

class QLabel;
class QScrollArea;
class QUndoCommand;
class QUndoStack;
class TComponent;
class TControl;
class TDesignSurface;
class TReport;
class TVelSelList;
class TfrmVelDesign;

class TVelDesignWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 1004;

    // A window over a new, untitled document.
    explicit TVelDesignWindow(QWidget* parent = nullptr);
    ~TVelDesignWindow() override;

    TfrmVelDesign* document() const { return m_document.get(); }
    TReport* report() const;
    TVelSelList& selection() const { return *m_selection; }
    QUndoStack* undoStack() const { return m_undoStack; }
    TDesignSurface* surface() const { return m_surface; }

    // Document state. The caption is the document's: title, file name or "Untitled",
    // then " *" when modified or a single space.
    QString fileName() const;
    bool isModified() const;
    QString captionText() const;
    bool isClosing() const { return m_closing; }

    // Loading and saving. Failures show their message and change nothing: a failed
    // load leaves the open document as it was, a failed save the file and the mark.
    bool loadFromFile(const QString& fileName);
    bool save();              // to the file name, else asks for one
    bool saveAs();            // asks for a name (text or binary report)
    bool saveToFile(const QString& fileName);
    // Asks "Report has changed ..." when modified: Yes saves, No discards, Cancel
    // answers false.
    bool queryClose();

    // Zoom steps: 25 below 150 percent, 50 from there, within 1 to 300.
    void zoomIn();
    void zoomOut();
    int zoom() const;

    // Selection (the designer's click rule) and what acts on it.
    void selectControl(TControl* control, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void selectAll();
    // Replaces the selection with these printable controls (rubber band).
    void selectControls(const QList<TControl*>& controls);
    bool hasSelection() const;
    // The printable controls of the selection, in selection order.
    QList<TControl*> selectedPrintables() const;
    void moveSelectionBy(int dx, int dy);
    // Mouse edits, as undoable commands: a move of the controls by the offset (cut to
    // the grid when asked), a new rectangle for one control (parent coordinates), and
    // a new object of a palette class at a point of its parent.
    void moveControls(const QList<TControl*>& controls, QPoint offset, bool toGrid);
    void setControlRect(TControl* control, const QRect& rect);
    TComponent* placeObject(const QString& className, TControl* parent, QPoint position);
    void resizeSelectionBy(int dx, int dy);
    void deleteSelection();
    // Alignment palette operations 0 to 11 (10 send to back, 11 bring to front).
    void align(int operation);
    void bringToFront() { align(11); }
    void sendToBack() { align(10); }

    // The clipboard holds the selection as the text form of the component stream.
    void copy();
    void cut();
    // Shows why when the text is not a component stream; answers whether it pasted.
    bool paste();
    static bool clipboardHoldsComponents();

    // Every edit of the document goes through here, so it can be undone; pushing marks
    // the document modified, undoing back to the saved state clears the mark.
    void pushCommand(QUndoCommand* command);

    // Screen updates are suspended while the lock is held (never below zero).
    void lockUpdates();
    void unlockUpdates();

    // The fields the report can print, one entry per field of every dataset of the
    // document and of the datamodules it links ("Customers.NAME"), with the headings and
    // captions of the field description file. Rebuilt (opening the datasets) when out of
    // date; edits that add or remove objects make it out of date.
    const QList<TFieldDescEntry>& fieldList();
    void rebuildFieldList();
    void invalidateFieldList() { m_fieldListValid = false; }

    // The object last pointed at, described in the status line.
    void describeInStatus(TComponent* component);
    QString statusText() const;

    // Puts the window below the main window, as tall as the screen allows.
    void placeWindow();
    // Repaints the report and re-places the selection handles after the model changed.
    void refreshView();
    // The keys of the design window; answers whether the key was used.
    bool handleKey(QKeyEvent* event);

signals:
    void selectionChanged();
    void captionChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void adoptDocument(std::unique_ptr<TfrmVelDesign> document);
    QString statusTextFor(TComponent* component) const;
    // Repaints the handles and tells the main window the selection changed.
    void announceSelection();
    void pushGeometry(const QString& text, const QList<TControl*>& objects, const std::function<void()>& change,
                      int mergeId = -1);
    TSnapshotCommand::State snapshot() const;
    void restoreSnapshot(const TSnapshotCommand::State& state);
    void pushSnapshot(const QString& text, TSnapshotCommand::State before);
    TControl* pasteTarget(const QString& className) const;
    void setZoom(int zoom);
    void syncModifiedMark(bool clean);
    void documentChanged();

    std::unique_ptr<TfrmVelDesign> m_document;
    TVelSelList* m_selection = nullptr;
    QUndoStack* m_undoStack = nullptr;
    QScrollArea* m_scrollArea = nullptr;
    TDesignSurface* m_surface = nullptr;
    QLabel* m_status = nullptr;
    QPointer<TComponent> m_described;
    QList<TFieldDescEntry> m_fieldList;
    bool m_fieldListValid = false;
    int m_lockCount = 0;
    bool m_closing = false;
};
