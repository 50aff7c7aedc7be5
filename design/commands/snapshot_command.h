// TSnapshotCommand: an edit that adds or removes objects (paste, delete, cut). Such
// edits can touch references anywhere in the document, so the command keeps the whole
// document's component stream before and after, with the names selected at each
// point, and gives undo and redo back through the window's restore routine.
#pragma once

#include <QByteArray>
#include <QStringList>
#include <QUndoCommand>

#include <functional>

class TSnapshotCommand : public QUndoCommand {
public:
    struct State {
        QByteArray stream;
        QStringList selected;
        bool operator==(const State&) const = default;
    };
    using Restore = std::function<void(const State& state)>;

    TSnapshotCommand(const QString& text, State before, State after, Restore restore);

    bool isEmpty() const { return m_before.stream == m_after.stream; }
    void undo() override { m_restore(m_before); }
    void redo() override;

private:
    State m_before;
    State m_after;
    Restore m_restore;
    bool m_firstRedo = true;
};
