// The top-level components every document can reach by name: the application's
// datamodules first, then the open documents. References to components of another root
// ("DM.Customers") resolve through them.
#pragma once

#include <QList>
#include <QStringView>

class TComponent;

namespace globalnames {

// Registers a top-level component; a destroyed one drops out by itself.
// Application-owned components (datamodules) are searched before open documents.
enum class Scope { Application, Document };
void add(TComponent* root, Scope scope);
void remove(TComponent* root);

// The top-level component of that name, without regard to case: application first.
TComponent* findRoot(QStringView name);

// "Root.Component" or a bare root name; null when nothing has that name.
TComponent* findComponent(QStringView path);

QList<TComponent*> roots(Scope scope);

} // namespace globalnames
