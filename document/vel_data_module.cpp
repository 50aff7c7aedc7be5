#include "document/vel_data_module.h"

TVelDataModule::TVelDataModule(TComponent* owner) : TComponent(owner) {}

TVelDataModule::~TVelDataModule() = default;
