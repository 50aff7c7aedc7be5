// Switching a dataset between default fields and persistent fields, as the field page
// of the database manager does it.
#pragma once

#include <QStringList>

class TDataSet;
class TField;

namespace persistentfields {

// Creates a persistent field for each of `fieldNames` (all field definitions when empty),
// owned by the dataset's owner, in that order, named by the class name rule
// ("StringField", "StringField0", "IntegerField"). Existing persistent fields stay.
// The dataset is closed first.
QList<TField*> makePersistent(TDataSet* dataSet, const QStringList& fieldNames = {});
// Frees every persistent field; the dataset makes default fields when it next opens.
void resetToDefault(TDataSet* dataSet);

} // namespace persistentfields
