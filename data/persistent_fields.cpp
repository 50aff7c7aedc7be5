#include "data/persistent_fields.h"

#include "core/error.h"
#include "data/dataset.h"
#include "data/field.h"
#include "data/field_classes.h"
#include "data/unique_name.h"

namespace persistentfields {

QList<TField*> makePersistent(TDataSet* dataSet, const QStringList& fieldNames)
{
    QList<TField*> created;
    if (!dataSet)
        return created;
    dataSet->close();
    dataSet->updateFieldDefs();
    const TFieldDefs& defs = dataSet->fieldDefs();
    QStringList names = fieldNames;
    if (names.isEmpty()) {
        for (const TFieldDef& def : defs)
            names.append(def.name);
    }
    for (const QString& name : std::as_const(names)) {
        if (dataSet->findField(name))
            continue;
        const int index = fielddefs::indexOf(defs, name);
        if (index < 0)
            throw EVelError(QStringLiteral("%1: Field '%2' not found").arg(dataSet->name(), name));
        const TFieldDef& def = defs[index];
        TField* field = fieldclasses::create(def.dataType, dataSet->owner());
        field->setFieldName(def.name);
        if (def.size > 0)
            field->setSize(def.size);
        field->setDataSet(dataSet);
        componentnames::UniqueComponentName(field);
        created.append(field);
    }
    return created;
}

void resetToDefault(TDataSet* dataSet)
{
    if (!dataSet)
        return;
    dataSet->close();
    dataSet->clearFields();
}

} // namespace persistentfields
