// The declaration's values by field name: the core record, under the computation's names.
#pragma once
#include "core/record.h"

namespace vormel::tax {

using core::Money;
using core::Record;

}  // namespace vormel::tax
