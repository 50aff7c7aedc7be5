#include "design/design_window.h"

#include "core/class_registry.h"
#include "core/error.h"
#include "core/settings/preferences.h"
#include "core/stream/binary_stream.h"
#include "core/stream/component_stream.h"
#include "core/strings/ui_strings.h"
#include "design/alignment.h"
#include "design/clipboard_text.h"
#include "design/commands/geometry_command.h"
#include "design/commands/restack_command.h"
#include "design/commands/snapshot_command.h"
#include "design/design_geometry.h"
#include "design/design_surface.h"
#include "design/design_workspace.h"
#include "design/designer.h"
#include "design/question_window.h"
#include "design/selection_list.h"
#include "data/dataset.h"
#include "document/document_messages.h"
#include "document/new_document.h"
#include "document/vel_data_module.h"
#include "document/vel_data_module_link.h"
#include "document/vel_design.h"
#include "engine/rp_bands.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMetaProperty>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

using designgeometry::isLocked;
using designgeometry::TLockBit;

int screenPixelsPerInch(const QWidget* widget)
{
    const QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInch()) : 96;
}

QString unitName(TRpUnit unit)
{
    switch (unit) {
    case TRpUnit::MM: return QStringLiteral("MM");
    case TRpUnit::Inches: return QStringLiteral("Inch");
    case TRpUnit::Pixels: return QStringLiteral("Pixels");
    case TRpUnit::Characters: return QStringLiteral("Char");
    case TRpUnit::Native: return QStringLiteral("Native");
    }
    return QStringLiteral("??");
}

QString paletteCaption(const TComponent* component)
{
    const TClassDescription description = TClassRegistry::instance().describe(component->className());
    return description.found && !description.caption.isEmpty() ? description.caption : component->className();
}

QString number(double value)
{
    return QString::number(value, 'f', 4);
}

// Zoom steps: 25 percent below 150, 50 from 150 upward.
int zoomedIn(int zoom)
{
    return zoom + (zoom < 150 ? 25 : 50);
}

int zoomedOut(int zoom)
{
    return zoom - (zoom <= 150 ? 25 : 50);
}

} // namespace

TVelDesignWindow::TVelDesignWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmVelDesign"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_selection = new TVelSelList(screenPixelsPerInch(this));
    m_undoStack = new QUndoStack(this);
    connect(m_undoStack, &QUndoStack::cleanChanged, this, &TVelDesignWindow::syncModifiedMark);

    m_surface = new TDesignSurface(this);
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setObjectName(QStringLiteral("ReportOwner"));
    m_scrollArea->setWidget(m_surface);
    m_scrollArea->setWidgetResizable(false);
    m_scrollArea->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_scrollArea->setBackgroundRole(QPalette::Dark);
    m_scrollArea->setFocusPolicy(Qt::NoFocus);

    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("Status"));
    statusBar->setSizeGripEnabled(false);
    m_status = new QLabel(statusBar);
    m_status->setObjectName(QStringLiteral("StatusText"));
    statusBar->addWidget(m_status, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_scrollArea, 1);
    layout->addWidget(statusBar);

    // A new document's report font takes the default character set.
    adoptDocument(newdocument::createReportDocument());
    placeWindow();
    TVelDesigner::instance().setCurrentWindow(this);
    if (IVelWorkspace* workspace = velWorkspace())
        workspace->designWindowOpened(this);
}

TVelDesignWindow::~TVelDesignWindow()
{
    m_closing = true;
    // The stack announces a clean state while it is destroyed with the window's children.
    disconnect(m_undoStack, nullptr, this, nullptr);
    if (TVelDesigner::instance().currentWindow() == this)
        TVelDesigner::instance().setCurrentWindow(nullptr);
    if (IVelWorkspace* workspace = velWorkspace()) {
        if (!fileName().isEmpty())
            workspace->rememberRecentReport(fileName());
        workspace->designWindowDestroyed(this);
    }
    delete m_selection;
    m_selection = nullptr;
    m_document.reset();
}

void TVelDesignWindow::adoptDocument(std::unique_ptr<TfrmVelDesign> document)
{
    m_document = std::move(document);
    m_document->completeAfterLoad();
    m_document->documentReady();
    m_document->setCaptionListener([this] {
        setWindowTitle(captionText());
        emit captionChanged();
        if (IVelWorkspace* workspace = velWorkspace())
            workspace->documentCaptionChanged(this);
    });
    m_document->updateCaption();
    refreshView();
}

