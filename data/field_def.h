// The description of one column as an engine reports it, before any field object exists.
#pragma once

#include "data/field_types.h"

#include <QList>
#include <QString>

struct TFieldDef {
    QString name;
    TFieldType dataType = TFieldType::ftUnknown;
    int size = 0;       // characters of a string, bytes of fixed binary data, digits of BCD
    int precision = 0;  // decimals of BCD and currency columns
    bool required = false;
};

using TFieldDefs = QList<TFieldDef>;

namespace fielddefs {

// The index of the definition of that name, without regard to case, or -1.
int indexOf(const TFieldDefs& defs, QStringView name);

} // namespace fielddefs
