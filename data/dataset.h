// TDataSet: the base of every table and query a report reads its records from.
#pragma once

#include "core/component.h"

class TDataSet : public TComponent {
    Q_OBJECT
public:
    explicit TDataSet(TComponent* owner = nullptr);
    ~TDataSet() override;
};
