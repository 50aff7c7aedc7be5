// One object record of the component stream as data: the part that the binary and the
// text form have in common, so that each form is read into it and written from it.
#pragma once

#include "core/stream_value.h"

#include <QList>
#include <QString>

#include <utility>
#include <vector>

struct TStreamObject {
    // The flags of the record's prefix byte (0xF0 plus the flags).
    enum Flag : quint8 { Inherited = 1, ChildPosition = 2, Inline = 4 };

    quint8 flags = 0;
    qint64 position = 0; // meaningful with ChildPosition
    QString className;
    QString name;
    QList<std::pair<QString, TStreamValue>> properties;
    std::vector<TStreamObject> children;

    bool hasFlag(Flag flag) const { return (flags & flag) != 0; }
};
