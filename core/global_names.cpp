#include "core/global_names.h"

#include "core/component.h"

#include <QPointer>

namespace globalnames {

namespace {

struct Entry {
    QPointer<TComponent> root;
    Scope scope;
};

QList<Entry>& entries()
{
    static QList<Entry> list;
    list.removeIf([](const Entry& entry) { return entry.root.isNull(); });
    return list;
}

} // namespace

void add(TComponent* root, Scope scope)
{
    if (!root)
        return;
    remove(root);
    entries().append({root, scope});
}

void remove(TComponent* root)
{
    entries().removeIf([root](const Entry& entry) { return entry.root == root; });
}

QList<TComponent*> roots(Scope scope)
{
    QList<TComponent*> result;
    for (const Entry& entry : entries()) {
        if (entry.scope == scope)
            result.append(entry.root.data());
    }
    return result;
}

TComponent* findRoot(QStringView name)
{
    if (name.isEmpty())
        return nullptr;
    for (Scope scope : {Scope::Application, Scope::Document}) {
        for (TComponent* root : roots(scope)) {
            if (root->name().compare(name, Qt::CaseInsensitive) == 0)
                return root;
        }
    }
    return nullptr;
}

TComponent* findComponent(QStringView path)
{
    const qsizetype dot = path.indexOf(u'.');
    if (dot < 0)
        return findRoot(path);
    TComponent* root = findRoot(path.left(dot));
    return root ? root->findComponent(path.mid(dot + 1)) : nullptr;
}

} // namespace globalnames