TReport* TVelDesignWindow::report() const
{
    return m_document ? m_document->report() : nullptr;
}

QString TVelDesignWindow::fileName() const
{
    return m_document->fileName();
}

bool TVelDesignWindow::isModified() const
{
    return m_document->isModified();
}

QString TVelDesignWindow::captionText() const
{
    return m_document->caption();
}

// ---- loading and saving -------------------------------------------------------------

bool TVelDesignWindow::loadFromFile(const QString& fileName)
{
    m_selection->clear();
    if (!m_document->loadFromFile(fileName)) {
        refreshView();
        return false;
    }
    m_fieldListValid = false;
    m_undoStack->clear();
    if (m_document->isModified())
        m_undoStack->resetClean();
    refreshView();
    placeWindow();
    if (IVelWorkspace* workspace = velWorkspace())
        workspace->forgetRecentReport(fileName);
    m_document->updateCaption();
    return true;
}

bool TVelDesignWindow::save()
{
    if (fileName().isEmpty())
        return saveAs();
    return saveToFile(fileName());
}

bool TVelDesignWindow::saveAs()
{
    const QString filter = QStringLiteral("Velmor report as Text (*.VTX *.vtx);;Velmor report as binary (*.VRP *.vrp)");
    QString selected;
    QString name = QFileDialog::getSaveFileName(this, QString(), fileName(), filter, &selected);
    if (name.isEmpty())
        return false;
    if (QFileInfo(name).suffix().isEmpty())
        name += selected.contains(QLatin1String("VTX")) ? QStringLiteral(".VTX") : QStringLiteral(".VRP");
    return saveToFile(name);
}

bool TVelDesignWindow::saveToFile(const QString& fileName)
{
    const bool wasVisible = m_selection->isVisible();
    m_selection->hide();
    if (IVelWorkspace* workspace = velWorkspace())
        workspace->forgetRecentReport(fileName);
    const bool wasModified = isModified();
    const bool saved = m_document->saveToFile(fileName);
    if (saved) {
        m_document->clearModifiedMark();
        m_undoStack->setClean();
    } else if (wasModified) {
        m_document->markModified();
    }
    if (wasVisible)
        m_selection->show();
    refreshView();
    m_document->updateCaption();
    return saved;
}

bool TVelDesignWindow::queryClose()
{
    if (!isModified())
        return true;
    switch (askYesNoCancel(this, LoadMessageString(33028))) {
    case TYesNoCancel::Yes:
        return save();
    case TYesNoCancel::No:
        return true;
    case TYesNoCancel::Cancel:
        return false;
    }
    return false;
}

void TVelDesignWindow::closeEvent(QCloseEvent* event)
{
    if (!m_closing && !queryClose()) {
        event->ignore();
        return;
    }
    m_closing = true;
    event->accept();
}

// ---- modified mark and undo -----------------------------------------------------------

void TVelDesignWindow::pushCommand(QUndoCommand* command)
{
    m_undoStack->push(command);
    documentChanged();
}

void TVelDesignWindow::syncModifiedMark(bool clean)
{
    if (clean) {
        m_document->clearModifiedFlag();
        m_document->clearModifiedMark();
        m_document->updateCaption();
    } else {
        m_document->markModified();
    }
}

void TVelDesignWindow::documentChanged()
{
    m_fieldListValid = false;
    if (!m_undoStack->isClean() && !m_document->isModified())
        m_document->markModified();
    refreshView();
    emit selectionChanged();
    if (IVelWorkspace* workspace = velWorkspace())
        workspace->refreshCommands();
}

// ---- view -----------------------------------------------------------------------------

void TVelDesignWindow::lockUpdates()
{
    if (m_lockCount < 0) {
        docmessages::show(QStringLiteral("Inc LockCount Error"));
        m_lockCount = 0;
    }
    if (m_lockCount++ == 0)
        setUpdatesEnabled(false);
}

void TVelDesignWindow::unlockUpdates()
{
    if (m_lockCount <= 0) {
        docmessages::show(QStringLiteral("Dec LockCount Error"));
        m_lockCount = 0;
        return;
    }
    if (--m_lockCount == 0) {
        setUpdatesEnabled(true);
        refreshView();
    }
}

void TVelDesignWindow::refreshView()
{
    if (TReport* report = this->report())
        report->stackBands();
    m_selection->replaceAll();
    m_surface->invalidate();
    if (m_described)
        describeInStatus(m_described);
}

