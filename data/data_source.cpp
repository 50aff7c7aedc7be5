#include "data/data_source.h"

TDataSource::TDataSource(TComponent* owner) : TComponent(owner) {}
