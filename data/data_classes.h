// Registers the dataset layer's storable classes: the local engine's datasets, the data
// source and every field class.
#pragma once

namespace dataclasses {

void registerStorableClasses();

} // namespace dataclasses