void TVelDesignWindow::placeWindow()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    IVelWorkspace* workspace = velWorkspace();
    const int top = workspace ? workspace->designWindowTop() : available.top() + 4;
    const QSize reportSize = report() ? report()->bounds().size() : QSize(600, 400);
    const int chrome = m_status->parentWidget()->sizeHint().height() + 4;
    int width = reportSize.width() + 20 < available.width() ? reportSize.width() + 20 : available.width();
    int height = available.bottom() - top;
    height = std::min(height, reportSize.height() + chrome);
    setGeometry(available.left(), top, width, std::max(height, 200));
}

void TVelDesignWindow::describeInStatus(TComponent* component)
{
    m_described = component;
    m_status->setText(component ? statusTextFor(component) : QString());
}

QString TVelDesignWindow::statusText() const
{
    return m_status->text();
}

QString TVelDesignWindow::statusTextFor(TComponent* component) const
{
    TReport* report = this->report();
    const TRpUnit units = report ? report->units() : TRpUnit::Native;
    const QString unit = unitName(units);
    if (auto* printable = qobject_cast<TRpPrintable*>(component)) {
        TRpPrintableSize* size = printable->size();
        return number(size->left()) + QStringLiteral(" / ") + number(size->top()) + QLatin1Char(' ') + unit +
               QStringLiteral("  ") + paletteCaption(printable) + QStringLiteral("   ") + printable->name() +
               QStringLiteral("  ") + printable->hint() + QStringLiteral("  ");
    }
    if (auto* band = qobject_cast<TRpCustomBand*>(component)) {
        TRpBandSize* size = band->size();
        return paletteCaption(band) + QStringLiteral("  ") + number(size->width()) + QStringLiteral(" / ") +
               number(size->height()) + QLatin1Char(' ') + unit + QStringLiteral("  ") + band->name() +
               QStringLiteral("   ");
    }
    return paletteCaption(component) + QStringLiteral("  ") + component->name() + QStringLiteral("   ");
}

// ---- field list -----------------------------------------------------------------------

namespace {

// Every dataset of an owner and, through its datamodule links, of the linked datamodules.
void collectDataSets(const TComponent* owner, QList<TDataSet*>& dataSets, QList<const TComponent*>& visited)
{
    if (!owner || visited.contains(owner))
        return;
    visited.append(owner);
    for (TComponent* component : owner->components()) {
        if (auto* link = qobject_cast<TVelDataModuleLink*>(component))
            collectDataSets(link->dataModule(), dataSets, visited);
        else if (auto* dataSet = qobject_cast<TDataSet*>(component))
            dataSets.append(dataSet);
    }
}

} // namespace

const QList<TFieldDescEntry>& TVelDesignWindow::fieldList()
{
    if (!m_fieldListValid)
        rebuildFieldList();
    return m_fieldList;
}

void TVelDesignWindow::rebuildFieldList()
{
    m_fieldList.clear();
    m_fieldListValid = true;
    QList<TDataSet*> dataSets;
    QList<const TComponent*> visited;
    collectDataSets(m_document.get(), dataSets, visited);
    for (TDataSet* dataSet : dataSets) {
        try {
            dataSet->open();
        } catch (const std::exception&) {
            // The entries below report the dataset that cannot be read.
        }
    }
    for (TDataSet* dataSet : dataSets)
        m_fieldList += fielddescriptions::entriesFor(dataSet, m_document.get());
}

// ---- zoom -----------------------------------------------------------------------------

int TVelDesignWindow::zoom() const
{
    return report() ? report()->zoom() : 100;
}

void TVelDesignWindow::setZoom(int zoom)
{
    TReport* report = this->report();
    zoom = std::clamp(zoom, int(TReport::kMinZoom), int(TReport::kMaxZoom));
    if (!report || zoom == report->zoom())
        return;
    lockUpdates();
    report->setZoom(zoom);
    unlockUpdates();
}

void TVelDesignWindow::zoomIn()
{
    setZoom(zoomedIn(zoom()));
}

void TVelDesignWindow::zoomOut()
{
    if (zoomedOut(zoom()) >= TReport::kMinZoom)
        setZoom(zoomedOut(zoom()));
}

// ---- selection ------------------------------------------------------------------------

