// TRestackCommand: bringing controls to the front or sending them to the back. It keeps
// the stacking order of every parent involved, by name, before and after.
#pragma once

#include <QList>
#include <QString>
#include <QUndoCommand>

#include <functional>

class TComponent;
class TControl;

class TRestackCommand : public QUndoCommand {
public:
    TRestackCommand(const QString& text, TComponent* root, const QList<TControl*>& objects,
                    const std::function<void()>& change);

    bool isEmpty() const { return m_parents.isEmpty(); }
    void undo() override { apply(false); }
    void redo() override;
    void setRefresh(std::function<void()> refresh) { m_refresh = std::move(refresh); }

private:
    struct ParentOrder {
        QString parent;
        QStringList before;
        QStringList after;
    };
    void apply(bool after);

    TComponent* m_root;
    QList<ParentOrder> m_parents;
    bool m_firstRedo = true;
    std::function<void()> m_refresh;
};
