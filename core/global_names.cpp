#include "core/global_names.h"

#include "core/component.h"

#include <QPointer>
#include <QSet>

namespace globalnames {

namespace {

struct Entry {
    QPointer<TComponent> root;
    Scope scope;
};

// The registered roots in registration order, and the same roots as a set so that
// registering thousands of them (datamodules named by a report) does not scan the list
// each time. Destroyed roots drop out of the list when it is read.
struct Registry {
    QList<Entry> entries;
    QSet<const TComponent*> members;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

QList<Entry>& entries()
{
    Registry& current = registry();
    current.entries.removeIf([](const Entry& entry) { return entry.root.isNull(); });
    return current.entries;
}

} // namespace

void add(TComponent* root, Scope scope)
{
    if (!root)
        return;
    remove(root);
    registry().entries.append({root, scope});
    registry().members.insert(root);
}

void remove(TComponent* root)
{
    Registry& current = registry();
    if (!current.members.remove(root))
        return;
    // Roots are mostly removed last registered first.
    for (qsizetype i = current.entries.size() - 1; i >= 0; --i) {
        if (current.entries.at(i).root == root) {
            current.entries.removeAt(i);
            return;
        }
    }
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