void TVelDesignWindow::selectControl(TControl* control, Qt::KeyboardModifiers modifiers)
{
    if (!control || !designgeometry::isSelectable(control))
        return;
    TVelSelList& selection = *m_selection;
    if (designgeometry::isBandOrReport(control) || selection.holdsBandOrReport())
        selection.clear();
    if (!selection.contains(control)) {
        if (!(modifiers & Qt::ShiftModifier))
            selection.clear();
        selection.add(control);
    } else if (modifiers & Qt::ShiftModifier) {
        selection.remove(control);
    } else if (modifiers & Qt::ControlModifier) {
        selection.clear();
        selection.add(control);
    }
    selection.replaceAll();
    describeInStatus(control);
    announceSelection();
}

void TVelDesignWindow::selectControls(const QList<TControl*>& controls)
{
    m_selection->clear();
    for (TControl* control : controls) {
        if (qobject_cast<TRpPrintable*>(control))
            m_selection->add(control, false);
    }
    m_selection->show();
    announceSelection();
}

void TVelDesignWindow::announceSelection()
{
    m_surface->updateOverlay();
    emit selectionChanged();
    if (IVelWorkspace* workspace = velWorkspace()) {
        workspace->refreshCommands();
        workspace->showControlEditors(this);
    }
}

void TVelDesignWindow::selectAll()
{
    selectControls(designgeometry::printableControls(report()));
}

bool TVelDesignWindow::hasSelection() const
{
    return !m_selection->isEmpty();
}

// ---- edits ----------------------------------------------------------------------------

QList<TControl*> TVelDesignWindow::selectedPrintables() const
{
    QList<TControl*> controls;
    for (TControl* control : m_selection->controls()) {
        if (qobject_cast<TRpPrintable*>(control))
            controls.append(control);
    }
    return controls;
}

void TVelDesignWindow::pushGeometry(const QString& text, const QList<TControl*>& objects,
                                    const std::function<void()>& change, int mergeId)
{
    auto* command = new TGeometryCommand(text, m_document.get(), objects, change);
    if (command->isEmpty()) {
        delete command;
        refreshView();
        return;
    }
    command->setRefresh([this] { refreshView(); });
    command->setMergeable(mergeId);
    pushCommand(command);
}

void TVelDesignWindow::moveSelectionBy(int dx, int dy)
{
    if (m_selection->holdsBandOrReport() && qobject_cast<TReport*>(m_selection->control(0)))
        return;
    QList<TControl*> moved;
    const QList<TControl*> selected = m_selection->controls();
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        if (qobject_cast<TRpPrintable*>(*it) && !isLocked(*it, TLockBit::CannotMove))
            moved.append(*it);
    }
    pushGeometry(tr("Move"), moved, [&] {
        for (TControl* c : moved)
            c->setBounds(c->left() + dx, c->top() + dy, c->width(), c->height());
    }, 1);
}

void TVelDesignWindow::resizeSelectionBy(int dx, int dy)
{
    QList<TControl*> resized;
    const QList<TControl*> selected = m_selection->controls();
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        if (qobject_cast<TReport*>(*it) || isLocked(*it, TLockBit::CannotEdit))
            continue;
        resized.append(*it);
    }
    pushGeometry(tr("Resize"), resized, [&] {
        for (TControl* c : resized)
            c->setBounds(c->left(), c->top(), std::max(0, c->width() + dx), std::max(0, c->height() + dy));
    }, 2);
}

void TVelDesignWindow::moveControls(const QList<TControl*>& controls, QPoint offset, bool toGrid)
{
    const Preferences& prefs = preferences();
    pushGeometry(tr("Move"), controls, [&] {
        for (TControl* c : controls) {
            int left = c->left() + offset.x();
            int top = c->top() + offset.y();
            if (toGrid) {
                if (prefs.gridX > 0)
                    left = left / prefs.gridX * prefs.gridX;
                if (prefs.gridY > 0)
                    top = top / prefs.gridY * prefs.gridY;
            }
            c->setBounds(left, top, c->width(), c->height());
        }
    });
}

void TVelDesignWindow::setControlRect(TControl* control, const QRect& rect)
{
    pushGeometry(tr("Resize"), {control}, [&] {
        control->setBounds(rect.x(), rect.y(), rect.width(), rect.height());
    });
    m_selection->show();
    m_surface->updateOverlay();
}

