// TGeometryCommand: an edit that changes where controls and bands lie and how large
// they are (moves, resizes, keyboard nudges, alignment, spacing). It keeps each
// object's native geometry before and after, by name, so that undo and redo give back
// exactly the stored values even after other commands recreated the objects.
#pragma once

#include <QList>
#include <QString>
#include <QUndoCommand>

#include <functional>

class TComponent;
class TControl;

class TGeometryCommand : public QUndoCommand {
public:
    // Records the geometry of `objects`, runs `change`, and records it again. Objects
    // whose geometry did not change are dropped; isEmpty() tells whether any changed.
    TGeometryCommand(const QString& text, TComponent* root, const QList<TControl*>& objects,
                     const std::function<void()>& change);

    bool isEmpty() const { return m_entries.isEmpty(); }
    void undo() override;
    void redo() override;
    // Consecutive keyboard nudges of the same objects become one step.
    int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand* other) override;
    void setMergeable(int id) { m_mergeId = id; }

    // Called after undo and redo so the view can repaint and re-place handles.
    void setRefresh(std::function<void()> refresh) { m_refresh = std::move(refresh); }

private:
    struct Entry {
        QString name;
        QList<double> before;
        QList<double> after;
    };
    void apply(bool after);

    TComponent* m_root;
    QList<Entry> m_entries;
    bool m_firstRedo = true;
    int m_mergeId = -1;
    std::function<void()> m_refresh;
};

namespace geometry {
// The native geometry values of a band or printable control (empty for others).
QList<double> nativeValues(const TControl* control);
void setNativeValues(TControl* control, const QList<double>& values);
} // namespace geometry
