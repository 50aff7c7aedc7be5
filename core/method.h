// TMethod: the value of an event property. Files and scripts know an event by the name
// of its handler; the engine calls the C++ handler bound to it.
#pragma once

#include <QMetaType>
#include <QString>

struct TMethod {
    QString name;

    bool isEmpty() const { return name.isEmpty(); }
    friend bool operator==(const TMethod& a, const TMethod& b) { return a.name == b.name; }
};

Q_DECLARE_METATYPE(TMethod)