void TVelDesignWindow::align(int operation)
{
    const QList<TControl*> controls = selectedPrintables();
    if (controls.isEmpty())
        return;
    if (operation == alignment::SendToBack || operation == alignment::BringToFront) {
        auto* command = new TRestackCommand(operation == alignment::SendToBack ? tr("Send to back")
                                                                                : tr("Bring to front"),
                                            m_document.get(), controls,
                                            [&] { alignment::restack(operation, controls); });
        if (command->isEmpty()) {
            delete command;
            return;
        }
        command->setRefresh([this] { refreshView(); });
        pushCommand(command);
        return;
    }
    lockUpdates();
    pushGeometry(tr("Align"), controls, [&] { alignment::align(operation, controls); });
    unlockUpdates();
}

// ---- snapshots: paste, delete, place ---------------------------------------------------

TSnapshotCommand::State TVelDesignWindow::snapshot() const
{
    TSnapshotCommand::State state;
    state.stream = componentstream::writeRoot(m_document.get());
    for (TControl* control : m_selection->controls())
        state.selected.append(control->name());
    return state;
}

void TVelDesignWindow::restoreSnapshot(const TSnapshotCommand::State& state)
{
    const int zoom = this->zoom();
    m_selection->clear();
    TfrmVelDesign& document = *m_document;
    document.beforeLoad();
    document.clear();
    componentstream::readRoot(state.stream, &document);
    document.completeAfterLoad();
    document.documentReady();
    if (report() && report()->zoom() != zoom)
        report()->setZoom(zoom);
    for (const QString& name : state.selected) {
        if (auto* control = qobject_cast<TControl*>(document.findComponent(name)))
            m_selection->add(control, false);
    }
    m_selection->show();
    documentChanged();
}

void TVelDesignWindow::pushSnapshot(const QString& text, TSnapshotCommand::State before)
{
    TSnapshotCommand::State after = snapshot();
    auto* command = new TSnapshotCommand(text, std::move(before), std::move(after),
                                         [this](const TSnapshotCommand::State& state) { restoreSnapshot(state); });
    if (command->isEmpty()) {
        delete command;
        documentChanged();
        return;
    }
    pushCommand(command);
}

void TVelDesignWindow::deleteSelection()
{
    if (m_selection->isEmpty())
        return;
    TSnapshotCommand::State before = snapshot();
    const QList<TControl*> selected = m_selection->controls();
    m_selection->clear();
    for (TControl* control : selected) {
        if (qobject_cast<TReport*>(control) || isLocked(control, TLockBit::CannotDelete))
            continue;
        delete control;
    }
    m_described = nullptr;
    pushSnapshot(tr("Delete"), std::move(before));
}

void TVelDesignWindow::copy()
{
    if (m_selection->isEmpty())
        return;
    const QByteArray text = clipboardtext::write(m_selection->controls());
    QApplication::clipboard()->setText(QString::fromLatin1(text));
    if (IVelWorkspace* workspace = velWorkspace())
        workspace->refreshCommands();
}

void TVelDesignWindow::cut()
{
    copy();
    deleteSelection();
}

bool TVelDesignWindow::clipboardHoldsComponents()
{
    return !clipboardtext::firstClassName(QApplication::clipboard()->text()).isEmpty();
}

TControl* TVelDesignWindow::pasteTarget(const QString& className) const
{
    const QMetaObject* meta = TClassRegistry::instance().findClass(className);
    if (!meta)
        return nullptr;
    TControl* first = m_selection->control(0);
    if (meta->inherits(&TRpCustomBand::staticMetaObject))
        return report();
    if (!meta->inherits(&TRpPrintable::staticMetaObject))
        return nullptr;
    if (!first || qobject_cast<TReport*>(first))
        return report();
    if (qobject_cast<TRpCustomBand*>(first))
        return first;
    return first->parentControl();
}

