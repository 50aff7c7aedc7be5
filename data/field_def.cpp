#include "data/field_def.h"

namespace fielddefs {

int indexOf(const TFieldDefs& defs, QStringView name)
{
    for (int i = 0; i < defs.size(); ++i) {
        if (name.compare(defs[i].name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace fielddefs
