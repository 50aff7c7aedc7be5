#include "data/data_classes.h"

#include "core/class_registry.h"
#include "data/data_source.h"
#include "data/field_classes.h"
#include "data/query.h"
#include "data/table.h"

namespace dataclasses {

void registerStorableClasses()
{
    TClassRegistry::instance().registerClasses<TTable, TQuery, TDataSource>(QString());
    TClassRegistry::instance().registerClasses<TField, TStringField, TNumericField, TIntegerField, TSmallintField,
                                               TWordField, TAutoIncField, TFloatField, TCurrencyField, TBCDField,
                                               TBooleanField, TDateTimeField, TDateField, TTimeField, TBinaryField,
                                               TBytesField, TVarBytesField, TBlobField, TMemoField, TGraphicField,
                                               TWideStringField>(QString());
}

} // namespace dataclasses
