// The error a component stream raises for bytes or text it cannot read.
#pragma once

#include "core/error.h"

class EStreamError : public EVelError {
public:
    using EVelError::EVelError;
};
