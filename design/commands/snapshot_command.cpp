#include "design/commands/snapshot_command.h"

TSnapshotCommand::TSnapshotCommand(const QString& text, State before, State after, Restore restore)
    : QUndoCommand(text), m_before(std::move(before)), m_after(std::move(after)), m_restore(std::move(restore))
{
}

void TSnapshotCommand::redo()
{
    if (m_firstRedo) {
        m_firstRedo = false;
        return;
    }
    m_restore(m_after);
}
