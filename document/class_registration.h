// The start-up registration of every class that stored documents may contain, with the
// palette pages "Bands", "Controls" and "Extra" in their fixed order.
#pragma once

#include "core/class_registry.h"

#include <QList>

namespace classregistration {

// Registers the classes once; later calls do nothing.
void registerStorableClasses();

// Classes of modules that register after the document layer (dataset plug-ins) are
// added to the storable set here.
void registerStoredOnly(const QList<TClassInfo>& classes);

// Sets the palette captions from the UI strings; renewed after a language change.
void applyPaletteCaptions();

} // namespace classregistration