bool TVelDesignWindow::paste()
{
    const QString text = QApplication::clipboard()->text();
    const QString className = clipboardtext::firstClassName(text);
    if (className.isEmpty()) {
        docmessages::show(tr("The clipboard holds no report controls to paste."));
        return false;
    }
    TClassRegistry& registry = TClassRegistry::instance();
    const QMetaObject* meta = registry.findClass(className);
    if (!meta) {
        docmessages::show(tr("The clipboard holds a control of an unknown class (%1).").arg(className));
        return false;
    }
    if (meta->inherits(&TReport::staticMetaObject) || meta->inherits(&TfrmVelDesign::staticMetaObject))
        return false;
    const bool visual = meta->inherits(&TControl::staticMetaObject);
    TControl* parent = visual ? pasteTarget(className) : nullptr;
    if (visual && !parent)
        return false;

    TSnapshotCommand::State before = snapshot();
    m_selection->clear();
    QList<TComponent*> pasted;
    try {
        for (const QByteArray& stream : clipboardtext::objectStreams(text.toLatin1())) {
            TStreamObject record = binarystream::read(stream);
            pasted.append(componentstream::readComponent(record, m_document.get(), parent));
        }
    } catch (const std::exception& error) {
        docmessages::show(QString::fromUtf8(error.what()));
    }
    m_document->documentReady();
    m_document->addMissingDataSources();
    for (TComponent* component : pasted) {
        if (auto* control = qobject_cast<TControl*>(component); control && designgeometry::isSelectable(control))
            m_selection->add(control, false);
    }
    m_selection->show();
    pushSnapshot(tr("Paste"), std::move(before));
    return !pasted.isEmpty();
}

TComponent* TVelDesignWindow::placeObject(const QString& className, TControl* parent, QPoint position)
{
    TClassRegistry& registry = TClassRegistry::instance();
    if (!registry.isRegistered(className) || !parent) {
        QApplication::beep();
        return nullptr;
    }
    TSnapshotCommand::State before = snapshot();
    TComponent* component = registry.create(className, m_document.get());
    component->setNameUnchecked(TVelDesigner::uniqueName(this, className.mid(1)));
    auto* control = qobject_cast<TControl*>(component);
    if (control) {
        if (qobject_cast<TRpCustomBand*>(control))
            parent = report();
        control->setParentControl(parent);
        control->setBounds(position.x(), position.y(), control->width(), control->height());
        const int captionIndex = control->metaObject()->indexOfProperty("Caption");
        if (captionIndex >= 0 && qobject_cast<TRpPrintable*>(control))
            control->metaObject()->property(captionIndex).write(control, control->name());
    }
    m_document->completeAfterLoad();
    m_document->documentReady();
    if (IVelWorkspace* workspace = velWorkspace())
        workspace->notify(component, 0, component->name());
    m_selection->clear();
    if (control)
        m_selection->add(control);
    m_selection->show();
    pushSnapshot(tr("Place %1").arg(component->name()), std::move(before));
    if (IVelWorkspace* workspace = velWorkspace())
        workspace->showControlEditors(this);
    return component;
}

// ---- keyboard -------------------------------------------------------------------------

bool TVelDesignWindow::handleKey(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    const int key = event->key();
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (arrow) {
        const int dx = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
        const int dy = key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
        if (modifiers == Qt::ShiftModifier) {
            resizeSelectionBy(dx, dy);
        } else if (modifiers == Qt::ControlModifier) {
            moveSelectionBy(dx, dy);
        } else if (modifiers == Qt::NoModifier) {
            QScrollBar* bar = dx ? m_scrollArea->horizontalScrollBar() : m_scrollArea->verticalScrollBar();
            bar->setValue(bar->value() + (dx + dy) * bar->singleStep());
        } else {
            return false;
        }
        return true;
    }
    if (key == Qt::Key_Delete && modifiers == Qt::NoModifier) {
        deleteSelection();
        return true;
    }
    if (keypad && key == Qt::Key_Plus) {
        zoomIn();
        return true;
    }
    if (keypad && key == Qt::Key_Minus) {
        zoomOut();
        return true;
    }
    if (key == Qt::Key_Tab && modifiers == Qt::NoModifier) {
        QApplication::beep();
        return true;
    }
    const bool typed = !event->text().isEmpty() && event->text().at(0).isPrint() &&
                       !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (typed && key != Qt::Key_Plus && key != Qt::Key_Minus) {
        if (IVelWorkspace* workspace = velWorkspace()) {
            workspace->showControlEditors(this);
            workspace->forwardKeyToControlEditors(event);
            return true;
        }
    }
    return false;
}

void TVelDesignWindow::keyPressEvent(QKeyEvent* event)
{
    if (!handleKey(event))
        QWidget::keyPressEvent(event);
}

void TVelDesignWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || m_closing)
        return;
    TVelDesigner::instance().setCurrentWindow(this);
    m_document->completeAfterLoad();
    m_document->documentReady();
    m_document->updateCaption();
    if (IVelWorkspace* workspace = velWorkspace())
        workspace->designWindowActivated(this);
}
