// Reading and writing live components through the component stream. The writer stores
// every published property that differs from its declared default (never those not
// stored), the extra values of each object's define-properties hook, and the children:
// child controls that belong to the root in stacking order, then, for the root, every
// component it owns that has no parent control. The reader is forgiving: a property it
// cannot apply is skipped; only an unregistered class stops it ("Class %s not found").
#pragma once

#include "core/stream/stream_object.h"

#include <QByteArray>

class TComponent;
class TControl;

namespace componentstream {

// The record of `root` and everything it holds.
TStreamObject rootRecord(TComponent* root);
// The binary stream ("TPF0" + record) of `root`.
QByteArray writeRoot(TComponent* root);
// The record of one component of a root (its references are named from that root).
TStreamObject componentRecord(TComponent* component);

// Reads a root record into the existing `root`: its name (when it is a valid one),
// properties and the components it holds, which `root` owns. References are resolved
// after the whole tree exists, then every read component is told it was loaded.
// Raises EStreamError before changing anything when a class is not registered.
void readRoot(const TStreamObject& record, TComponent* root);
// The same from a binary stream starting at `position`.
void readRoot(const QByteArray& binary, TComponent* root, qsizetype position = 0);

// Reads one record as a new component owned by `owner` and placed on `parent` (when
// both are controls); a name taken in the owner is replaced by the class-name rule.
TComponent* readComponent(const TStreamObject& record, TComponent* owner, TControl* parent);

// Raises EStreamError("Class %s not found") for the first unregistered class of the
// record's children (the root's own class is not checked: it is read into an object).
void checkClasses(const TStreamObject& record);

} // namespace componentstream
